// The VEZ batch-data screen (20): whether a load waits, which way it goes
// and its eight numbers (formula, work order, goods, customer, employee,
// weight, pieces, lot). Start writes them to data/vez_batch_data.dat for
// the controller and goes on in the automatic mode.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/ui_loader.h"
#include "link/vez_records.h"

void func_register_vez_batch_data_screen();
void func_load_vez_batch_data_screen(const ui_file& ui, display_data& record);
void func_show_vez_batch_data_screen();
// Titles, message bar and page counter.
void func_display_vez_batch_data();
// The record the buttons show now.
vez_batch_data func_get_vez_batch_data_from_buttons_test();

extern "C" {
void func_unload_vez_batch_data_screen(GtkWidget* widget, gpointer data);
}
