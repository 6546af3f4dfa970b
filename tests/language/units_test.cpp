// Temperatures, unit words, water limits, time and date texts, durations
// and the formula elapse timer.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "configuration/configuration_record.h"
#include "frame/app_state.h"
#include "files/time_source.h"
#include "language/units.h"
#include "link/run_state.h"
#include "support/sandbox.h"

namespace {

// Points current_machine_configuration at a record of the test's own
// for as long as it lives.
class unit_system {
public:
    explicit unit_system(float temperature_unit) : record_{}, saved_(current_machine_configuration)
    {
        record_.items[0] = temperature_unit;
        current_machine_configuration = &record_;
    }
    ~unit_system() { current_machine_configuration = saved_; }

private:
    machine_configuration record_;
    machine_configuration* saved_;
};

}  // namespace

TEST(Temperatures, ConversionsRoundThenClamp)
{
    // (input, to F, to C): rounding to the nearest degree, then 50..205 F, 0..96 C.
    const int cases[][3] = {{0, 50, 0},      {50, 122, 10},   {100, 205, 38},  {212, 205, 96},  {37, 99, 3},
                            {70, 158, 21},   {71, 160, 22},   {INT_MIN, 50, 0}, {INT_MAX, 205, 96}};
    for (const auto& c : cases) {
        EXPECT_EQ(func_convert_temperature_to_F(c[0]), c[1]) << c[0] << " C";
        EXPECT_EQ(func_convert_temperature_to_C(c[0]), c[2]) << c[0] << " F";
    }
}

TEST(UnitWords, FollowTheTemperatureUnitItem)
{
    // Water words truncate the item; the temperature word needs exactly 0.
    struct {
        float item;
        const char *temperature, *level, *volume;
    } const cases[] = {{0.0f, "F", "in", "gallons"}, {1.0f, "C", "cm", "liters"}, {1.5f, "C", "cm", "liters"},
                       {0.5f, "C", "in", "gallons"}, {2.0f, "C", "in", "gallons"}};
    for (const auto& c : cases) {
        unit_system units(c.item);
        EXPECT_EQ(func_get_temperature_unit_string(), c.temperature) << c.item;
        EXPECT_EQ(func_get_water_unit_string(0), c.level) << c.item;
        EXPECT_EQ(func_get_water_unit_string(5), c.volume) << c.item;
    }
}

TEST(WaterLimits, BothUnitSystems)
{
    struct {
        int item_code;
        double inch_min, inch_max, cm_min, cm_max;
    } const limits[] = {{6, 1, 9999, 1, 9999}, {13, 4, 6, 10, 15}, {14, 4, 30, 15, 25},
                        {15, 10, 30, 25, 75},  {63, 0, 38, 0, 99}, {-1, 0, 9999, 0, 9999}};
    for (const auto& expected : limits)
        for (float unit : {0.0f, 1.0f}) {
            unit_system units(unit);
            EXPECT_EQ(func_get_water_value_min_max(0, expected.item_code), unit ? expected.cm_min : expected.inch_min)
                << expected.item_code << " in unit " << unit;
            EXPECT_EQ(func_get_water_value_min_max(1, expected.item_code), unit ? expected.cm_max : expected.inch_max)
                << expected.item_code << " in unit " << unit;
        }
}

TEST(Durations, SecondsToTextAndBack)
{
    const std::pair<int, const char*> texts[] = {
        {0, "00:00"},       {59, "00:59"},          {3599, "59:59"},   {3600, "01:00:00"},
        {3723, "01:02:03"}, {90000, "25:00:00"},    {360000, "100:00:00"}, {-5, "00:00"},
        {INT_MAX, "596523:14:07"}};
    for (const auto& [seconds, text] : texts)
        EXPECT_EQ(func_convert_seconds_to_time(seconds), text) << seconds;
    const std::pair<const char*, int> seconds[] = {
        {"1:30", 90},   {"01:02:03", 3723}, {"123:45", 765},  // pieces cut to two characters
        {"", 0},        {"5", 300},         {"1:2:3:4", 3723}, {"::30", 30}, {"ab:cd", 0}, {"12x:3y", 723}};
    for (const auto& [text, value] : seconds)
        EXPECT_EQ(func_convert_time_to_seconds(text), value) << text;
}

class ClockTextsTest : public ::testing::Test {
protected:
    sandbox_root sandbox{false};  // puts the system clock back afterwards
};

TEST_F(ClockTextsTest, TimeAndDateStylesAtAFixedMoment)
{
    sandbox_root::set_clock(2024, 3, 5, 14, 7);
    const std::pair<int, const char*> times[] = {{1, "14:07:00"}, {2, "1407"}, {0, "02:07 PM"}, {9, "02:07 PM"}};
    for (const auto& [style, text] : times)
        EXPECT_EQ(func_get_time(style), text) << style;
    const std::pair<int, const char*> dates[] = {{1, "03:05:2024"}, {2, "20240305"}, {3, "03-2024-"},
                                                 {4, "2024"},       {0, "03/05/2024"}, {-3, "03/05/2024"}};
    for (const auto& [style, text] : dates)
        EXPECT_EQ(func_get_date(style), text) << style;
    // Ten hours on is the next day.
    EXPECT_EQ(func_format_time(func_get_current_time() + 36000, 1), "00:07:00");
    EXPECT_EQ(func_format_date(func_get_current_time() + 36000, 2), "20240306");
}

TEST(FormulaElapseTime, CountsWhileTheFormulaRuns)
{
    const int saved_ended = formula_ended;
    const double saved_elapsed = formula_elapse_time;
    formula_ended = 0;
    formula_elapse_time = 10.0;
    EXPECT_EQ(func_update_formula_elapse_time(nullptr), 1);  // keeps the timer
    EXPECT_DOUBLE_EQ(formula_elapse_time, 11.0);
    formula_ended = 1;
    EXPECT_EQ(func_update_formula_elapse_time(nullptr), 0);  // ends it
    EXPECT_DOUBLE_EQ(formula_elapse_time, 11.0);
    formula_ended = saved_ended;
    formula_elapse_time = saved_elapsed;
}
