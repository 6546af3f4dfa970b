// Power-down, reboot and touch recalibration of the machine, through the
// program runner. The desktop variant never switches off or restarts the
// PC it runs on. Asking first is the screens' part.
#pragma once

// What a settings operation did: done, or the language slot of what the
// operator is told (the details are in syserror.log).
struct settings_result {
    bool done = true;
    int message_slot = -1;
};

void func_do_powerdown();
// 1 when "reboot" ran and succeeded; 0 otherwise (logged on the machine).
int func_reboot_machine();
// Removes the touch calibration (so the next start asks for a new one),
// flushes the disks and restarts the machine. A calibration file that
// cannot be removed stops it before the restart.
settings_result func_process_recalibration();
