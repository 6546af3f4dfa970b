// The error information screen (code 9): the remedies of a machine error
// from the solutions file (link/error_solutions.h), a page of buttons on
// the left; a pressed remedy shows its picture there and its title and
// text beside it. Reached from the error dialog's help button; Back
// closes an open remedy, Home returns to the screen the error came up on
// and brings the error dialog back, since the machine still waits for
// its signal cancel.
#pragma once
#include <gtk/gtk.h>

#include "frame/ui_loader.h"

struct display_data;
struct list_page;

extern list_page error_info_page;
// The screen the error information screen returns to (-1: none yet).
extern int error_originating_screen;
// True while a remedy is open.
extern bool error_info_drilldown;

void func_register_error_info_screen();
void func_load_error_info_screen(const ui_file& ui, display_data& record);

// Shows the screen for an error code, remembering the screen shown now.
void func_show_error_info_screen(int code);
// Builds the list of the code's remedies (the file is read again).
void func_display_error_info_test(int code);

extern "C" {
// Help button of the error dialog (kind 4): the dialog's data is the
// error code (-1: not sent; the dialog's text is then looked up among
// the machine error names).
void func_show_error_info_screen_signal_cancel(gpointer data, GtkWidget* button);
void func_display_error_solution(GtkWidget* widget, gpointer data);
void func_unload_error_info_screen(GtkWidget* widget, gpointer data);
}
