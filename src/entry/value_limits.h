// Titles, help lines and value checks of the data entry dialog's item
// codes. No widgets here: the dialog passes in the typed texts and shows
// what comes back.
#pragma once
#include <optional>
#include <string>
#include <vector>

// Field positions of the remote formula layout (items 26 to 32).
enum remote_formula_field {
    REMOTE_FORMULA = 0,
    REMOTE_CUSTOMER,
    REMOTE_EMPLOYEE,
    REMOTE_WEIGHT,
    REMOTE_PIECES,
    REMOTE_LOT,
    REMOTE_GROUP,
    REMOTE_FIELD_COUNT
};

// Title shown for the item ("" when the item has none).
std::string func_get_item_title(int item_code);

// Help line for the item on the screen with screen_code; std::nullopt means
// "keep the previous text" (items 10 and 11 away from the selected-step
// screen, unknown codes).
std::optional<std::string> func_get_item_help(int item_code, int screen_code);

// Title for the item on that screen: std::nullopt where the previous title
// stays (items 10 and 11 away from the selected-step screen, whose title
// is left as it was together with the help line).
std::optional<std::string> func_get_item_title_on_screen(int item_code, int screen_code);

// Number of typed fields the check reads: 3 for times, dates and the
// network, 2 for a new password and its repetition, 7 for the remote
// formula, 1 otherwise.
int func_get_item_field_count(int item_code);

// Checks the typed fields in screen order (missing fields count as empty).
// Returns -1 when accepted, otherwise the index of the first bad field with
// message set to the rejection text; message is left alone on acceptance.
int func_check_item_value(int item_code, const std::vector<std::string>& fields, std::string& message);

// The conversions the checks use. Whole numbers: leading decimal digits
// after optional blanks and sign, 0 for empty or non-numeric text,
// saturated far beyond the int range instead of wrapping. Decimals: the
// C library's float conversion in the current locale, single precision.
long long func_read_whole_number(const std::string& text);
float func_read_decimal_number(const std::string& text);
