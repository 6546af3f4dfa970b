// The run screen (screen 22): what the running formula does, from the run
// records the controller sends while it is shown, in the standard layout
// or, on a machine with the water-reuse tank (TIDAL_LOOP), the layout
// that draws tank, pumps and pipes. Stop, manual mode and the machine's
// own questions (its messages open the matching dialogs) live here too.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/ui_loader.h"
#include "link/run_record.h"

// Registers the screen, its replies, the machine messages and the
// answers of the link's dialogs.
void func_register_run_screen();
void func_load_run_screen(const ui_file& ui, display_data& record);

// Repaints the shown layout from one run record (the demonstration run
// and the link's replies both come here).
void func_update_run_display(const run_record& record);
// The remote variant: names and step count come with the record.
void func_update_remote_run_display(const run_record& record, int steps, const char* formula_name,
                                    const char* step_name);
void func_enable_manual_mode(int on);
void func_show_hide_selection_boxes(int show);
// Manual mode: a touched selection box opens its row of adjustment
// buttons; each press is sent to the controller and written to the log.
void func_show_manual_btn_selection_dialog(GtkWidget* box);
void func_unload_manual_buttons_window();

extern "C" {
void func_show_run_screen(GtkWidget* widget, gpointer data);
void func_unload_run_screen(GtkWidget* widget, gpointer data);
void func_stop_formula(GtkWidget* widget, gpointer data);
void func_set_manual_btn_selection(GtkWidget* button, gpointer data);
// A formula played without a controller: formula 1, counting down.
void func_debug_run_display(GtkWidget* widget, gpointer data);
}
