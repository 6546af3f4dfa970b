// Titles, help lines and limits of the data entry dialog's item codes.
#include "entry/value_limits.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "frame/app_state.h"
#include "language/language.h"
#include "language/units.h"
#include "settings/network_settings.h"
#include "settings/passwords.h"
#include "settings/system_clock.h"

namespace {

// Help lines of the three-field and network layouts: blanks place each
// range under its field.
const char* const TIME_HELP = "     (0-23)               (0-59)                (0-59)  ";
const char* const DATE_HELP = "     (1-12)               (1-31)                (20xx)  ";
const char* const REMOTE_HELP =
    "(1-9999)  (0-9999)   (0-9999)    (0-9999)   (0-9999)   (0-9999)          (0-9999)";
const char* const NETWORK_TITLE = "IP ADDRESS";
const char* const NETWORK_HELP = "    (x.x.x.x)             (x.x.x.x)              (x.x.x.x)   ";

// Item 80's bound is kept in single precision like the value it limits.
constexpr float FLOW_RATE_MAX = 999.99f;

std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Sized to the result, so four full 199-character slots never get cut.
std::string format_text(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text;
    if (length > 0) {
        std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(length) + 1]);
        std::vsnprintf(buffer.get(), static_cast<size_t>(length) + 1, format, again);
        text.assign(buffer.get(), static_cast<size_t>(length));
    }
    va_end(again);
    return text;
}

const char* slot(int index) { return p[index].c_str(); }

struct number_range {
    double low;
    double high;
};

// One typed field: how it is read, the values it accepts (any range will
// do, or a check of the text itself) and what the operator is told when
// it is refused.
struct field_rule {
    bool decimal = false;
    std::vector<number_range> accepted;
    std::string message;
    bool (*text_accepted)(const std::string& text) = nullptr;
};

bool field_accepts(const field_rule& rule, const std::string& text)
{
    if (rule.text_accepted)
        return rule.text_accepted(text);
    if (rule.decimal) {
        float value = func_read_decimal_number(text);
        for (const number_range& range : rule.accepted)
            // Written so that NaN fails every range.
            if (value >= static_cast<float>(range.low) && value <= static_cast<float>(range.high))
                return true;
        return false;
    }
    long long value = func_read_whole_number(text);
    for (const number_range& range : rule.accepted)
        if (value >= static_cast<long long>(range.low) && value <= static_cast<long long>(range.high))
            return true;
    return false;
}

field_rule whole_rule(int low, int high, std::string message)
{
    return field_rule{false, {{static_cast<double>(low), static_cast<double>(high)}}, std::move(message)};
}

field_rule decimal_rule(double low, double high, std::string message)
{
    return field_rule{true, {{low, high}}, std::move(message)};
}

// What an item checks and which help line it shows; items without fields
// accept every text.
struct item_rules {
    std::vector<field_rule> fields;
    std::optional<std::string> help;
};

bool is_fahrenheit()
{
    // Only an exact 0 means Fahrenheit; no configuration counts as 0.
    return !current_machine_configuration || current_machine_configuration->items[0] == 0.0f;
}

item_rules temperature_rules(int item_code)
{
    const bool fahrenheit = is_fahrenheit();
    const std::string unit = func_get_temperature_unit_string();
    int low = 0, high = 0, help_text = 0, message_text = 0;
    if (item_code == 0) {
        low = fahrenheit ? 50 : 0;
        high = fahrenheit ? 205 : 96;
        help_text = 256;
        message_text = 201;
    } else {
        low = fahrenheit ? 32 : 0;
        high = fahrenheit ? 212 : 100;
        help_text = 518;
        message_text = 518;
    }
    field_rule rule = whole_rule(low, high,
                                 format_text("%s (%d°-%d° %s)!", slot(message_text), low, high, unit.c_str()));
    if (item_code == 0)
        rule.accepted.push_back({0, 0});  // 0: the step heats nothing
    return {{rule}, format_text("* %s (%d°-%d° %s) *", slot(help_text), low, high, unit.c_str())};
}

item_rules water_rules(int item_code, int text, int unit_kind)
{
    const double low = func_get_water_value_min_max(0, item_code);
    const double high = func_get_water_value_min_max(1, item_code);
    const std::string unit = func_get_water_unit_string(unit_kind);
    return {{decimal_rule(low, high, format_text("%s (%1.1f-%1.1f %s)", slot(text), low, high, unit.c_str()))},
            format_text("* %s (%1.1f-%1.1f %s) *", slot(text), low, high, unit.c_str())};
}

item_rules speed_rules(bool extract)
{
    const int type = func_get_machine_type_index();
    const int low = extract ? min_extract_rpm[type] : min_wash_rpm[type];
    const int high = extract ? max_extract_rpm[type] : max_wash_rpm[type];
    const char* what = slot(extract ? 116 : 114);
    return {{whole_rule(low, high, format_text("%s %s, (%03d - %03d RPM)", what, slot(386), low, high))},
            format_text("* %s (%03d - %03d RPM) *", slot(extract ? 258 : 257), low, high)};
}

// Items whose help line and message are the same "%s (%d-%d)!" text, or
// "%s (%d-%d %s)!" with a unit. Decimal ones are stored as decimals by
// their save action, so they are read the same way here: a typed 999.5
// must not slip past a 999 limit.
struct simple_range {
    int item_code;
    int text;
    int low;
    int high;
    int unit_text;  // -1: no unit
    bool decimal;
};

const simple_range SIMPLE_RANGES[] = {
    {52, 464, 0, 15, -1, false},  {53, 466, 0, 45, -1, false},    {58, 470, 0, 40, -1, false},
    {60, 465, 0, 20, -1, false},  {61, 472, 1, 9999, -1, false},  {62, 473, 0, 255, -1, false},
    {71, 517, 0, 999, -1, true},  {75, 532, 0, 999, -1, true},    {76, 533, 0, 999, -1, true},
    {77, 534, 0, 999, -1, true},  {78, 531, 0, 999, -1, true},    {79, 536, 0, 999, -1, true},
    {81, 604, 0, 255, -1, false}, {85, 603, 2, 20, -1, false},    {82, 605, 0, 99, 602, false},
    {83, 606, 0, 99, 602, false}, {84, 607, 0, 50, 602, false},   {86, 608, 0, 850, 247, false},
    {88, 609, 0, 255, 248, false}, {89, 610, 0, 255, 248, false},
};

item_rules simple_range_rules(const simple_range& range)
{
    std::string text = range.unit_text < 0
                           ? format_text("%s (%d-%d)!", slot(range.text), range.low, range.high)
                           : format_text("%s (%d-%d %s)!", slot(range.text), range.low, range.high,
                                         slot(range.unit_text));
    field_rule rule = range.decimal ? decimal_rule(range.low, range.high, text)
                                    : whole_rule(range.low, range.high, text);
    return {{rule}, text};
}

std::vector<field_rule> clock_time_fields()
{
    return {whole_rule(0, 23, p[202]), whole_rule(0, 59, p[203]), whole_rule(0, 59, p[204])};
}

std::vector<field_rule> date_fields()
{
    return {whole_rule(1, 12, p[197]), whole_rule(1, 31, p[198]),
            whole_rule(CLOCK_FIRST_YEAR, CLOCK_LAST_YEAR, p[199])};
}

field_rule text_rule(bool (*accepted)(const std::string&), int message_slot)
{
    field_rule rule;
    rule.text_accepted = accepted;
    rule.message = p[message_slot];
    return rule;
}

// A new password and its repetition: the first must fit its record (the
// two are compared when saved).
std::vector<field_rule> password_fields()
{
    return {text_rule(func_password_fits_record, 944), text_rule([](const std::string&) { return true; }, 944)};
}

// Address, netmask and gateway: checked before anything is written.
std::vector<field_rule> network_fields()
{
    return {text_rule([](const std::string& text) { return func_is_ipv4_address(text) && text != "0.0.0.0"; }, 945),
            text_rule([](const std::string& text) { return func_is_ipv4_netmask(text) && text != "0.0.0.0"; }, 956),
            text_rule(func_is_ipv4_address, 957)};
}

std::vector<field_rule> remote_formula_fields()
{
    struct remote_field {
        int text;
        int low;
        int high;
    };
    // In screen order; the help line shows 9999 for the formula and the
    // weight, but those two are held to 999.
    const remote_field FIELDS[REMOTE_FIELD_COUNT] = {
        {186, 1, 999}, {489, 0, 9999}, {490, 0, 9999}, {488, 0, 999},
        {491, 0, 9999}, {492, 0, 9999}, {671, 0, 9999},
    };
    std::vector<field_rule> rules;
    for (const remote_field& field : FIELDS)
        rules.push_back(whole_rule(field.low, field.high,
                                   format_text("%s %s (%d-%d)!", slot(field.text), slot(648), field.low,
                                               field.high)));
    return rules;
}

// Formula numbers typed to change, find or go to a formula.
item_rules formula_number_rules(int help_text)
{
    return {{whole_rule(1, 999, format_text("%s (%d-%d)!", slot(200), 1, 999))}, p[help_text]};
}

item_rules rules_for(int item_code)
{
    for (const simple_range& range : SIMPLE_RANGES)
        if (range.item_code == item_code)
            return simple_range_rules(range);

    switch (item_code) {
    case 0:
    case 72:
        return temperature_rules(item_code);
    case 1:
        return {{}, p[251]};
    case 2:
        return {{}, p[259]};
    case 3:
    case 4:
    case 5:
    case 9:
    case 17:
    case 41:
        return {clock_time_fields(), std::string(TIME_HELP)};
    case 6:
    case 7:
        return water_rules(item_code, 501, 1);
    case 8:
        return {{}, p[260]};
    case 10:
        return speed_rules(false);
    case 11:
        return speed_rules(true);
    case 12:
        return {{}, p[250]};
    case 13:
    case 14:
    case 15:
    case 16:
        return water_rules(item_code, 205, 0);
    case 19:
    case 20:
        return {{}, p[264]};
    case 23:
        return formula_number_rules(252);
    case 24:
        return {{}, p[254]};
    case 25:
        return {{}, p[255]};
    case 26:
    case 27:
    case 28:
    case 29:
    case 30:
    case 31:
    case 32:
        return {remote_formula_fields(), std::string(REMOTE_HELP)};
    case 34:
    case 35:
        // The range is only shown: post-dry values have always been taken
        // as typed, and saving formats them as "%03d" whatever they are.
        return {{}, format_text("%s (%d-%d)!", slot(item_code == 34 ? 632 : 633), 0, 999)};
    case 37:
    case 38:
    case 39:
        return {password_fields(), std::nullopt};
    case 40:
        return {date_fields(), std::string(DATE_HELP)};
    case 43:
        return {network_fields(), std::string(NETWORK_HELP)};
    // A post-dry entry is made for a formula number a folder could have.
    case 33:
    case 49:
    case 50:
    case 51:
        return formula_number_rules(253);
    case 54:
    case 55: {
        // The message has no blank before the range; the help line has one.
        const int text = item_code == 54 ? 567 : 671;
        const int high = item_code == 54 ? 255 : 999;
        return {{whole_rule(0, high,
                            format_text("%s %s %s(%d-%d)!", slot(478), slot(text), slot(648), 0, high))},
                format_text("%s %s %s (%d-%d)!", slot(478), slot(text), slot(648), 0, high)};
    }
    case 57: {
        std::string text = format_text("%s (%d-%d %s | %d-%d %s)", slot(469), 1, 4094, slot(474), 5001,
                                       9094, slot(475));
        field_rule rule = whole_rule(1, 4094, text);
        rule.accepted.push_back({5001, 9094});
        return {{rule}, text};
    }
    case 63:
        return water_rules(item_code, 476, 0);
    case 73:
    case 74: {
        const char* text = slot(item_code == 73 ? 519 : 520);
        return {{decimal_rule(0, 100, format_text("%s (%d-%d%% )!", text, 0, 100))},
                format_text("%s (%d-%d%%)!", text, 0, 100)};
    }
    case 80:
        return {{decimal_rule(0.0, FLOW_RATE_MAX,
                              format_text("%s (%1.1f-%1.1f)", slot(538), 0.0, double(FLOW_RATE_MAX)))},
                format_text("%s (%1.1f-%1.1f)!", slot(538), 0.0, double(FLOW_RATE_MAX))};
    case 92:
    case 93:
    case 94:
    case 95:
    case 96:
    case 97:
    case 98:
    case 99: {
        const std::string title = func_get_item_title(item_code);
        std::string text = format_text("%s %s (%d-%d)!", title.c_str(), slot(648), 0, 999);
        return {{whole_rule(0, 999, text)}, text};
    }
    default:
        return {};
    }
}

struct title_slot {
    int first;
    int last;
    int text;
};

const title_slot TITLE_SLOTS[] = {
    {0, 0, 228},   {1, 1, 223},   {2, 2, 231},   {3, 3, 232},   {4, 4, 387},   {5, 5, 388},
    {6, 6, 500},   {7, 7, 499},   {8, 8, 233},   {9, 9, 234},   {10, 10, 229}, {11, 11, 230},
    {12, 12, 222}, {13, 16, 238}, {17, 17, 237}, {19, 20, 241}, {21, 21, 242}, {23, 23, 224},
    {24, 24, 226}, {25, 25, 227}, {33, 33, 627}, {34, 34, 630}, {35, 35, 631}, {37, 39, 219},
    {40, 40, 220}, {41, 41, 221}, {44, 46, 242}, {49, 51, 225}, {52, 52, 453}, {53, 53, 456},
    {54, 54, 567}, {55, 55, 671}, {57, 57, 459}, {58, 58, 460}, {60, 60, 455}, {61, 61, 462},
    {62, 62, 463}, {63, 63, 458}, {71, 71, 522}, {72, 72, 523}, {73, 73, 524}, {74, 74, 525},
    {75, 75, 527}, {76, 76, 528}, {77, 77, 529}, {78, 78, 526}, {79, 79, 535}, {80, 80, 454},
    {81, 81, 585}, {82, 82, 587}, {83, 83, 588}, {84, 84, 589}, {85, 85, 590}, {86, 86, 591},
    {88, 88, 592}, {89, 89, 593}, {92, 92, 186}, {93, 93, 568}, {94, 94, 569}, {95, 95, 489},
    {96, 96, 490}, {97, 97, 488}, {98, 98, 491}, {99, 99, 492},
};

// Password kind whose encoded form an item shows, and the text shown when
// that password is empty.
struct password_help {
    int item_code;
    int kind;
    int fallback_text;
};

const password_help PASSWORD_HELPS[] = {
    {21, PASSWORD_MANUAL, 265},  {37, PASSWORD_CONFIGURE, 249}, {38, PASSWORD_PROGRAM, 249},
    {39, PASSWORD_MANUAL, 249},  {44, PASSWORD_CONFIGURE, 265}, {45, PASSWORD_PROGRAM, 265},
    {46, PASSWORD_CONFIGURE, 265},
};

std::string encoded_password_help(const password_help& help)
{
    // Read from the file, not the record in memory: the line shows what
    // is stored.
    std::unique_ptr<password_record> record(func_get_encoded_password(help.kind));
    if (!record || record->second_text.empty())
        return p[help.fallback_text];
    return format_text("[%s]", record->second_text.c_str());
}

bool is_speed_item(int item_code) { return item_code == 10 || item_code == 11; }

}  // namespace

long long func_read_whole_number(const std::string& text)
{
    // strtoll saturates instead of wrapping, so a long string of digits
    // stays far outside every limit.
    return std::strtoll(text.c_str(), nullptr, 10);
}

float func_read_decimal_number(const std::string& text) { return std::strtof(text.c_str(), nullptr); }

std::string func_get_item_title(int item_code)
{
    if (item_code >= 26 && item_code <= 32)
        return format_text("%s %s", slot(670), slot(186));
    if (item_code == 43)
        return NETWORK_TITLE;
    for (const title_slot& title : TITLE_SLOTS)
        if (item_code >= title.first && item_code <= title.last)
            return p[title.text];
    return "";
}

std::optional<std::string> func_get_item_title_on_screen(int item_code, int screen_code)
{
    if (is_speed_item(item_code) && screen_code != SCREEN_SELECTED_STEP)
        return std::nullopt;
    return func_get_item_title(item_code);
}

std::optional<std::string> func_get_item_help(int item_code, int screen_code)
{
    if (is_speed_item(item_code) && screen_code != SCREEN_SELECTED_STEP)
        return std::nullopt;
    for (const password_help& help : PASSWORD_HELPS)
        if (help.item_code == item_code)
            return encoded_password_help(help);
    return rules_for(item_code).help;
}

int func_get_item_field_count(int item_code)
{
    switch (item_code) {
    case 3:
    case 4:
    case 5:
    case 9:
    case 17:
    case 40:
    case 41:
    case 43:
        return 3;
    case 37:
    case 38:
    case 39:
        return 2;
    default:
        return (item_code >= 26 && item_code <= 32) ? REMOTE_FIELD_COUNT : 1;
    }
}

int func_check_item_value(int item_code, const std::vector<std::string>& fields, std::string& message)
{
    const std::vector<field_rule> rules = rules_for(item_code).fields;
    static const std::string empty;
    for (size_t index = 0; index < rules.size(); ++index) {
        const std::string& text = index < fields.size() ? fields[index] : empty;
        if (!field_accepts(rules[index], text)) {
            message = rules[index].message;
            return static_cast<int>(index);
        }
    }
    // A day the month does not have (30 February) is no date.
    if (item_code == 40 && fields.size() >= 3 &&
        !func_valid_clock_date(static_cast<int>(func_read_whole_number(fields[2])),
                               static_cast<int>(func_read_whole_number(fields[0])),
                               static_cast<int>(func_read_whole_number(fields[1])))) {
        message = p[953];
        return 1;
    }
    return -1;
}
