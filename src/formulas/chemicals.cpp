#include "formulas/chemicals.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/record_file.h"
#include "files/write_failures.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "logs/log_file.h"

std::string default_chemical_names[CHEMICAL_COUNT];
GtkListStore* chemical_list_store = nullptr;
GtkListStore* chemical_valves_list_store = nullptr;

namespace {
constexpr record_format CHEMICAL_FILE = {CHEMICAL_RECORD_SIZE, CHEMICAL_COUNT, "chemicals"};
constexpr record_format VALVE_FILE = {CHEMICAL_VALVE_RECORD_SIZE, CHEMICAL_COUNT, "valves"};
constexpr size_t RECORD_NAME_SIZE = 52;
constexpr int SLOT_CHEMICAL = 155;
constexpr int CHM_TABLE_SIZE = sizeof chm_lookup_table / sizeof chm_lookup_table[0];

enum chemical_column { COLUMN_NUMBER, COLUMN_ACTIVE, COLUMN_NAME, COLUMN_INJECT, COLUMN_DURATION, COLUMN_SIGNAL };
enum valve_column { COLUMN_VALVE, COLUMN_VALVE_NAME, COLUMN_RATE };

std::string numbered_name(int index)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s %02d", p[SLOT_CHEMICAL].c_str(), index + 1);
    return text;
}

std::string name_of(int position)
{
    return (position >= 0 && position < CHEMICAL_COUNT) ? default_chemical_names[position] : std::string();
}

// The names of the rows, by position, into the block (cut to what an
// entry holds).
template <class Record>
void take_names(const std::vector<Record>& records)
{
    for (size_t position = 0; position < records.size() && position < CHEMICAL_COUNT; ++position)
        default_chemical_names[position] = func_cut_text_utf8(records[position].name, CHEMICAL_NAME_SIZE - 1);
}

GtkTreeModel* chemicals() { return GTK_TREE_MODEL(chemical_list_store); }
GtkTreeModel* valves() { return GTK_TREE_MODEL(chemical_valves_list_store); }

std::string step_chemicals_path(int formula, int step) { return func_get_step_chemicals_path(formula, step); }

std::vector<chemical_record> fifteen_chemicals()
{
    std::vector<chemical_record> records(CHEMICAL_COUNT);
    for (int i = 0; i < CHEMICAL_COUNT; ++i)
        records[static_cast<size_t>(i)].number = i + 1;
    return records;
}
}  // namespace

void func_create_chemical_stores()
{
    if (!chemical_list_store)
        chemical_list_store = gtk_list_store_new(6, G_TYPE_INT, G_TYPE_INT, G_TYPE_STRING, G_TYPE_INT, G_TYPE_INT,
                                                 G_TYPE_INT);
    if (!chemical_valves_list_store)
        chemical_valves_list_store = gtk_list_store_new(3, G_TYPE_INT, G_TYPE_STRING, G_TYPE_FLOAT);
}

// --- byte layouts ----------------------------------------------------------------------

void func_encode_chemical_record(const chemical_record& record, unsigned char* bytes)
{
    func_put_int32_le(bytes, record.number);
    func_put_text_field(bytes + 4, RECORD_NAME_SIZE, record.name);
    func_put_int32_le(bytes + 56, record.active);
    func_put_int32_le(bytes + 60, record.inject_when);
    func_put_int32_le(bytes + 64, record.duration);
    func_put_int32_le(bytes + 68, record.signal);
}

void func_decode_chemical_record(const unsigned char* bytes, chemical_record& record)
{
    // The name in the file is not used: the names block holds it.
    record.number = func_get_int32_le(bytes);
    record.active = func_get_int32_le(bytes + 56);
    record.inject_when = func_get_int32_le(bytes + 60);
    record.duration = func_get_int32_le(bytes + 64);
    record.signal = func_get_int32_le(bytes + 68);
}

void func_encode_chemical_valve_record(const chemical_valve_record& record, unsigned char* bytes)
{
    func_put_int32_le(bytes, record.valve);
    func_put_text_field(bytes + 4, RECORD_NAME_SIZE, record.name);
    func_put_float32_le(bytes + 56, record.inject_rate);
}

void func_decode_chemical_valve_record(const unsigned char* bytes, chemical_valve_record& record)
{
    record.valve = func_get_int32_le(bytes);
    record.inject_rate = func_get_float32_le(bytes + 56);
}

// --- the names block -------------------------------------------------------------------

std::string func_get_default_chemical_names_path(int language)
{
    return func_formulas_dir() + "L" + std::to_string(language) + "_default_chemical_names.dat";
}

std::string func_get_chemical_valves_path() { return func_configuration_dir() + "chem_valves_flow_rate.dat"; }

int func_load_default_chemical_names_from_file(int language)
{
    for (int i = 0; i < CHEMICAL_COUNT; ++i)
        default_chemical_names[i] = numbered_name(i);
    FILE* file = std::fopen(func_get_default_chemical_names_path(language).c_str(), "rb");
    if (!file)
        return 0;
    unsigned char block[CHEMICAL_NAMES_BLOCK_SIZE];
    if (std::fread(block, 1, sizeof block, file) == sizeof block)
        for (int i = 0; i < CHEMICAL_COUNT; ++i)
            default_chemical_names[i] = func_get_utf8_text_field(block + i * CHEMICAL_NAME_SIZE, CHEMICAL_NAME_SIZE - 1);
    std::fclose(file);
    return 1;
}

int func_save_default_chemical_names_to_file(int language)
{
    unsigned char block[CHEMICAL_NAMES_BLOCK_SIZE];
    for (int i = 0; i < CHEMICAL_COUNT; ++i)
        func_put_text_field(block + i * CHEMICAL_NAME_SIZE, CHEMICAL_NAME_SIZE, default_chemical_names[i]);
    const std::string path = func_get_default_chemical_names_path(language);
    if (!func_create_directory(func_formulas_dir()) || !func_write_file_atomic(path, block, sizeof block)) {
        func_write_log(LOG_SYSERROR,
                       "func_save_default_chemical_names_to_file :can't create/open file " + path + " not found.", 0);
        return 0;
    }
    return 1;
}

// --- the chemicals of a step -------------------------------------------------------------

std::vector<chemical_record> func_get_chemical_rows()
{
    std::vector<chemical_record> records;
    GtkTreeIter iter;
    if (!chemical_list_store || !gtk_tree_model_get_iter_first(chemicals(), &iter))
        return records;
    do {
        chemical_record record;
        gchar* name = nullptr;
        gtk_tree_model_get(chemicals(), &iter, COLUMN_NUMBER, &record.number, COLUMN_ACTIVE, &record.active,
                           COLUMN_NAME, &name, COLUMN_INJECT, &record.inject_when, COLUMN_DURATION, &record.duration,
                           COLUMN_SIGNAL, &record.signal, -1);
        record.name = name ? name : "";
        g_free(name);
        records.push_back(record);
    } while (gtk_tree_model_iter_next(chemicals(), &iter));
    return records;
}

void func_set_chemical_rows(const std::vector<chemical_record>& records)
{
    func_create_chemical_stores();
    gtk_list_store_clear(chemical_list_store);
    for (const chemical_record& record : records) {
        GtkTreeIter iter;
        gtk_list_store_append(chemical_list_store, &iter);
        gtk_list_store_set(chemical_list_store, &iter, COLUMN_NUMBER, record.number, COLUMN_ACTIVE, record.active,
                           COLUMN_NAME, record.name.c_str(), COLUMN_INJECT, record.inject_when, COLUMN_DURATION,
                           record.duration, COLUMN_SIGNAL, record.signal, -1);
    }
}

int func_load_chemical_list_from_file(int formula, int step)
{
    func_create_directory(func_get_formula_folder(formula));
    const std::string path = step_chemicals_path(formula, step);
    std::vector<chemical_record> records;
    const bool opened =
        func_read_records(path, CHEMICAL_FILE, "func_load_chemical_from_file", func_decode_chemical_record, records);
    // A step without a file (or with an empty one) shows fifteen chemicals,
    // all off; the file is first written on Save.
    if (records.empty())
        records = fifteen_chemicals();
    for (size_t position = 0; position < records.size(); ++position)
        records[position].name = name_of(static_cast<int>(position));
    func_set_chemical_rows(records);
    if (!opened) {
        func_write_log(LOG_SYSERROR, "func_load_chemical_from_file : Can't open file " + path + ".", 0);
        return 0;
    }
    return 1;
}

int func_save_chemical_list_to_file(int formula, int step)
{
    const std::vector<chemical_record> records = func_get_chemical_rows();
    const std::string path = step_chemicals_path(formula, step);
    if (!func_create_directory(func_get_formula_folder(formula)))
        func_report_write_failure(func_get_formula_folder(formula), errno);
    if (!func_write_records(path, CHEMICAL_FILE, records, func_encode_chemical_record)) {
        func_write_log(LOG_SYSERROR, "func_save_chemical_to_file : Can't open file " + path + ".", 0);
        return 0;
    }
    take_names(records);
    int switched_on = 0;
    for (const chemical_record& record : records)
        if (record.active > 0)
            ++switched_on;
    // Only the count goes into steps.dat: other edits of the step stay
    // for its own Save or Cancel. The list as edited shows it too.
    if (!func_set_step_chemical_count(formula, step, switched_on))
        return 0;
    const int row = func_find_step_row(step);
    if (row >= 0) {
        step_record edited = func_get_step_row(row);
        edited.items[STEP_CHEMICALS] = switched_on;
        func_set_step_row(row, edited);
    }
    return 1;
}

// --- the valves ----------------------------------------------------------------------

std::vector<chemical_valve_record> func_get_chemical_valve_rows()
{
    std::vector<chemical_valve_record> records;
    GtkTreeIter iter;
    if (!chemical_valves_list_store || !gtk_tree_model_get_iter_first(valves(), &iter))
        return records;
    do {
        chemical_valve_record record;
        gchar* name = nullptr;
        gtk_tree_model_get(valves(), &iter, COLUMN_VALVE, &record.valve, COLUMN_VALVE_NAME, &name, COLUMN_RATE,
                           &record.inject_rate, -1);
        record.name = name ? name : "";
        g_free(name);
        records.push_back(record);
    } while (gtk_tree_model_iter_next(valves(), &iter));
    return records;
}

void func_set_chemical_valve_rows(const std::vector<chemical_valve_record>& records)
{
    func_create_chemical_stores();
    gtk_list_store_clear(chemical_valves_list_store);
    for (const chemical_valve_record& record : records) {
        GtkTreeIter iter;
        gtk_list_store_append(chemical_valves_list_store, &iter);
        gtk_list_store_set(chemical_valves_list_store, &iter, COLUMN_VALVE, record.valve, COLUMN_VALVE_NAME,
                           record.name.c_str(), COLUMN_RATE, record.inject_rate, -1);
    }
}

int func_load_chemical_valves_list_from_file()
{
    const std::string path = func_get_chemical_valves_path();
    std::vector<chemical_valve_record> records;
    const bool opened = func_read_records(path, VALVE_FILE, "func_load_chemical_valves_from_file",
                                          func_decode_chemical_valve_record, records);
    if (records.empty()) {
        for (int i = 0; i < CHEMICAL_COUNT; ++i)
            records.push_back({i + 1, "", 0.0f});
    }
    for (size_t position = 0; position < records.size(); ++position)
        records[position].name = name_of(static_cast<int>(position));
    func_set_chemical_valve_rows(records);
    if (!opened) {
        // Made at once, so the controller finds fifteen valves.
        func_save_chemical_valves_list_to_file();
        func_write_log(LOG_SYSERROR, "func_load_chemical_valves_from_file : Can't open file " + path + ".", 0);
        return 0;
    }
    return 1;
}

int func_save_chemical_valves_list_to_file()
{
    const std::vector<chemical_valve_record> records = func_get_chemical_valve_rows();
    const std::string path = func_get_chemical_valves_path();
    if (!func_create_directory(func_configuration_dir()) ||
        !func_write_records(path, VALVE_FILE, records, func_encode_chemical_valve_record)) {
        func_write_log(LOG_SYSERROR, "func_save_chemical_valves_to_file : Can't open file " + path + ".", 0);
        return 0;
    }
    take_names(records);
    return 1;
}

// --- option texts ----------------------------------------------------------------------

int func_get_chemical_item_row(int item)
{
    switch (item) {
    case 1: return 1;
    case 3: return 0;
    case 5: return 2;
    default: return -1;
    }
}

std::string func_lookup_chemical_name(int value, int item)
{
    return func_option_text_or_number(chm_lookup_table, CHM_TABLE_SIZE, CHM_LOOKUP_WIDTH,
                                      func_get_chemical_item_row(item), value);
}

int func_lookup_chemical_index(const std::string& text, int item)
{
    return func_option_index_in_row(chm_lookup_table, CHM_TABLE_SIZE, CHM_LOOKUP_WIDTH, func_get_chemical_item_row(item),
                                    text);
}

int func_get_chemical_item_index(const char* widget_name)
{
    if (!widget_name)
        return -1;
    const std::string name = widget_name;
    const char* const fields[] = {"active", "name", "inject", "duration", "signal"};
    for (int index = 0; index < 5; ++index)
        if (name.find(fields[index]) != std::string::npos)
            return index + 1;
    return 0;
}
