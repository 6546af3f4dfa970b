#include "support/gui_support.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
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
// Widgets at or below widget named `prefix` (exactly, or starting so);
// with shown_only, only those drawn: visible up to the root.
void collect(GtkWidget* widget, const std::string& prefix, bool exact, std::vector<GtkWidget*>& found,
             bool shown_only = false)
{
    if (shown_only && !gtk_widget_get_visible(widget))
        return;
    const gchar* name = gtk_widget_get_name(widget);
    if (name && (exact ? prefix == name : std::string(name).rfind(prefix, 0) == 0))
        found.push_back(widget);
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* child = children; child; child = child->next)
            collect(GTK_WIDGET(child->data), prefix, exact, found, shown_only);
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

GtkWidget* func_test_find_window(const std::string& name, bool visible_only)
{
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next)
        if (name == gtk_widget_get_name(GTK_WIDGET(item->data)) &&
            (!visible_only || gtk_widget_get_visible(GTK_WIDGET(item->data))))
            found = GTK_WIDGET(item->data);
    g_list_free(windows);
    return found;
}

void func_test_release(GtkWidget* button)
{
    if (button)
        g_signal_emit_by_name(button, "released");
}

// A colour set on the widget itself wins over the theme's.
static std::string normal_color(GtkWidget* widget, GtkRcFlags flag)
{
    GtkRcStyle* set = gtk_widget_get_modifier_style(widget);
    GtkStyle* theme = gtk_widget_get_style(widget);
    const bool fg = flag == GTK_RC_FG, modified = set->color_flags[GTK_STATE_NORMAL] & flag;
    return hex_of((modified ? (fg ? set->fg : set->bg) : (fg ? theme->fg : theme->bg))[GTK_STATE_NORMAL]);
}

std::string func_test_text_color(GtkWidget* label) { return normal_color(label, GTK_RC_FG); }
std::string func_test_background_color(GtkWidget* widget) { return normal_color(widget, GTK_RC_BG); }

std::string func_test_color(const char* name)
{
    GdkColor color;
    if (!gdk_color_parse(name, &color))
        return "";
    return hex_of(color);
}

namespace {
std::string describe(GtkWidget* widget)
{
    // Unnamed widgets carry their type's name; say which named one holds them.
    std::string name = gtk_widget_get_name(widget);
    if (name == G_OBJECT_TYPE_NAME(widget))
        for (GtkWidget* parent = gtk_widget_get_parent(widget); parent; parent = gtk_widget_get_parent(parent))
            if (std::string(gtk_widget_get_name(parent)) != G_OBJECT_TYPE_NAME(parent)) {
                name = std::string(gtk_widget_get_name(parent)) + "/" + name;
                break;
            }
    return name;
}

double channel(guint16 value)
{
    const double c = value / 65535.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const GdkColor& color)
{
    return 0.2126 * channel(color.red) + 0.7152 * channel(color.green) + 0.0722 * channel(color.blue);
}

// The colour a widget is drawn on: the nearest button's face, or the
// nearest widget with a window of its own.
GdkColor background_of(GtkWidget* widget)
{
    for (GtkWidget* parent = gtk_widget_get_parent(widget); parent; parent = gtk_widget_get_parent(parent)) {
        if (GTK_IS_BUTTON(parent))
            return gtk_widget_get_style(parent)->bg[gtk_widget_get_state(parent)];
        if (gtk_widget_get_has_window(parent) && !(GTK_IS_EVENT_BOX(parent) &&
                                                    !gtk_event_box_get_visible_window(GTK_EVENT_BOX(parent))))
            return gtk_widget_get_style(parent)->bg[GTK_STATE_NORMAL];
    }
    return gtk_widget_get_style(widget)->bg[GTK_STATE_NORMAL];
}

// Shown, mapped labels with text (or, for buttons, shown, mapped and
// sensitive buttons): what an operator reads or touches.
std::vector<GtkWidget*> seen(GtkWidget* root, bool buttons, bool sensitive_only)
{
    std::vector<GtkWidget*> found;
    for (GtkWidget* widget : func_test_shown_widgets(root)) {
        if (!gtk_widget_get_mapped(widget) || (sensitive_only && !gtk_widget_is_sensitive(widget)))
            continue;
        if (buttons ? GTK_IS_BUTTON(widget)
                    : GTK_IS_LABEL(widget) && gtk_label_get_text(GTK_LABEL(widget)) &&
                          *gtk_label_get_text(GTK_LABEL(widget)))
            found.push_back(widget);
    }
    return found;
}
}  // namespace

std::vector<GtkWidget*> func_test_shown_widgets(GtkWidget* root)
{
    std::vector<GtkWidget*> found;
    if (root)
        collect(root, "", false, found, true);
    return found;
}

std::vector<std::string> func_test_shown_names(GtkWidget* root)
{
    std::vector<std::string> names;
    for (GtkWidget* widget : func_test_shown_widgets(root))
        names.push_back(describe(widget));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> func_test_texts_that_do_not_fit(GtkWidget* root)
{
    std::vector<std::string> faults;
    for (GtkWidget* widget : seen(root, false, false)) {
        const char* text = gtk_label_get_text(GTK_LABEL(widget));
        int width = 0, height = 0, xpad = 0, ypad = 0;
        pango_layout_get_pixel_size(gtk_label_get_layout(GTK_LABEL(widget)), &width, &height);
        gtk_misc_get_padding(GTK_MISC(widget), &xpad, &ypad);
        GtkAllocation given;
        gtk_widget_get_allocation(widget, &given);
        if (width + 2 * xpad > given.width || height + 2 * ypad > given.height) {
            char line[512];
            snprintf(line, sizeof line, "%s '%s' %dx%d in %dx%d", describe(widget).c_str(), text, width + 2 * xpad,
                     height + 2 * ypad, given.width, given.height);
            faults.push_back(line);
        }
    }
    return faults;
}

double func_test_contrast(const GdkColor& a, const GdkColor& b)
{
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

std::vector<std::string> func_test_unreadable_texts(GtkWidget* root)
{
    std::vector<std::string> faults;
    for (GtkWidget* widget : seen(root, false, false)) {
        const char* text = gtk_label_get_text(GTK_LABEL(widget));
        const GdkColor text_color = gtk_widget_get_style(widget)->fg[gtk_widget_get_state(widget)];
        const GdkColor background = background_of(widget);
        const double ratio = func_test_contrast(text_color, background);
        GtkWidget* button = gtk_widget_get_ancestor(widget, GTK_TYPE_BUTTON);
        if (!gtk_widget_is_sensitive(widget)) {
            // A button that cannot be used must look it: clearly dimmer.
            const double usable = button ? func_test_contrast(gtk_widget_get_style(widget)->fg[GTK_STATE_NORMAL],
                                                              gtk_widget_get_style(button)->bg[GTK_STATE_NORMAL])
                                         : 0;
            if (button && ratio >= usable / 2)
                faults.push_back(describe(widget) + " '" + text + "' is not dimmed when it cannot be used");
            continue;
        }
        if (ratio < 4.5) {
            char line[512];
            snprintf(line, sizeof line, "%s '%s' %s on %s: %.2f", describe(widget).c_str(), text,
                     hex_of(text_color).c_str(), hex_of(background).c_str(), ratio);
            faults.push_back(line);
        }
    }
    return faults;
}

std::vector<std::string> func_test_small_buttons(GtkWidget* root, int min_height)
{
    std::vector<std::string> faults;
    for (GtkWidget* widget : seen(root, true, true)) {
        GtkAllocation given;
        gtk_widget_get_allocation(widget, &given);
        if (given.height < min_height)
            faults.push_back(describe(widget) + " " + std::to_string(given.width) + "x" +
                             std::to_string(given.height));
    }
    return faults;
}
