#include "configuration/configuration_printout.h"

#include <cstdio>
#include <cstring>

#include "configuration/configuration_lookup.h"
#include "files/file_helpers.h"
#include "language/language.h"
#include "language/units.h"
#include "logs/log_file.h"

const char* const PRINT_CONFIGURATION_DONE_TEXT = "Configuration successfully printed to file.";
const char* const PRINT_CONFIGURATION_FAILED_TEXT = "There was a problem printing configuration to file.";

namespace {
constexpr int SLOT_CONFIGURATION = 177;

struct printed_item {
    int item;
    int label_slot;
};

// The configuration items on paper and their labels; inactive and
// Tidal Loop-only items stay off it.
constexpr printed_item CONFIGURATION_ITEMS[PRINT_CONFIGURATION_LINES] = {
    {0, 140},  {1, 130},  {2, 127},  {3, 540},  {5, 680},  {6, 543},  {7, 141},  {8, 147},  {9, 142},  {10, 85},
    {11, 144}, {12, 544}, {13, 545}, {14, 571}, {15, 572}, {16, 548}, {18, 550}, {19, 139}, {20, 573}, {22, 574},
    {25, 575}, {26, 133}, {27, 134}, {28, 135}, {29, 560}, {30, 561}, {31, 558}, {32, 559}, {33, 128}, {34, 557},
    {35, 565}, {36, 566}, {37, 562}, {38, 546}, {39, 564}, {40, 478}, {41, 567}, {42, 186}, {43, 568}, {44, 569},
    {45, 489}, {46, 490}, {47, 488}, {48, 491}, {49, 492}, {50, 671}, {56, 527}, {57, 528}, {58, 529},
};
// VEZ items 0 to 10 take language slots 611 to 621.
constexpr int VEZ_FIRST_LABEL_SLOT = 611;

constexpr int FILL_ERROR_TIME = 8, TANK_TEMP = 38;
constexpr int FIRST_LEVEL = 26, LAST_LEVEL = 29;

bool is_two_digit_number(int item)
{
    switch (item) {
    case 30: case 31: case 32: case 35: case 36: case 37: case 39: case 41: case 50: case 56: case 57: case 58:
        return true;
    default:
        return false;
    }
}

std::string number_text(const char* format, int value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string configuration_value(const machine_configuration& configuration, int item)
{
    if (item == CONFIGURATION_NAME_ITEM)
        return std::string(configuration.machine_name,
                           strnlen(configuration.machine_name, sizeof configuration.machine_name));
    // Stored floats may hold anything: NaN and huge values print as 0.
    const int value = func_truncate_to_int(configuration.items[item], 0);
    if (item == FILL_ERROR_TIME)
        return func_convert_seconds_to_time(value);
    if (item >= FIRST_LEVEL && item <= LAST_LEVEL) {
        char text[32];
        std::snprintf(text, sizeof text, "%1.1f", value / 100.0);
        return text;
    }
    if (is_two_digit_number(item))
        return number_text("%02d", value);
    if (item == TANK_TEMP) {
        const bool metric = func_truncate_to_int(configuration.items[0], 0) == 1;
        return number_text("%03d", value) + (metric ? "\u00b0 C" : "\u00b0 F");
    }
    return func_lookup_cfg_name(value, item);
}

std::string vez_value(const vez_configuration& vez, int item)
{
    switch (item) {
    case 1: case 2: case 8:
        return func_lookup_vez_cfg_name(vez.items[item], item);
    default:
        return number_text("%02d", vez.items[item]);
    }
}

void append_heading(std::string& text, const std::string& heading)
{
    func_append_print_rule(text, '#', PRINT_FORMULA_RULE_WIDTH);
    text += heading;
    text += '\n';
    func_append_print_rule(text, '#', PRINT_FORMULA_RULE_WIDTH);
}
}  // namespace

std::string func_build_configuration_printout(const machine_configuration& configuration, const vez_configuration& vez)
{
    std::string text;
    append_heading(text, p[SLOT_CONFIGURATION] + " ");
    text += '\n';
    for (const printed_item& printed : CONFIGURATION_ITEMS)
        func_format_print_line(text, p[printed.label_slot], configuration_value(configuration, printed.item));
    text += '\n';
    append_heading(text, "VEZ " + p[SLOT_CONFIGURATION]);
    for (int item = 0; item < PRINT_VEZ_LINES; ++item)
        func_format_print_line(text, p[VEZ_FIRST_LABEL_SLOT + item], vez_value(vez, item));
    return text;
}

print_result func_print_configuration(const std::string& destination_folder, const std::string& fallback_name)
{
    print_result result;
    // A missing VEZ file gets its zero record here, as when its screen opens.
    func_load_vez_configuration_from_file();
    machine_configuration configuration;
    if (current_machine_configuration)
        configuration = *current_machine_configuration;
    else
        func_set_default_configuration(configuration);
    const std::string text = func_build_configuration_printout(configuration, current_vez_configuration);

    std::string name = func_remove_filename_extension(func_get_configuration_filename());
    if (name.empty())
        name = fallback_name;
    result.ok = func_save_print_buffer_to_file(text, destination_folder, func_print_file_name(p[SLOT_CONFIGURATION], name),
                                               "func_save_print_formula_buffer", result.path);
    result.dialog_kind = result.ok ? PRINT_DIALOG_DONE : PRINT_DIALOG_PROBLEM;
    result.message = result.ok ? PRINT_CONFIGURATION_DONE_TEXT : PRINT_CONFIGURATION_FAILED_TEXT;
    return result;
}
