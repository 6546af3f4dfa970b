#include "configuration/configuration_screen.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "configuration/configuration_lookup.h"
#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "entry/selection_dialog.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "formulas/level_unit.h"
#include "frame/dialogs.h"
#include "frame/language_switch.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/value_grid.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "link/ipc_link.h"
#include "logs/log_file.h"

GtkWidget* config_selections_label[CONFIGURATION_ITEMS_PER_PAGE] = {};
GtkWidget* config_selections_name[CONFIGURATION_ITEMS_PER_PAGE] = {};

namespace {
constexpr int LIST_WIDTH = 605;
constexpr int LIST_HEIGHT = 296;
constexpr int COLUMNS = 5;
constexpr int VALUE_WIDTH = 112;
constexpr int VALUE_HEIGHT = 55;
constexpr int LABEL_HEIGHT = 19;
constexpr int COLUMN_SPACING = 11;
// Language slots.
constexpr int SLOT_TITLE = 177;
constexpr int SLOT_LEVELS_OUT_OF_ORDER = 268;
constexpr int SLOT_LEVEL_ABOVE = 269;
constexpr int SLOT_LEVEL_BELOW = 270;
constexpr int SLOT_CHEMICAL_VALVES = 453;
constexpr int SLOT_SYSTEM_SETTINGS = 266;
constexpr int SLOT_DEFAULTS = 903;
constexpr int SLOT_ASK_DEFAULTS = 904;
constexpr int SLOT_ASK_LEVEL_UNIT = 905;
constexpr int SLOT_LEVEL_UNIT_FAILED = 906;
// The questions of this screen.
constexpr int DIALOG_LEVEL_UNIT = 23;
constexpr int DIALOG_DEFAULTS = DIALOG_KIND_OWN_QUESTIONS;
constexpr int MENU_ROW = 0;
constexpr int PAGE_OF_LEVELS = 2;

// The configuration as in the file, and as edited on the screen.
machine_configuration saved;
machine_configuration edited;
// The Temp Unit choice waiting for the operator's answer.
int asked_unit = -1;
GtkWidget* defaults_button = nullptr;

page_list_info& configuration_list() { return page_info[SCREEN_CONFIGURATION].list; }
bool configuration_shown() { return func_current_screen_code() == SCREEN_CONFIGURATION; }

// Data entry item codes of the typed items (-1: not typed).
int data_entry_code(int item)
{
    static const int codes[] = {13, 14, 15, 63, 57, 52, 53, 12, -1, 61, 62, 58, 72, 60, -1, 54, -1, -1, -1,
                                -1, -1, -1, -1, -1, 55, 71, -1, -1, 73, 74, 75, 76, 77, 78};
    if (item == 8)
        return 17;
    if (item < 26 || item >= CONFIGURATION_ITEM_COUNT)
        return -1;
    return codes[item - 26];
}

bool has_yes_no_picture(int item)
{
    return item == 34 || item == 40 || (item >= 42 && item <= 49) || item == 52 || item == 53;
}

std::string picture_path(const char* name) { return func_image_dir() + name; }

GtkWidget* button_of(int item)
{
    const page_list_info& info = configuration_list();
    const int place = item - info.first_item;
    return (place >= 0 && place < info.rows_shown) ? config_selections_name[place] : nullptr;
}

std::string text_of(int item) { return func_get_widget_label_text(button_of(item)); }

std::string name_of(const machine_configuration& record)
{
    return std::string(record.machine_name, strnlen(record.machine_name, CONFIGURATION_NAME_SIZE));
}

// The text an item's button shows for a value.
std::string value_text(const machine_configuration& record, int item)
{
    if (item == CONFIGURATION_NAME_ITEM)
        return name_of(record);
    if (item == 8)
        return func_convert_seconds_to_time(func_truncate_to_int(record.items[8], 0));
    return func_lookup_cfg_name(record.items[item], item);
}

int unit_of(const machine_configuration& record) { return func_truncate_to_int(record.items[0], 0) == 1 ? 1 : 0; }

// A change made at once (not at Save) goes into the change log at once.
void log_at_once(const std::string& line)
{
    func_write_log(LOG_CHANGE, p[SLOT_TITLE] + " ", 0);
    func_write_log(LOG_CHANGE, line, 0);
}

// Which items apply follows the record: flow meters, the overhead tank
// and the water-reuse loop each bring their own settings.
bool item_applies(const machine_configuration& record, int item)
{
    if (item == 35 || item == 36)
        return record.items[13] == 1.0f;
    if (item == 38)
        return record.items[12] == 1.0f;
    if ((item >= 51 && item <= 55) || item == 59)
        return record.items[25] == 1.0f;
    return true;
}

void set_item_sensitive(int item, bool sensitive)
{
    const int place = item - configuration_list().first_item;
    if (place < 0 || place >= configuration_list().rows_shown)
        return;
    gtk_widget_set_sensitive(config_selections_label[place], sensitive);
    gtk_widget_set_sensitive(config_selections_name[place], sensitive);
}

void set_button_sensitive(int item, bool sensitive)
{
    if (GtkWidget* button = button_of(item))
        gtk_widget_set_sensitive(button, sensitive);
}

// --- the selection dialog on this screen -------------------------------------------------

std::vector<std::string> item_options(GtkWidget* caller, int)
{
    const int row = func_get_cfg_item_row(func_get_index_from_widget_name(caller));
    // Yes and no toggle at once.
    if (row < 0 || row == 7)
        return {};
    constexpr int size = sizeof cfg_lookup_table / sizeof cfg_lookup_table[0];
    return func_get_option_row(cfg_lookup_table, size, CFG_LOOKUP_WIDTH, row);
}

void item_chosen(GtkWidget* option, GtkWidget* caller)
{
    const int item = func_get_index_from_widget_name(caller);
    const std::string chosen = func_get_widget_label_text(option);
    if (item == 0 && option != caller && chosen != func_get_widget_label_text(caller)) {
        // Another level unit converts every formula: asked first.
        asked_unit = static_cast<int>(func_lookup_cfg_index(chosen, 0));
        func_unload_selections_window(temporary_display_window);
        func_show_dialog(DIALOG_LEVEL_UNIT, p[SLOT_ASK_LEVEL_UNIT], 1, nullptr);
        return;
    }
    func_apply_selection(option, caller);
    func_set_configuration_lockout();
}

std::string item_label(GtkWidget* caller)
{
    const int item = func_get_index_from_widget_name(caller);
    return (item >= 0 && item < CONFIGURATION_ITEM_COUNT) ? config_selections_label_value[item] : std::string();
}

// --- what the questions do ------------------------------------------------------------------

void redraw_with(const machine_configuration& record)
{
    edited = record;
    configuration_list().reload = 0;
    func_display_configuration_test();
}

// OK to another level unit: the formulas and the configuration's levels
// change now, together; the other edits stay on the screen.
void level_unit_confirmed(gpointer)
{
    func_close_active_dialog();
    if (!configuration_shown() || (asked_unit != 0 && asked_unit != 1))
        return;
    func_get_configuration_from_buttons_test(nullptr, nullptr);
    machine_configuration converted = saved;
    func_convert_configuration_levels(converted, asked_unit);
    const bool metric_in_force = unit_of(saved) == 1;
    const int done = func_change_level_unit(asked_unit, metric_in_force,
                                            [&converted] { return func_save_configuration(converted); });
    if (!done) {
        func_show_dialog(1, p[SLOT_LEVEL_UNIT_FAILED], 1, nullptr);
        return;
    }
    const std::string old_text = value_text(edited, 0);
    saved = converted;
    machine_configuration shown = edited;
    func_convert_configuration_levels(shown, asked_unit);
    log_at_once("------>  [" + config_selections_label_value[0] + "] : " + old_text + " --> " + value_text(shown, 0));
    redraw_with(shown);
}

// OK to the defaults: written at once, in the level unit in force (the
// formulas keep theirs) and shown.
void defaults_confirmed(gpointer)
{
    func_close_active_dialog();
    if (!configuration_shown())
        return;
    machine_configuration defaults;
    func_set_default_configuration(defaults);
    func_convert_configuration_levels(defaults, unit_of(saved));
    if (!func_save_configuration(defaults))
        return;  // reported; the screen keeps the edits
    // The edits made before are gone, and so are their lines.
    func_begin_log_transaction();
    log_at_once("------>  [" + p[SLOT_TITLE] + "] : " + p[SLOT_DEFAULTS]);
    const bool new_language = defaults.items[1] != saved.items[1];
    saved = defaults;
    redraw_with(defaults);
    if (new_language)
        func_switch_language(func_get_language_number());
}

void defaults_pressed(GtkWidget*, gpointer) { func_show_dialog(DIALOG_DEFAULTS, p[SLOT_ASK_DEFAULTS], 1, nullptr); }

// A typed level is checked against the others at once.
void level_saved(const item_save& save)
{
    func_add_item_change_line(save.caller, save.old_text, save.text);
    func_set_widget_label(save.caller, save.text);
    configuration_list().reload = 1;
    func_validate_configuration(nullptr, nullptr);
}

// --- leaving -----------------------------------------------------------------------------------

// The edits into the file (the level unit through its conversion). True
// when the file holds them.
bool save_edits()
{
    if (!func_validate_configuration(nullptr, nullptr))
        return false;
    func_get_configuration_from_buttons_test(nullptr, nullptr);
    int written;
    if (unit_of(edited) != unit_of(saved))
        written = func_change_level_unit(unit_of(edited), unit_of(saved) == 1,
                                         [] { return func_save_configuration(edited); });
    else
        written = func_save_configuration(edited);
    if (!written)
        return false;
    // Only a new choice loads a language: one that is missing was told
    // about when it was chosen (or at start), not at every save.
    const bool new_language = edited.items[1] != saved.items[1];
    saved = edited;
    func_end_screen_log_transaction();
    if (new_language)
        func_switch_language(func_get_language_number());
    return true;
}

void show_configuration()
{
    if (!func_begin_screen_show(SCREEN_CONFIGURATION, SLOT_TITLE))
        return;
    func_begin_log_transaction();
    func_load_configuration_from_file();
    saved = *current_machine_configuration;
    edited = saved;
    configuration_list().reload = 0;
    configuration_list().current_page = 1;
    gtk_widget_set_sensitive(preloaded_display[SCREEN_CONFIGURATION].buttons[2],
                             func_get_screen(SCREEN_CHEMICAL_VALVES) != nullptr);
    gtk_widget_set_sensitive(preloaded_display[SCREEN_CONFIGURATION].buttons[3],
                             func_get_screen(SCREEN_SYSTEM_SETTINGS) != nullptr);
    func_display_configuration_test();
    func_end_screen_show(SCREEN_CONFIGURATION);
    func_start_screen_display_request();
}

void reload_configuration()
{
    func_load_configuration_from_file();
    saved = *current_machine_configuration;
    redraw_with(saved);
}
}  // namespace

void func_register_configuration_screen()
{
    screen_description screen = func_describe_screen(
        SCREEN_CONFIGURATION, "configuration", "lumex_machine_configuration_screen.ui", "win_machine_configuration",
        LIST_WIDTH, LIST_HEIGHT, func_load_configuration_screen, show_configuration, reload_configuration);
    screen.buttons = {"btn_save", "btn_cancel", "btn_chemical_valves", "btn_system_settings", "btn_defaults"};
    screen.log_heading = [] { return p[SLOT_TITLE] + " "; };
    screen.option_row = func_get_cfg_item_row;
    screen.item_label = item_label;
    screen.selection_options = item_options;
    screen.selection_chosen = item_chosen;
    screen.rows_per_page = CONFIGURATION_ITEMS_PER_PAGE;
    screen.value_buttons = config_selections_name;
    screen.display_request = func_update_configuration_display;
    screen.request_code = REQUEST_CODE_CONFIGURATION;
    screen.home_menu_row = MENU_ROW;
    func_register_screen(screen);
    for (int code : {13, 14, 15, 63})
        func_register_item_action(code, level_saved);
    func_register_dialog_action(DIALOG_LEVEL_UNIT, 0, level_unit_confirmed);
    func_register_dialog_action(DIALOG_DEFAULTS, 0, defaults_confirmed);
}

void func_load_configuration_screen(const ui_file&, display_data& record)
{
    record.btn_save = record.buttons[0];
    record.btn_cancel = record.buttons[1];
    defaults_button = record.buttons[4];
    for (int index = 0; index < 4; ++index)
        func_connect_released(record.buttons[index], G_CALLBACK(func_unload_configuration_screen), nullptr);
    func_connect_released(defaults_button, G_CALLBACK(defaults_pressed), nullptr);
    func_connect_page_buttons(record, G_CALLBACK(func_save_display_configuration_data));
    const int slots[] = {-1, -1, SLOT_CHEMICAL_VALVES, SLOT_SYSTEM_SETTINGS, SLOT_DEFAULTS};
    for (int index = 2; index < 5; ++index)
        if (record.buttons[index] && !p[slots[index]].empty())
            gtk_button_set_label(GTK_BUTTON(record.buttons[index]), p[slots[index]].c_str());
}

void func_show_configuration_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_CONFIGURATION); }

void func_display_configuration_test()
{
    if (!configuration_shown())
        return;
    func_show_message(5, p[SLOT_TITLE]);
    func_update_page_info_test(CONFIGURATION_ITEM_COUNT);
    page_list_info& info = configuration_list();
    const int first = info.first_item;
    const int count = info.end_item - first;
    for (int place = 0; place < CONFIGURATION_ITEMS_PER_PAGE; ++place)
        config_selections_label[place] = config_selections_name[place] = nullptr;

    const value_grid grid{COLUMNS, VALUE_WIDTH, VALUE_HEIGHT, LABEL_HEIGHT, COLUMN_SPACING, 0,
                          "lbl_cfg_#", "btn_cfg_#", GTK_POS_TOP};
    GtkWidget* table = func_build_value_grid(
        grid, count, [first](int place) { return config_selections_label_value[first + place]; },
        [first](GtkWidget* button, int place) {
            const int item = first + place;
            if (func_cfg_item_inactive(item)) {
                gtk_widget_set_sensitive(button, FALSE);
            } else if (func_get_cfg_item_row(item) >= 0) {
                func_connect_released(button, G_CALLBACK(func_show_selection_dialog), GINT_TO_POINTER(item));
            } else if (data_entry_code(item) >= 0) {
                func_connect_released(button, G_CALLBACK(func_show_data_entry_dialog),
                                      GINT_TO_POINTER(data_entry_code(item)));
            }
            if (item < 26) {
                const char letter[] = {static_cast<char>('A' + item), '.', 'p', 'n', 'g', '\0'};
                func_set_button_icon(button, picture_path(letter).c_str(), ICON_TOP);
            } else if (has_yes_no_picture(item)) {
                const bool yes = func_truncate_to_int(edited.items[item], 0) > 0;
                func_set_button_icon(button, picture_path(yes ? "icon_yes.png" : "icon_no.png").c_str(), ICON_TOP);
            }
        },
        config_selections_label, config_selections_name);
    info.rows_shown = count;
    func_set_configuration_to_buttons_test(edited);
    display_data& shown = *options_display;
    gtk_widget_set_size_request(table, shown.list_width, shown.list_height);
    gtk_widget_show_all(table);
    func_set_configuration_lockout();
    func_enable_disable_page_up_down_button();
    if (shown.window)
        gtk_widget_queue_draw(shown.window);
}

void func_set_configuration_to_buttons_test(const machine_configuration& record)
{
    const page_list_info& info = configuration_list();
    for (int item = info.first_item; item < info.end_item && item < CONFIGURATION_ITEM_COUNT; ++item) {
        if (!func_cfg_item_inactive(item))
            set_item_sensitive(item, item_applies(record, item));
        func_set_widget_label(button_of(item), value_text(record, item));
    }
}

void func_set_configuration_lockout()
{
    const int page = configuration_list().current_page;
    if (page == 1) {
        // Without a temperature probe there is no steam or cooldown error
        // to time. The unit stays as it is: it is also the level unit.
        const bool probe = func_lookup_cfg_index(text_of(19), 19) == 1;
        for (int item : {0, 7, 9}) {
            set_button_sensitive(item, probe);
            if (!probe && item != 0)
                func_set_widget_label(button_of(item), func_lookup_cfg_name(0, item));
        }
    } else if (page == 3) {
        const bool netrova = func_lookup_cfg_index(text_of(40), 40) == 1;
        for (int item = 41; item <= 50; ++item)
            set_button_sensitive(item, netrova && item != 43 && item != 44);
    }
}

machine_configuration func_get_edited_configuration() { return edited; }

void func_get_configuration_from_buttons_test(GtkWidget*, gpointer)
{
    page_list_info& info = configuration_list();
    if (info.reload != 1)
        return;
    for (int item = info.first_item; item < info.end_item && item < CONFIGURATION_ITEM_COUNT; ++item) {
        const std::string text = text_of(item);
        // A value shown as it was stays exactly as stored.
        if (text == value_text(edited, item))
            continue;
        if (item == CONFIGURATION_NAME_ITEM) {
            std::memset(edited.machine_name, 0, sizeof edited.machine_name);
            const std::string cut = func_cut_text_utf8(text, CONFIGURATION_NAME_SIZE - 1);
            std::memcpy(edited.machine_name, cut.data(), cut.size());
        } else if (item == 8) {
            edited.items[8] = static_cast<float>(func_convert_time_to_seconds(text));
        } else {
            double value = func_lookup_cfg_index(text, item);
            if (value < 0)
                value = std::atof(text.c_str());
            if (std::isfinite(value))
                edited.items[item] = static_cast<float>(value);
        }
    }
    info.reload = 0;
}

int func_validate_configuration(GtkWidget*, gpointer)
{
    if (!configuration_shown() || configuration_list().current_page != PAGE_OF_LEVELS)
        return 1;
    machine_configuration shown = edited;
    for (int item = 26; item <= 29; ++item)
        shown.items[item] = static_cast<float>(func_lookup_cfg_index(text_of(item), item));
    const level_check check = func_check_configuration_levels(shown);
    if (check.problem == LEVELS_SOUND)
        return 1;
    if (check.problem == LEVELS_OUT_OF_ORDER) {
        func_show_dialog(3, p[SLOT_LEVELS_OUT_OF_ORDER], 1, nullptr);
        return 0;
    }
    char text[512];
    snprintf(text, sizeof text, "%s %1.1f %s",
             p[check.problem == LEVEL_ABOVE_MAXIMUM ? SLOT_LEVEL_ABOVE : SLOT_LEVEL_BELOW].c_str(), check.limit,
             func_get_water_unit_string(0).c_str());
    func_show_dialog(3, text, 1, nullptr);
    return 0;
}

void func_save_display_configuration_data(GtkWidget* widget, gpointer)
{
    if (!func_validate_configuration(widget, nullptr))
        return;
    func_get_configuration_from_buttons_test(widget, nullptr);
    func_show_page_info_test(widget, nullptr);
    func_display_configuration_test();
}

void func_unload_configuration_screen(GtkWidget* widget, gpointer)
{
    if (func_widget_name_is(widget, "btn_cancel")) {
        // Nothing is written; the edits and their change-log lines go.
        func_show_screen(SCREEN_HOME);
        return;
    }
    if (!save_edits())
        return;
    if (func_widget_name_is(widget, "btn_chemical_valves"))
        func_show_screen(SCREEN_CHEMICAL_VALVES);
    else if (func_widget_name_is(widget, "btn_system_settings"))
        func_show_screen(SCREEN_SYSTEM_SETTINGS);
    else
        func_show_screen(SCREEN_HOME);
}
