#include "settings/system_commands.h"

#include <string>

#include "files/paths.h"
#include "files/shell_runner.h"
#include "files/build_switches.h"

void func_do_powerdown()
{
    // A programming station must never switch off the PC it runs on.
    if (!PC_MODE)
        func_run_program({"poweroff"});
}

void func_reboot_machine()
{
    if (!PC_MODE)
        func_run_program({"reboot"});
}

void func_process_recalibration()
{
    func_run_program({"rm", "-f", func_system_path("etc/pointercal")});
    func_run_program({"rm", "-f", func_system_path("usr/share/lumex/calibration.cal")});
    func_run_program({"sync"});
    func_reboot_machine();
}
