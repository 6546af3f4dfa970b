#include "settings/system_commands.h"

#include <string>

#include "files/paths.h"
#include "files/shell_runner.h"
#include "files/build_switches.h"
#include "frame/dialogs.h"
#include "language/language.h"

void func_powerdown_machine(GtkWidget*, gpointer)
{
    func_show_dialog(13, p[162] + "   \n\n   " + p[163], 1, nullptr);
}

void func_do_powerdown()
{
    func_close_active_dialog();
    // A programming station must never switch off the PC it runs on.
    if (!PC_MODE)
        func_run_program({"poweroff"});
}

void func_reboot_machine()
{
    if (!PC_MODE)
        func_run_program({"reboot"});
}

void func_confirm_recalibration(GtkWidget*, gpointer) { func_show_dialog(24, p[400], 1, nullptr); }

void func_process_recalibration()
{
    func_close_active_dialog();
    func_run_program({"rm", "-f", func_system_path("etc/pointercal")});
    func_run_program({"rm", "-f", func_system_path("usr/share/lumex/calibration.cal")});
    func_run_program({"sync"});
    func_reboot_machine();
}
