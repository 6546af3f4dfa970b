// The machine configuration: a 292-byte record (52-byte name and sixty
// single-precision items), its file in configuration/, the one-row
// configure_list_store and the heap copy the rest of the console reads.
#pragma once
#include <gtk/gtk.h>

#include <string>

constexpr size_t CONFIGURATION_RECORD_SIZE = 292;
constexpr size_t CONFIGURATION_NAME_SIZE = 52;
constexpr int CONFIGURATION_ITEM_COUNT = 60;
constexpr int CONFIGURATION_NAME_ITEM = 33;

struct machine_configuration {
    char machine_name[CONFIGURATION_NAME_SIZE];
    float items[CONFIGURATION_ITEM_COUNT];
};

// Never null after start-up: holds the defaults when nothing was loaded.
extern machine_configuration* current_machine_configuration;
// The record as edited: one row, column i item i (33 the machine name).
extern GtkListStore* configure_list_store;
// Item 25 of the loaded record: the run screen's water-reuse layout.
extern int TIDAL_LOOP;
// Creates configure_list_store once.
void func_create_configuration_store();

void func_encode_configuration(const machine_configuration& record, unsigned char* bytes);
void func_decode_configuration(const unsigned char* bytes, machine_configuration& record);
// All items 0 except 8 = 300, 26 = 800, 27 = 900, 28 = 1000; name = slot 395.
void func_set_default_configuration(machine_configuration& record);

// First entry of the configuration folder whose name contains ".cfg",
// or "" when there is none (the folder is created when missing).
std::string func_get_configuration_filename();
int func_load_configuration_from_file();
int func_save_configuration_to_file();
// Writes record to the configuration file atomically; only then does it
// become the store's row and current_machine_configuration. 1 or 0.
int func_save_configuration(const machine_configuration& record);
// New record from the store's first row; with no row, the defaults.
machine_configuration* func_get_configuration_from_liststore();
// Writes the record into the store's row, saves, and frees the record.
void func_update_configuration_liststore_test(machine_configuration* record);
void func_sort_liststore(GtkListStore* store, int column, GtkSortType order);
// The language of the loaded configuration (item 1), 0 when the item
// holds no language number (outside 0 to 10 or not a number).
int func_get_language_number();
// True when the loaded configuration uses metric units (item 0 is 1).
bool func_metric_units();
// Replaces current_machine_configuration from the store.
void func_refresh_current_configuration();
