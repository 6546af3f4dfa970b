// Setting the clock: impossible values run nothing; a clock that did not
// move, or a program that failed, is a failure. The argument vectors are
// checked from the settings screen.
#include <gtest/gtest.h>

#include "files/shell_runner.h"
#include "settings/system_clock.h"
#include "support/core_data_fixture.h"

namespace {
using system_clock_test = core_data_test;

TEST_F(system_clock_test, a_clock_that_did_not_change_a_failed_program_or_an_impossible_date_is_reported)
{
    // "date" says it worked but the clock stays where it was.
    const settings_result unchanged = func_set_system_time(8, 0, 0);
    EXPECT_FALSE(unchanged.done);
    EXPECT_EQ(unchanged.message_slot, 947);
    func_set_program_runner([](const std::vector<std::string>&) { return 1; });
    EXPECT_EQ(func_set_system_date(2024, 3, 16).message_slot, 946);
    sandbox.let_date_move_the_clock(2);
    EXPECT_EQ(func_set_system_date(2024, 3, 16).message_slot, 948);
    EXPECT_EQ(syserror_lines(), (std::vector<std::string>{
                                    "func_set_system_time : the clock did not change to 2024-03-15 08:00:00",
                                    "func_set_system_date : date -s 2024-03-16 10:30:00 failed (status 1)",
                                    "func_set_system_date : hwclock -w failed (status 2)"}));

    // Impossible dates and times run nothing.
    sandbox.let_date_move_the_clock();
    sandbox.programs_run.clear();
    for (const auto& [year, month, day] : {std::tuple{2023, 2, 29}, {1969, 12, 31}, {2100, 1, 1}})
        EXPECT_FALSE(func_set_system_date(year, month, day).done) << year << "-" << month << "-" << day;
    EXPECT_FALSE(func_set_system_time(24, 0, 0).done);
    EXPECT_TRUE(sandbox.programs_run.empty());
    EXPECT_TRUE(func_valid_clock_date(2000, 2, 29));
}
}  // namespace
