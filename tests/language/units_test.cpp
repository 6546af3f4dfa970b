// Temperatures, unit words, water limits, time and date texts, durations
// and the formula elapse timer.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "configuration/configuration_record.h"
#include "frame/app_state.h"
#include "language/time_source.h"
#include "language/units.h"
#include "support/sandbox.h"

namespace {

// Points current_machine_configuration at a record of the test's own
// for as long as it lives.
class unit_system {
public:
    explicit unit_system(float temperature_unit) : saved_(current_machine_configuration)
    {
        std::memset(&record_, 0, sizeof record_);
        record_.items[0] = temperature_unit;
        current_machine_configuration = &record_;
    }
    ~unit_system() { current_machine_configuration = saved_; }
    unit_system(const unit_system&) = delete;
    unit_system& operator=(const unit_system&) = delete;

private:
    machine_configuration record_;
    machine_configuration* saved_;
};

}  // namespace

TEST(Temperatures, ConversionsRoundThenClamp)
{
    EXPECT_EQ(func_convert_temperature_to_F(0), 50);  // 32 clamped up
    EXPECT_EQ(func_convert_temperature_to_C(50), 10);
    EXPECT_EQ(func_convert_temperature_to_F(100), 205);  // 212 clamped
    EXPECT_EQ(func_convert_temperature_to_C(212), 96);   // 100 clamped
    EXPECT_EQ(func_convert_temperature_to_F(37), 99);    // 98.6
    EXPECT_EQ(func_convert_temperature_to_C(70), 21);    // 21.1
    EXPECT_EQ(func_convert_temperature_to_C(71), 22);    // 21.7
    EXPECT_EQ(func_convert_temperature_to_C(0), 0);      // -17.8 clamped
    EXPECT_EQ(func_convert_temperature_to_C(INT_MIN), 0);
    EXPECT_EQ(func_convert_temperature_to_C(INT_MAX), 96);
    EXPECT_EQ(func_convert_temperature_to_F(INT_MIN), 50);
    EXPECT_EQ(func_convert_temperature_to_F(INT_MAX), 205);
}

TEST(Temperatures, RoundTripStaysWithinTheClamps)
{
    EXPECT_EQ(func_convert_temperature_to_F(func_convert_temperature_to_C(210)), 205);
    for (int fahrenheit = 50; fahrenheit <= 205; ++fahrenheit) {
        int there_and_back = func_convert_temperature_to_F(func_convert_temperature_to_C(fahrenheit));
        EXPECT_LE(std::abs(there_and_back - fahrenheit), 1) << fahrenheit;
    }
}

TEST(UnitWords, FollowTheTemperatureUnitItem)
{
    {
        unit_system imperial(0.0f);
        EXPECT_EQ(func_get_temperature_unit_string(), "F");
        EXPECT_EQ(func_get_water_unit_string(0), "in");
        EXPECT_EQ(func_get_water_unit_string(1), "gallons");
    }
    {
        unit_system metric(1.0f);
        EXPECT_EQ(func_get_temperature_unit_string(), "C");
        EXPECT_EQ(func_get_water_unit_string(0), "cm");
        EXPECT_EQ(func_get_water_unit_string(5), "liters");
    }
    {
        // Water words truncate the item; the temperature word needs exactly 0.
        unit_system odd(1.5f);
        EXPECT_EQ(func_get_water_unit_string(0), "cm");
        EXPECT_EQ(func_get_temperature_unit_string(), "C");
    }
    {
        unit_system odd(0.5f);
        EXPECT_EQ(func_get_water_unit_string(1), "gallons");
        EXPECT_EQ(func_get_temperature_unit_string(), "C");
    }
    {
        unit_system odd(2.0f);
        EXPECT_EQ(func_get_water_unit_string(0), "in");
    }
}

TEST(WaterLimits, BothUnitSystems)
{
    struct limit {
        int item_code;
        double inch_min, inch_max, cm_min, cm_max;
    };
    const limit limits[] = {{6, 1, 9999, 1, 9999},   {7, 1, 9999, 1, 9999},  {13, 4, 6, 10, 15},
                            {14, 4, 30, 15, 25},     {15, 10, 30, 25, 75},   {63, 0, 38, 0, 99},
                            {16, 0, 9999, 0, 9999},  {0, 0, 9999, 0, 9999}, {-1, 0, 9999, 0, 9999}};
    for (const limit& expected : limits) {
        {
            unit_system imperial(0.0f);
            EXPECT_EQ(func_get_water_value_min_max(0, expected.item_code), expected.inch_min) << expected.item_code;
            EXPECT_EQ(func_get_water_value_min_max(1, expected.item_code), expected.inch_max) << expected.item_code;
        }
        {
            unit_system metric(1.0f);
            EXPECT_EQ(func_get_water_value_min_max(0, expected.item_code), expected.cm_min) << expected.item_code;
            EXPECT_EQ(func_get_water_value_min_max(1, expected.item_code), expected.cm_max) << expected.item_code;
        }
    }
}

TEST(Durations, SecondsToText)
{
    EXPECT_EQ(func_convert_seconds_to_time(0), "00:00");
    EXPECT_EQ(func_convert_seconds_to_time(59), "00:59");
    EXPECT_EQ(func_convert_seconds_to_time(300), "05:00");
    EXPECT_EQ(func_convert_seconds_to_time(3599), "59:59");
    EXPECT_EQ(func_convert_seconds_to_time(3600), "01:00:00");
    EXPECT_EQ(func_convert_seconds_to_time(3723), "01:02:03");
    EXPECT_EQ(func_convert_seconds_to_time(90000), "25:00:00");
    EXPECT_EQ(func_convert_seconds_to_time(360000), "100:00:00");
    EXPECT_EQ(func_convert_seconds_to_time(-5), "00:00");
    EXPECT_EQ(func_convert_seconds_to_time(INT_MAX), "596523:14:07");
}

TEST(Durations, TextToSeconds)
{
    EXPECT_EQ(func_convert_time_to_seconds("1:30"), 90);
    EXPECT_EQ(func_convert_time_to_seconds("01:02:03"), 3723);
    EXPECT_EQ(func_convert_time_to_seconds("123:45"), 765);  // pieces cut to two characters
    EXPECT_EQ(func_convert_time_to_seconds(""), 0);
    EXPECT_EQ(func_convert_time_to_seconds("5"), 300);
    EXPECT_EQ(func_convert_time_to_seconds("05:00"), 300);
    EXPECT_EQ(func_convert_time_to_seconds("1:2:3:4"), 3723);
    EXPECT_EQ(func_convert_time_to_seconds("::30"), 30);
    EXPECT_EQ(func_convert_time_to_seconds("ab:cd"), 0);
    EXPECT_EQ(func_convert_time_to_seconds("12x:3y"), 723);
    EXPECT_EQ(func_convert_time_to_seconds("120° F"), 720);
}

TEST(Durations, TextsReadBackAsTheirSeconds)
{
    for (int seconds = 0; seconds < 100 * 3600; seconds += 37)
        ASSERT_EQ(func_convert_time_to_seconds(func_convert_seconds_to_time(seconds)), seconds) << seconds;
}

class ClockTextsTest : public ::testing::Test {
protected:
    sandbox_root sandbox{false};  // puts the system clock back afterwards
};

TEST_F(ClockTextsTest, TimeStylesAtAFixedMoment)
{
    sandbox_root::set_clock(2024, 3, 5, 14, 7);
    EXPECT_EQ(func_get_time(1), "14:07:00");
    EXPECT_EQ(func_get_time(2), "1407");
    EXPECT_EQ(func_get_time(0), "02:07 PM");
    EXPECT_EQ(func_get_time(9), "02:07 PM");

    sandbox_root::set_clock(2024, 12, 31, 9, 30);
    EXPECT_EQ(func_get_time(0), "09:30 AM");
    EXPECT_EQ(func_get_time(2), "0930");
}

TEST_F(ClockTextsTest, DateStylesAtAFixedMoment)
{
    sandbox_root::set_clock(2024, 3, 5, 14, 7);
    EXPECT_EQ(func_get_date(1), "03:05:2024");
    EXPECT_EQ(func_get_date(2), "20240305");
    EXPECT_EQ(func_get_date(3), "03-2024-");
    EXPECT_EQ(func_get_date(4), "2024");
    EXPECT_EQ(func_get_date(0), "03/05/2024");
    EXPECT_EQ(func_get_date(-3), "03/05/2024");
}

TEST_F(ClockTextsTest, FormattingAGivenMoment)
{
    sandbox_root::set_clock(2023, 7, 14, 23, 59);
    time_t moment = func_get_current_time();
    EXPECT_EQ(func_format_time(moment, 1), "23:59:00");
    EXPECT_EQ(func_format_date(moment, 0), "07/14/2023");
    EXPECT_EQ(func_format_time(moment + 60, 1), "00:00:00");
    EXPECT_EQ(func_format_date(moment + 60, 2), "20230715");
}

TEST(FormulaElapseTime, CountsWhileTheFormulaRuns)
{
    const int saved_ended = formula_ended;
    const double saved_elapsed = formula_elapse_time;

    formula_ended = 0;
    formula_elapse_time = 10.0;
    EXPECT_EQ(func_update_formula_elapse_time(nullptr), 1);
    EXPECT_EQ(func_update_formula_elapse_time(nullptr), 1);
    EXPECT_DOUBLE_EQ(formula_elapse_time, 12.0);

    formula_ended = 1;
    EXPECT_EQ(func_update_formula_elapse_time(nullptr), 0);
    EXPECT_DOUBLE_EQ(formula_elapse_time, 12.0);

    formula_ended = saved_ended;
    formula_elapse_time = saved_elapsed;
}
