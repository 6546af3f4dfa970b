// Power-down, reboot and recalibration run their programs through the
// runner, with paths under the system root, and say when they fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/paths.h"
#include "files/shell_runner.h"
#include "settings/system_commands.h"
#include "support/core_data_fixture.h"

namespace {
using argv_list = std::vector<std::vector<std::string>>;

class system_commands : public core_data_test {
protected:
    void put_calibration(const std::string& relative)
    {
        const std::string path = sandbox.system_root() + relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "calibration";
    }
};

TEST_F(system_commands, recalibration_removes_the_calibration_under_the_system_root_and_reboots)
{
    put_calibration("etc/pointercal");  // the other one is already gone
    const settings_result result = func_process_recalibration();
    EXPECT_TRUE(result.done);
    EXPECT_FALSE(std::filesystem::exists(sandbox.system_root() + "etc/pointercal"));
    EXPECT_EQ((argv_list{{"sync"}, {"reboot"}}), sandbox.programs_run);
}

TEST_F(system_commands, a_calibration_that_stays_or_a_failed_restart_is_reported)
{
    put_calibration("usr/share/lumex/calibration.cal");
    func_file_io_ops().unlink_file = [](const char*) {
        errno = EACCES;
        return -1;
    };
    settings_result result = func_process_recalibration();
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.message_slot, 951);
    EXPECT_TRUE(sandbox.programs_run.empty());  // no restart without a new calibration

    func_reset_file_io_ops();
    func_set_program_runner([this](const std::vector<std::string>& argv) {
        sandbox.programs_run.push_back(argv);
        return argv[0] == "reboot" ? 1 : 0;
    });
    result = func_process_recalibration();
    EXPECT_EQ(result.message_slot, 952);
    const std::vector<std::string> logged = syserror_lines();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "func_process_recalibration : can't remove " + sandbox.system_root() +
                             "etc/pointercal: Permission denied");
    EXPECT_EQ(logged[1], "func_reboot_machine : reboot failed (status 1)");
}
}  // namespace
