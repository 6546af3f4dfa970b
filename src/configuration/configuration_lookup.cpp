#include "configuration/configuration_lookup.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "configuration/configuration_record.h"
#include "language/option_tables.h"
#include "language/units.h"

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

// What a file may hold before an item's value counts as damaged: language
// numbers 0 to 10; machine types up to 255 (service types beyond the
// table are kept); durations up to a day; numbers up to what a button shows.
constexpr double LANGUAGE_NUMBER_LIMIT = 11.0;
constexpr double MACHINE_TYPE_LIMIT = 256.0;
constexpr double SECONDS_LIMIT = 86399.0;
constexpr double NUMBER_LIMIT = 99999.0;
constexpr double INACTIVE_VALUE_LIMIT = 1.0e6;
constexpr int SLOWEST_MACHINE_TYPE = 2;
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
    int type = func_truncate_to_int(current_machine_configuration->items[2], -1);
    // A type the table does not know (the service types) takes the slowest
    // machine's speeds, so no step asks more than any known drum allows.
    return (type >= 0 && type < MACHINE_TYPE_COUNT) ? type : SLOWEST_MACHINE_TYPE;
}

int func_get_cfg_row_length(int row)
{
    if (row < 0 || (row + 1) * CFG_LOOKUP_WIDTH > cfg_table_size)
        return 0;
    int length = 0;
    while (length < CFG_LOOKUP_WIDTH && !cfg_lookup_table[row * CFG_LOOKUP_WIDTH + length].empty())
        ++length;
    return length;
}

std::vector<int> func_repair_configuration(machine_configuration& record)
{
    machine_configuration defaults;
    func_set_default_configuration(defaults);
    std::vector<int> repaired;
    for (int item = 0; item < CONFIGURATION_ITEM_COUNT; ++item) {
        if (item == CONFIGURATION_NAME_ITEM)
            continue;
        const double value = record.items[item];
        const int row = func_get_cfg_item_row(item);
        bool sound = std::isfinite(value);
        if (sound && item == 1)
            sound = value >= 0.0 && value < LANGUAGE_NUMBER_LIMIT;
        else if (sound && item == 2)
            sound = value >= 0.0 && value < MACHINE_TYPE_LIMIT;
        else if (sound && row >= 0)
            sound = value >= 0.0 && value < func_get_cfg_row_length(row);
        else if (sound && func_cfg_item_inactive(item))
            sound = std::fabs(value) <= INACTIVE_VALUE_LIMIT;
        else if (sound)
            sound = value >= 0.0 && value <= (item == 8 ? SECONDS_LIMIT : NUMBER_LIMIT);
        if (!sound) {
            record.items[item] = defaults.items[item];
            repaired.push_back(item);
        }
    }
    return repaired;
}

bool func_cfg_item_inactive(int item)
{
    return item == 4 || item == 17 || item == 21 || item == 23 || item == 24 || item == 25;
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
    char text[64];
    if (row >= 0) {
        const int index = func_truncate_to_int(value, -1);
        const std::string& option = func_option_text(cfg_lookup_table, cfg_table_size, CFG_LOOKUP_WIDTH, row, index);
        if (!option.empty())
            return option;
        // A value without a text of its own (a service machine type) shows
        // as the number, which also reads back as itself.
    }
    if (is_level_item(item)) {
        if (!std::isfinite(value))
            return "";
        std::snprintf(text, sizeof text, "%1.1f", value / 100.0);
        return text;
    }
    // Items typed with a decimal keep a typed fraction on their button;
    // "%d" would drop it when the page is read back.
    if (std::isfinite(value) && value != std::trunc(value) && std::fabs(value) < 1.0e6) {
        std::snprintf(text, sizeof text, "%1.1f", value);
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

level_check func_check_configuration_levels(const machine_configuration& record)
{
    const int codes[4] = {13, 14, 15, 63};  // the data entry codes of items 26 to 29
    float level[4];
    for (int i = 0; i < 4; ++i)
        level[i] = static_cast<float>(record.items[26 + i] / 100.0);
    level_check check;
    if (level[2] < level[1] || level[2] < level[0] || level[1] < level[0]) {
        check.problem = LEVELS_OUT_OF_ORDER;
        return check;
    }
    for (int i = 0; i < 4; ++i) {
        const double maximum = func_get_water_value_min_max(1, codes[i]);
        if (level[i] > maximum)
            return {LEVEL_ABOVE_MAXIMUM, maximum};
    }
    for (int i = 0; i < 4; ++i) {
        const double minimum = func_get_water_value_min_max(0, codes[i]);
        if (level[i] < minimum)
            return {LEVEL_BELOW_MINIMUM, minimum};
    }
    return check;
}
