// Power-down, reboot and touch recalibration of the machine.
#pragma once
#include <gtk/gtk.h>

extern "C" {
// Asks before powering down (dialog kind 13).
void func_powerdown_machine(GtkWidget* widget, gpointer data);
void func_do_powerdown();
void func_reboot_machine();
void func_confirm_recalibration(GtkWidget* widget, gpointer data);
void func_process_recalibration();
}
