// Conversions between configuration item values and the texts on their
// buttons, the item -> option row map of the configuration screen, and
// the speed limits of each machine type.
#pragma once
#include <string>
#include <vector>

struct machine_configuration;

constexpr int MACHINE_TYPE_COUNT = 3;

// Indexed by func_get_machine_type_index().
extern const int nominal_wash_rpm[MACHINE_TYPE_COUNT];
extern const int max_wash_rpm[MACHINE_TYPE_COUNT];
extern const int min_wash_rpm[MACHINE_TYPE_COUNT];
extern const int nominal_extract_rpm[MACHINE_TYPE_COUNT];
extern const int max_extract_rpm[MACHINE_TYPE_COUNT];
extern const int min_extract_rpm[MACHINE_TYPE_COUNT];
extern const int output_speed_limited[MACHINE_TYPE_COUNT];

// Item 2 (Type) of current_machine_configuration truncated toward zero;
// a type outside 0..2 uses the speeds of type 2, the slowest machine.
int func_get_machine_type_index();

// Option row of cfg_lookup_table for a configuration item, -1 for items
// without one (numbers, levels, texts, inactive items, out of range).
int func_get_cfg_item_row(int item);

// Button text of an item value: option text for items with a row (the
// number when the value is not one of the row's entries), "%1.1f" of value / 100 for
// the levels 26 to 29, "%d" of the truncated value otherwise.
std::string func_lookup_cfg_name(double value, int item);

// Value of a button text: the option index (-1 when not in the row), the
// level times 100 truncated for items 26 to 29, -1 for every other item.
double func_lookup_cfg_index(const std::string& text, int item);

// value truncated toward zero; NaN and values beyond the int range give
// fallback, so stored garbage never causes undefined conversions.
int func_truncate_to_int(double value, int fallback = 0);

// Number of texts in an option row of cfg_lookup_table.
int func_get_cfg_row_length(int row);
// Items the screen never offers (they keep what the file holds).
bool func_cfg_item_inactive(int item);
// Puts the default into every item whose value is not a number or lies
// outside what the item can hold (an option beyond its row, a negative
// or huge number); the machine name is left alone. The items repaired.
std::vector<int> func_repair_configuration(machine_configuration& record);

// The water levels of a configuration (items 26 to 29) against each other
// and the limits of the unit in force: Level 1 to 3 may not fall, then
// each level's maximum, then its minimum, in that order.
enum level_problem { LEVELS_SOUND, LEVELS_OUT_OF_ORDER, LEVEL_ABOVE_MAXIMUM, LEVEL_BELOW_MINIMUM };
struct level_check {
    level_problem problem = LEVELS_SOUND;
    double limit = 0.0;  // the limit crossed, in units
};
level_check func_check_configuration_levels(const machine_configuration& record);
