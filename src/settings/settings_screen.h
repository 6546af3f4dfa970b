// The system settings screen (reached from the configuration screen): on
// its first page the three passwords, each asked for or not and its text;
// on its second the console's date and time, its network (DHCP or a
// static address) and the touch recalibration. Every change is made at
// once and goes into the change log when the screen is left. On the
// desktop variant the clock, network and recalibration would act on the
// PC itself: their buttons stay visible but cannot be used.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/ui_loader.h"

void func_register_system_settings_screen();
void func_load_system_settings_screen(const ui_file& ui, display_data& record);
// Fills the page shown from the password files, the clock and the network.
void func_display_system_settings();
// The pause between taking the network down and bringing it up again, in
// milliseconds (1000; tests shorten it). The screen keeps running meanwhile.
void func_set_network_restart_pause(int milliseconds);

extern "C" {
void func_show_system_settings_screen(GtkWidget* widget, gpointer data);
void func_unload_system_settings_screen(GtkWidget* widget, gpointer data);
void func_confirm_recalibration(GtkWidget* widget, gpointer data);
}
