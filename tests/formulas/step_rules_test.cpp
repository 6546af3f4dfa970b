// Lockout and validation of a step as the selected-step screen shows it:
// forced labels, editable buttons, the configuration gates, both speed
// variants, and the checks with their messages. Texts read back from the
// buttons are selected_step_screen_gui_test's.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <utility>

#include "formulas/step_rules.h"
#include "language/units.h"
#include "support/tcc_helpers.h"

namespace {
const std::string DEGREES = "\u00b0";

// A step of that type, 300 s long unless the items say otherwise.
step_record step_of(int type, std::initializer_list<std::pair<int, int>> items = {})
{
    step_record step;
    step.items[STEP_TYPE] = type;
    step.items[STEP_TIME] = 300;
    for (const auto& [item, value] : items)
        step.items[item] = value;
    return step;
}

// A hot 1-Way Wash using everything the form can show; items 0 to 18 in order.
const step_record BUSY_WASH = {0, "", {STEP_ONE_WAY_WASH, 30, 140, 1, 0, 0, 1, 2, 2, 30, 2, 1, 4, 20, 3, 5, 6, 1, 1}};

// A 1-Way Wash without water: a cooldown step from 50 to 205 °F.
step_record cooldown_step(int temperature) { return step_of(STEP_ONE_WAY_WASH, {{STEP_TEMPERATURE, temperature}}); }

// Every option fitted; `change` may take some away.
step_rules_context machine(void (*change)(step_rules_context&) = nullptr)
{
    step_rules_context context;
    context.temp_probe = context.flow_meters = context.reuse_drain = context.overhead_tank = context.recirculation = 1;
    if (change)
        change(context);
    return context;
}

// The step as the selected-step screen holds it, all buttons sensitive.
step_form form_of(const step_record& step)
{
    step_form form;
    for (int item = 0; item < STEP_FORM_ITEMS; ++item) {
        form.values[item] = step.items[item];
        form.editable[item] = true;
    }
    return form;
}

// The texts the buttons show for the form's values.
std::vector<std::string> labels(const step_form& form, const step_rules_context& context = machine())
{
    std::vector<std::string> texts;
    for (int item = 0; item < STEP_FORM_ITEMS; ++item)
        texts.push_back(func_step_value_text(form.values[item], item, form.values[STEP_TYPE], context));
    return texts;
}

// Applies the lockout for `type` to the form of `step` (all buttons open,
// or all locked) and checks the labels it shows, the items it locks or
// opens and, unless -1, the data entry code of the speed button.
void expect_lockout(const step_record& step, int type, const step_rules_context& context,
                    const std::map<int, std::string>& labels, const std::vector<int>& locked = {},
                    const std::vector<int>& open = {}, int speed_item_code = -1, bool start_open = true)
{
    step_form form = form_of(step);
    for (bool& editable : form.editable)
        editable = start_open;
    func_apply_step_lockout(form, type, context);
    form.values[STEP_TYPE] = type;
    const std::vector<std::string> shown = ::labels(form, context);
    for (const auto& [item, label] : labels)
        EXPECT_EQ(label, shown[static_cast<size_t>(item)]) << "item " << item;
    for (int item : locked)
        EXPECT_FALSE(form.editable[item]) << "item " << item;
    for (int item : open)
        EXPECT_TRUE(form.editable[item]) << "item " << item;
    if (speed_item_code >= 0) {
        EXPECT_EQ(speed_item_code, form.speed_item_code);
    }
}
// The call's line in a failure message.
#define EXPECT_LOCKOUT(...) { SCOPED_TRACE(""); expect_lockout(__VA_ARGS__); }

std::vector<int> editable_items(const step_form& form)
{
    std::vector<int> items;
    for (int item = 0; item < STEP_FORM_ITEMS; ++item)
        if (form.editable[item])
            items.push_back(item);
    return items;
}
}  // namespace

class StepRulesTest : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        func_remove_all_step_rows();
        for (int slot : {272, 274, 275, 276, 277, 384, 397})
            p[slot] = "text " + std::to_string(slot);
    }

    // The checks on a step shown as step `number` of 4.
    static std::string check(const step_record& step, int number, std::optional<step_record> previous = {},
                             std::optional<step_record> next = {}, bool metric = false)
    {
        step_rules_context context = machine();
        context.metric = metric;
        std::string message = "unchanged";
        const int passed = func_check_step_form(form_of(step), number, 4, previous ? &*previous : nullptr,
                                                next ? &*next : nullptr, context, message);
        return passed ? (message == "unchanged" ? "pass" : "pass, but " + message) : message;
    }

    language_texts_kept texts_;
};

// --- lockout ----------------------------------------------------------------------------

TEST_F(StepRulesTest, ExtractsForceTheirSettingsAndKeepTheirSpeedWithinTheMachinesLimits)
{
    step_form form = form_of(BUSY_WASH);
    EXPECT_TRUE(func_apply_step_lockout(form, STEP_STANDARD_EXTRACT, machine()));
    // 30 rpm is no extract speed on machine type 0 (200 to 664): the nominal
    // one. The type, how the step ends and Re-Use Drain (fitted) are left.
    EXPECT_EQ((std::vector<int>{60, 0, 0, 0, 0, 664, 0, 0}),
              (std::vector<int>{form.values[STEP_TIME], form.values[STEP_TEMPERATURE], form.values[STEP_HOT],
                                form.values[STEP_STEAM], form.values[STEP_CHEMICALS], form.values[STEP_RPM],
                                form.values[STEP_ON_TIME], form.values[STEP_RECIRCULATE]}));
    EXPECT_EQ((std::vector<int>{STEP_TYPE, STEP_TIME, STEP_RPM, STEP_REUSE_DRAIN, STEP_HOW_TO_END}),
              editable_items(form));
    EXPECT_EQ(11, form.speed_item_code);
    step_form end = form_of(step_of(STEP_END_FORMULA, {{STEP_TIME, 0}}));
    EXPECT_TRUE(func_apply_step_lockout(end, STEP_END_FORMULA, machine()));
    EXPECT_EQ(60, end.values[STEP_TIME]);
    // An unknown type leaves the form alone.
    step_form unknown = form_of(BUSY_WASH);
    EXPECT_FALSE(func_apply_step_lockout(unknown, 42, machine()));
    EXPECT_EQ(labels(form_of(BUSY_WASH)), labels(unknown));
    EXPECT_EQ(STEP_FORM_ITEMS, int(editable_items(unknown).size()));

    EXPECT_LOCKOUT(step_of(STEP_STAGED_EXTRACT, {{STEP_TIME, 90}, {STEP_RPM, 450}}), STEP_STAGED_EXTRACT, machine(),
                   {{STEP_TIME, "01:30"}, {STEP_RPM, "450"}}, {}, {STEP_RPM}, 11);
    EXPECT_LOCKOUT(step_of(STEP_STAGED_EXTRACT, {{STEP_RPM, 600}}), STEP_STAGED_EXTRACT,
                   machine([](step_rules_context& c) { c.machine_type = 1; }), {{STEP_RPM, "558"}});
    // Without programmable speed the speed is an option.
    const step_rules_context fixed = machine([](step_rules_context& c) { c.programmable_speed = false; });
    EXPECT_LOCKOUT(step_of(STEP_STANDARD_EXTRACT, {{STEP_RPM, 3}}), STEP_STANDARD_EXTRACT, fixed,
                   {{STEP_RPM, "Normal"}}, {STEP_RPM}, {}, 0);
}

TEST_F(StepRulesTest, WashTypesSetTheirReversingTimesAndSpeedAndMissingEquipmentIsLocked)
{
    // 45 rpm is above 38: the nominal speed. This 2-Way Wash starts all locked.
    EXPECT_LOCKOUT(step_of(STEP_TWO_WAY_WASH, {{STEP_HOT, 1}, {STEP_RPM, 45}}), STEP_TWO_WAY_WASH, machine(),
                   {{STEP_ON_TIME, "00:20"}, {STEP_OFF_TIME, "00:03"}, {STEP_RPM, "030"}}, {},
                   {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18}, 10, false);
    EXPECT_LOCKOUT(step_of(STEP_SOAK_WASH, {{STEP_ON_TIME, 20}, {STEP_OFF_TIME, 3}, {STEP_RPM, 30}}), STEP_SOAK_WASH,
                   machine(), {{STEP_ON_TIME, "00:00"}, {STEP_OFF_TIME, "00:00"}, {STEP_RPM, "000"}},
                   {STEP_RPM, STEP_ON_TIME, STEP_OFF_TIME});
    // The liquor values are kept, only locked.
    EXPECT_LOCKOUT(BUSY_WASH, STEP_ONE_WAY_WASH, step_rules_context(),
                   {{STEP_TEMPERATURE, "000" + DEGREES + " F"}, {STEP_START_LIQUOR, "5"}, {STEP_RECIRCULATE, "NO"}},
                   {2, 7, 11, 15, 16, 17, 18});
    EXPECT_LOCKOUT(BUSY_WASH, STEP_ONE_WAY_WASH, machine(), {{STEP_TEMPERATURE, "140" + DEGREES + " F"}}, {},
                   {2, 7, 11, 15, 16, 17, 18});
    // Without a reuse tank Re-Use Drain stays locked, cooldown step or not.
    const step_rules_context no_tank = machine([](step_rules_context& c) { c.reuse_drain = 0; });
    for (const auto& [type, step] : {std::make_pair(STEP_STANDARD_EXTRACT, BUSY_WASH), {STEP_ONE_WAY_WASH, cooldown_step(120)}})
        EXPECT_LOCKOUT(step, type, no_tank, {{STEP_REUSE_DRAIN, "To Sewer"}}, {STEP_REUSE_DRAIN});
    // A cooldown step cannot steam; hot water makes it an ordinary wash.
    step_record steam = step_of(STEP_ONE_WAY_WASH, {{STEP_TEMPERATURE, 120}, {STEP_STEAM, 2}});
    EXPECT_LOCKOUT(steam, STEP_ONE_WAY_WASH, machine(), {{STEP_STEAM, "No Steam"}}, {STEP_STEAM});
    steam.items[STEP_HOT] = 1;
    EXPECT_LOCKOUT(steam, STEP_ONE_WAY_WASH, machine(), {{STEP_STEAM, "Stops"}}, {}, {STEP_STEAM});
}

// --- the checks before saving -------------------------------------------------------------

TEST_F(StepRulesTest, TheFirstStepNeedsWaterAndSteamOrFillTemperaturesATemperatureWindow)
{
    EXPECT_EQ("text 272", check(step_of(STEP_ONE_WAY_WASH), 1));
    EXPECT_EQ("pass", check(step_of(STEP_ONE_WAY_WASH), 2));
    EXPECT_EQ("pass", check(step_of(STEP_ONE_WAY_WASH, {{STEP_COLD, 1}}), 1));

    auto steam_at = [](int degrees) {
        return step_of(STEP_ONE_WAY_WASH, {{STEP_HOT, 1}, {STEP_STEAM, 2}, {STEP_TEMPERATURE, degrees}});
    };
    const std::string window = "text 384 (050" + DEGREES + " - 205" + DEGREES + " F)";
    EXPECT_EQ(window, check(steam_at(210), 2));
    EXPECT_EQ("pass", check(steam_at(205), 2));
    EXPECT_EQ("text 384 (000" + DEGREES + " - 096" + DEGREES + " C)", check(steam_at(97), 2, {}, {}, true));
    EXPECT_EQ(window, check(step_of(STEP_ONE_WAY_WASH, {{STEP_HOT, 2}, {STEP_TEMPERATURE, 40}}), 2));
    // No steam and no fill temperature: not checked.
    EXPECT_EQ("pass", check(step_of(STEP_ONE_WAY_WASH, {{STEP_TEMPERATURE, 210}, {STEP_HOT, 1}}), 2));
}

TEST_F(StepRulesTest, NeighboursMustDrainBeforeAnExtractAndBeWarmerBeforeACooldownStep)
{
    const step_record holding = step_of(STEP_ONE_WAY_WASH, {{STEP_HOT, 1}, {STEP_DRAIN_TYPE, 2}});  // Do Not Drain
    const step_record draining = step_of(STEP_ONE_WAY_WASH, {{STEP_HOT, 1}});
    const step_record extract = step_of(STEP_STANDARD_EXTRACT);
    EXPECT_EQ("text 397", check(extract, 3, holding));
    EXPECT_EQ("text 397", check(holding, 2, {}, extract));
    EXPECT_EQ("pass", check(holding, 4));  // the last step
    EXPECT_EQ("pass", check(extract, 3, draining));

    // A cooldown step follows a warmer undrained wash at no lower level.
    const step_record step = cooldown_step(120);  // Level 1, Drain "Standard"
    const step_record warm = step_of(STEP_TWO_WAY_WASH, {{STEP_HOT, 1}, {STEP_DRAIN_TYPE, 2}, {STEP_TEMPERATURE, 160}});
    auto warm_with = [&](int item, int value) {
        step_record record = warm;
        record.items[item] = value;
        return record;
    };
    EXPECT_EQ("pass", check(step, 3, warm));
    EXPECT_EQ("pass", check(step, 3));  // unreadable previous step
    EXPECT_EQ("text 275", check(step, 3, warm_with(STEP_DRAIN_TYPE, 0)));
    EXPECT_EQ("text 276", check(step, 3, warm_with(STEP_TEMPERATURE, 100)));
    EXPECT_EQ("text 277", check(step, 3, warm_with(STEP_LEVEL, 1)));
    EXPECT_EQ("text 274", check(step, 3, step_of(STEP_STANDARD_EXTRACT)));
    // A level set by value is no option: not compared. Metric machines have no cooldown steps.
    EXPECT_EQ("pass", check(step, 3, warm_with(STEP_LEVEL, 650)));
    EXPECT_EQ("pass", check(cooldown_step(40), 3, warm_with(STEP_DRAIN_TYPE, 0), {}, true));
}

// --- the run screen's lookup -----------------------------------------------------------------

TEST_F(StepRulesTest, CooldownAdjustmentGivesTheWarmerPreviousTemperature)
{
    step_record first = step_of(STEP_TWO_WAY_WASH, {{STEP_HOT, 1}, {STEP_TEMPERATURE, 160}});
    step_record second = cooldown_step(120);
    first.number = 1;
    second.number = 2;
    func_append_step_row(first);
    func_append_step_row(second);
    EXPECT_EQ(160, func_cooldown_step_adjustment(second));
    for (const auto& [number, hot] : {std::make_pair(2, 1), {1, 0}}) {  // no cooldown, no step before
        step_record other = second;
        other.number = number;
        other.items[STEP_HOT] = hot;
        EXPECT_EQ(-1, func_cooldown_step_adjustment(other)) << number;
    }
    first.items[STEP_TEMPERATURE] = 100;
    func_set_step_row(0, first);
    EXPECT_EQ(-1, func_cooldown_step_adjustment(second));
}
