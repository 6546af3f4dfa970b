// Lockout and validation of a step as the selected-step screen shows it:
// forced labels, editable buttons, the configuration gates, both speed
// variants, and the checks with their messages.
#include <gtest/gtest.h>

#include <cstdio>

#include "formulas/step_list.h"
#include "formulas/step_rules.h"
#include "language/units.h"
#include "support/core_data_fixture.h"

namespace {
const char* const DEGREES = "\u00b0";

std::string text_of(const char* pattern, int value)
{
    char text[32];
    snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string temperature_label(int degrees, const char* unit = "F")
{
    return text_of("%03d", degrees) + DEGREES + " " + unit;
}

// The labels the selected-step screen writes for a step, all buttons sensitive.
step_form form_of(const step_record& step, bool programmable_speed = true)
{
    step_form form;
    const int* items = step.items;
    for (int item : {STEP_TYPE, STEP_HOT, STEP_COLD, STEP_THIRD_WATER, STEP_LEVEL, STEP_STEAM, STEP_DRAIN_TYPE,
                     STEP_REUSE_DRAIN, STEP_HOW_TO_END, STEP_FILL_FROM_TANK, STEP_RECIRCULATE})
        form.labels[item] = func_lookup_step_name(items[item], item);
    for (int item : {STEP_TIME, STEP_ON_TIME, STEP_OFF_TIME})
        form.labels[item] = func_convert_seconds_to_time(items[item]);
    form.labels[STEP_TEMPERATURE] = temperature_label(items[STEP_TEMPERATURE]);
    form.labels[STEP_CHEMICALS] = text_of("%d", items[STEP_CHEMICALS]);
    form.labels[STEP_RPM] = programmable_speed ? text_of("%03d", items[STEP_RPM])
                                               : func_lookup_step_name(items[STEP_RPM], STEP_RPM);
    form.labels[STEP_START_LIQUOR] = text_of("%d", items[STEP_START_LIQUOR]);
    form.labels[STEP_END_LIQUOR] = text_of("%d", items[STEP_END_LIQUOR]);
    for (bool& editable : form.editable)
        editable = true;
    return form;
}

step_record step_of(int type, int time = 300)
{
    step_record step;
    step.items[STEP_TYPE] = type;
    step.items[STEP_TIME] = time;
    return step;
}

// A wash step using everything the form can show.
step_record busy_wash()
{
    step_record step = step_of(STEP_ONE_WAY_WASH, 30);
    step.items[STEP_TEMPERATURE] = 140;
    step.items[STEP_HOT] = 1;
    step.items[STEP_LEVEL] = 1;
    step.items[STEP_STEAM] = 2;
    step.items[STEP_CHEMICALS] = 2;
    step.items[STEP_RPM] = 30;
    step.items[STEP_DRAIN_TYPE] = 2;
    step.items[STEP_REUSE_DRAIN] = 1;
    step.items[STEP_HOW_TO_END] = 4;
    step.items[STEP_ON_TIME] = 20;
    step.items[STEP_OFF_TIME] = 3;
    step.items[STEP_START_LIQUOR] = 5;
    step.items[STEP_END_LIQUOR] = 6;
    step.items[STEP_FILL_FROM_TANK] = 1;
    step.items[STEP_RECIRCULATE] = 1;
    return step;
}

// A 1-Way Wash without water: a cooldown step from 50 to 205 °F.
step_record cooldown_step(int temperature)
{
    step_record step = step_of(STEP_ONE_WAY_WASH);
    step.items[STEP_TEMPERATURE] = temperature;
    return step;
}

step_rules_context full_machine()
{
    step_rules_context context;
    context.temp_probe = context.flow_meters = context.reuse_drain = context.overhead_tank =
        context.recirculation = 1;
    return context;
}

const int MESSAGE_SLOTS[] = {272, 273, 274, 275, 276, 277, 384, 397};
}  // namespace

class StepRulesTest : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        gtk_list_store_clear(step_list_store);
        for (int slot : MESSAGE_SLOTS) {
            saved_slots_.push_back(p[slot]);
            p[slot] = "text " + std::to_string(slot);
        }
    }
    void TearDown() override
    {
        for (size_t i = 0; i < saved_slots_.size(); ++i)
            p[MESSAGE_SLOTS[i]] = saved_slots_[i];
        core_data_test::TearDown();
    }

    // Runs the checks on a step shown as step `number` of `count`.
    std::string check(const step_record& step, int number, int count, const step_record* previous,
                      const step_record* next = nullptr, const step_rules_context& context = full_machine())
    {
        std::string message = "unchanged";
        const int result = func_check_step_form(form_of(step), number, count, previous, next, context, message);
        return result == 1 ? (message == "unchanged" ? "pass" : "pass with message " + message) : message;
    }

private:
    std::vector<std::string> saved_slots_;
};

// --- lockout of the extract types -----------------------------------------------------

TEST_F(StepRulesTest, StandardExtractForcesItsSettingsAndDropsTheChemicals)
{
    step_form form = form_of(busy_wash());
    form.labels[STEP_TYPE] = "Standard Extract";
    EXPECT_TRUE(func_apply_step_lockout(form, STEP_STANDARD_EXTRACT, full_machine()));

    EXPECT_EQ(form.labels[STEP_TIME], "01:00");
    EXPECT_TRUE(form.editable[STEP_TIME]);
    EXPECT_EQ(form.labels[STEP_CHEMICALS], "0");
    EXPECT_EQ(form.labels[STEP_TEMPERATURE], temperature_label(0));
    for (int item : {STEP_HOT, STEP_COLD, STEP_THIRD_WATER})
        EXPECT_EQ(form.labels[item], "OFF") << item;
    EXPECT_EQ(form.labels[STEP_LEVEL], "Level 1");
    EXPECT_EQ(form.labels[STEP_STEAM], "No Steam");
    EXPECT_EQ(form.labels[STEP_DRAIN_TYPE], "Standard");
    EXPECT_EQ(form.labels[STEP_ON_TIME], "00:00");
    EXPECT_EQ(form.labels[STEP_OFF_TIME], "00:00");
    EXPECT_EQ(form.labels[STEP_START_LIQUOR], "0");
    EXPECT_EQ(form.labels[STEP_END_LIQUOR], "0");
    EXPECT_EQ(form.labels[STEP_FILL_FROM_TANK], "NO");
    EXPECT_EQ(form.labels[STEP_RECIRCULATE], "NO");
    for (int item : {2, 3, 4, 5, 6, 7, 8, 10, 13, 14, 15, 16, 17, 18})
        EXPECT_FALSE(form.editable[item]) << "item " << item;

    // 30 rpm is no extract speed on machine type 0 (200 to 664).
    EXPECT_EQ(form.labels[STEP_RPM], "664");
    EXPECT_TRUE(form.editable[STEP_RPM]);
    EXPECT_EQ(form.speed_item_code, 11);
    // Left alone: the type, how the step ends, and Re-Use Drain on a
    // machine that has it.
    EXPECT_EQ(form.labels[STEP_TYPE], "Standard Extract");
    EXPECT_EQ(form.labels[STEP_HOW_TO_END], "Stop+Signal");
    EXPECT_EQ(form.labels[STEP_REUSE_DRAIN], "Reuse Tank");
    EXPECT_TRUE(form.editable[STEP_REUSE_DRAIN]);
}

TEST_F(StepRulesTest, ExtractKeepsALongerTimeAndASpeedWithinTheMachinesLimits)
{
    step_record step = step_of(STEP_STAGED_EXTRACT, 90);
    step.items[STEP_RPM] = 450;
    step_form form = form_of(step);
    EXPECT_TRUE(func_apply_step_lockout(form, STEP_STAGED_EXTRACT, full_machine()));
    EXPECT_EQ(form.labels[STEP_TIME], "01:30");
    EXPECT_EQ(form.labels[STEP_RPM], "450");

    step_rules_context type_one = full_machine();
    type_one.machine_type = 1;
    form.labels[STEP_RPM] = "600";
    func_apply_step_lockout(form, STEP_STAGED_EXTRACT, type_one);
    EXPECT_EQ(form.labels[STEP_RPM], "558");

    step_form end = form_of(step_of(STEP_END_FORMULA, 0));
    EXPECT_TRUE(func_apply_step_lockout(end, STEP_END_FORMULA, full_machine()));
    EXPECT_EQ(end.labels[STEP_TIME], "01:00");
}

TEST_F(StepRulesTest, WithoutProgrammableSpeedAnExtractRunsAtNormalSpeedLocked)
{
    step_record step = step_of(STEP_STANDARD_EXTRACT, 120);
    step.items[STEP_RPM] = 3;
    step_form form = form_of(step, false);
    step_rules_context context = full_machine();
    context.programmable_speed = false;
    func_apply_step_lockout(form, STEP_STANDARD_EXTRACT, context);
    EXPECT_EQ(form.labels[STEP_RPM], "Normal");
    EXPECT_FALSE(form.editable[STEP_RPM]);
    EXPECT_EQ(form.speed_item_code, 0);
}

// --- lockout of the wash types ----------------------------------------------------------

TEST_F(StepRulesTest, TwoWayWashGetsDefaultReversingTimesAndALimitedSpeed)
{
    step_record step = step_of(STEP_TWO_WAY_WASH);
    step.items[STEP_HOT] = 1;
    step.items[STEP_RPM] = 45;
    step_form form = form_of(step);
    for (bool& editable : form.editable)
        editable = false;
    EXPECT_FALSE(func_apply_step_lockout(form, STEP_TWO_WAY_WASH, full_machine()));
    EXPECT_EQ(form.labels[STEP_ON_TIME], "00:20");
    EXPECT_EQ(form.labels[STEP_OFF_TIME], "00:03");
    EXPECT_EQ(form.labels[STEP_RPM], "030");  // 45 is above 38: nominal
    EXPECT_EQ(form.speed_item_code, 10);
    for (int item : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18})
        EXPECT_TRUE(form.editable[item]) << "item " << item;

    form.labels[STEP_ON_TIME] = "00:45";
    form.labels[STEP_OFF_TIME] = "00:05";
    form.labels[STEP_RPM] = "025";
    func_apply_step_lockout(form, STEP_TWO_WAY_WASH, full_machine());
    EXPECT_EQ(form.labels[STEP_ON_TIME], "00:45");
    EXPECT_EQ(form.labels[STEP_OFF_TIME], "00:05");
    EXPECT_EQ(form.labels[STEP_RPM], "025");
}

TEST_F(StepRulesTest, SoakWashStandsStillWithSpeedAndReversingLocked)
{
    step_record step = step_of(STEP_SOAK_WASH);
    step.items[STEP_ON_TIME] = 20;
    step.items[STEP_OFF_TIME] = 3;
    step.items[STEP_RPM] = 30;
    step_form form = form_of(step);
    EXPECT_FALSE(func_apply_step_lockout(form, STEP_SOAK_WASH, full_machine()));
    EXPECT_EQ(form.labels[STEP_ON_TIME], "00:00");
    EXPECT_EQ(form.labels[STEP_OFF_TIME], "00:00");
    EXPECT_EQ(form.labels[STEP_RPM], "000");
    for (int item : {STEP_RPM, STEP_ON_TIME, STEP_OFF_TIME})
        EXPECT_FALSE(form.editable[item]) << "item " << item;
}

TEST_F(StepRulesTest, WithoutProgrammableSpeedAWashKeepsItsSpeedOption)
{
    step_record step = step_of(STEP_ONE_WAY_WASH);
    step.items[STEP_HOT] = 1;
    step.items[STEP_RPM] = 1;
    step_form form = form_of(step, false);
    step_rules_context context = full_machine();
    context.programmable_speed = false;
    func_apply_step_lockout(form, STEP_ONE_WAY_WASH, context);
    EXPECT_EQ(form.labels[STEP_RPM], "Low");
    EXPECT_TRUE(form.editable[STEP_RPM]);
    EXPECT_EQ(form.speed_item_code, 0);
}

TEST_F(StepRulesTest, MissingEquipmentLocksItsSettings)
{
    step_form form = form_of(busy_wash());
    step_rules_context bare = full_machine();
    bare.temp_probe = bare.flow_meters = bare.reuse_drain = bare.overhead_tank = bare.recirculation = 0;
    func_apply_step_lockout(form, STEP_ONE_WAY_WASH, bare);
    EXPECT_EQ(form.labels[STEP_TEMPERATURE], temperature_label(0));
    EXPECT_EQ(form.labels[STEP_STEAM], "No Steam");
    EXPECT_EQ(form.labels[STEP_START_LIQUOR], "5");  // kept, only locked
    EXPECT_EQ(form.labels[STEP_END_LIQUOR], "6");
    EXPECT_EQ(form.labels[STEP_REUSE_DRAIN], "To Sewer");
    EXPECT_EQ(form.labels[STEP_FILL_FROM_TANK], "NO");
    EXPECT_EQ(form.labels[STEP_RECIRCULATE], "NO");
    for (int item : {2, 7, 11, 15, 16, 17, 18})
        EXPECT_FALSE(form.editable[item]) << "item " << item;

    step_form equipped = form_of(busy_wash());
    func_apply_step_lockout(equipped, STEP_ONE_WAY_WASH, full_machine());
    EXPECT_EQ(equipped.labels[STEP_TEMPERATURE], temperature_label(140));
    EXPECT_EQ(equipped.labels[STEP_STEAM], "Stops");
    EXPECT_EQ(equipped.labels[STEP_REUSE_DRAIN], "Reuse Tank");
    for (int item : {2, 7, 11, 15, 16, 17, 18})
        EXPECT_TRUE(equipped.editable[item]) << "item " << item;
}

TEST_F(StepRulesTest, TheReuseDrainGatePrevailsWhetherOrNotTheWashIsACooldownStep)
{
    step_rules_context context = full_machine();
    context.reuse_drain = 0;
    step_form extract = form_of(busy_wash());
    func_apply_step_lockout(extract, STEP_STANDARD_EXTRACT, context);
    EXPECT_EQ(extract.labels[STEP_REUSE_DRAIN], "To Sewer");
    EXPECT_FALSE(extract.editable[STEP_REUSE_DRAIN]);

    step_form hot = form_of(busy_wash());  // hot water: no cooldown step
    func_apply_step_lockout(hot, STEP_ONE_WAY_WASH, context);
    EXPECT_EQ(hot.labels[STEP_REUSE_DRAIN], "To Sewer");
    EXPECT_FALSE(hot.editable[STEP_REUSE_DRAIN]);

    step_form cool = form_of(cooldown_step(120));
    func_apply_step_lockout(cool, STEP_ONE_WAY_WASH, context);
    EXPECT_FALSE(cool.editable[STEP_REUSE_DRAIN]);
}

TEST_F(StepRulesTest, ACooldownStepCannotSteam)
{
    step_record step = cooldown_step(120);
    step.items[STEP_STEAM] = 2;
    step_form form = form_of(step);
    func_apply_step_lockout(form, STEP_ONE_WAY_WASH, full_machine());
    EXPECT_EQ(form.labels[STEP_STEAM], "No Steam");
    EXPECT_FALSE(form.editable[STEP_STEAM]);

    // Hot water makes it an ordinary wash again.
    step.items[STEP_HOT] = 1;
    step_form warm = form_of(step);
    func_apply_step_lockout(warm, STEP_ONE_WAY_WASH, full_machine());
    EXPECT_EQ(warm.labels[STEP_STEAM], "Stops");
    EXPECT_TRUE(warm.editable[STEP_STEAM]);
}

TEST_F(StepRulesTest, AnUnknownTypeLeavesTheFormAlone)
{
    const step_form before = form_of(busy_wash());
    for (int type : {-1, 6, 42}) {
        step_form form = before;
        EXPECT_FALSE(func_apply_step_lockout(form, type, full_machine()));
        for (int item = 0; item < STEP_FORM_ITEMS; ++item) {
            EXPECT_EQ(form.labels[item], before.labels[item]);
            EXPECT_EQ(form.editable[item], before.editable[item]);
        }
    }
}

TEST_F(StepRulesTest, MetricTemperaturesShowCelsius)
{
    step_rules_context context = full_machine();
    context.metric = true;
    step_form form = form_of(busy_wash());
    func_apply_step_lockout(form, STEP_STANDARD_EXTRACT, context);
    EXPECT_EQ(form.labels[STEP_TEMPERATURE], temperature_label(0, "C"));
}

TEST_F(StepRulesTest, TheContextComesFromTheConfigurationAndTheBuildSwitch)
{
    float* items = current_machine_configuration->items;
    items[0] = 1;
    items[2] = 2;
    items[11] = 1;
    items[12] = 0;
    items[13] = 1;
    items[16] = 0;
    items[19] = 1;
    const step_rules_context context = func_get_step_rules_context();
    EXPECT_EQ(context.programmable_speed, NO_PROGRAMMABLE_RPM == 0);
    EXPECT_EQ(context.machine_type, 2);
    EXPECT_TRUE(context.metric);
    EXPECT_EQ(context.reuse_drain, 1);
    EXPECT_EQ(context.overhead_tank, 0);
    EXPECT_EQ(context.flow_meters, 1);
    EXPECT_EQ(context.recirculation, 0);
    EXPECT_EQ(context.temp_probe, 1);
}

// --- the checks before saving ---------------------------------------------------------------

TEST_F(StepRulesTest, TheFirstStepNeedsWater)
{
    const step_record dry = step_of(STEP_ONE_WAY_WASH);
    EXPECT_EQ(check(dry, 1, 3, nullptr), "text 272");
    EXPECT_EQ(check(dry, 2, 3, nullptr), "pass");
    step_record wet = dry;
    wet.items[STEP_COLD] = 1;
    EXPECT_EQ(check(wet, 1, 3, nullptr), "pass");
}

TEST_F(StepRulesTest, TemperatureWindowAppliesWithSteamOrFillTemperatures)
{
    step_record steam = step_of(STEP_ONE_WAY_WASH);
    steam.items[STEP_HOT] = 1;
    steam.items[STEP_STEAM] = 2;  // "Stops"
    steam.items[STEP_TEMPERATURE] = 210;
    EXPECT_EQ(check(steam, 2, 3, nullptr), std::string("text 384 (050") + DEGREES + " - 205" + DEGREES + " F)");
    steam.items[STEP_TEMPERATURE] = 205;
    EXPECT_EQ(check(steam, 2, 3, nullptr), "pass");

    step_record no_steam = step_of(STEP_ONE_WAY_WASH);
    no_steam.items[STEP_TEMPERATURE] = 210;
    EXPECT_EQ(check(no_steam, 2, 3, nullptr), "pass");  // all water OFF
    for (int item : {STEP_HOT, STEP_COLD, STEP_THIRD_WATER})
        no_steam.items[item] = 1;
    EXPECT_EQ(check(no_steam, 2, 3, nullptr), "pass");  // all ON

    step_record raise = step_of(STEP_ONE_WAY_WASH);
    raise.items[STEP_HOT] = 2;  // "Raise Fill Temp"
    raise.items[STEP_TEMPERATURE] = 40;
    EXPECT_EQ(check(raise, 2, 3, nullptr).substr(0, 8), "text 384");

    step_rules_context metric = full_machine();
    metric.metric = true;
    steam.items[STEP_TEMPERATURE] = 97;
    std::string message;
    step_form form = form_of(steam);
    form.labels[STEP_TEMPERATURE] = temperature_label(97, "C");
    EXPECT_EQ(func_check_step_form(form, 2, 3, nullptr, nullptr, metric, message), 0);
    EXPECT_EQ(message, std::string("text 384 (000") + DEGREES + " - 096" + DEGREES + " C)");
}

TEST_F(StepRulesTest, NoExtractDirectlyAfterAStepThatDoesNotDrain)
{
    step_record holding = step_of(STEP_ONE_WAY_WASH);
    holding.items[STEP_HOT] = 1;
    holding.items[STEP_DRAIN_TYPE] = 2;  // "Do Not Drain"
    const step_record extract = step_of(STEP_STANDARD_EXTRACT);
    EXPECT_EQ(check(extract, 3, 4, &holding), "text 397");
    EXPECT_EQ(check(holding, 2, 4, nullptr, &extract), "text 397");
    EXPECT_EQ(check(holding, 4, 4, nullptr, nullptr), "pass");  // the last step

    step_record draining = holding;
    draining.items[STEP_DRAIN_TYPE] = 0;
    EXPECT_EQ(check(extract, 3, 4, &draining), "pass");
    const step_record wash = step_of(STEP_ONE_WAY_WASH);
    EXPECT_EQ(check(holding, 2, 4, nullptr, &wash), "pass");
}

TEST_F(StepRulesTest, ACooldownStepFollowsAWarmerUndrainedWashAtNoLowerLevel)
{
    const step_record step = cooldown_step(120);  // Level 1, Drain "Standard"
    step_record previous = step_of(STEP_TWO_WAY_WASH);
    previous.items[STEP_HOT] = 1;
    previous.items[STEP_DRAIN_TYPE] = 2;
    previous.items[STEP_TEMPERATURE] = 160;
    EXPECT_EQ(check(step, 3, 4, &previous), "pass");
    EXPECT_EQ(check(step, 3, 4, nullptr), "pass");  // unreadable previous step

    step_record drains = previous;
    drains.items[STEP_DRAIN_TYPE] = 0;
    EXPECT_EQ(check(step, 3, 4, &drains), "text 275");
    step_record cooler = previous;
    cooler.items[STEP_TEMPERATURE] = 100;
    EXPECT_EQ(check(step, 3, 4, &cooler), "text 276");
    step_record higher = previous;
    higher.items[STEP_LEVEL] = 1;
    EXPECT_EQ(check(step, 3, 4, &higher), "text 277");
    const step_record extract = step_of(STEP_STANDARD_EXTRACT);
    EXPECT_EQ(check(step, 3, 4, &extract), "text 274");

    // A level set by value is no option: the level check is skipped.
    step_record by_value = previous;
    by_value.items[STEP_LEVEL] = 650;
    EXPECT_EQ(check(step, 3, 4, &by_value), "pass");
    // Metric machines have no cooldown steps.
    step_rules_context metric = full_machine();
    metric.metric = true;
    std::string message;
    step_form form = form_of(step);
    form.labels[STEP_TEMPERATURE] = temperature_label(40, "C");
    EXPECT_EQ(func_check_step_form(form, 3, 4, &drains, nullptr, metric, message), 1);
}

// --- run-screen lookup and the chemical file --------------------------------------------------

TEST_F(StepRulesTest, CooldownAdjustmentGivesTheWarmerPreviousTemperature)
{
    step_record first = step_of(STEP_TWO_WAY_WASH);
    first.number = 1;
    first.items[STEP_HOT] = 1;
    first.items[STEP_TEMPERATURE] = 160;
    step_record second = cooldown_step(120);
    second.number = 2;
    func_append_step_row(first);
    func_append_step_row(second);
    EXPECT_EQ(func_cooldown_step_adjustment(second), 160);

    first.items[STEP_TEMPERATURE] = 100;
    func_set_step_row(0, first);
    EXPECT_EQ(func_cooldown_step_adjustment(second), -1);

    step_record first_step = cooldown_step(120);
    first_step.number = 1;
    EXPECT_EQ(func_cooldown_step_adjustment(first_step), -1);
    step_record orphan = cooldown_step(120);
    orphan.number = 9;  // no step 8
    EXPECT_EQ(func_cooldown_step_adjustment(orphan), -1);
    step_record warm = second;
    warm.items[STEP_HOT] = 1;
    EXPECT_EQ(func_cooldown_step_adjustment(warm), -1);
}

TEST_F(StepRulesTest, DeletingAStepsChemicalsRemovesOnlyItsFile)
{
    sandbox.write_file("formulas/f-007/s-002_chems.dat", "two");
    sandbox.write_file("formulas/f-007/s-003_chems.dat", "three");
    func_delete_step_chemicals(2);  // no formula selected
    EXPECT_TRUE(sandbox.exists("formulas/f-007/s-002_chems.dat"));

    page_info[SCREEN_FORMULAS].list.selected_number = 7;
    func_delete_step_chemicals(-1);
    EXPECT_TRUE(sandbox.exists("formulas/f-007/s-002_chems.dat"));
    func_delete_step_chemicals(2);
    EXPECT_FALSE(sandbox.exists("formulas/f-007/s-002_chems.dat"));
    EXPECT_EQ(sandbox.read_file("formulas/f-007/s-003_chems.dat"), "three");
    func_delete_step_chemicals(2);  // already gone: nothing to say
    EXPECT_TRUE(syserror_lines().empty());
}
