// Power-down, reboot and touch recalibration of the machine, through the
// program runner. The desktop variant never switches off or restarts the
// PC it runs on. Asking first is the screens' part.
#pragma once

void func_do_powerdown();
void func_reboot_machine();
void func_process_recalibration();
