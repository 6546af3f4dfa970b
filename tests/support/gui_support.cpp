#include "support/gui_support.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "files/build_switches.h"

void func_test_run_loop(int milliseconds)
{
    gint64 end = g_get_monotonic_time() + static_cast<gint64>(milliseconds) * 1000;
    do {
        while (gtk_events_pending())
            gtk_main_iteration_do(FALSE);
        g_usleep(5000);
    } while (g_get_monotonic_time() < end);
}

std::string func_test_save_screenshot(GtkWidget* window, const std::string& name)
{
    if (!window || !gtk_widget_get_window(window))
        return "";
    func_test_run_loop(150);
    GdkWindow* drawable = gtk_widget_get_window(window);
    int width = 0, height = 0;
    gdk_drawable_get_size(GDK_DRAWABLE(drawable), &width, &height);
    GdkPixbuf* picture = gdk_pixbuf_get_from_drawable(nullptr, GDK_DRAWABLE(drawable), nullptr, 0, 0, 0,
                                                      0, width, height);
    if (!picture)
        return "";
    const std::string folder = std::string(LUMEX_SCREENSHOT_DIR) + (PC_MODE ? "/desktop" : "/machine");
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/" + name + ".png";
    gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, nullptr);
    g_object_unref(picture);
    return path;
}

namespace {
void collect(GtkWidget* widget, const std::string& prefix, bool exact, std::vector<GtkWidget*>& found)
{
    const gchar* name = gtk_widget_get_name(widget);
    if (name && (exact ? prefix == name : std::string(name).rfind(prefix, 0) == 0))
        found.push_back(widget);
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* child = children; child; child = child->next)
            collect(GTK_WIDGET(child->data), prefix, exact, found);
        g_list_free(children);
    }
}

std::string hex_of(const GdkColor& color)
{
    char text[8];
    snprintf(text, sizeof text, "#%02x%02x%02x", color.red >> 8, color.green >> 8, color.blue >> 8);
    return text;
}
}  // namespace

GtkWidget* func_test_find_widget(GtkWidget* root, const std::string& name)
{
    std::vector<GtkWidget*> found;
    if (root)
        collect(root, name, true, found);
    return found.empty() ? nullptr : found.front();
}

std::vector<GtkWidget*> func_test_find_widgets(GtkWidget* root, const std::string& prefix)
{
    std::vector<GtkWidget*> found;
    if (root)
        collect(root, prefix, false, found);
    return found;
}

std::vector<std::string> func_test_row_labels(GtkWidget* root, const std::string& prefix)
{
    // Containers list their children newest first: order by the row name.
    std::vector<GtkWidget*> buttons = func_test_find_widgets(root, prefix);
    std::sort(buttons.begin(), buttons.end(), [](GtkWidget* a, GtkWidget* b) {
        return g_strcmp0(gtk_widget_get_name(a), gtk_widget_get_name(b)) < 0;
    });
    std::vector<std::string> labels;
    for (GtkWidget* button : buttons)
        labels.push_back(func_test_label_text(button));
    return labels;
}

std::string func_test_label_text(GtkWidget* widget)
{
    if (!widget)
        return "";
    if (GTK_IS_LABEL(widget))
        return gtk_label_get_text(GTK_LABEL(widget));
    std::vector<GtkWidget*> all;
    collect(widget, "", false, all);
    for (GtkWidget* child : all)
        if (GTK_IS_LABEL(child))
            return gtk_label_get_text(GTK_LABEL(child));
    return "";
}

void func_test_release(GtkWidget* button)
{
    if (button)
        g_signal_emit_by_name(button, "released");
}

std::string func_test_text_color(GtkWidget* label)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(label);
    if (style->color_flags[GTK_STATE_NORMAL] & GTK_RC_FG)
        return hex_of(style->fg[GTK_STATE_NORMAL]);
    return hex_of(gtk_widget_get_style(label)->fg[GTK_STATE_NORMAL]);
}

std::string func_test_background_color(GtkWidget* widget)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(widget);
    if (style->color_flags[GTK_STATE_NORMAL] & GTK_RC_BG)
        return hex_of(style->bg[GTK_STATE_NORMAL]);
    return hex_of(gtk_widget_get_style(widget)->bg[GTK_STATE_NORMAL]);
}

std::string func_test_color(const char* name)
{
    GdkColor color;
    if (!gdk_color_parse(name, &color))
        return "";
    return hex_of(color);
}
