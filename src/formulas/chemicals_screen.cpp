#include "formulas/chemicals_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "entry/selection_dialog.h"
#include "files/paths.h"
#include "formulas/chemicals.h"
#include "formulas/step_rules.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "logs/log_file.h"

namespace {
constexpr int LIST_WIDTH = 605;
constexpr int LIST_HEIGHT = 307;
constexpr int SLOT_CHEMICAL = 155;
// Fixed column labels (not from the language file).
const std::vector<std::string> COLUMN_LABELS = {"#", "Enabled", "Name", "Inject When", "Duration", "Signal"};

page_list_info& chemicals_list() { return page_info[SCREEN_CHEMICALS].list; }
int selected_formula() { return func_get_selected_number(SCREEN_FORMULAS); }
int selected_step() { return func_get_selected_number(SCREEN_STEPS); }

// How many valves the machine has (configuration item 31).
int valve_count()
{
    return current_machine_configuration ? func_truncate_to_int(current_machine_configuration->items[31], 0) : 0;
}

float configuration_item(int item)
{
    return current_machine_configuration ? current_machine_configuration->items[item] : 0.0f;
}

GtkWidget* column_labels = nullptr;

// The chemicals of the page shown, filled by the display.
std::vector<chemical_record> shown_chemicals;

std::string active_picture(int, const std::string& text)
{
    return func_lookup_chemical_index(text, 1) > 0 ? "icon_yes.png" : "icon_no.png";
}

std::string signal_picture(int, const std::string& text)
{
    return func_lookup_chemical_index(text, 5) > 0 ? "icon_alarm_on_24.png" : "icon_alarm_off_24.png";
}

// The number written on a row (the chemical's number).
int number_on_row(int row) { return atoi(func_get_widget_label_text(chemicals_page.button(CHEMICALS_NUMBER, row))); }

// A row's buttons follow whether its chemical is on; the number and the
// switch follow whether the machine has its valve.
void set_row_sensitivity(int row, bool has_valve, bool on)
{
    for (int column : {CHEMICALS_NUMBER, CHEMICALS_ACTIVE})
        gtk_widget_set_sensitive(chemicals_page.button(column, row), has_valve);
    for (int column : {CHEMICALS_NAME, CHEMICALS_INJECT, CHEMICALS_DURATION, CHEMICALS_SIGNAL})
        gtk_widget_set_sensitive(chemicals_page.button(column, row), has_valve && on);
}

// The switch of a chemical: ON and OFF in turn, with its line.
void active_released(GtkWidget* widget, gpointer)
{
    const int row = func_get_index_from_widget_name_no_page_adjust(widget);
    if (row < 0 || row >= chemicals_list().rows_shown)
        return;
    const std::string old_text = func_get_widget_label_text(widget);
    const int now_on = func_lookup_chemical_index(old_text, 1) > 0 ? 0 : 1;
    const std::string new_text = func_lookup_chemical_name(now_on, 1);
    chemicals_list().selected_number = number_on_row(row);
    char line[256];
    snprintf(line, sizeof line, "------>  [%s %03d : %s] : %s --> %s", p[SLOT_CHEMICAL].c_str(),
             chemicals_list().selected_number, COLUMN_LABELS[CHEMICALS_ACTIVE].c_str(), old_text.c_str(),
             new_text.c_str());
    func_add_log_transaction(line, 0);
    func_set_widget_label(widget, new_text);
    func_set_button_icon(widget, (func_image_dir() + (now_on ? "icon_yes.png" : "icon_no.png")).c_str(), ICON_LEFT);
    set_row_sensitivity(row, true, now_on == 1);
    chemicals_list().reload = 1;
}

// "Chemical 003 : Duration": which chemical and which of its settings.
std::string item_label(GtkWidget* caller)
{
    const int row = func_get_index_from_widget_name_no_page_adjust(caller);
    const int item = func_get_chemical_item_index(gtk_widget_get_name(caller));
    if (row < 0 || item < 0 || item >= static_cast<int>(COLUMN_LABELS.size()))
        return "";
    char text[128];
    snprintf(text, sizeof text, "%s %03d : %s", p[SLOT_CHEMICAL].c_str(), number_on_row(row),
             COLUMN_LABELS[static_cast<size_t>(item)].c_str());
    return text;
}

std::vector<std::string> chemical_options(GtkWidget*, int data)
{
    const int row = func_get_chemical_item_row(data);
    if (row < 0 || data == 5)
        return {};  // the signal toggles
    constexpr int size = sizeof chm_lookup_table / sizeof chm_lookup_table[0];
    std::vector<std::string> options = func_get_option_row(chm_lookup_table, size, CHM_LOOKUP_WIDTH, row);
    // Level and temperature only with a temperature probe.
    if (data == 3)
        options.resize(static_cast<size_t>(
            func_limit_probe_options(static_cast<int>(options.size()), configuration_item(19))));
    return options;
}

void chemical_option_chosen(GtkWidget* option, GtkWidget* caller)
{
    func_apply_selection(option, caller);
    if (func_get_chemical_item_index(gtk_widget_get_name(caller)) == 5)
        func_set_button_icon(caller, (func_image_dir() + signal_picture(0, func_get_widget_label_text(caller))).c_str(),
                             ICON_LEFT);
}

std::string log_heading()
{
    const page_list_info& formulas = page_info[SCREEN_FORMULAS].list;
    const page_list_info& steps = page_info[SCREEN_STEPS].list;
    if (formulas.selected_number == -1 || steps.selected_number == -1)
        return "";
    char text[512];
    snprintf(text, sizeof text, "%s F-%03d (%s): S-%03d (%s)", p[184].c_str(), formulas.selected_number,
             formulas.selected_text, steps.selected_number, steps.selected_text);
    return text;
}

void show_chemicals()
{
    if (!func_begin_screen_show(SCREEN_CHEMICALS, SLOT_CHEMICAL))
        return;
    func_fill_column_labels(column_labels, chemicals_page, COLUMN_LABELS, "lbl_chm_item_#");
    func_begin_log_transaction();
    func_load_default_chemical_names_from_file(func_get_language_number());
    func_load_chemical_list_from_file(selected_formula(), selected_step());
    chemicals_list().reload = 0;
    func_display_chemical_test();
    func_end_screen_show(SCREEN_CHEMICALS);
}

void reload_chemicals()
{
    func_load_default_chemical_names_from_file(func_get_language_number());
    func_load_chemical_list_from_file(selected_formula(), selected_step());
    chemicals_list().reload = 0;
    func_display_chemical_test();
}

void name_saved(const item_save& save)
{
    g_strlcpy(chemicals_list().selected_text, save.text.c_str(), sizeof chemicals_list().selected_text);
    func_add_item_change_line(save.caller, save.old_text, save.text);
    func_set_widget_label(save.caller, save.text);
}
}  // namespace

list_page chemicals_page = [] {
    list_page list;
    list.rows = 5;
    list.row_height = 55;
    list.row_spacing = 8;
    list.fixed_height = true;
    list_column number{"btn_chm_item_number_#", 45};
    list_column active{"btn_chm_item_active_#", 90, nullptr, nullptr, G_CALLBACK(active_released)};
    active.picture = active_picture;
    list_column name{"btn_chm_item_name_#", 170, nullptr, nullptr, G_CALLBACK(func_show_data_entry_dialog)};
    name.ellipsize = true;
    name.data = GINT_TO_POINTER(8);
    list_column inject{"btn_chm_item_inject_#", 115, nullptr, nullptr, G_CALLBACK(func_show_selection_dialog)};
    inject.data = GINT_TO_POINTER(3);
    list_column duration{"btn_chm_item_duration_#", 90, nullptr, nullptr, G_CALLBACK(func_show_data_entry_dialog)};
    duration.data = GINT_TO_POINTER(9);
    list_column signal{"btn_chm_item_signal_#", 95, nullptr, nullptr, G_CALLBACK(func_show_selection_dialog)};
    signal.data = GINT_TO_POINTER(5);
    signal.picture = signal_picture;
    list.columns = {number, active, name, inject, duration, signal};
    list.number_column = CHEMICALS_NUMBER;
    list.name_column = CHEMICALS_NAME;
    list.redraw = func_display_chemical_test;
    return list;
}();

void func_register_chemicals_screen()
{
    screen_description screen = func_describe_screen(SCREEN_CHEMICALS, "chemicals", "lumex_chemical_screen.ui",
                                                     "win_chemicals_screen", LIST_WIDTH, LIST_HEIGHT,
                                                     func_load_chemical_screen, show_chemicals, reload_chemicals);
    screen.log_heading = log_heading;
    screen.option_row = func_get_chemical_item_row;
    screen.item_label = item_label;
    screen.list = &chemicals_page;
    screen.selection_options = chemical_options;
    screen.selection_chosen = chemical_option_chosen;
    func_register_screen(screen);
    func_register_item_action(8, name_saved);
}

void func_load_chemical_screen(const ui_file& ui, display_data& record)
{
    column_labels = func_lookup_widget(ui, "hbox_column_labels");
    func_connect_save_cancel(ui, record, G_CALLBACK(func_unload_chemicals_screen));
    func_connect_page_buttons(record, G_CALLBACK(func_save_display_chemical_data));
}

void func_show_chemical_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_CHEMICALS); }

void func_display_chemical_test()
{
    if (func_current_screen_code() != SCREEN_CHEMICALS)
        return;
    func_show_message(5, p[SLOT_CHEMICAL]);
    shown_chemicals = func_get_chemical_rows();
    const int valves = valve_count();
    // A chemical without a valve cannot be injected: it shows OFF.
    for (size_t index = 0; index < shown_chemicals.size(); ++index)
        if (static_cast<int>(index) >= valves)
            shown_chemicals[index].active = 0;
    func_build_list_page(chemicals_page, static_cast<int>(shown_chemicals.size()), [](int item, int column) {
        const chemical_record& chemical = shown_chemicals[static_cast<size_t>(item)];
        char text[16];
        switch (column) {
        case CHEMICALS_NUMBER:
            snprintf(text, sizeof text, "%03d", chemical.number);
            return std::string(text);
        case CHEMICALS_ACTIVE: return func_lookup_chemical_name(chemical.active, 1);
        case CHEMICALS_NAME: return chemical.name;
        case CHEMICALS_INJECT: return func_lookup_chemical_name(chemical.inject_when, 3);
        case CHEMICALS_DURATION: return func_convert_seconds_to_time(chemical.duration);
        default: return func_lookup_chemical_name(chemical.signal, 5);
        }
    });
    const page_list_info& info = chemicals_list();
    for (int row = 0; row < info.rows_shown; ++row) {
        const chemical_record& chemical = shown_chemicals[static_cast<size_t>(info.first_item + row)];
        set_row_sensitivity(row, info.first_item + row < valves, chemical.active > 0);
    }
}

int func_get_chemical_data_from_buttons_test()
{
    page_list_info& info = chemicals_list();
    if (info.reload != 1)
        return 1;
    std::vector<chemical_record> records = func_get_chemical_rows();
    for (const std::vector<std::string>& row : func_harvest_list_page(chemicals_page)) {
        const int number = atoi(row[CHEMICALS_NUMBER].c_str());
        for (chemical_record& record : records) {
            if (record.number != number)
                continue;
            record.active = std::max(0, func_lookup_chemical_index(row[CHEMICALS_ACTIVE], 1));
            record.name = row[CHEMICALS_NAME];
            record.inject_when = std::max(0, func_lookup_chemical_index(row[CHEMICALS_INJECT], 3));
            record.duration = func_convert_time_to_seconds(row[CHEMICALS_DURATION]);
            record.signal = std::max(0, func_lookup_chemical_index(row[CHEMICALS_SIGNAL], 5));
        }
    }
    // Chemicals without a valve are stored off, on every page.
    for (size_t index = 0; index < records.size(); ++index)
        if (static_cast<int>(index) >= valve_count())
            records[index].active = 0;
    func_set_chemical_rows(records);
    info.reload = 0;
    return 1;
}

void func_save_display_chemical_data(GtkWidget* widget, gpointer)
{
    func_get_chemical_data_from_buttons_test();
    func_show_page_info_test(widget, nullptr);
}

void func_unload_chemicals_screen(GtkWidget* widget, gpointer)
{
    if (func_widget_name_is(widget, "btn_save")) {
        func_get_chemical_data_from_buttons_test();
        // A step whose chemicals could not be written keeps its count, and
        // the screen stays with what is on disk.
        if (!func_save_chemical_list_to_file(selected_formula(), selected_step()))
            return;
        func_end_screen_log_transaction();
        func_save_default_chemical_names_to_file(func_get_language_number());
    }
    func_show_screen(SCREEN_SELECTED_STEP);
}
