// The post-dry list of the loading variant: for a formula number, a dry
// code and a destination. 12-byte records in configuration/postdry.dat,
// at most 999, one per formula, kept in formula order.
#pragma once
#include <gtk/gtk.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t POST_DRY_RECORD_SIZE = 12;
constexpr int POST_DRY_LIST_MAX = 999;

struct post_dry_record {
    int32_t formula = 0;
    int32_t drycode = 0;
    int32_t destination = 0;
};

// The list as edited: three integer columns, formula, dry code, destination.
extern GtkListStore* post_dry_list_store;
void func_create_post_dry_store();

void func_encode_post_dry_record(const post_dry_record& record, unsigned char* bytes);
void func_decode_post_dry_record(const unsigned char* bytes, post_dry_record& record);
std::string func_get_post_dry_list_path();

// The file into the store (whole records, at most 999). 1 when opened;
// a missing file leaves the list empty and is not made.
int func_load_post_dry_list_from_file();
// The store, in formula order, into the file. 1 or 0.
int func_save_post_dry_list_to_file();

// The entries in formula order (the store is sorted first).
std::vector<post_dry_record> func_get_post_dry_list_from_liststore();
// Position of the formula's entry in formula order, -1 when it has none.
int func_find_formula_number_post_dry(int formula);
// Each record replaces the row of its formula number.
void func_update_post_dry_rows(const std::vector<post_dry_record>& records);
// A new entry (formula, 0, 0); false when the formula has one or the
// list is full.
bool func_append_post_dry_row(int formula);
// Removes the formula's entry; false when it has none.
bool func_remove_post_dry_row(int formula);
int func_get_post_dry_count();
