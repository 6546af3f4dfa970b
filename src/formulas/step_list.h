// The steps of one formula: 152-byte records in the formula's steps.dat,
// held in list order while the formula is edited (the rows below),
// snapshots, option texts, and the conversions of older files.
#pragma once
#include <gtk/gtk.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t STEP_RECORD_SIZE = 152;
constexpr size_t STEP_RECORD_21_SIZE = 108;
constexpr size_t STEP_NAME_SIZE = 52;
constexpr int STEP_ITEM_COUNT = 24;
constexpr int STEP_LIST_MAX = 99;

enum step_item {
    STEP_TYPE = 0,
    STEP_TIME = 1,
    STEP_TEMPERATURE = 2,
    STEP_HOT = 3,
    STEP_COLD = 4,
    STEP_THIRD_WATER = 5,
    STEP_LEVEL = 6,
    STEP_STEAM = 7,
    STEP_CHEMICALS = 8,
    STEP_RPM = 9,
    STEP_DRAIN_TYPE = 10,
    STEP_REUSE_DRAIN = 11,
    STEP_HOW_TO_END = 12,
    STEP_ON_TIME = 13,
    STEP_OFF_TIME = 14,
    STEP_START_LIQUOR = 15,
    STEP_END_LIQUOR = 16,
    STEP_FILL_FROM_TANK = 17,
    STEP_RECIRCULATE = 18,
};

// Step types (item 0).
enum step_type {
    STEP_END_FORMULA = 0,
    STEP_ONE_WAY_WASH = 1,
    STEP_TWO_WAY_WASH = 2,
    STEP_SOAK_WASH = 3,
    STEP_STAGED_EXTRACT = 4,
    STEP_STANDARD_EXTRACT = 5,
};

struct step_record {
    int32_t number = 0;
    std::string name;  // cut to 51 bytes at a character boundary on disk
    int32_t items[STEP_ITEM_COUNT] = {};
};

struct step_snapshot {
    std::vector<step_record> records;
    int count() const { return static_cast<int>(records.size()); }
};

// Byte layouts. The file holds temperatures in Fahrenheit; these do not convert.
void func_encode_step_record(const step_record& record, unsigned char* bytes);
void func_decode_step_record(const unsigned char* bytes, step_record& record);
void func_decode_step_record_21(const unsigned char* bytes, step_record& record);

// "<formulas>/f-%03d/steps.dat" and "<formulas>/f-%03d/s-%03d_chems.dat".
std::string func_get_step_file_path(int formula);
std::string func_get_step_chemicals_path(int formula, int step);

// The Chemical setting (item 8) of one step in the formula's steps.dat,
// changing nothing else in the file (the step list as edited is not
// saved). 1 when the file was written.
int func_set_step_chemical_count(int formula, int step, int count);

// Start-up's: the rows start empty (they are a plain vector now; the
// name stays for the callers that create every list at start).
void func_create_step_list_store();

// Rows of the formula being edited <-> records.
step_record func_get_step_row(int row);
void func_set_step_row(int row, const step_record& record);
void func_append_step_row(const step_record& record);
void func_insert_step_row(int row, const step_record& record);
void func_remove_step_row(int row);
void func_remove_all_step_rows();
int func_get_step_row_count();
// Row holding that step number, -1 when none.
int func_find_step_row(int number);

// The formula's steps into the rows (temperatures in Celsius when
// metric). 1 when at least one step was read.
int func_load_step_list_from_file(int formula, bool metric);
// The rows into the formula's steps.dat (temperatures back to
// Fahrenheit when metric), then its step count and total time into
// formulas.dat. 1 when both files were written.
int func_save_step_list_to_file(int formula, bool metric);
step_snapshot* func_get_step_list_from_liststore();
step_record* func_get_selected_step_from_liststore_test(int number);
void func_set_selected_step_to_liststore_test(step_record* record);
// Sets the names of the snapshot's steps and saves. Takes ownership.
int func_update_step_list_liststore_test(int formula, bool metric, step_snapshot* snapshot);

// Option row of stp_lookup_table for a step item, -1 for items without options.
int func_get_step_item_row(int item);
std::string func_lookup_step_name(int value, int item);
int func_lookup_step_index(const std::string& text, int item);
int func_is_a_cooldown_step(int hot, int cold, int third_water, int temperature, int type);
// The same for a given unit system (the one above reads the configuration).
int func_is_a_cooldown_step_in(int hot, int cold, int third_water, int temperature, int type, bool metric);

int func_load_step_list_from_file_21(int formula);
// The 2.1 load for a given value of the NO_PROGRAMMABLE_RPM switch.
int func_load_step_list_from_file_21_with(int formula, int no_programmable_rpm);
// What the 2.1 load does to one decoded record besides the temperature.
void func_convert_step_record_21(step_record& record, int no_programmable_rpm);
int func_save_step_list_to_file_21(int formula);
// Converts every formula of the list; returns how many were converted.
int func_convert_formulas_21();
// new_unit: 0 inches, 1 centimetres.
int func_load_step_list_from_file_water(int formula, int new_unit);
int func_save_step_list_to_file_water(int formula);
int func_convert_formulas_water(int new_unit);
// One level converted as the unit change does (single precision, truncated).
int func_convert_level_to_unit(int level, int new_unit, int metric_in_force);
