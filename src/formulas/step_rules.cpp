#include "formulas/step_rules.h"

#include <cstdio>
#include <cstdlib>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/shell_runner.h"
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

void set_option(step_form& form, int item, int value) { form.labels[item] = func_lookup_step_name(value, item); }
void set_seconds(step_form& form, int item, int seconds) { form.labels[item] = func_convert_seconds_to_time(seconds); }
void lock(step_form& form, int item) { form.editable[item] = false; }
void unlock(step_form& form, int item) { form.editable[item] = true; }

int option_of(const step_form& form, int item) { return func_lookup_step_index(form.labels[item], item); }
int seconds_of(const step_form& form, int item) { return func_convert_time_to_seconds(form.labels[item]); }
int number_of(const std::string& text) { return std::atoi(text.c_str()); }
// The temperature label starts with the three digits of "%03d° F".
int temperature_of(const step_form& form) { return number_of(form.labels[STEP_TEMPERATURE].substr(0, 3)); }

std::string unit_text(const step_rules_context& context) { return context.metric ? "C" : "F"; }

std::string temperature_text(int degrees, const step_rules_context& context)
{
    char text[32];
    std::snprintf(text, sizeof text, "%03d\u00b0 %s", degrees, unit_text(context).c_str());
    return text;
}

std::string speed_text(int speed)
{
    char text[16];
    std::snprintf(text, sizeof text, "%03d", speed);
    return text;
}

int machine_index(const step_rules_context& context)
{
    return (context.machine_type >= 0 && context.machine_type < MACHINE_TYPE_COUNT) ? context.machine_type : 0;
}

// The speed on the form kept within the limits, else the nominal speed.
void limit_speed(step_form& form, int low, int high, int nominal)
{
    int speed = number_of(form.labels[STEP_RPM]);
    if (speed < low || speed > high)
        speed = nominal;
    form.labels[STEP_RPM] = speed_text(speed);
}

void lock_extract_step(step_form& form, const step_rules_context& context)
{
    const int index = machine_index(context);
    unlock(form, STEP_TIME);
    if (seconds_of(form, STEP_TIME) < EXTRACT_MIN_SECONDS)
        set_seconds(form, STEP_TIME, EXTRACT_MIN_SECONDS);
    if (context.programmable_speed) {
        limit_speed(form, min_extract_rpm[index], max_extract_rpm[index], nominal_extract_rpm[index]);
        form.speed_item_code = 11;
    }
    form.labels[STEP_TEMPERATURE] = temperature_text(0, context);
    lock(form, STEP_TEMPERATURE);
    for (int item : {STEP_HOT, STEP_COLD, STEP_THIRD_WATER, STEP_LEVEL, STEP_STEAM}) {
        set_option(form, item, 0);
        lock(form, item);
    }
    form.labels[STEP_CHEMICALS] = "0";
    lock(form, STEP_CHEMICALS);
    if (context.programmable_speed) {
        unlock(form, STEP_RPM);
    } else {
        set_option(form, STEP_RPM, 0);
        lock(form, STEP_RPM);
        form.speed_item_code = 0;
    }
    set_option(form, STEP_DRAIN_TYPE, 0);
    lock(form, STEP_DRAIN_TYPE);
    if (context.reuse_drain == 0) {
        set_option(form, STEP_REUSE_DRAIN, 0);
        lock(form, STEP_REUSE_DRAIN);
    }
    for (int item : {STEP_ON_TIME, STEP_OFF_TIME}) {
        set_seconds(form, item, 0);
        lock(form, item);
    }
    for (int item : {STEP_START_LIQUOR, STEP_END_LIQUOR}) {
        form.labels[item] = "0";
        lock(form, item);
    }
    for (int item : {STEP_FILL_FROM_TANK, STEP_RECIRCULATE}) {
        set_option(form, item, 0);
        lock(form, item);
    }
}

void lock_wash_step(step_form& form, int type, const step_rules_context& context)
{
    const bool soak = type == STEP_SOAK_WASH;
    if (soak) {
        set_seconds(form, STEP_ON_TIME, 0);
        set_seconds(form, STEP_OFF_TIME, 0);
    } else {
        if (seconds_of(form, STEP_ON_TIME) == 0)
            set_seconds(form, STEP_ON_TIME, DEFAULT_ON_SECONDS);
        if (seconds_of(form, STEP_OFF_TIME) == 0)
            set_seconds(form, STEP_OFF_TIME, DEFAULT_OFF_SECONDS);
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
        form.labels[STEP_RPM] = "000";
    } else {
        for (int item : {STEP_RPM, STEP_ON_TIME, STEP_OFF_TIME})
            unlock(form, item);
        if (context.programmable_speed) {
            const int index = machine_index(context);
            limit_speed(form, min_wash_rpm[index], max_wash_rpm[index], nominal_wash_rpm[index]);
        }
    }

    if (context.temp_probe == 0) {
        form.labels[STEP_TEMPERATURE] = temperature_text(0, context);
        lock(form, STEP_TEMPERATURE);
        set_option(form, STEP_STEAM, 0);
        lock(form, STEP_STEAM);
    }
    if (context.flow_meters == 0) {
        lock(form, STEP_START_LIQUOR);
        lock(form, STEP_END_LIQUOR);
    }
    if (context.reuse_drain == 0) {
        set_option(form, STEP_REUSE_DRAIN, 0);
        lock(form, STEP_REUSE_DRAIN);
    } else {
        unlock(form, STEP_REUSE_DRAIN);
    }
    if (context.overhead_tank == 0) {
        set_option(form, STEP_FILL_FROM_TANK, 0);
        lock(form, STEP_FILL_FROM_TANK);
    }
    if (context.recirculation == 0) {
        set_option(form, STEP_RECIRCULATE, 0);
        lock(form, STEP_RECIRCULATE);
    }

    // A cooldown step cools with water only. The configuration gate above
    // stays in force for Re-Use Drain whatever the step turns out to be.
    if (func_is_a_cooldown_step_in(option_of(form, STEP_HOT), option_of(form, STEP_COLD),
                                   option_of(form, STEP_THIRD_WATER), temperature_of(form), type, context.metric)) {
        set_option(form, STEP_STEAM, 0);
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
    const int type = option_of(form, STEP_TYPE);
    const int steam = option_of(form, STEP_STEAM);
    const int hot = option_of(form, STEP_HOT);
    const int cold = option_of(form, STEP_COLD);
    const int third = option_of(form, STEP_THIRD_WATER);
    const int drain = option_of(form, STEP_DRAIN_TYPE);
    const int temperature = temperature_of(form);
    const int level = option_of(form, STEP_LEVEL);

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

void func_delete_step_chemicals(int step_number)
{
    const int formula = func_get_selected_formula_number();
    if (step_number < 0 || formula < 0)
        return;
    // A step without chemicals has no file: nothing to report then.
    func_file_io_ops().unlink_file(func_get_step_chemicals_path(formula, step_number).c_str());
    func_sync_after_write();
}
