// The spray-down screen (screen 14, from the diagnostics screen on the
// machine type that has it): the sewer drain, the reuse drain and the
// spray-down valve, each shown as the controller reports it and switched
// with its two toggles.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/ui_loader.h"

// Registers the screen and its reply.
void func_register_spray_down_screen();
void func_load_spray_down_screen(const ui_file& ui, display_data& record);

// Repaints from the controller's three bytes (sewer drain, reuse drain,
// spray valve); a record equal to the last one changes nothing unless a
// press or a new visit asked for a repaint.
void func_update_spray_down_status(const unsigned char record[3]);

extern "C" {
void func_show_spray_down_screen(GtkWidget* widget, gpointer data);
void func_unload_spray_down_screen(GtkWidget* widget, gpointer data);
// Groups (the controller's manual function groups): 7 sewer drain, 15
// reuse drain, 14 spray valve.
void func_set_spray_down_btn_selection(GtkWidget* widget, gpointer data);
}
