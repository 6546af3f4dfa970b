// The formula list: 68-byte records in formulas/formulas.dat, mirrored in
// formula_list_store (number, active, name, step count, total time), and
// the sorted snapshots through which the rest of the console reads it.
#pragma once
#include <gtk/gtk.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t FORMULA_RECORD_SIZE = 68;
constexpr size_t FORMULA_NAME_SIZE = 52;
constexpr int FORMULA_LIST_MAX = 999;

// The list as the console holds it (unsorted until a snapshot is taken).
extern GtkListStore* formula_list_store;
// Creates formula_list_store once.
void func_create_formula_list_store();

// formula_list_store columns.
enum formula_column {
    FORMULA_COLUMN_NUMBER = 0,
    FORMULA_COLUMN_ACTIVE = 1,
    FORMULA_COLUMN_NAME = 2,
    FORMULA_COLUMN_STEP_COUNT = 3,
    FORMULA_COLUMN_TOTAL_TIME = 4,
};

struct formula_record {
    int32_t number = 0;
    std::string name;  // cut to 51 bytes at a character boundary on disk
    int32_t active = 0;
    int32_t step_count = 0;
    int32_t total_time = 0;  // seconds
};

// Copies of the list's records in ascending number order.
struct formula_snapshot {
    std::vector<formula_record> records;
    int count() const { return static_cast<int>(records.size()); }
};

void func_encode_formula_record(const formula_record& record, unsigned char* bytes);
void func_decode_formula_record(const unsigned char* bytes, formula_record& record);

// Full path of formulas.dat and of a formula's folder "f-%03d/".
std::string func_get_formula_list_path();
std::string func_get_formula_folder(int number);

// Refills the store from the file (whole records only, at most 999).
// 1 when the file was opened, 0 otherwise.
int func_load_formula_list_from_file();
// Replaces the file with the store's rows. 1, or 0 after logging.
int func_save_formula_list_to_file();
// The same into another file (a change being prepared).
int func_save_formula_list_to_path(const std::string& path);
// Step count and total time of the formula's row, not saved. False when
// no row has that number.
bool func_set_formula_row_totals(int number, int32_t step_count, int32_t total_time);

// New snapshot (caller deletes) of all formulas, or only the active ones.
// nullptr only when memory runs out.
formula_snapshot* func_get_formula_list_from_liststore(bool active_only = false);
// Position of the formula with that number in such a snapshot; -1 when
// absent.
int func_find_formula_number(int number, bool active_only = false);
// Number of formulas in the store.
int func_get_formula_count();
// True when a formula has that number.
bool func_formula_number_taken(int number);
// The number the add and copy dialogs offer: one past the highest, or
// the first free one when that would pass 999.
int func_get_next_free_formula_number();
// Rows of the store: a new one at the end, the one with that number
// removed, its number changed.
void func_append_formula_row(const formula_record& record);
void func_remove_formula_row(int number);
void func_set_formula_row_number(int number, int new_number);
// New copy of the row with that number (caller deletes), or nullptr.
formula_record* func_get_selected_formula_from_liststore_test(int number);
// Writes the record into the row of the same number and saves. Takes
// ownership. 1 when saved.
int func_set_selected_formula_to_liststore_test(formula_record* record);
// Sets name, number and active flag of each record's row, saves. Takes
// ownership. 1 when saved.
int func_update_formula_list_liststore_test(formula_snapshot* snapshot);
// Removes the formula's folder and its files; -1 does nothing. 1 when the
// folder is gone, 0 when something could not be removed (reported).
int func_delete_formula_steps(int number);

// The folder of formula `to` becomes a copy of formula `from`'s (whatever
// was there first goes). 1, or 0 after the failure was reported.
int func_copy_formula_folder(int from, int to);
// Formula from's folder becomes formula to's (whatever was there goes).
int func_renumber_formula_folder(int from, int to);

// Option row of frm_lookup_table for an item of the formulas screen:
// 0 for item 1 (the active flag), -1 for the others.
int func_get_formula_item_row(int item);
// Item texts: item 1 converts through its row; everything else prints
// the value ("%d") or gives -1.
std::string func_lookup_formula_name(int value, int item);
int func_lookup_formula_index(const std::string& text, int item);
