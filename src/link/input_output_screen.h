// The diagnostics screen (screen 10): the machine's inputs, outputs or
// analog channels live, in one of three modes chosen by its toggles, each
// mode asking the controller for its own record; an output's button
// switches that output. Reached from home and from the run screen, whose
// formula goes on meanwhile and to which it leads back.
#pragma once
#include <gtk/gtk.h>

#include <cstdint>

#include "frame/app_state.h"
#include "frame/ui_loader.h"
#include "link/io_diagnostics.h"

// Registers the screen and the replies of its three modes.
void func_register_input_output_screen();
void func_load_input_output_screen(const ui_file& ui, display_data& record);

// Repaint from a record of the controller: only the cells that changed,
// or every one after the table was rebuilt (the dirty flags).
void func_update_inputs_display_test(const unsigned char record[IO_INPUT_COUNT]);
void func_update_outputs_display_test(const unsigned char record[IO_OUTPUT_COUNT]);
void func_update_analogs_display(const int32_t record[IO_ANALOG_COUNT]);

// Sends "switch output n" unless n is beyond the output table or the
// screen was opened from a running formula. False when nothing was sent.
bool func_send_diagnostic_output(int output);

extern "C" {
void func_show_input_output_screen(GtkWidget* widget, gpointer data);
void func_unload_input_output_screen(GtkWidget* widget, gpointer data);
// data: the mode (0 inputs, 1 outputs, 2 analogs).
void func_toggle_io_mode(GtkWidget* widget, gpointer data);
}
