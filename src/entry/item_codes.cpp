#include "entry/item_codes.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <map>

#include "entry/value_limits.h"
#include "files/record_bytes.h"
#include "language/units.h"

namespace {
// Longest names the records hold (formula and step names, machine name;
// chemical names are shorter).
constexpr size_t NAME_FIELD_BYTES = 51;
constexpr size_t CHEMICAL_NAME_BYTES = 49;

std::map<int, item_save_action> actions;
std::map<int, item_proposal> proposals;

bool in(int code, std::initializer_list<int> codes)
{
    for (int each : codes)
        if (each == code)
            return true;
    return false;
}

bool between(int code, int low, int high) { return code >= low && code <= high; }

std::string formatted(const char* format, long long value)
{
    char text[64];
    snprintf(text, sizeof text, format, static_cast<int>(value));
    return text;
}

std::string field(const std::vector<std::string>& fields, size_t index)
{
    return index < fields.size() ? fields[index] : std::string();
}
}  // namespace

item_layout func_get_item_layout(int code)
{
    if (in(code, {0, 6, 7, 10, 11, 13, 14, 15, 23, 52, 53, 54, 55, 57, 58, 60, 61, 62, 63, 88, 89}) ||
        between(code, 71, 78) || between(code, 80, 86) || between(code, 92, 99))
        return LAYOUT_NUMBER;
    if (in(code, {16, 24, 25, 33, 34, 35, 49, 50, 51, 79}))
        return LAYOUT_EMPTY_NUMBER;
    if (in(code, {3, 4, 5, 9, 17}))
        return LAYOUT_TIME;
    if (code == 40)
        return LAYOUT_DATE;
    if (code == 41)
        return LAYOUT_CLOCK;
    if (code == 43)
        return LAYOUT_NETWORK;
    if (between(code, 26, 32))
        return LAYOUT_REMOTE_FORMULA;
    if (in(code, {37, 38, 39}))
        return LAYOUT_PASSWORD;
    if (in(code, {21, 44, 45, 46}))
        return LAYOUT_HIDDEN_TEXT;
    return LAYOUT_TEXT;
}

std::string func_format_item_text(int code, const std::vector<std::string>& fields)
{
    const std::string value = field(fields, 0);
    if (in(code, {0, 72}))
        return formatted("%03d\u00b0 ", func_read_whole_number(value)) + func_get_temperature_unit_string();
    if (in(code, {1, 2, 12}))
        return func_cut_text_utf8(value, NAME_FIELD_BYTES);
    if (code == 8)
        return func_cut_text_utf8(value, CHEMICAL_NAME_BYTES);
    if (in(code, {3, 4, 5, 9, 17})) {
        // Typed fields are bounded before the arithmetic: their limits are
        // checked elsewhere, and any digits may arrive here.
        const auto part = [&fields](size_t index) {
            return std::clamp<long long>(func_read_whole_number(field(fields, index)), -100000, 100000);
        };
        const long long seconds = part(0) * 3600 + part(1) * 60 + part(2);
        return func_convert_seconds_to_time(static_cast<int>(seconds));
    }
    if (in(code, {6, 7, 13, 14, 15, 16, 63, 71, 73, 74, 75, 76, 77, 78})) {
        char text[64];
        snprintf(text, sizeof text, "%1.1f", static_cast<double>(func_read_decimal_number(value)));
        return text;
    }
    if (in(code, {10, 11, 34, 35}))
        return formatted("%03d", func_read_whole_number(value));
    if (code == 57)
        return formatted("%d", func_read_whole_number(value));
    return value;
}

void func_register_item_action(int item_code, item_save_action action) { actions[item_code] = action; }

item_save_action func_get_item_action(int item_code)
{
    auto found = actions.find(item_code);
    return found == actions.end() ? nullptr : found->second;
}

void func_register_item_proposal(int item_code, item_proposal proposal) { proposals[item_code] = proposal; }

item_proposal func_get_item_proposal(int item_code)
{
    auto found = proposals.find(item_code);
    return found == proposals.end() ? nullptr : found->second;
}
