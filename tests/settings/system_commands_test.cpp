// Power-down, reboot and recalibration run their programs through the
// runner, with paths under the system root.
#include <gtest/gtest.h>

#include "files/paths.h"
#include "frame/app_state.h"
#include "settings/system_commands.h"
#include "support/sandbox.h"

namespace {
using argv_list = std::vector<std::vector<std::string>>;

TEST(system_commands, power_down_and_reboot_run_their_programs_on_the_machine)
{
    sandbox_root sandbox(false);
    func_do_powerdown();
    func_reboot_machine();
    EXPECT_EQ((argv_list{{"poweroff"}, {"reboot"}}), sandbox.programs_run);
}

TEST(system_commands, recalibration_removes_the_calibration_under_the_system_root_and_reboots)
{
    sandbox_root sandbox(false);
    func_process_recalibration();
    EXPECT_EQ((argv_list{{"rm", "-f", sandbox.system_root() + "etc/pointercal"},
                         {"rm", "-f", sandbox.system_root() + "usr/share/lumex/calibration.cal"},
                         {"sync"},
                         {"reboot"}}),
              sandbox.programs_run);
}
}  // namespace
