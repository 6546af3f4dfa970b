#include "formulas/chemical_valves_screen.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "entry/value_limits.h"
#include "formulas/chemicals.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "logs/log_file.h"

namespace {
constexpr int LIST_WIDTH = 605;
constexpr int LIST_HEIGHT = 307;
constexpr int SLOT_CHEMICAL = 155;
const std::vector<std::string> COLUMN_LABELS = {"Valve", "Chemical Name", "Inject Rate"};

page_list_info& valves_list() { return page_info[SCREEN_CHEMICAL_VALVES].list; }

int valve_count()
{
    return current_machine_configuration ? func_truncate_to_int(current_machine_configuration->items[31], 0) : 0;
}

GtkWidget* column_labels = nullptr;
std::vector<chemical_valve_record> shown_valves;

int number_on_row(int row) { return atoi(func_get_widget_label_text(chemical_valves_page.button(VALVES_NUMBER, row))); }

// "Valve 03 : Inject Rate".
std::string item_label(GtkWidget* caller)
{
    const int row = func_get_index_from_widget_name_no_page_adjust(caller);
    if (row < 0)
        return "";
    const bool rate = std::string(gtk_widget_get_name(caller)).find("rate") != std::string::npos;
    char text[128];
    snprintf(text, sizeof text, "%s %02d : %s", COLUMN_LABELS[VALVES_NUMBER].c_str(), number_on_row(row),
             COLUMN_LABELS[rate ? VALVES_RATE : VALVES_NAME].c_str());
    return text;
}

void rate_saved(const item_save& save)
{
    const std::string text = func_format_valve_rate(func_read_valve_rate(save.text));
    func_add_item_change_line(save.caller, save.old_text, text);
    func_set_widget_label(save.caller, text);
}

void leave_for_configuration()
{
    // The configuration screen leads here; without it, home.
    func_show_screen(func_get_screen(SCREEN_CONFIGURATION) ? SCREEN_CONFIGURATION : SCREEN_HOME);
}

void show_valves()
{
    if (!func_begin_screen_show(SCREEN_CHEMICAL_VALVES, SLOT_CHEMICAL))
        return;
    func_fill_column_labels(column_labels, chemical_valves_page, COLUMN_LABELS, "lbl_chm_item_#");
    func_begin_log_transaction();
    func_load_default_chemical_names_from_file(func_get_language_number());
    func_load_chemical_valves_list_from_file();
    valves_list().reload = 0;
    func_display_chemical_valves_test();
    func_end_screen_show(SCREEN_CHEMICAL_VALVES);
}

void reload_valves()
{
    func_load_default_chemical_names_from_file(func_get_language_number());
    func_load_chemical_valves_list_from_file();
    valves_list().reload = 0;
    func_display_chemical_valves_test();
}
}  // namespace

list_page chemical_valves_page = [] {
    list_page list;
    list.rows = 5;
    list.row_height = 55;
    list.row_spacing = 8;
    list.fixed_height = true;
    list_column number{"btn_chm_item_number_#", 80};
    list_column name{"btn_chm_item_name_#", 325, nullptr, nullptr, G_CALLBACK(func_show_data_entry_dialog)};
    name.ellipsize = true;
    name.data = GINT_TO_POINTER(8);
    // Named without "#" like the other consoles' files expect.
    list_column rate{"btn_chm_item_inject_rate", 200, nullptr, nullptr, G_CALLBACK(func_show_data_entry_dialog)};
    rate.data = GINT_TO_POINTER(80);
    list.columns = {number, name, rate};
    list.number_column = VALVES_NUMBER;
    list.name_column = VALVES_NAME;
    list.redraw = func_display_chemical_valves_test;
    return list;
}();

std::string func_format_valve_rate(float tenths)
{
    char text[64];
    snprintf(text, sizeof text, "%.2f", static_cast<double>(tenths) / 10.0);
    std::string shown = text;
    // One decimal unless the second one says something.
    if (shown.size() > 1 && shown.back() == '0')
        shown.pop_back();
    return shown;
}

float func_read_valve_rate(const std::string& text) { return func_read_decimal_number(text) * 10.0f; }

void func_register_chemical_valves_screen()
{
    screen_description screen = func_describe_screen(
        SCREEN_CHEMICAL_VALVES, "chemical_valves", "lumex_chemical_screen.ui", "win_chemicals_screen", LIST_WIDTH,
        LIST_HEIGHT, func_load_chemical_valves_screen, show_valves, reload_valves);
    screen.item_label = item_label;
    screen.list = &chemical_valves_page;
    func_register_screen(screen);
    func_register_item_action(80, rate_saved);
}

void func_load_chemical_valves_screen(const ui_file& ui, display_data& record)
{
    column_labels = func_lookup_widget(ui, "hbox_column_labels");
    func_connect_save_cancel(ui, record, G_CALLBACK(func_unload_chemicals_valves_screen));
    func_connect_page_buttons(record, G_CALLBACK(func_save_display_chemical_valves_data));
}

void func_show_chemical_valves_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_CHEMICAL_VALVES); }

void func_display_chemical_valves_test()
{
    if (func_current_screen_code() != SCREEN_CHEMICAL_VALVES)
        return;
    func_show_message(5, p[SLOT_CHEMICAL]);
    shown_valves = func_get_chemical_valve_rows();
    func_build_list_page(chemical_valves_page, static_cast<int>(shown_valves.size()), [](int item, int column) {
        const chemical_valve_record& valve = shown_valves[static_cast<size_t>(item)];
        char text[16];
        switch (column) {
        case VALVES_NUMBER:
            snprintf(text, sizeof text, "%03d", valve.valve);
            return std::string(text);
        case VALVES_NAME: return valve.name;
        default: return func_format_valve_rate(valve.inject_rate);
        }
    });
    const page_list_info& info = valves_list();
    for (int row = 0; row < info.rows_shown; ++row)
        for (int column : {VALVES_NUMBER, VALVES_NAME, VALVES_RATE})
            gtk_widget_set_sensitive(chemical_valves_page.button(column, row), info.first_item + row < valve_count());
}

int func_get_chemical_valves_data_from_buttons_test()
{
    page_list_info& info = valves_list();
    if (info.reload != 1)
        return 1;
    std::vector<chemical_valve_record> records = func_get_chemical_valve_rows();
    for (const std::vector<std::string>& row : func_harvest_list_page(chemical_valves_page)) {
        const int valve = atoi(row[VALVES_NUMBER].c_str());
        for (chemical_valve_record& record : records)
            if (record.valve == valve) {
                record.name = row[VALVES_NAME];
                // A rate shown as it was stays exactly as stored.
                if (row[VALVES_RATE] != func_format_valve_rate(record.inject_rate))
                    record.inject_rate = func_read_valve_rate(row[VALVES_RATE]);
            }
    }
    func_set_chemical_valve_rows(records);
    info.reload = 0;
    return 1;
}

void func_save_display_chemical_valves_data(GtkWidget* widget, gpointer)
{
    func_get_chemical_valves_data_from_buttons_test();
    func_show_page_info_test(widget, nullptr);
}

void func_unload_chemicals_valves_screen(GtkWidget* widget, gpointer)
{
    if (func_widget_name_is(widget, "btn_save")) {
        func_get_chemical_valves_data_from_buttons_test();
        if (!func_save_chemical_valves_list_to_file())
            return;  // reported; the screen shows what is on disk
        func_end_screen_log_transaction();
        func_save_default_chemical_names_to_file(func_get_language_number());
    }
    leave_for_configuration();
}
