// Setting the clock: "date -s" with one argument, then "hwclock -w"; a
// clock that did not move, or a program that failed, is a failure.
#include <gtest/gtest.h>

#include <ctime>

#include "files/shell_runner.h"
#include "files/time_source.h"
#include "settings/system_clock.h"
#include "support/core_data_fixture.h"

namespace {
using argv_list = std::vector<std::vector<std::string>>;

class system_clock_test : public core_data_test {
protected:
    // A runner whose "date -s" moves the console's clock as the system's would.
    void use_obedient_date(int hwclock_status = 0)
    {
        func_set_program_runner([this, hwclock_status](const std::vector<std::string>& argv) {
            sandbox.programs_run.push_back(argv);
            if (argv[0] == "hwclock")
                return hwclock_status;
            struct tm wanted = {};
            if (argv.size() == 3 && strptime(argv[2].c_str(), "%Y-%m-%d %H:%M:%S", &wanted)) {
                wanted.tm_isdst = -1;
                const time_t moment = mktime(&wanted);
                func_set_time_source([moment] { return moment; });
            }
            return 0;
        });
    }
};

TEST_F(system_clock_test, date_and_time_each_keep_the_other_and_reach_the_hardware_clock)
{
    use_obedient_date();
    // The fixture's clock: 15 March 2024, 10:30.
    EXPECT_TRUE(func_set_system_date(2025, 2, 28).done);
    EXPECT_TRUE(func_set_system_time(23, 59, 58).done);
    EXPECT_EQ((argv_list{{"date", "-s", "2025-02-28 10:30:00"},
                         {"hwclock", "-w"},
                         {"date", "-s", "2025-02-28 23:59:58"},
                         {"hwclock", "-w"}}),
              sandbox.programs_run);
}

TEST_F(system_clock_test, impossible_dates_and_times_run_nothing)
{
    use_obedient_date();
    for (const auto& [year, month, day] : {std::tuple{2024, 2, 30}, {2023, 2, 29}, {1969, 12, 31}, {2100, 1, 1}})
        EXPECT_EQ(func_set_system_date(year, month, day).message_slot, 946) << year << "-" << month << "-" << day;
    EXPECT_EQ(func_set_system_time(24, 0, 0).message_slot, 947);
    EXPECT_TRUE(sandbox.programs_run.empty());
    EXPECT_TRUE(func_valid_clock_date(2024, 2, 29));
    EXPECT_TRUE(func_valid_clock_date(2000, 2, 29));
}

TEST_F(system_clock_test, a_clock_that_did_not_change_or_a_failed_program_is_reported)
{
    // "date" says it worked but the clock stays where it was.
    const settings_result unchanged = func_set_system_time(8, 0, 0);
    EXPECT_FALSE(unchanged.done);
    EXPECT_EQ(unchanged.message_slot, 947);
    func_set_program_runner([](const std::vector<std::string>&) { return 1; });
    EXPECT_EQ(func_set_system_date(2024, 3, 16).message_slot, 946);
    use_obedient_date(2);
    EXPECT_EQ(func_set_system_date(2024, 3, 16).message_slot, 948);
    EXPECT_EQ(syserror_lines(), (std::vector<std::string>{
                                    "func_set_system_time : the clock did not change to 2024-03-15 08:00:00",
                                    "func_set_system_date : date -s 2024-03-16 10:30:00 failed (status 1)",
                                    "func_set_system_date : hwclock -w failed (status 2)"}));
}
}  // namespace
