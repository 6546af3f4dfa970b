// The VEZ configuration: nineteen signed 32-bit items (the first fourteen
// edited by the operator), one 76-byte record in its own file in
// configuration/, and the copy the rest of the console reads. Files of
// the older 44-byte layout (items 0 to 10) are converted on load.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t VEZ_RECORD_SIZE = 76, VEZ_OLD_RECORD_SIZE = 44;
constexpr int VEZ_ITEM_COUNT = 19, VEZ_SHOWN_ITEMS = 14;

struct vez_configuration {
    int32_t items[VEZ_ITEM_COUNT];
};

// What the rest of the console reads; all zero until a file is loaded.
extern vez_configuration current_vez_configuration;

// Item i at byte 4 * i, little-endian.
void func_encode_vez_configuration(const vez_configuration& record, unsigned char* bytes);
// size is 76, or 44 for the older layout; whatever whole items the bytes
// hold are taken and the rest are zero.
void func_decode_vez_configuration(const unsigned char* bytes, size_t size, vez_configuration& record);

// The smallest name (byte order) in the configuration folder containing
// ".vez", skipping folders and the atomic writer's temporaries; "" when
// there is none. The folder is created when missing.
std::string func_get_vez_configuration_filename();

// 1 when a record was loaded into current_vez_configuration (a 44-byte
// file is converted first). A missing file gets a zero record written
// and 0. A file of any other size, or unreadable, is logged and left as
// it is, current_vez_configuration becomes zeros, 0.
int func_load_vez_configuration_from_file();

// Replaces the file (or writes "configuration.vez") with the record.
// 1 and current_vez_configuration := record; 0 after a syserror.log line,
// the old file whole.
int func_save_vez_configuration(const vez_configuration& record);

// 1 when the console's version file names a version outside 5.0.028 to
// 5.9.999 (files older than that may hold the 44-byte layout); 0 when it
// is inside or there is no version file.
int func_convert_vez_configuration_required();
// 1 when a 44-byte file was rewritten as 76 bytes (items 11 to 18 zero);
// 0 for any other file. A missing file gets the zero record, as on load.
int func_convert_vez_configuration_50027_to_50028();

// Row of vez_lookup_table holding the item's choices: 1 for item 1, 2
// (NO/YES) for items 2, 8, 11, 12, 13, -1 for the rest.
int func_get_vez_item_row(int item);
// Button text of a value: the row's text at the value truncated toward
// zero; "%d" of the value (clamped to the int range, NaN as 0) for items
// without a row and for values that are not a choice of the row.
std::string func_lookup_vez_cfg_name(double value, int item);
// Index of the first choice equal to text, -1 when none or no row.
double func_lookup_vez_cfg_index(const std::string& text, int item);
