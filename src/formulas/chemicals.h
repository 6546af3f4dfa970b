// The chemical injections of a step (fifteen 72-byte records in
// "f-%03d/s-%03d_chems.dat"), the machine's chemical valves (fifteen
// 60-byte records in configuration/chem_valves_flow_rate.dat) and the
// chemical names they share, one 750-byte block per language in
// formulas/L<language>_default_chemical_names.dat.
#pragma once
#include <gtk/gtk.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int CHEMICAL_COUNT = 15;
constexpr size_t CHEMICAL_RECORD_SIZE = 72;
constexpr size_t CHEMICAL_VALVE_RECORD_SIZE = 60;
constexpr size_t CHEMICAL_NAME_SIZE = 50;  // in the names block; 52 in the records
constexpr size_t CHEMICAL_NAMES_BLOCK_SIZE = CHEMICAL_COUNT * CHEMICAL_NAME_SIZE;

// When a chemical is injected (inject_when).
enum chemical_moment { INJECT_WITH_FILL = 0, INJECT_LEVEL_OK = 1, INJECT_LEVEL_AND_TEMP = 2 };

struct chemical_record {
    int32_t number = 0;  // 1 to 15
    std::string name;    // from the names block
    int32_t active = 0;
    int32_t inject_when = 0;
    int32_t duration = 0;  // seconds
    int32_t signal = 0;
};

struct chemical_valve_record {
    int32_t valve = 0;  // 1 to 15
    std::string name;
    float inject_rate = 0;  // tenths of the unit shown (12.5 shown is 125.0)
};

// The names block: name i belongs to chemical and valve i + 1.
extern std::string default_chemical_names[CHEMICAL_COUNT];
// The chemicals of the step being edited and the valves, as edited.
extern GtkListStore* chemical_list_store;         // number, active, name, inject when, duration, signal
extern GtkListStore* chemical_valves_list_store;  // valve, name, rate
void func_create_chemical_stores();

void func_encode_chemical_record(const chemical_record& record, unsigned char* bytes);
void func_decode_chemical_record(const unsigned char* bytes, chemical_record& record);
void func_encode_chemical_valve_record(const chemical_valve_record& record, unsigned char* bytes);
void func_decode_chemical_valve_record(const unsigned char* bytes, chemical_valve_record& record);

// "<formulas>/L<language>_default_chemical_names.dat" and the valve file.
std::string func_get_default_chemical_names_path(int language);
std::string func_get_chemical_valves_path();

// The names of a language into the block. A missing or short file gives
// "Chemical 01" to "Chemical 15" (language slot 155); an entry without
// its NUL ends at 49 bytes. 1 when the file could be opened.
int func_load_default_chemical_names_from_file(int language);
// The block into the language's names file. 1, or 0 after logging.
int func_save_default_chemical_names_to_file(int language);

// The step's chemicals into chemical_list_store (at most 15, names from
// the block). Without a file: fifteen chemicals, all off; returns 0.
int func_load_chemical_list_from_file(int formula, int step);
// The store into the step's chemical file, the names into the block, and
// the number of chemicals switched on into the step's Chemical setting
// (in steps.dat and in the step list, if it holds the step). 1 when both
// files were written; when the chemical file cannot be written nothing
// else changes.
int func_save_chemical_list_to_file(int formula, int step);

// The valves into chemical_valves_list_store. A missing file is made at
// once with fifteen valves of rate 0 (returns 0).
int func_load_chemical_valves_list_from_file();
// The store into the valve file and the names into the block. 1 or 0.
int func_save_chemical_valves_list_to_file();

// Rows of the stores, in order.
std::vector<chemical_record> func_get_chemical_rows();
void func_set_chemical_rows(const std::vector<chemical_record>& records);
std::vector<chemical_valve_record> func_get_chemical_valve_rows();
void func_set_chemical_valve_rows(const std::vector<chemical_valve_record>& records);

// Option rows of chm_lookup_table by item (1 active, 3 inject when,
// 5 signal; -1 for the others) and the texts of values.
int func_get_chemical_item_row(int item);
std::string func_lookup_chemical_name(int value, int item);
int func_lookup_chemical_index(const std::string& text, int item);
// Which field a chemicals-screen button edits, from its widget name:
// 1 active, 2 name, 3 inject when, 4 duration, 5 signal, 0 other.
int func_get_chemical_item_index(const char* widget_name);
