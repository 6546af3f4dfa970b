// Option rows and label tables shown on the screens. Each is compiled
// with English texts and refreshed from the language array p by
// func_init_language_array. Option tables are flat: row r, choice c is
// entry r * width + c; a row ends at its first empty text.
#pragma once
#include <string>

// Row widths of the option tables. Batch data: row 0 loading or
// discharging, row 1 the yes/no pair. The power-up menu is one row.
enum lookup_width {
    CFG_LOOKUP_WIDTH = 11, VEZ_LOOKUP_WIDTH = 9, FRM_LOOKUP_WIDTH = 8, STP_LOOKUP_WIDTH = 9, CHM_LOOKUP_WIDTH = 4,
    MANUAL_BTN_LOOKUP_WIDTH = 5, VEZ_BATCH_LOOKUP_WIDTH = 4, VEZ_POWER_UP_LOOKUP_WIDTH = 8
};

extern std::string cfg_lookup_table[112];
extern std::string vez_lookup_table[32];
extern std::string vez_batch_lookup_table[8];
extern std::string vez_power_up_lookup_table[8];
extern std::string frm_lookup_table[8];
extern std::string stp_lookup_table[120];
extern std::string chm_lookup_table[16];
extern std::string manual_btn_lookup_table[40];
extern std::string machine_error_table[40];
extern std::string machine_status_table[18];
extern std::string vez_warning_table[6];
extern std::string config_selections_label_value[64];
extern std::string vez_selections_label_value[19];
extern std::string post_dry_selections_label_value[3];
extern std::string step_item_selections_label_value[24];
extern std::string a2d_selections_header[12];
extern std::string a2d_selections_value[48];
extern std::string d2a_selections_value[24];
extern std::string input_label[64];
extern std::string output_label[128];

// Puts every table back to its compiled English texts.
void func_reset_option_tables();

// Text of choice `index` in row `row` of a flat table of the given width
// and total size; "" when the index lies outside the row or past its end
// (never reads outside the table).
const std::string& func_option_text(const std::string* table, int table_size, int width, int row,
                                    int index);
// Index of text in the row (exact match), -1 when absent.
int func_option_index(const std::string* table, int table_size, int width, int row,
                      const std::string& text);

// An item's value as its button shows it: the option text of its row, or
// the number itself ("%d") for items without a row (row < 0).
std::string func_option_text_or_number(const std::string* table, int table_size, int width, int row, int value);
// The value a button's text stands for: its index in the row, -1 when it
// is not there or the item has no row.
int func_option_index_in_row(const std::string* table, int table_size, int width, int row, const std::string& text);
