#include "formulas/step_rules.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/build_switches.h"
#include "files/shell_runner.h"
#include "files/write_failures.h"
#include "language/language.h"
#include "language/units.h"

namespace {
// Configuration items that say which equipment the machine has.
constexpr int CFG_TEMP_UNIT = 0;
constexpr int CFG_REUSE_DRAIN = 11;
constexpr int CFG_OVERHEAD_TANK = 12;
constexpr int CFG_FLOW_METERS = 13;
constexpr int CFG_RECIRCULATION = 16;
constexpr int CFG_TEMP_PROBE = 19;

constexpr int DRAIN_DO_NOT_DRAIN = 2;
constexpr int EXTRACT_MIN_SECONDS = 60;
constexpr int DEFAULT_ON_SECONDS = 20;
constexpr int DEFAULT_OFF_SECONDS = 3;
// Language slots of the check messages.
constexpr int SLOT_FIRST_STEP_WATER = 272;
constexpr int SLOT_COOLDOWN_FIRST = 273;
constexpr int SLOT_COOLDOWN_AFTER_EXTRACT = 274;
constexpr int SLOT_COOLDOWN_AFTER_DRAIN = 275;
constexpr int SLOT_COOLDOWN_WARMER = 276;
constexpr int SLOT_COOLDOWN_LEVEL = 277;
constexpr int SLOT_TEMPERATURE_WINDOW = 384;
constexpr int SLOT_DRAIN_BEFORE_EXTRACT = 397;

bool is_extract(int type) { return type > STEP_SOAK_WASH; }

void set(step_form& form, int item, int value) { form.values[item] = value; }
void lock(step_form& form, int item) { form.editable[item] = false; }
void unlock(step_form& form, int item) { form.editable[item] = true; }

std::string unit_text(const step_rules_context& context) { return context.metric ? "C" : "F"; }

int machine_index(const step_rules_context& context)
{
    return (context.machine_type >= 0 && context.machine_type < MACHINE_TYPE_COUNT) ? context.machine_type : 0;
}

// A speed outside the machine's range for washing or extracting becomes
// the machine's nominal speed.
int limited_speed(int rpm, int type, const step_rules_context& context)
{
    const int machine = machine_index(context);
    if (is_extract(type))
        return (rpm < min_extract_rpm[machine] || rpm > max_extract_rpm[machine]) ? nominal_extract_rpm[machine] : rpm;
    return (rpm < min_wash_rpm[machine] || rpm > max_wash_rpm[machine]) ? nominal_wash_rpm[machine] : rpm;
}

// Hundredths of a decimal text ("6.5" -> 650), cut after two decimals.
// Read from the digits, so "8.2" gives 820 and not a binary 819.99.
int hundredths_of(const std::string& text)
{
    size_t at = 0;
    while (at < text.size() && isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    long long value = 0;
    while (at < text.size() && isdigit(static_cast<unsigned char>(text[at])) && value < 100000000)
        value = value * 10 + (text[at++] - '0');
    value *= 100;
    // The label is printed in the console's locale: either separator.
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        ++at;
        int scale = 10;
        while (at < text.size() && isdigit(static_cast<unsigned char>(text[at])) && scale > 0) {
            value += (text[at++] - '0') * scale;
            scale /= 10;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

void lock_extract_step(step_form& form, const step_rules_context& context)
{
    unlock(form, STEP_TIME);
    if (form.values[STEP_TIME] < EXTRACT_MIN_SECONDS)
        set(form, STEP_TIME, EXTRACT_MIN_SECONDS);
    if (context.programmable_speed) {
        set(form, STEP_RPM, limited_speed(form.values[STEP_RPM], STEP_STANDARD_EXTRACT, context));
        form.speed_item_code = 11;
    }
    for (int item : {STEP_TEMPERATURE, STEP_HOT, STEP_COLD, STEP_THIRD_WATER, STEP_LEVEL, STEP_STEAM,
                     STEP_CHEMICALS, STEP_DRAIN_TYPE, STEP_ON_TIME, STEP_OFF_TIME, STEP_START_LIQUOR,
                     STEP_END_LIQUOR, STEP_FILL_FROM_TANK, STEP_RECIRCULATE}) {
        set(form, item, 0);
        lock(form, item);
    }
    if (context.programmable_speed) {
        unlock(form, STEP_RPM);
    } else {
        set(form, STEP_RPM, 0);
        lock(form, STEP_RPM);
        form.speed_item_code = 0;
    }
    if (context.reuse_drain == 0) {
        set(form, STEP_REUSE_DRAIN, 0);
        lock(form, STEP_REUSE_DRAIN);
    }
}

void lock_wash_step(step_form& form, int type, const step_rules_context& context)
{
    const bool soak = type == STEP_SOAK_WASH;
    if (soak) {
        set(form, STEP_ON_TIME, 0);
        set(form, STEP_OFF_TIME, 0);
    } else {
        if (form.values[STEP_ON_TIME] == 0)
            set(form, STEP_ON_TIME, DEFAULT_ON_SECONDS);
        if (form.values[STEP_OFF_TIME] == 0)
            set(form, STEP_OFF_TIME, DEFAULT_OFF_SECONDS);
    }
    for (int item = STEP_TIME; item <= STEP_CHEMICALS; ++item)
        unlock(form, item);
    for (int item : {STEP_DRAIN_TYPE, STEP_REUSE_DRAIN, STEP_START_LIQUOR, STEP_END_LIQUOR, STEP_FILL_FROM_TANK,
                     STEP_RECIRCULATE})
        unlock(form, item);

    form.speed_item_code = context.programmable_speed ? 10 : 0;
    if (soak) {
        for (int item : {STEP_RPM, STEP_ON_TIME, STEP_OFF_TIME})
            lock(form, item);
        set(form, STEP_RPM, 0);
    } else {
        for (int item : {STEP_RPM, STEP_ON_TIME, STEP_OFF_TIME})
            unlock(form, item);
        if (context.programmable_speed)
            set(form, STEP_RPM, limited_speed(form.values[STEP_RPM], type, context));
    }

    if (context.temp_probe == 0) {
        set(form, STEP_TEMPERATURE, 0);
        lock(form, STEP_TEMPERATURE);
        set(form, STEP_STEAM, 0);
        lock(form, STEP_STEAM);
    }
    if (context.flow_meters == 0) {
        lock(form, STEP_START_LIQUOR);
        lock(form, STEP_END_LIQUOR);
    }
    if (context.reuse_drain == 0) {
        set(form, STEP_REUSE_DRAIN, 0);
        lock(form, STEP_REUSE_DRAIN);
    } else {
        unlock(form, STEP_REUSE_DRAIN);
    }
    if (context.overhead_tank == 0) {
        set(form, STEP_FILL_FROM_TANK, 0);
        lock(form, STEP_FILL_FROM_TANK);
    }
    if (context.recirculation == 0) {
        set(form, STEP_RECIRCULATE, 0);
        lock(form, STEP_RECIRCULATE);
    }

    // A cooldown step cools with water only. The configuration gate above
    // stays in force for Re-Use Drain whatever the step turns out to be.
    const int* values = form.values;
    if (func_is_a_cooldown_step_in(values[STEP_HOT], values[STEP_COLD], values[STEP_THIRD_WATER],
                                   values[STEP_TEMPERATURE], type, context.metric)) {
        set(form, STEP_STEAM, 0);
        lock(form, STEP_STEAM);
    }
}

std::string slot_text(int slot) { return p[slot]; }
}  // namespace

step_rules_context func_get_step_rules_context()
{
    step_rules_context context;
    context.programmable_speed = NO_PROGRAMMABLE_RPM == 0;
    context.machine_type = func_get_machine_type_index();
    if (const machine_configuration* configuration = current_machine_configuration) {
        context.metric = func_truncate_to_int(configuration->items[CFG_TEMP_UNIT], 0) == 1;
        context.temp_probe = configuration->items[CFG_TEMP_PROBE];
        context.flow_meters = configuration->items[CFG_FLOW_METERS];
        context.reuse_drain = configuration->items[CFG_REUSE_DRAIN];
        context.overhead_tank = configuration->items[CFG_OVERHEAD_TANK];
        context.recirculation = configuration->items[CFG_RECIRCULATION];
    }
    return context;
}

bool func_apply_step_lockout(step_form& form, int type, const step_rules_context& context)
{
    switch (type) {
    case STEP_END_FORMULA:
    case STEP_STAGED_EXTRACT:
    case STEP_STANDARD_EXTRACT:
        lock_extract_step(form, context);
        return true;
    case STEP_ONE_WAY_WASH:
    case STEP_TWO_WAY_WASH:
    case STEP_SOAK_WASH:
        lock_wash_step(form, type, context);
        return false;
    default:
        return false;
    }
}

int func_check_step_form(const step_form& form, int step_number, int step_count, const step_record* previous,
                         const step_record* next, const step_rules_context& context, std::string& message)
{
    const int type = form.values[STEP_TYPE];
    const int steam = form.values[STEP_STEAM];
    const int hot = form.values[STEP_HOT];
    const int cold = form.values[STEP_COLD];
    const int third = form.values[STEP_THIRD_WATER];
    const int drain = form.values[STEP_DRAIN_TYPE];
    const int temperature = form.values[STEP_TEMPERATURE];
    const int level = form.values[STEP_LEVEL];

    const int low = context.metric ? 0 : 50;
    const int high = context.metric ? 96 : 205;
    if ((steam != 0 || hot > 1 || cold > 1 || third > 1) && (temperature < low || temperature > high)) {
        char text[512];
        std::snprintf(text, sizeof text, "%s (%03d\u00b0 - %03d\u00b0 %s)", slot_text(SLOT_TEMPERATURE_WINDOW).c_str(),
                      low, high, unit_text(context).c_str());
        message = text;
        return 0;
    }
    const bool wash = type >= STEP_ONE_WAY_WASH && type <= STEP_SOAK_WASH;
    if (step_number == 1 && wash && hot == 0 && cold == 0 && third == 0) {
        message = slot_text(SLOT_FIRST_STEP_WATER);
        return 0;
    }
    if (is_extract(type) && step_number != 1) {
        if (previous && previous->items[STEP_DRAIN_TYPE] == DRAIN_DO_NOT_DRAIN) {
            message = slot_text(SLOT_DRAIN_BEFORE_EXTRACT);
            return 0;
        }
    } else if (drain == DRAIN_DO_NOT_DRAIN && step_number != step_count) {
        if (next && is_extract(next->items[STEP_TYPE])) {
            message = slot_text(SLOT_DRAIN_BEFORE_EXTRACT);
            return 0;
        }
    }
    if (func_is_a_cooldown_step_in(hot, cold, third, temperature, type, context.metric)) {
        if (step_number == 1) {
            message = slot_text(SLOT_COOLDOWN_FIRST);
            return 0;
        }
        if (!previous)
            return 1;
        int slot = 0;
        if (is_extract(previous->items[STEP_TYPE]))
            slot = SLOT_COOLDOWN_AFTER_EXTRACT;
        else if (previous->items[STEP_DRAIN_TYPE] != DRAIN_DO_NOT_DRAIN)
            slot = SLOT_COOLDOWN_AFTER_DRAIN;
        else if (temperature > previous->items[STEP_TEMPERATURE])
            slot = SLOT_COOLDOWN_WARMER;
        else if (previous->items[STEP_LEVEL] <= 4 && level < previous->items[STEP_LEVEL])
            slot = SLOT_COOLDOWN_LEVEL;
        if (slot) {
            message = slot_text(slot);
            return 0;
        }
    }
    return 1;
}

int func_cooldown_step_adjustment(const step_record& step)
{
    const int* items = step.items;
    if (!func_is_a_cooldown_step(items[STEP_HOT], items[STEP_COLD], items[STEP_THIRD_WATER], items[STEP_TEMPERATURE],
                                 items[STEP_TYPE]) ||
        step.number <= 1)
        return -1;
    const int row = func_find_step_row(step.number - 1);
    if (row < 0)
        return -1;
    const step_record previous = func_get_step_row(row);
    return previous.items[STEP_TEMPERATURE] >= items[STEP_TEMPERATURE] ? previous.items[STEP_TEMPERATURE] : -1;
}

int func_delete_step_chemicals(int formula, int step_number)
{
    if (step_number < 0 || formula < 0)
        return 1;
    // A step without chemicals has no file: nothing to report then.
    const std::string path = func_get_step_chemicals_path(formula, step_number);
    if (func_file_io_ops().unlink_file(path.c_str()) != 0 && errno != ENOENT) {
        func_report_write_failure(path, errno);
        return 0;
    }
    func_sync_after_write();
    return 1;
}

std::string func_step_value_text(int value, int item, int type, const step_rules_context& context)
{
    char text[64];
    switch (item) {
    case STEP_TIME:
    case STEP_ON_TIME:
    case STEP_OFF_TIME:
        return func_convert_seconds_to_time(value);
    case STEP_TEMPERATURE:
        std::snprintf(text, sizeof text, "%03d\u00b0 %s", value, unit_text(context).c_str());
        return text;
    case STEP_LEVEL:
        if (value > 100) {
            std::snprintf(text, sizeof text, "%1.1f", value / 100.0);
            return text;
        }
        return func_lookup_step_name(value, item);
    case STEP_RPM:
        if (!context.programmable_speed)
            return func_lookup_step_name(value > 4 ? 0 : value, item);
        // A soak step does not turn: its locked speed shows as none.
        std::snprintf(text, sizeof text, "%03d",
                      (type == STEP_SOAK_WASH && value == 0) ? 0 : limited_speed(value, type, context));
        return text;
    default:
        return func_lookup_step_name(value, item);
    }
}

int func_step_value_from_text(const std::string& text, int item, int type, const step_rules_context& context)
{
    switch (item) {
    case STEP_TIME:
    case STEP_ON_TIME:
    case STEP_OFF_TIME:
        return func_convert_time_to_seconds(text);
    case STEP_TEMPERATURE:
        return std::atoi(text.c_str());
    case STEP_RPM:
        if (context.programmable_speed)
            return limited_speed(std::atoi(text.c_str()), type, context);
        break;
    default:
        break;
    }
    const int option = func_lookup_step_index(text, item);
    if (option >= 0)
        return option;
    return item == STEP_LEVEL ? hundredths_of(text) : std::atoi(text.c_str());
}

int func_limit_step_type_options(int count, int step_number, int previous_type, int next_type)
{
    if (step_number == 1 || previous_type > 3 || next_type > 3)
        return count < 4 ? count : 4;
    return count;
}

int func_limit_probe_options(int count, float temp_probe_item)
{
    return (temp_probe_item < 1.0f && count > 2) ? 2 : count;
}

int func_limit_drain_type_options(int count) { return count < 6 ? count : 6; }

int func_limit_reuse_drain_options(int count, float reuse_drain_item)
{
    return (reuse_drain_item == 0.0f && count > 1) ? 1 : count;
}
