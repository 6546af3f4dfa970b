#include "configuration/vez_configuration_screen.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "files/paths.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/value_grid.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "link/ipc_link.h"
#include "logs/log_file.h"

GtkWidget* vez_selections_label[VEZ_SHOWN_ITEMS] = {};
GtkWidget* vez_selections_name[VEZ_SHOWN_ITEMS] = {};

namespace {
constexpr int LIST_WIDTH = 605;
constexpr int LIST_HEIGHT = 380;
// Three wide columns: the protocol texts are long.
constexpr int COLUMNS = 3;
constexpr int VALUE_WIDTH = 196;
constexpr int VALUE_HEIGHT = 55;
constexpr int LABEL_HEIGHT = 19;
constexpr int COLUMN_SPACING = 8;
constexpr int SLOT_TITLE = 583;
constexpr int MENU_ROW = 1;
constexpr int YES_NO_ROW = 2;
// The discharge item whose NO leaves the two Zuvive times without use.
constexpr int CCW_DISCHARGE = 2;
constexpr int ZUVIVE_LOAD = 9, ZUVIVE_DISCHARGE = 10;

vez_configuration edited;

page_list_info& vez_list() { return page_info[SCREEN_VEZ_CONFIGURATION].list; }

// Data entry item codes of the typed items (-1: chosen or toggled).
int data_entry_code(int item)
{
    static const int codes[VEZ_SHOWN_ITEMS] = {81, -1, -1, 82, 83, 84, 85, 86, -1, 88, 89, -1, -1, -1};
    return (item >= 0 && item < VEZ_SHOWN_ITEMS) ? codes[item] : -1;
}

std::string picture_path(bool yes) { return func_image_dir() + (yes ? "icon_yes.png" : "icon_no.png"); }

void apply_lockout()
{
    const bool discharge = func_lookup_vez_cfg_index(func_get_widget_label_text(vez_selections_name[CCW_DISCHARGE]),
                                                     CCW_DISCHARGE) == 1;
    for (int item : {ZUVIVE_LOAD, ZUVIVE_DISCHARGE})
        if (vez_selections_name[item])
            gtk_widget_set_sensitive(vez_selections_name[item], discharge);
}

std::vector<std::string> item_options(GtkWidget* caller, int)
{
    const int row = func_get_vez_item_row(func_get_index_from_widget_name(caller));
    if (row < 0 || row == YES_NO_ROW)
        return {};
    constexpr int size = sizeof vez_lookup_table / sizeof vez_lookup_table[0];
    return func_get_option_row(vez_lookup_table, size, VEZ_LOOKUP_WIDTH, row);
}

void item_chosen(GtkWidget* option, GtkWidget* caller)
{
    func_apply_selection(option, caller);
    apply_lockout();
}

std::string item_label(GtkWidget* caller)
{
    const int item = func_get_index_from_widget_name(caller);
    return (item >= 0 && item < VEZ_SHOWN_ITEMS) ? vez_selections_label_value[item] : std::string();
}

void show_vez_configuration()
{
    if (!func_begin_screen_show(SCREEN_VEZ_CONFIGURATION, SLOT_TITLE))
        return;
    func_begin_log_transaction();
    func_load_vez_configuration_from_file();
    edited = current_vez_configuration;
    vez_list().reload = 0;
    func_display_vez_configuration_test();
    func_end_screen_show(SCREEN_VEZ_CONFIGURATION);
    func_start_screen_display_request();
}

void reload_vez_configuration()
{
    func_load_vez_configuration_from_file();
    edited = current_vez_configuration;
    vez_list().reload = 0;
    func_display_vez_configuration_test();
}
}  // namespace

void func_register_vez_configuration_screen()
{
    screen_description screen = func_describe_screen(
        SCREEN_VEZ_CONFIGURATION, "vez_configuration", "lumex_vez_configuration_screen.ui", "win_machine_configuration",
        LIST_WIDTH, LIST_HEIGHT, func_load_vez_configuration_screen, show_vez_configuration, reload_vez_configuration);
    screen.buttons = {"btn_save", "btn_cancel"};
    screen.log_heading = [] { return p[SLOT_TITLE] + " "; };
    screen.option_row = func_get_vez_item_row;
    screen.item_label = item_label;
    screen.selection_options = item_options;
    screen.selection_chosen = item_chosen;
    screen.rows_per_page = 20;
    screen.value_buttons = vez_selections_name;
    screen.display_request = func_update_vez_configuration_display;
    screen.request_code = REQUEST_CODE_VEZ_CONFIGURATION;
    screen.home_menu_row = MENU_ROW;
    func_register_screen(screen);
}

void func_load_vez_configuration_screen(const ui_file&, display_data& record)
{
    record.btn_save = record.buttons[0];
    record.btn_cancel = record.buttons[1];
    func_connect_released(record.btn_save, G_CALLBACK(func_unload_vez_configuration_screen), nullptr);
    func_connect_released(record.btn_cancel, G_CALLBACK(func_unload_vez_configuration_screen), nullptr);
}

void func_show_vez_configuration_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_VEZ_CONFIGURATION); }

void func_display_vez_configuration_test()
{
    if (func_current_screen_code() != SCREEN_VEZ_CONFIGURATION)
        return;
    func_show_message(5, p[SLOT_TITLE]);
    func_update_page_info_test(VEZ_SHOWN_ITEMS);
    const value_grid grid{COLUMNS, VALUE_WIDTH, VALUE_HEIGHT, LABEL_HEIGHT, COLUMN_SPACING, 0,
                          "lbl_vez_#", "btn_vez_#", GTK_POS_TOP};
    GtkWidget* table = func_build_value_grid(
        grid, VEZ_SHOWN_ITEMS, [](int item) { return vez_selections_label_value[item]; },
        [](GtkWidget* button, int item) {
            if (data_entry_code(item) >= 0) {
                func_connect_released(button, G_CALLBACK(func_show_data_entry_dialog),
                                      GINT_TO_POINTER(data_entry_code(item)));
                return;
            }
            func_connect_released(button, G_CALLBACK(func_show_selection_dialog), GINT_TO_POINTER(item));
            if (func_get_vez_item_row(item) == YES_NO_ROW)
                func_set_button_icon(button, picture_path(edited.items[item] >= 1).c_str(), ICON_TOP);
        },
        vez_selections_label, vez_selections_name);
    vez_list().rows_shown = VEZ_SHOWN_ITEMS;
    func_set_vez_configuration_to_buttons_test(edited);
    display_data& shown = *options_display;
    gtk_widget_set_size_request(table, shown.list_width, shown.list_height);
    gtk_widget_show_all(table);
    // Drawn as a toggle would leave them, not all open.
    apply_lockout();
    func_enable_disable_page_up_down_button();
}

void func_set_vez_configuration_to_buttons_test(const vez_configuration& record)
{
    for (int item = 0; item < VEZ_SHOWN_ITEMS; ++item)
        func_set_widget_label(vez_selections_name[item], func_lookup_vez_cfg_name(record.items[item], item));
}

void func_get_vez_configuration_from_buttons_test(GtkWidget*, gpointer)
{
    page_list_info& info = vez_list();
    if (info.reload != 1)
        return;
    for (int item = 0; item < VEZ_SHOWN_ITEMS; ++item) {
        const std::string text = func_get_widget_label_text(vez_selections_name[item]);
        // A value shown as it was stays exactly as stored.
        if (text == func_lookup_vez_cfg_name(edited.items[item], item))
            continue;
        double value = func_lookup_vez_cfg_index(text, item);
        if (value < 0)
            value = std::atof(text.c_str());
        if (std::isfinite(value) && value >= INT_MIN && value <= INT_MAX)
            edited.items[item] = static_cast<int32_t>(value);
    }
    info.reload = 0;
}

void func_unload_vez_configuration_screen(GtkWidget* widget, gpointer)
{
    if (func_widget_name_is(widget, "btn_save")) {
        func_get_vez_configuration_from_buttons_test(widget, nullptr);
        if (!func_save_vez_configuration(edited))
            return;  // reported; the edits stay on the screen
        func_end_screen_log_transaction();
    }
    func_show_screen(SCREEN_HOME);
}
