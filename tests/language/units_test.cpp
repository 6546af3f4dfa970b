// Temperatures, unit words, water limits, time and date texts, durations
// and the formula elapse timer.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "configuration/configuration_record.h"
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

TEST(Units, TemperaturesUnitWordsWaterLimitsDurationsTheClockAndTheElapseTime)
{
    // (input, to F, to C): rounding to the nearest degree, then 50..205 F, 0..96 C.
    const int cases[][3] = {{37, 99, 3}, {70, 158, 21}, {71, 160, 22}, {INT_MIN, 50, 0}, {INT_MAX, 205, 96}};
    for (const auto& c : cases) {
        EXPECT_EQ(func_convert_temperature_to_F(c[0]), c[1]) << c[0] << " C";
        EXPECT_EQ(func_convert_temperature_to_C(c[0]), c[2]) << c[0] << " F";
    }

    const struct {
        float item;
        const char *temperature, *level;
    } words[] = {{0.0f, "F", "in"}, {1.5f, "C", "cm"}, {0.5f, "C", "in"}};
    for (const auto& c : words) {
        unit_system units(c.item);
        EXPECT_EQ(func_get_temperature_unit_string(), c.temperature) << c.item;
        EXPECT_EQ(func_get_water_unit_string(0), c.level) << c.item;
    }
    unit_system inches(0.5f);
    const double inch_max = func_get_water_value_min_max(1, 13);
    unit_system metric(1.0f);
    EXPECT_NE(func_get_water_value_min_max(1, 13), inch_max) << "each unit system has its own limits";

    const std::pair<int, const char*> texts[] = {
        {3599, "59:59"}, {3600, "01:00:00"}, {360000, "100:00:00"}, {-5, "00:00"}, {INT_MAX, "596523:14:07"}};
    for (const auto& [seconds, text] : texts)
        EXPECT_EQ(func_convert_seconds_to_time(seconds), text) << seconds;
    const std::pair<const char*, int> seconds[] = {
        {"01:02:03", 3723}, {"123:45", 765},  // pieces cut to two characters
        {"", 0}, {"5", 300}, {"1:2:3:4", 3723}, {"ab:cd", 0}, {"12x:3y", 723}};
    for (const auto& [text, value] : seconds)
        EXPECT_EQ(func_convert_time_to_seconds(text), value) << text;

    sandbox_root sandbox(false);  // puts the system clock back afterwards
    sandbox_root::set_clock(2024, 3, 5, 14, 7);
    EXPECT_EQ(func_get_time(0), "02:07 PM");
    EXPECT_EQ(func_get_date(3), "03-2024-") << "the log file prefix";
    EXPECT_EQ(func_get_date(-3), "03/05/2024") << "an unknown style is the plain date";
    EXPECT_EQ(func_format_time(func_get_current_time() + 36000, 1), "00:07:00");
    EXPECT_EQ(func_format_date(func_get_current_time() + 36000, 2), "20240306");

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
