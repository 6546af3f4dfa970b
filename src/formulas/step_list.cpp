#include "formulas/step_list.h"

#include <glib.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <cerrno>
#include <memory>
#include <new>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/build_switches.h"
#include "files/record_file.h"
#include "files/file_helpers.h"
#include "files/record_bytes.h"
#include "formulas/formula_changes.h"
#include "formulas/formula_list.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "files/write_failures.h"
#include "logs/log_file.h"

namespace {
// The steps of the formula being edited, in list order. A plain vector:
// a load is one read and one decode, with no per-row toolkit values.
std::vector<step_record> held_steps;
constexpr record_format STEP_FILE = {STEP_RECORD_SIZE, STEP_LIST_MAX, "steps"};
constexpr record_format STEP_FILE_21 = {STEP_RECORD_21_SIZE, STEP_LIST_MAX, "steps"};
constexpr int stp_table_size = sizeof stp_lookup_table / sizeof stp_lookup_table[0];
constexpr size_t ITEMS_OFFSET = 56;
constexpr int ITEMS_IN_21 = 13;  // items 0 to 12

bool valid_row(int row) { return row >= 0 && static_cast<size_t>(row) < held_steps.size(); }

// Writes the rows to the formula's steps.dat; temperatures go to
// Fahrenheit when asked. 1, or 0 after logging.
int write_step_file(int formula, bool to_fahrenheit)
{
    if (!func_create_directory(func_get_formula_folder(formula)))
        func_report_write_failure(func_get_formula_folder(formula), errno);
    const std::string path = func_get_step_file_path(formula);
    std::vector<step_record> records = held_steps;
    for (step_record& record : records)
        if (to_fahrenheit && record.items[STEP_TEMPERATURE] != 0)
            record.items[STEP_TEMPERATURE] = func_convert_temperature_to_F(record.items[STEP_TEMPERATURE]);
    if (!func_write_records(path, STEP_FILE, records, func_encode_step_record)) {
        func_write_log(LOG_SYSERROR, "func_save_step_list : Can't open file " + path + ".", 0);
        return 0;
    }
    return 1;
}

int load_current_layout(int formula, bool convert_to_celsius, const char* function)
{
    const std::string path = func_get_step_file_path(formula);
    if (!func_read_records(path, STEP_FILE, "func_load_step_list", func_decode_step_record, held_steps)) {
        // A formula without a folder yet gets one, as the save will need it.
        func_create_directory(func_get_formula_folder(formula));
        held_steps.clear();
        func_write_log(LOG_SYSERROR, std::string(function) + " : Can't open file " + path + ".", 0);
        return -1;
    }
    if (convert_to_celsius)
        for (step_record& record : held_steps)
            if (record.items[STEP_TEMPERATURE] != 0)
                record.items[STEP_TEMPERATURE] = func_convert_temperature_to_C(record.items[STEP_TEMPERATURE]);
    return static_cast<int>(held_steps.size());
}
}  // namespace

// --- byte layouts -------------------------------------------------------------------

void func_encode_step_record(const step_record& record, unsigned char* bytes)
{
    func_put_int32_le(bytes, record.number);
    func_put_text_field(bytes + 4, STEP_NAME_SIZE, record.name);
    for (int item = 0; item < STEP_ITEM_COUNT; ++item)
        func_put_int32_le(bytes + ITEMS_OFFSET + 4 * item, record.items[item]);
}

namespace {
void decode_number_and_name(const unsigned char* bytes, step_record& record)
{
    record.number = func_get_int32_le(bytes);
    record.name = func_get_utf8_text_field(bytes + 4, STEP_NAME_SIZE - 1);
}
}  // namespace

void func_decode_step_record(const unsigned char* bytes, step_record& record)
{
    decode_number_and_name(bytes, record);
    for (int item = 0; item < STEP_ITEM_COUNT; ++item)
        record.items[item] = func_get_int32_le(bytes + ITEMS_OFFSET + 4 * item);
}

void func_decode_step_record_21(const unsigned char* bytes, step_record& record)
{
    decode_number_and_name(bytes, record);
    for (int item = 0; item < STEP_ITEM_COUNT; ++item)
        record.items[item] = item < ITEMS_IN_21 ? func_get_int32_le(bytes + ITEMS_OFFSET + 4 * item) : 0;
}

// --- paths and selection ------------------------------------------------------------

std::string func_get_step_file_path(int formula) { return func_get_formula_folder(formula) + "steps.dat"; }

std::string func_get_step_chemicals_path(int formula, int step)
{
    char name[32];
    std::snprintf(name, sizeof name, "s-%03d_chems.dat", step);
    return func_get_formula_folder(formula) + name;
}

int func_set_step_chemical_count(int formula, int step, int count)
{
    const std::string path = func_get_step_file_path(formula);
    std::vector<step_record> records;
    if (!func_read_records(path, STEP_FILE, "func_load_step_list", func_decode_step_record, records))
        return 0;
    bool found = false;
    for (step_record& record : records)
        if (record.number == step) {
            record.items[STEP_CHEMICALS] = count;
            found = true;
        }
    if (!found)
        return 0;
    if (!func_write_records(path, STEP_FILE, records, func_encode_step_record)) {
        func_write_log(LOG_SYSERROR, "func_save_step_list : Can't open file " + path + ".", 0);
        return 0;
    }
    return 1;
}

// --- rows ----------------------------------------------------------------------------

void func_create_step_list_store() { held_steps.clear(); }

step_record func_get_step_row(int row) { return valid_row(row) ? held_steps[static_cast<size_t>(row)] : step_record(); }

void func_set_step_row(int row, const step_record& record)
{
    if (valid_row(row))
        held_steps[static_cast<size_t>(row)] = record;
}

void func_append_step_row(const step_record& record) { held_steps.push_back(record); }

void func_insert_step_row(int row, const step_record& record)
{
    const size_t at = row < 0 ? 0 : std::min(static_cast<size_t>(row), held_steps.size());
    held_steps.insert(held_steps.begin() + static_cast<std::ptrdiff_t>(at), record);
}

void func_remove_step_row(int row)
{
    if (valid_row(row))
        held_steps.erase(held_steps.begin() + row);
}

void func_remove_all_step_rows() { held_steps.clear(); }

int func_get_step_row_count() { return static_cast<int>(held_steps.size()); }

int func_find_step_row(int number)
{
    for (size_t row = 0; row < held_steps.size(); ++row)
        if (held_steps[row].number == number)
            return static_cast<int>(row);
    return -1;
}

// --- file ----------------------------------------------------------------------------

int func_load_step_list_from_file(int formula, bool metric)
{
    const int loaded = load_current_layout(formula, metric, "func_load_step_list");
    return loaded > 0 ? 1 : 0;
}

int func_save_step_list_to_file(int formula, bool metric)
{
    // steps.dat and the formula's totals in formulas.dat change together.
    return func_save_step_change(formula, metric, nullptr);
}

step_snapshot* func_get_step_list_from_liststore()
{
    auto* snapshot = new (std::nothrow) step_snapshot();
    if (!snapshot) {
        func_write_log(LOG_SYSERROR, "func_get_step_list_from_liststore : Error Allocating Buffer for Step List", 0);
        return nullptr;
    }
    snapshot->records = held_steps;
    return snapshot;
}

step_record* func_get_selected_step_from_liststore_test(int number)
{
    const int row = func_find_step_row(number);
    if (row < 0) {
        char text[128];
        std::snprintf(text, sizeof text, "func_get_selected_step_from_liststore : No data for requested step - %03d",
                      number);
        func_write_log(LOG_SYSERROR, text, 0);
        return nullptr;
    }
    auto* record = new (std::nothrow) step_record(func_get_step_row(row));
    if (!record)
        func_write_log(LOG_SYSERROR, "func_get_selected_step_from_liststore : Error Allocating Buffer for step", 0);
    return record;
}

void func_set_selected_step_to_liststore_test(step_record* record)
{
    if (!record) {
        func_write_log(LOG_SYSERROR, "func_set_selected_step_to_liststore : Error Allocating Buffer for Step", 0);
        return;
    }
    const int row = func_find_step_row(record->number);
    if (row < 0)
        func_write_log(LOG_SYSERROR, "func_set_selected_step_to_liststore : Invalid step Index", 0);
    else
        func_set_step_row(row, *record);
    delete record;
}

int func_update_step_list_liststore_test(int formula, bool metric, step_snapshot* snapshot)
{
    if (!snapshot) {
        func_write_log(LOG_SYSERROR, "func_update_step_list_liststore : Error step list buffer is NULL", 0);
        return 0;
    }
    std::unique_ptr<step_snapshot> owned(snapshot);
    for (const step_record& entry : snapshot->records) {
        const int row = func_find_step_row(entry.number);
        if (valid_row(row))
            held_steps[static_cast<size_t>(row)].name = entry.name;
    }
    return func_save_step_list_to_file(formula, metric);
}

// --- option texts ----------------------------------------------------------------------

std::string func_lookup_step_name(int value, int item)
{
    return func_option_text_or_number(stp_lookup_table, stp_table_size, STP_LOOKUP_WIDTH, func_get_step_item_row(item),
                                      value);
}

int func_lookup_step_index(const std::string& text, int item)
{
    return func_option_index_in_row(stp_lookup_table, stp_table_size, STP_LOOKUP_WIDTH, func_get_step_item_row(item),
                                    text);
}

int func_is_a_cooldown_step_in(int hot, int cold, int third_water, int temperature, int type, bool metric)
{
    // The cooldown range is only defined in Fahrenheit.
    if (metric)
        return 0;
    const bool no_water = hot == 0 && cold == 0 && third_water == 0;
    const bool wash = type >= STEP_ONE_WAY_WASH && type <= STEP_SOAK_WASH;
    return (no_water && wash && temperature >= 50 && temperature <= 205) ? 1 : 0;
}

int func_is_a_cooldown_step(int hot, int cold, int third_water, int temperature, int type)
{
    return func_is_a_cooldown_step_in(hot, cold, third_water, temperature, type, func_metric_units());
}

int func_get_step_item_row(int item)
{
    // Items without options (time, temperature, chemicals, on/off times,
    // liquors) are -1.
    static const int rows[19] = {0, -1, -1, 1, 2, 3, 4, 5, -1, 6, 7, 8, 9, -1, -1, -1, -1, 10, 10};
    return (item >= 0 && item < 19) ? rows[item] : -1;
}

// --- conversions ---------------------------------------------------------------------

void func_convert_step_record_21(step_record& record, int no_programmable_rpm)
{
    if (record.items[STEP_LEVEL] > 2)
        record.items[STEP_LEVEL] = 2;
    if (!no_programmable_rpm) {
        switch (record.items[STEP_TYPE]) {
        case STEP_ONE_WAY_WASH:
        case STEP_TWO_WAY_WASH: record.items[STEP_RPM] = 39; break;
        case STEP_STAGED_EXTRACT:
        case STEP_STANDARD_EXTRACT: record.items[STEP_RPM] = 840; break;
        default: record.items[STEP_RPM] = 0; break;
        }
    }
    record.items[STEP_ON_TIME] = 20;
    record.items[STEP_OFF_TIME] = 3;
    for (int item = STEP_START_LIQUOR; item < STEP_ITEM_COUNT; ++item)
        record.items[item] = 0;
}

int func_load_step_list_from_file_21_with(int formula, int no_programmable_rpm)
{
    const std::string path = func_get_step_file_path(formula);
    std::vector<step_record> records;
    if (!func_read_records(path, STEP_FILE_21, "func_load_step_list", func_decode_step_record_21, records)) {
        held_steps.clear();
        func_write_log(LOG_SYSERROR, "func_load_step_list : Can't open file " + path + ".", 0);
        return 0;
    }
    const bool metric = func_metric_units();
    for (step_record& record : records) {
        if (metric && record.items[STEP_TEMPERATURE] != 0)
            record.items[STEP_TEMPERATURE] = func_convert_temperature_to_C(record.items[STEP_TEMPERATURE]);
        func_convert_step_record_21(record, no_programmable_rpm);
    }
    held_steps = std::move(records);
    func_save_step_list_to_file_21(formula);
    return 1;
}

int func_load_step_list_from_file_21(int formula)
{
    return func_load_step_list_from_file_21_with(formula, NO_PROGRAMMABLE_RPM);
}

int func_save_step_list_to_file_21(int formula) { return write_step_file(formula, func_metric_units()); }

int func_convert_level_to_unit(int level, int new_unit, int metric_in_force)
{
    if (level <= 99)
        return level;
    const int whole_units = level / 100;
    if (new_unit == 0 && metric_in_force) {
        const float inches = static_cast<float>(whole_units / 2.54);
        if (inches > 30.0f)
            return 3000;
        if (inches < 4.0f)
            return 400;
        // Multiplied in double: a float product would round 25.4 * 100 up to 2540.
        return static_cast<int>(inches * 100.0);
    }
    if (new_unit == 1 && !metric_in_force) {
        const float centimetres = static_cast<float>(whole_units * 2.54);
        if (centimetres > 75.0f)
            return 7500;
        if (centimetres < 10.0f)
            return 1000;
        return static_cast<int>(centimetres * 100.0);
    }
    return level;
}

int func_load_step_list_from_file_water(int formula, int new_unit)
{
    // Temperatures stay as stored (Fahrenheit) through this load and save.
    if (load_current_layout(formula, false, "func_load_step_list_from_file_water") < 0)
        return 0;
    const int metric = func_metric_units() ? 1 : 0;
    for (step_record& record : held_steps)
        record.items[STEP_LEVEL] = func_convert_level_to_unit(record.items[STEP_LEVEL], new_unit, metric);
    return func_save_step_list_to_file_water(formula);
}

int func_save_step_list_to_file_water(int formula) { return write_step_file(formula, false); }

namespace {
std::vector<int> formula_numbers_in_list_order()
{
    std::vector<int> numbers;
    GtkTreeIter iter;
    if (!formula_list_store || !gtk_tree_model_get_iter_first(GTK_TREE_MODEL(formula_list_store), &iter))
        return numbers;
    do {
        gint number = 0;
        gtk_tree_model_get(GTK_TREE_MODEL(formula_list_store), &iter, FORMULA_COLUMN_NUMBER, &number, -1);
        numbers.push_back(number);
    } while (gtk_tree_model_iter_next(GTK_TREE_MODEL(formula_list_store), &iter));
    return numbers;
}
}  // namespace

int func_convert_formulas_21()
{
    int converted = 0;
    for (int number : formula_numbers_in_list_order())
        converted += func_load_step_list_from_file_21(number);
    return converted;
}

int func_convert_formulas_water(int new_unit)
{
    int converted = 0;
    for (int number : formula_numbers_in_list_order())
        converted += func_load_step_list_from_file_water(number, new_unit);
    return converted;
}
