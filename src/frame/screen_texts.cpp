#include "frame/screen_texts.h"

#include <map>
#include <string>

#include "language/language.h"
#include "logs/log_file.h"

namespace {

struct bound_text {
    int slot;
    std::string built;  // the text from the interface file
};

std::map<GtkWidget*, bound_text>& bound_texts()
{
    static std::map<GtkWidget*, bound_text> texts;
    return texts;
}

const char* text_of(GtkWidget* widget)
{
    if (GTK_IS_BUTTON(widget))
        return gtk_button_get_label(GTK_BUTTON(widget));
    return gtk_label_get_text(GTK_LABEL(widget));
}

void put_text(GtkWidget* widget, const std::string& text)
{
    const char* shown = text_of(widget);
    if (shown && text == shown)
        return;  // no relayout for nothing
    if (GTK_IS_BUTTON(widget))
        gtk_button_set_label(GTK_BUTTON(widget), text.c_str());
    else
        gtk_label_set_text(GTK_LABEL(widget), text.c_str());
}

void apply(GtkWidget* widget, const bound_text& bound)
{
    const std::string& text = p[bound.slot];
    put_text(widget, text.empty() ? bound.built : text);
}

void forget_widget(GtkWidget* widget, gpointer) { bound_texts().erase(widget); }

}  // namespace

void func_bind_text(GtkWidget* widget, int slot)
{
    if (!widget)
        return;  // the loader has already reported the missing widget
    if ((!GTK_IS_BUTTON(widget) && !GTK_IS_LABEL(widget)) || slot < 0 || slot >= LANGUAGE_SLOT_COUNT) {
        func_log_system_error("func_bind_text", std::string("Can't bind slot ") + std::to_string(slot) + " to " +
                                                    G_OBJECT_TYPE_NAME(widget) + " " +
                                                    (gtk_widget_get_name(widget) ? gtk_widget_get_name(widget) : ""));
        return;
    }
    auto& texts = bound_texts();
    auto found = texts.find(widget);
    if (found == texts.end()) {
        const char* built = text_of(widget);
        found = texts.emplace(widget, bound_text{slot, built ? built : ""}).first;
        g_signal_connect(widget, "destroy", G_CALLBACK(forget_widget), nullptr);
    } else {
        found->second.slot = slot;
    }
    apply(widget, found->second);
}

void func_refresh_bound_texts()
{
    for (const auto& [widget, bound] : bound_texts())
        apply(widget, bound);
}
