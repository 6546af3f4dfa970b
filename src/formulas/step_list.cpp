#include "formulas/step_list.h"

#include <glib.h>
#include <gtk/gtk.h>

#include <climits>
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
#include "formulas/formula_list.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "files/write_failures.h"
#include "logs/log_file.h"

GtkListStore* step_list_store = nullptr;

namespace {
constexpr record_format STEP_FILE = {STEP_RECORD_SIZE, STEP_LIST_MAX, "steps"};
constexpr record_format STEP_FILE_21 = {STEP_RECORD_21_SIZE, STEP_LIST_MAX, "steps"};
constexpr int stp_table_size = sizeof stp_lookup_table / sizeof stp_lookup_table[0];
constexpr int STEP_COLUMN_COUNT = 26;
constexpr size_t ITEMS_OFFSET = 56;
constexpr int ITEMS_IN_21 = 13;  // items 0 to 12

GtkTreeModel* model() { return GTK_TREE_MODEL(step_list_store); }

void ensure_store() { func_create_step_list_store(); }

step_record read_row(GtkTreeIter* iter)
{
    step_record record;
    for (int item = 0; item < STEP_ITEM_COUNT; ++item) {
        gint value = 0;
        gtk_tree_model_get(model(), iter, item, &value, -1);
        record.items[item] = value;
    }
    gint number = 0;
    gchar* name = nullptr;
    gtk_tree_model_get(model(), iter, STEP_COLUMN_NUMBER, &number, STEP_COLUMN_NAME, &name, -1);
    record.number = number;
    record.name = name ? name : "";
    g_free(name);
    return record;
}

void write_row(GtkTreeIter* iter, const step_record& record)
{
    gint columns[STEP_COLUMN_COUNT];
    GValue values[STEP_COLUMN_COUNT] = {};
    for (int column = 0; column < STEP_COLUMN_COUNT; ++column) {
        columns[column] = column;
        if (column == STEP_COLUMN_NAME) {
            g_value_init(&values[column], G_TYPE_STRING);
            g_value_set_string(&values[column], record.name.c_str());
        } else {
            g_value_init(&values[column], G_TYPE_INT);
            g_value_set_int(&values[column], column == STEP_COLUMN_NUMBER ? record.number : record.items[column]);
        }
    }
    gtk_list_store_set_valuesv(step_list_store, iter, columns, values, STEP_COLUMN_COUNT);
    for (GValue& value : values)
        g_value_unset(&value);
}

bool row_iter(int row, GtkTreeIter* iter)
{
    ensure_store();
    return row >= 0 && gtk_tree_model_iter_nth_child(model(), iter, nullptr, row);
}

std::vector<step_record> all_rows()
{
    std::vector<step_record> records;
    ensure_store();
    GtkTreeIter iter;
    if (gtk_tree_model_get_iter_first(model(), &iter)) {
        do {
            records.push_back(read_row(&iter));
        } while (gtk_tree_model_iter_next(model(), &iter));
    }
    return records;
}

void replace_rows(const std::vector<step_record>& records)
{
    ensure_store();
    gtk_list_store_clear(step_list_store);
    for (const step_record& record : records)
        func_append_step_row(record);
}

// Writes the store's rows to the formula's steps.dat; temperatures go to
// Fahrenheit when asked. 1, or 0 after logging.
int write_step_file(int formula, bool to_fahrenheit)
{
    if (!func_create_directory(func_get_formula_folder(formula)))
        func_report_write_failure(func_get_formula_folder(formula), errno);
    const std::string path = func_get_step_file_path(formula);
    std::vector<step_record> records = all_rows();
    for (step_record& record : records)
        if (to_fahrenheit && record.items[STEP_TEMPERATURE] != 0)
            record.items[STEP_TEMPERATURE] = func_convert_temperature_to_F(record.items[STEP_TEMPERATURE]);
    if (!func_write_records(path, STEP_FILE, records, func_encode_step_record)) {
        func_write_log(LOG_SYSERROR, "func_save_step_list : Can't open file " + path + ".", 0);
        return 0;
    }
    return 1;
}

// Step count and total time of the formula into formulas.dat. 0 when the
// formula is not in the list or the list could not be saved.
int update_formula_totals(int formula)
{
    formula_record* record = func_get_selected_formula_from_liststore_test(formula);
    if (!record)
        return 0;
    long long total = 0;
    const std::vector<step_record> rows = all_rows();
    for (const step_record& row : rows)
        total += row.items[STEP_TIME];
    record->step_count = static_cast<int32_t>(rows.size());
    record->total_time = static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : (total < INT32_MIN ? INT32_MIN : total));
    return func_set_selected_formula_to_liststore_test(record);
}

int load_current_layout(int formula, bool convert_to_celsius, const char* function)
{
    ensure_store();
    func_create_directory(func_get_formula_folder(formula));
    const std::string path = func_get_step_file_path(formula);
    std::vector<step_record> records;
    if (!func_read_records(path, STEP_FILE, "func_load_step_list", func_decode_step_record, records)) {
        gtk_list_store_clear(step_list_store);
        func_write_log(LOG_SYSERROR, std::string(function) + " : Can't open file " + path + ".", 0);
        return -1;
    }
    for (step_record& record : records)
        if (convert_to_celsius && record.items[STEP_TEMPERATURE] != 0)
            record.items[STEP_TEMPERATURE] = func_convert_temperature_to_C(record.items[STEP_TEMPERATURE]);
    replace_rows(records);
    return static_cast<int>(records.size());
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

// --- store rows ----------------------------------------------------------------------

step_record func_get_step_row(int row)
{
    GtkTreeIter iter;
    return row_iter(row, &iter) ? read_row(&iter) : step_record();
}

void func_set_step_row(int row, const step_record& record)
{
    GtkTreeIter iter;
    if (row_iter(row, &iter))
        write_row(&iter, record);
}

void func_append_step_row(const step_record& record)
{
    ensure_store();
    GtkTreeIter iter;
    gtk_list_store_append(step_list_store, &iter);
    write_row(&iter, record);
}

void func_insert_step_row(int row, const step_record& record)
{
    ensure_store();
    GtkTreeIter iter;
    gtk_list_store_insert(step_list_store, &iter, row < 0 ? 0 : row);
    write_row(&iter, record);
}

void func_remove_step_row(int row)
{
    GtkTreeIter iter;
    if (row_iter(row, &iter))
        gtk_list_store_remove(step_list_store, &iter);
}

void func_remove_all_step_rows()
{
    ensure_store();
    gtk_list_store_clear(step_list_store);
}

int func_get_step_row_count()
{
    ensure_store();
    return gtk_tree_model_iter_n_children(model(), nullptr);
}

int func_find_step_row(int number)
{
    ensure_store();
    GtkTreeIter iter;
    int row = 0;
    if (gtk_tree_model_get_iter_first(model(), &iter)) {
        do {
            gint row_number = 0;
            gtk_tree_model_get(model(), &iter, STEP_COLUMN_NUMBER, &row_number, -1);
            if (row_number == number)
                return row;
            ++row;
        } while (gtk_tree_model_iter_next(model(), &iter));
    }
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
    if (formula < 0)
        return 0;
    if (!write_step_file(formula, metric))
        return 0;
    return update_formula_totals(formula);
}

step_snapshot* func_get_step_list_from_liststore()
{
    auto* snapshot = new (std::nothrow) step_snapshot();
    if (!snapshot) {
        func_write_log(LOG_SYSERROR, "func_get_step_list_from_liststore : Error Allocating Buffer for Step List", 0);
        return nullptr;
    }
    snapshot->records = all_rows();
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
        GtkTreeIter iter;
        if (!row_iter(func_find_step_row(entry.number), &iter))
            continue;
        gtk_list_store_set(step_list_store, &iter, STEP_COLUMN_NUMBER, entry.number, STEP_COLUMN_NAME,
                           entry.name.c_str(), -1);
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
    ensure_store();
    const std::string path = func_get_step_file_path(formula);
    std::vector<step_record> records;
    if (!func_read_records(path, STEP_FILE_21, "func_load_step_list", func_decode_step_record_21, records)) {
        gtk_list_store_clear(step_list_store);
        func_write_log(LOG_SYSERROR, "func_load_step_list : Can't open file " + path + ".", 0);
        return 0;
    }
    const bool metric = func_metric_units();
    for (step_record& record : records) {
        if (metric && record.items[STEP_TEMPERATURE] != 0)
            record.items[STEP_TEMPERATURE] = func_convert_temperature_to_C(record.items[STEP_TEMPERATURE]);
        func_convert_step_record_21(record, no_programmable_rpm);
    }
    replace_rows(records);
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
    const int rows = func_get_step_row_count();
    for (int row = 0; row < rows; ++row) {
        step_record record = func_get_step_row(row);
        const int converted = func_convert_level_to_unit(record.items[STEP_LEVEL], new_unit, metric);
        if (converted != record.items[STEP_LEVEL]) {
            record.items[STEP_LEVEL] = converted;
            func_set_step_row(row, record);
        }
    }
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

void func_create_step_list_store()
{
    if (step_list_store)
        return;
    GType types[STEP_COLUMN_COUNT];
    for (GType& type : types)
        type = G_TYPE_INT;
    types[STEP_COLUMN_NAME] = G_TYPE_STRING;
    step_list_store = gtk_list_store_newv(STEP_COLUMN_COUNT, types);
}
