#include "configuration/configuration_lookup.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "configuration/configuration_record.h"
#include "language/option_tables.h"

const int nominal_wash_rpm[MACHINE_TYPE_COUNT] = {30, 27, 27};
const int max_wash_rpm[MACHINE_TYPE_COUNT] = {38, 32, 32};
const int min_wash_rpm[MACHINE_TYPE_COUNT] = {10, 25, 25};
const int nominal_extract_rpm[MACHINE_TYPE_COUNT] = {664, 558, 541};
const int max_extract_rpm[MACHINE_TYPE_COUNT] = {664, 558, 541};
const int min_extract_rpm[MACHINE_TYPE_COUNT] = {200, 200, 200};
const int output_speed_limited[MACHINE_TYPE_COUNT] = {111, 111, 111};

namespace {
// Rows of cfg_lookup_table for items 0 to 53; later items have none.
constexpr int cfg_item_rows[] = {
    0,  1,  2,  6,  -1, 9,  3,  4,  -1, 5,  7,  7,  7,  7,  8,  7,  7,  -1,
    7,  7,  7,  -1, 7,  -1, -1, 7,  -1, -1, -1, -1, -1, -1, -1, -1, 7,  -1,
    -1, -1, -1, -1, 7,  -1, 7,  7,  7,  7,  7,  7,  7,  7,  -1, -1, 7,  7,
};
constexpr int cfg_item_row_count = sizeof cfg_item_rows / sizeof cfg_item_rows[0];
constexpr int cfg_table_size = sizeof cfg_lookup_table / sizeof cfg_lookup_table[0];

bool is_level_item(int item) { return item >= 26 && item <= 29; }
}  // namespace

int func_truncate_to_int(double value, int fallback)
{
    if (std::isnan(value) || value >= static_cast<double>(INT_MAX) + 1.0 ||
        value <= static_cast<double>(INT_MIN) - 1.0)
        return fallback;
    return static_cast<int>(value);
}

int func_get_machine_type_index()
{
    if (!current_machine_configuration)
        return 0;
    int type = func_truncate_to_int(current_machine_configuration->items[2], 0);
    return (type >= 0 && type < MACHINE_TYPE_COUNT) ? type : 0;
}

int func_get_cfg_item_row(int item)
{
    if (item < 0 || item >= cfg_item_row_count)
        return -1;
    return cfg_item_rows[item];
}

std::string func_lookup_cfg_name(double value, int item)
{
    int row = func_get_cfg_item_row(item);
    if (row >= 0) {
        // func_option_text gives "" for an index outside the row.
        int index = func_truncate_to_int(value, -1);
        return func_option_text(cfg_lookup_table, cfg_table_size, CFG_LOOKUP_WIDTH, row, index);
    }
    char text[64];
    if (is_level_item(item)) {
        if (!std::isfinite(value))
            return "";
        std::snprintf(text, sizeof text, "%1.1f", value / 100.0);
        return text;
    }
    std::snprintf(text, sizeof text, "%d", func_truncate_to_int(value, 0));
    return text;
}

double func_lookup_cfg_index(const std::string& text, int item)
{
    int row = func_get_cfg_item_row(item);
    if (row >= 0)
        return func_option_index(cfg_lookup_table, cfg_table_size, CFG_LOOKUP_WIDTH, row, text);
    if (is_level_item(item))
        return std::trunc(std::atof(text.c_str()) * 100.0);
    return -1;
}
