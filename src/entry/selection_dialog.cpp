#include "entry/selection_dialog.h"

#include <cstdio>
#include <cstring>

#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "files/paths.h"
#include "formulas/selected_step_screen.h"
#include "formulas/step_list.h"
#include "formulas/step_operations.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/paging.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "logs/log_file.h"

GtkWidget* temporary_display_window = nullptr;
step_selection_context selected_step_context;

namespace {
// Entries of the home screen's configuration menu, by option row: the
// VEZ configuration (1), the post-dry list (2), the configuration (others).
// A menu entry whose screen is not part of this build only closes the menu.
using show_function = void (*)(GtkWidget* widget, gpointer data);
show_function home_menu_vez_configuration = nullptr;
show_function home_menu_post_dry = nullptr;
show_function home_menu_configuration = nullptr;

std::vector<std::string> row_of(const std::string* table, int size, int width, int row)
{
    std::vector<std::string> options;
    for (int index = 0; index < width; ++index) {
        const std::string& text = func_option_text(table, size, width, row, index);
        if (text.empty())
            break;
        options.push_back(text);
    }
    return options;
}

std::vector<std::string> without_hidden(std::vector<std::string> options)
{
    std::vector<std::string> shown;
    for (const std::string& option : options)
        if (option != "~")
            shown.push_back(option);
    return shown;
}

void keep_first(std::vector<std::string>& options, int count)
{
    if (count >= 0 && static_cast<int>(options.size()) > count)
        options.resize(static_cast<size_t>(count));
}

float configuration_item(int item)
{
    return current_machine_configuration ? current_machine_configuration->items[item] : 0.0f;
}

const char* label_of(GtkWidget* widget) { return func_get_widget_label_text(widget); }

void set_label(GtkWidget* button, const std::string& text)
{
    // Through the button, so that a picture set later keeps the new text.
    if (button && GTK_IS_BUTTON(button))
        gtk_button_set_label(GTK_BUTTON(button), text.c_str());
}

// The yes or no picture, in the place the button already shows pictures.
void set_yes_no_icon(GtkWidget* button, bool yes)
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

// Change-log line of a chosen or toggled value.
void add_change_line(GtkWidget* caller, const std::string& old_value, const std::string& new_value)
{
    const int screen = func_current_screen_code();
    const int index = func_get_index_from_widget_name(caller);
    std::string label;
    if (screen == SCREEN_CONFIGURATION && index >= 0 && index < 64)
        label = config_selections_label_value[index];
    else if (screen == SCREEN_SELECTED_STEP && index >= 0 && index < 24)
        label = step_item_selections_label_value[index];
    else if (screen == SCREEN_VEZ_CONFIGURATION && index >= 0 && index < 19)
        label = vez_selections_label_value[index];
    else if (screen == SCREEN_FORMULAS && page_info) {
        // The active flag of a formula is an operator change like any other.
        char text[96];
        snprintf(text, sizeof text, "%s F-%03d", p[186].c_str(), page_info[SCREEN_FORMULAS].list.selected_number);
        label = text;
    } else
        return;
    func_add_log_transaction("------>  [" + label + "] : " + old_value + " --> " + new_value, 0);
}

bool is_value_editing_screen(int screen)
{
    return screen == SCREEN_CONFIGURATION || screen == SCREEN_SELECTED_STEP || screen == SCREEN_INPUT_OUTPUT ||
           screen == SCREEN_VEZ_CONFIGURATION || screen == SCREEN_SYSTEM_SETTINGS || screen == SCREEN_VEZ_BATCH_DATA;
}

void apply_to_other_screen(GtkWidget* option, GtkWidget* caller)
{
    const int screen = func_current_screen_code();
    const std::string old_value = label_of(caller);
    const std::string new_value = label_of(option);
    // A two-state value toggles when no window was opened; a choice made
    // in the window always applies, also to a value that shows OFF or NO.
    const bool toggle = option == caller;
    if (toggle && old_value == p[27] && screen != SCREEN_SELECTED_STEP) {
        set_label(caller, p[26]);
        set_yes_no_icon(caller, false);
        add_change_line(caller, old_value, p[26]);
    } else if (toggle && old_value == p[26] && screen != SCREEN_SELECTED_STEP) {
        set_label(caller, p[27]);
        set_yes_no_icon(caller, true);
        add_change_line(caller, old_value, p[27]);
    } else if (toggle && old_value == p[29]) {
        set_label(caller, p[28]);
        set_yes_no_icon(caller, false);
        add_change_line(caller, old_value, p[28]);
    } else if (toggle && old_value == p[28]) {
        set_label(caller, p[29]);
        set_yes_no_icon(caller, true);
        add_change_line(caller, old_value, p[29]);
    } else {
        const int option_row = func_get_row_from_name(gtk_widget_get_name(option));
        const int caller_row = func_get_index_from_widget_name(caller);
        add_change_line(caller, old_value, new_value);
        if (screen == SCREEN_SELECTED_STEP && caller_row == 6 && option_row == 3) {
            // A user-defined level is typed, not chosen.
            func_unload_selections_window(temporary_display_window);
            func_show_data_entry_dialog(caller, GINT_TO_POINTER(16));
            return;
        }
        set_label(caller, new_value);
        const std::string contains[] = {p[28], p[26], p[29], p[27], p[247]};
        auto has = [&new_value](const std::string& part) {
            return !part.empty() && new_value.find(part) != std::string::npos;
        };
        if (has(contains[0]) || has(contains[1]))
            set_yes_no_icon(caller, false);
        else if (has(contains[2]) || has(contains[3]) || has(contains[4]))
            set_yes_no_icon(caller, true);
        if (screen == SCREEN_SELECTED_STEP && caller_row == 7)
            set_yes_no_icon(caller, option_row > 0);
    }
    if (screen == SCREEN_SELECTED_STEP && step_item_selections_name)
        func_set_selected_step_lockout(func_lookup_step_index(label_of(step_item_selections_name[0]), 0));
    if (screen >= 0 && screen < SCREEN_RECORD_COUNT)
        page_info[screen].list.reload = 1;
    // The pressed look of a value-editing row; list screens keep their
    // own selection (a row on its page) untouched.
    if (is_value_editing_screen(screen))
        func_show_decision_pressed_state_static_test(caller);
}

void apply_on_home(GtkWidget* option)
{
    const int row = func_get_row_from_name(gtk_widget_get_name(option));
    if (vez_power_up_mode) {
        if (row != 0) {
            in_vez_automatic_mode = 0;
            return;
        }
        in_vez_automatic_mode = 1;
        return;
    }
    show_function next = row == 1 ? home_menu_vez_configuration
                         : row == 2 ? home_menu_post_dry
                                    : home_menu_configuration;
    if (!next)
        return;
    next(nullptr, nullptr);
    func_hide_screen(preloaded_display[SCREEN_HOME].window);
    page_info[SCREEN_HOME].list.reload = 1;
}
}  // namespace

int func_limit_step_type_options(int count, int step_number, int previous_type, int next_type)
{
    if (step_number == 1 || previous_type > 3 || next_type > 3)
        return count < 4 ? count : 4;
    return count;
}

int func_limit_probe_options(int count, float temp_probe_item)
{
    return (temp_probe_item < 1.0f && count > 2) ? 2 : count;
}

int func_limit_drain_type_options(int count) { return count < 6 ? count : 6; }

int func_limit_reuse_drain_options(int count, float reuse_drain_item)
{
    return (reuse_drain_item == 0.0f && count > 1) ? 1 : count;
}

std::vector<std::string> func_get_selection_options(GtkWidget* caller, int data)
{
    const int screen = func_current_screen_code();
    const int index = func_get_index_from_widget_name(caller);
    std::vector<std::string> options;
    switch (screen) {
    case SCREEN_HOME:
        if (index >= 0)
            return {};
        if (vez_power_up_mode)
            return row_of(vez_power_up_lookup_table, 8, 8, 0);
        return row_of(vez_lookup_table, 32, VEZ_LOOKUP_WIDTH, 0);
    case SCREEN_CONFIGURATION: {
        int row = func_get_lookup_table_index(index);
        if (row < 0 || row == 7)
            return {};
        return row_of(cfg_lookup_table, 112, CFG_LOOKUP_WIDTH, row);
    }
    case SCREEN_FORMULAS:
    case SCREEN_SYSTEM_SETTINGS: {
        int row = func_get_lookup_table_index(index);
        if (row <= 0)
            return {};
        return row_of(frm_lookup_table, 8, FRM_LOOKUP_WIDTH, row);
    }
    case SCREEN_STEPS: {
        const bool add = func_widget_name_is(caller, "btn_add_step");
        const bool clone = func_widget_name_is(caller, "btn_clone_step");
        if (!add && !clone)
            return {};
        options = row_of(stp_lookup_table, 120, STP_LOOKUP_WIDTH, add ? 11 : 12);
        const page_list_info& steps = page_info[SCREEN_STEPS].list;
        GtkWidget** numbers = func_list_screen_hooks(SCREEN_STEPS).number_buttons;
        std::string number;
        if (numbers && steps.pressed_row >= 0 && steps.pressed_row < 7 && numbers[steps.pressed_row])
            number = label_of(numbers[steps.pressed_row]);
        for (size_t i = 0; i < options.size() && i < 2; ++i)
            options[i] += " S-" + number;
        return options;
    }
    case SCREEN_SELECTED_STEP: {
        int row = func_get_lookup_table_index(index);
        if (row < 0)
            return {};
        options = without_hidden(row_of(stp_lookup_table, 120, STP_LOOKUP_WIDTH, row));
        // The rules go by the step item the caller stands for.
        int count = static_cast<int>(options.size());
        if (index == 0)
            count = func_limit_step_type_options(count, selected_step_context.step_number,
                                                 selected_step_context.previous_type, selected_step_context.next_type);
        else if (index == 3 || index == 4 || index == 5)
            count = func_limit_probe_options(count, configuration_item(19));
        else if (index == 10)
            count = func_limit_drain_type_options(count);
        else if (index == 11)
            count = func_limit_reuse_drain_options(count, configuration_item(11));
        keep_first(options, count);
        return options;
    }
    case SCREEN_CHEMICALS: {
        int row = func_get_lookup_table_index_for(SCREEN_CHEMICALS, data);
        if (row < 0 || row == 2)
            return {};
        options = row_of(chm_lookup_table, 16, CHM_LOOKUP_WIDTH, row);
        if (data == 3)
            keep_first(options, func_limit_probe_options(static_cast<int>(options.size()), configuration_item(19)));
        return options;
    }
    case SCREEN_VEZ_CONFIGURATION: {
        int row = func_get_lookup_table_index_for(SCREEN_VEZ_CONFIGURATION, data);
        if (row < 0 || row == 2)
            return {};
        return row_of(vez_lookup_table, 32, VEZ_LOOKUP_WIDTH, row);
    }
    case SCREEN_VEZ_BATCH_DATA:
        if (data == 90)
            return {};
        return row_of(vez_batch_lookup_table, 8, VEZ_BATCH_LOOKUP_WIDTH, 0);
    default:
        return {};
    }
}

void func_unload_selections_window(GtkWidget* window)
{
    if (window)
        gtk_widget_destroy(window);
    temporary_display_window = nullptr;
}

void func_show_selection_dialog(GtkWidget* widget, gpointer data)
{
    const int screen = func_current_screen_code();
    const int index = func_get_index_from_widget_name(widget);
    if (index < 0 && screen != SCREEN_HOME && screen != SCREEN_STEPS)
        return;
    std::vector<std::string> options = func_get_selection_options(widget, GPOINTER_TO_INT(data));
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
    const int table_width = two_columns ? 400 : 200;
    const int window_width = table_width + 40;
    const int window_height = 50 * rows + 30;
    gtk_table_resize(GTK_TABLE(table), static_cast<guint>(rows), two_columns ? 2 : 1);
    gtk_widget_set_size_request(table, table_width, 50 * rows);
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
        gtk_widget_set_size_request(button, 200, 50);
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
    const int screen = func_current_screen_code();
    if (screen == SCREEN_STEPS) {
        // The insert and paste menus: Before, After, to End; Cancel only closes.
        const int row = func_get_row_from_name(gtk_widget_get_name(option));
        if (row >= 0 && row < STEP_MENU_CANCEL) {
            if (func_widget_name_is(caller, "btn_add_step"))
                func_insert_step_test(option, row);
            else if (func_widget_name_is(caller, "btn_clone_step"))
                func_copy_step_test(option, row);
        }
        func_unload_selections_window(temporary_display_window);
        return;
    }
    if (screen == SCREEN_HOME)
        apply_on_home(option);
    else
        apply_to_other_screen(option, caller);
    func_unload_selections_window(temporary_display_window);
}
