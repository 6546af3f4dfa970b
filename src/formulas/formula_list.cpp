#include "formulas/formula_list.h"

#include <dirent.h>
#include <glib.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cerrno>
#include <memory>
#include <new>

#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/record_file.h"
#include "files/write_failures.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/shell_runner.h"
#include "language/option_tables.h"
#include "logs/log_file.h"

GtkListStore* formula_list_store = nullptr;

namespace {
constexpr record_format FORMULA_FILE = {FORMULA_RECORD_SIZE, FORMULA_LIST_MAX, "formulas"};
constexpr int frm_table_size = sizeof frm_lookup_table / sizeof frm_lookup_table[0];

GtkTreeModel* model() { return GTK_TREE_MODEL(formula_list_store); }

formula_record read_row(GtkTreeIter* iter)
{
    formula_record record;
    gint number = 0, active = 0, steps = 0, time = 0;
    gchar* name = nullptr;
    gtk_tree_model_get(model(), iter, FORMULA_COLUMN_NUMBER, &number, FORMULA_COLUMN_ACTIVE,
                       &active, FORMULA_COLUMN_NAME, &name, FORMULA_COLUMN_STEP_COUNT, &steps,
                       FORMULA_COLUMN_TOTAL_TIME, &time, -1);
    record.number = number;
    record.active = active;
    record.name = name ? name : "";
    record.step_count = steps;
    record.total_time = time;
    g_free(name);
    return record;
}

void write_row(GtkTreeIter* iter, const formula_record& record)
{
    gtk_list_store_set(formula_list_store, iter, FORMULA_COLUMN_NUMBER, record.number,
                       FORMULA_COLUMN_ACTIVE, record.active, FORMULA_COLUMN_NAME,
                       record.name.c_str(), FORMULA_COLUMN_STEP_COUNT, record.step_count,
                       FORMULA_COLUMN_TOTAL_TIME, record.total_time, -1);
}

bool find_row(int number, GtkTreeIter* iter)
{
    if (!formula_list_store || !gtk_tree_model_get_iter_first(model(), iter))
        return false;
    do {
        gint row_number = 0;
        gtk_tree_model_get(model(), iter, FORMULA_COLUMN_NUMBER, &row_number, -1);
        if (row_number == number)
            return true;
    } while (gtk_tree_model_iter_next(model(), iter));
    return false;
}

// Every change of the store, whoever makes it, bumps this count: what was
// read from or loaded into the store stays valid while it holds still.
unsigned store_changes = 0;
void count_store_change() { ++store_changes; }

// The file the store was last filled from, while nothing else changed it
// since: reloading the same bytes would rebuild the same rows.
struct loaded_file {
    bool valid = false;
    unsigned changes = 0;
    std::string path;
    std::string bytes;
} last_load;

// The rows in number order, read at store_changes == changes.
struct sorted_rows {
    bool valid = false;
    unsigned changes = 0;
    std::vector<formula_record> records;
} last_sorted;

bool numbers_distinct(const std::vector<formula_record>& records)
{
    std::vector<int32_t> numbers;
    numbers.reserve(records.size());
    for (const formula_record& record : records)
        numbers.push_back(record.number);
    std::sort(numbers.begin(), numbers.end());
    return std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end();
}

void fill_store(const std::vector<formula_record>& records)
{
    // One insert per row; a sorted store places each row itself. Only
    // with distinct numbers is that placement the same as appending and
    // then setting the row (equal numbers keep the order that gives).
    if (numbers_distinct(records)) {
        for (const formula_record& record : records)
            gtk_list_store_insert_with_values(formula_list_store, nullptr, -1, FORMULA_COLUMN_NUMBER, record.number,
                                              FORMULA_COLUMN_ACTIVE, record.active, FORMULA_COLUMN_NAME,
                                              record.name.c_str(), FORMULA_COLUMN_STEP_COUNT, record.step_count,
                                              FORMULA_COLUMN_TOTAL_TIME, record.total_time, -1);
        return;
    }
    for (const formula_record& record : records) {
        GtkTreeIter iter;
        gtk_list_store_append(formula_list_store, &iter);
        write_row(&iter, record);
    }
}

}  // namespace

void func_encode_formula_record(const formula_record& record, unsigned char* bytes)
{
    func_put_int32_le(bytes, record.number);
    func_put_text_field(bytes + 4, FORMULA_NAME_SIZE, record.name);
    func_put_int32_le(bytes + 56, record.active);
    func_put_int32_le(bytes + 60, record.step_count);
    func_put_int32_le(bytes + 64, record.total_time);
}

void func_decode_formula_record(const unsigned char* bytes, formula_record& record)
{
    record.number = func_get_int32_le(bytes);
    // Never more than the field's 51 bytes of text.
    record.name = func_get_utf8_text_field(bytes + 4, FORMULA_NAME_SIZE - 1);
    record.active = func_get_int32_le(bytes + 56);
    record.step_count = func_get_int32_le(bytes + 60);
    record.total_time = func_get_int32_le(bytes + 64);
}

std::string func_get_formula_list_path() { return func_formulas_dir() + "formulas.dat"; }

std::string func_get_formula_folder(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "f-%03d/", number);
    return func_formulas_dir() + name;
}

int func_load_formula_list_from_file()
{
    func_create_formula_list_store();
    func_create_directory(func_formulas_dir());
    const std::string path = func_get_formula_list_path();
    std::string bytes;
    if (!func_read_record_bytes(path, FORMULA_FILE, "func_load_formula_list", bytes)) {
        gtk_list_store_clear(formula_list_store);
        last_load.valid = false;
        func_write_log(LOG_SYSERROR, "func_load_formula_list : Can't open file " + path + ".", 0);
        return 0;
    }
    if (last_load.valid && last_load.changes == store_changes && last_load.path == path && last_load.bytes == bytes)
        return 1;
    std::vector<formula_record> records(bytes.size() / FORMULA_RECORD_SIZE);
    for (size_t i = 0; i < records.size(); ++i)
        func_decode_formula_record(reinterpret_cast<const unsigned char*>(bytes.data()) + i * FORMULA_RECORD_SIZE,
                                   records[i]);
    gtk_list_store_clear(formula_list_store);
    fill_store(records);
    last_load.valid = true;
    last_load.changes = store_changes;
    last_load.path = path;
    last_load.bytes.swap(bytes);
    return 1;
}

int func_save_formula_list_to_file()
{
    if (!func_create_directory(func_formulas_dir()))
        func_report_write_failure(func_formulas_dir(), errno);
    return func_save_formula_list_to_path(func_get_formula_list_path());
}

int func_save_formula_list_to_path(const std::string& path)
{
    std::vector<formula_record> records;
    GtkTreeIter iter;
    if (formula_list_store && gtk_tree_model_get_iter_first(model(), &iter)) {
        do {
            records.push_back(read_row(&iter));
        } while (gtk_tree_model_iter_next(model(), &iter));
    }
    if (!func_write_records(path, FORMULA_FILE, records, func_encode_formula_record)) {
        func_write_log(LOG_SYSERROR, "func_save_formula_list : Can't open file " + path + ".", 0);
        return 0;
    }
    return 1;
}

bool func_set_formula_row_totals(int number, int32_t step_count, int32_t total_time)
{
    GtkTreeIter iter;
    if (!find_row(number, &iter))
        return false;
    gtk_list_store_set(formula_list_store, &iter, FORMULA_COLUMN_STEP_COUNT, step_count, FORMULA_COLUMN_TOTAL_TIME,
                       total_time, -1);
    return true;
}

formula_snapshot* func_get_formula_list_from_liststore(bool active_only)
{
    auto* snapshot = new (std::nothrow) formula_snapshot();
    if (!snapshot) {
        func_write_log(
            LOG_SYSERROR,
            "func_get_formula_list_from_liststore : Error Allocating Buffer for Formula List", 0);
        return nullptr;
    }
    func_create_formula_list_store();
    func_sort_liststore(formula_list_store, FORMULA_COLUMN_NUMBER, GTK_SORT_ASCENDING);
    if (!last_sorted.valid || last_sorted.changes != store_changes) {
        last_sorted.records.clear();
        GtkTreeIter iter;
        if (gtk_tree_model_get_iter_first(model(), &iter)) {
            do {
                last_sorted.records.push_back(read_row(&iter));
            } while (gtk_tree_model_iter_next(model(), &iter));
        }
        last_sorted.valid = true;
        last_sorted.changes = store_changes;
    }
    if (!active_only) {
        snapshot->records = last_sorted.records;
        return snapshot;
    }
    for (const formula_record& record : last_sorted.records)
        if (record.active == 1)
            snapshot->records.push_back(record);
    return snapshot;
}

int func_find_formula_number(int number, bool active_only)
{
    std::unique_ptr<formula_snapshot> snapshot(func_get_formula_list_from_liststore(active_only));
    if (!snapshot)
        return -1;
    for (int i = 0; i < snapshot->count(); ++i)
        if (snapshot->records[i].number == number)
            return i;
    return -1;
}

int func_get_formula_count()
{
    return formula_list_store ? gtk_tree_model_iter_n_children(model(), nullptr) : 0;
}

bool func_formula_number_taken(int number)
{
    GtkTreeIter iter;
    return find_row(number, &iter);
}

int func_get_next_free_formula_number()
{
    // Numbers read from a file are not trusted: only 1 to 999 count.
    int highest = 0;
    GtkTreeIter iter;
    if (formula_list_store && gtk_tree_model_get_iter_first(model(), &iter)) {
        do {
            gint number = 0;
            gtk_tree_model_get(model(), &iter, FORMULA_COLUMN_NUMBER, &number, -1);
            if (number > highest && number <= FORMULA_LIST_MAX)
                highest = number;
        } while (gtk_tree_model_iter_next(model(), &iter));
    }
    for (int number = highest + 1; number <= FORMULA_LIST_MAX; ++number)
        if (!func_formula_number_taken(number))
            return number;
    // Past 999 no folder name or label fits: offer the first gap instead.
    for (int number = 1; number <= FORMULA_LIST_MAX; ++number)
        if (!func_formula_number_taken(number))
            return number;
    return FORMULA_LIST_MAX + 1;
}

void func_append_formula_row(const formula_record& record)
{
    func_create_formula_list_store();
    GtkTreeIter iter;
    gtk_list_store_append(formula_list_store, &iter);
    write_row(&iter, record);
}

void func_remove_formula_row(int number)
{
    GtkTreeIter iter;
    if (find_row(number, &iter))
        gtk_list_store_remove(formula_list_store, &iter);
}

void func_set_formula_row_number(int number, int new_number)
{
    GtkTreeIter iter;
    if (find_row(number, &iter))
        gtk_list_store_set(formula_list_store, &iter, FORMULA_COLUMN_NUMBER, new_number, -1);
}

formula_record* func_get_selected_formula_from_liststore_test(int number)
{
    GtkTreeIter iter;
    if (!find_row(number, &iter)) {
        char text[128];
        std::snprintf(text, sizeof text,
                      "func_get_selected_formula_from_liststore : No data for requested formula - "
                      "%03d",
                      number);
        func_write_log(LOG_SYSERROR, text, 0);
        return nullptr;
    }
    auto* record = new (std::nothrow) formula_record(read_row(&iter));
    if (!record)
        func_write_log(
            LOG_SYSERROR,
            "func_get_selected_formula_from_liststore : Error Allocating Buffer for formula", 0);
    return record;
}

int func_set_selected_formula_to_liststore_test(formula_record* record)
{
    if (!record) {
        func_write_log(LOG_SYSERROR,
                       "func_update_selected_formula_into_liststore : Error formula buffer is NULL",
                       0);
        return 0;
    }
    std::unique_ptr<formula_record> owned(record);
    GtkTreeIter iter;
    if (!find_row(record->number, &iter))
        return 0;
    write_row(&iter, *record);
    return func_save_formula_list_to_file();
}

int func_update_formula_list_liststore_test(formula_snapshot* snapshot)
{
    if (!snapshot) {
        func_write_log(LOG_SYSERROR,
                       "func_update_formula_list_liststore : Error formula list buffer is NULL", 0);
        return 0;
    }
    std::unique_ptr<formula_snapshot> owned(snapshot);
    for (const formula_record& record : snapshot->records) {
        GtkTreeIter iter;
        if (!find_row(record.number, &iter))
            continue;
        gtk_list_store_set(formula_list_store, &iter, FORMULA_COLUMN_NUMBER, record.number,
                           FORMULA_COLUMN_ACTIVE, record.active, FORMULA_COLUMN_NAME,
                           record.name.c_str(), -1);
    }
    return func_save_formula_list_to_file();
}

int func_delete_formula_steps(int number)
{
    if (number < 0)
        return 1;
    const int removed = func_remove_directory(func_get_formula_folder(number));
    func_sync_after_write();
    return removed;
}

int func_copy_formula_folder(int from, int to)
{
    // Whatever an earlier formula of this number left behind goes first,
    // so the copy holds exactly the source's steps and chemicals.
    if (!func_delete_formula_steps(to))
        return 0;
    const std::string folder = func_get_formula_folder(to);
    if (!func_create_directory(folder)) {
        func_report_write_failure(folder, errno);
        return 0;
    }
    DIR* source = opendir(func_get_formula_folder(from).c_str());
    if (!source)
        return 1;  // a formula without steps has nothing to copy
    closedir(source);
    return func_copy_directory_files(func_get_formula_folder(from), folder) ? 1 : 0;
}

int func_renumber_formula_folder(int from, int to)
{
    std::string source = func_get_formula_folder(from);
    std::string target = func_get_formula_folder(to);
    source.pop_back();
    target.pop_back();
    if (!func_delete_formula_steps(to))
        return 0;
    if (!func_create_directory(source)) {
        func_report_write_failure(source, errno);
        return 0;
    }
    if (func_file_io_ops().rename_file(source.c_str(), target.c_str()) != 0) {
        func_report_write_failure(target, errno);
        func_write_log(LOG_SYSERROR,
                       "func_process_change_formula_number : Can't rename folder " + source + " to " + target + ".", 0);
        return 0;
    }
    func_sync_after_write();
    return 1;
}

int func_get_formula_item_row(int item) { return item == 1 ? 0 : -1; }

std::string func_lookup_formula_name(int value, int item)
{
    return func_option_text_or_number(frm_lookup_table, frm_table_size, FRM_LOOKUP_WIDTH,
                                      func_get_formula_item_row(item), value);
}

int func_lookup_formula_index(const std::string& text, int item)
{
    return func_option_index_in_row(frm_lookup_table, frm_table_size, FRM_LOOKUP_WIDTH,
                                    func_get_formula_item_row(item), text);
}

void func_create_formula_list_store()
{
    if (formula_list_store)
        return;
    formula_list_store = gtk_list_store_new(5, G_TYPE_INT, G_TYPE_INT, G_TYPE_STRING, G_TYPE_INT, G_TYPE_INT);
    for (const char* signal : {"row-changed", "row-inserted", "row-deleted", "rows-reordered", "sort-column-changed"})
        g_signal_connect_swapped(formula_list_store, signal, G_CALLBACK(count_store_change), nullptr);
}
