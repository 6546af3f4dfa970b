// The VEZ state screen (17) and the same window in recovery (18): the
// loading cycle's state with its help, or the three conditions the
// machine waits for before it goes on. In the automatic mode (Auto on
// home) the controller's state records choose among the state, recovery
// and batch-data screens: byte 1 of each record names the one it needs.
#pragma once
#include <gtk/gtk.h>

#include <cstdint>
#include <string>

#include "frame/app_state.h"
#include "frame/ui_loader.h"
#include "link/vez_records.h"

// Set when the diagnostics screen was opened from the state screen, so
// that leaving it comes back here.
extern int return_to_vez_state_screen;
// The formula of the load, from the controller's state record or the
// batch data saved last.
extern int32_t vez_formula_number;
// 1 while the recovery screen is the one shown.
extern int in_vez_recovery_mode;
// The recovery screen's warnings: 0 all met, 1 to 3 the condition not met.
std::string func_vez_warning_text(int index);

// Registers screens 17 and 18 and the state and recovery replies.
void func_register_vez_state_screen();
void func_load_vez_state_screen(const ui_file& ui, display_data& record);
// Mode 1: recovery (screen 18); anything else the state screen (17).
void func_show_vez_state_screen(int mode);

// Repaints from one state record (labels only when the number changes).
void func_update_vez_state_test(const vez_state_reply& reply);
// Toggles between the state number and the state's help.
void func_display_vez_state_help();
// Repaints the recovery conditions and the warning (screen 18 only).
void func_update_vez_recovery_test(const unsigned char conditions[VEZ_CONDITIONS]);
// Follows the controller to the screen a state record names, while in
// the automatic mode and on one of the screens the cycle moves between.
void func_follow_vez_state(const vez_state_reply& reply);
// The batch data of the load asked for last has been saved: a record
// still asking for that load (one already on its way) is not followed.
void func_note_vez_batch_data_saved();

extern "C" {
void func_unload_vez_state_screen(GtkWidget* widget, gpointer data);
}
