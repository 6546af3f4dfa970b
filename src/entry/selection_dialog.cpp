#include "entry/selection_dialog.h"

#include <cstdio>
#include <cstring>

#include "files/paths.h"
#include "frame/app_state.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"

GtkWidget* temporary_display_window = nullptr;

namespace {
constexpr int OPTION_WIDTH = 200;
constexpr int OPTION_HEIGHT = 55;
constexpr int OPTION_GAP = 6;

const char* label_of(GtkWidget* widget) { return func_get_widget_label_text(widget); }

}  // namespace

std::vector<std::string> func_get_option_row(const std::string* table, int table_size, int width, int row)
{
    std::vector<std::string> options;
    for (int index = 0; index < width; ++index) {
        const std::string& text = func_option_text(table, table_size, width, row, index);
        if (text.empty())
            break;
        options.push_back(text);
    }
    return options;
}

std::vector<std::string> func_get_shown_options(const std::string* table, int table_size, int width, int row)
{
    std::vector<std::string> shown;
    for (const std::string& option : func_get_option_row(table, table_size, width, row))
        if (option != "~")
            shown.push_back(option);
    return shown;
}

void func_set_yes_no_icon(GtkWidget* button, bool yes)
{
    if (!button || !GTK_IS_BUTTON(button))
        return;
    int position = ICON_TOP;
    switch (gtk_button_get_image_position(GTK_BUTTON(button))) {
    case GTK_POS_LEFT: position = ICON_LEFT; break;
    case GTK_POS_RIGHT: position = ICON_RIGHT; break;
    case GTK_POS_BOTTOM: position = ICON_BOTTOM; break;
    default: break;
    }
    func_set_button_icon(button, (func_image_dir() + (yes ? "icon_yes.png" : "icon_no.png")).c_str(), position);
}

void func_apply_selection(GtkWidget* option, GtkWidget* caller, bool yes_no_toggles)
{
    const int screen = func_current_screen_code();
    const std::string old_value = label_of(caller);
    const std::string new_value = label_of(option);
    // A two-state value toggles when no window was opened; a choice made
    // in the window always applies, also to a value that shows OFF or NO.
    const bool toggle = option == caller;
    struct pair_of_values {
        const std::string& from;
        const std::string& to;
        bool yes;
        bool allowed;
    };
    const pair_of_values toggles[] = {{p[27], p[26], false, yes_no_toggles},
                                      {p[26], p[27], true, yes_no_toggles},
                                      {p[29], p[28], false, true},
                                      {p[28], p[29], true, true}};
    bool toggled = false;
    for (const pair_of_values& pair : toggles) {
        if (toggle && pair.allowed && old_value == pair.from) {
            func_set_widget_label(caller, pair.to);
            func_set_yes_no_icon(caller, pair.yes);
            func_add_item_change_line(caller, old_value, pair.to);
            toggled = true;
            break;
        }
    }
    if (!toggled) {
        func_add_item_change_line(caller, old_value, new_value);
        func_set_widget_label(caller, new_value);
        auto has = [&new_value](const std::string& part) {
            return !part.empty() && new_value.find(part) != std::string::npos;
        };
        if (has(p[28]) || has(p[26]))
            func_set_yes_no_icon(caller, false);
        else if (has(p[29]) || has(p[27]) || has(p[247]))
            func_set_yes_no_icon(caller, true);
    }
    if (screen >= 0 && screen < SCREEN_RECORD_COUNT)
        page_info[screen].list.reload = 1;
    // The pressed look of a value-editing row; list screens keep their
    // own selection (a row on its page) untouched.
    const screen_description* shown = func_get_screen(screen);
    if (shown && shown->value_buttons)
        func_show_decision_pressed_state_static_test(caller);
}

void func_unload_selections_window(GtkWidget* window)
{
    if (window)
        gtk_widget_destroy(window);
    temporary_display_window = nullptr;
}

void func_show_selection_dialog(GtkWidget* widget, gpointer data)
{
    const screen_description* shown = func_get_screen(func_current_screen_code());
    if (!shown)
        return;
    // Rows of a screen's own menus carry no row number; values do.
    if (func_get_index_from_widget_name(widget) < 0 && !shown->selection_options)
        return;
    std::vector<std::string> options;
    if (shown->selection_options)
        options = shown->selection_options(widget, GPOINTER_TO_INT(data));
    if (options.empty()) {
        func_set_selection(widget, widget);
        return;
    }
    func_unload_selections_window(temporary_display_window);
    ui_file ui = func_load_interface_file("lumex_selection_dialog.ui");
    GtkWidget* window = func_lookup_widget(ui, "win_selection_dialog");
    GtkWidget* background = func_lookup_widget(ui, "img_background");
    GtkWidget* table = func_lookup_widget(ui, "tbl_selections");
    if (!window || !table)
        return;
    temporary_display_window = window;
    GtkWindow* win = GTK_WINDOW(window);
    gtk_window_set_keep_above(win, TRUE);
    if (main_application_window)
        gtk_window_set_transient_for(win, GTK_WINDOW(main_application_window));
    gtk_window_set_position(win, GTK_WIN_POS_CENTER_ON_PARENT);
    gtk_window_set_modal(win, TRUE);
    gtk_window_set_opacity(win, 1.0);

    const int n = static_cast<int>(options.size());
    const bool two_columns = n >= 8;
    const int rows = two_columns ? n / 2 + 1 : n;
    // Options a finger can hit, with a gap between them.
    const int table_width = two_columns ? 2 * OPTION_WIDTH + OPTION_GAP : OPTION_WIDTH;
    const int table_height = rows * OPTION_HEIGHT + (rows - 1) * OPTION_GAP;
    const int window_width = table_width + 40;
    const int window_height = table_height + 30;
    gtk_table_resize(GTK_TABLE(table), static_cast<guint>(rows), two_columns ? 2 : 1);
    gtk_table_set_row_spacings(GTK_TABLE(table), OPTION_GAP);
    gtk_table_set_col_spacings(GTK_TABLE(table), OPTION_GAP);
    gtk_widget_set_size_request(table, table_width, table_height);
    gtk_widget_set_size_request(window, window_width, window_height);
    for (int i = 0; i < n; ++i) {
        GtkWidget* button = gtk_button_new_with_label(options[static_cast<size_t>(i)].c_str());
        char name[32];
        snprintf(name, sizeof name, "selections_#%3d", i);
        gtk_widget_set_name(button, name);
        const int column = (two_columns && i > n / 2) ? 1 : 0;
        const int row = two_columns ? i % (n / 2 + 1) : i;
        gtk_table_attach(GTK_TABLE(table), button, static_cast<guint>(column), static_cast<guint>(column + 1),
                         static_cast<guint>(row), static_cast<guint>(row + 1), GTK_FILL, GTK_FILL, 0, 0);
        gtk_widget_set_size_request(button, OPTION_WIDTH, OPTION_HEIGHT);
        if (shown->option_available && !shown->option_available(widget, i))
            gtk_widget_set_sensitive(button, FALSE);
        g_signal_connect(button, "released", G_CALLBACK(func_set_selection), widget);
    }
    if (background) {
        GdkPixbuf* picture = gdk_pixbuf_new_from_file((func_image_dir() + "ts_background.png").c_str(), nullptr);
        if (picture) {
            GdkPixbuf* scaled = gdk_pixbuf_scale_simple(picture, window_width, window_height, GDK_INTERP_BILINEAR);
            gtk_image_set_from_pixbuf(GTK_IMAGE(background), scaled);
            g_object_unref(scaled);
            g_object_unref(picture);
        }
    }
    gtk_widget_show_all(window);
}

void func_set_selection(GtkWidget* option, GtkWidget* caller)
{
    const screen_description* shown = func_get_screen(func_current_screen_code());
    if (shown && shown->selection_chosen)
        shown->selection_chosen(option, caller);
    else
        func_apply_selection(option, caller);
    func_unload_selections_window(temporary_display_window);
}
