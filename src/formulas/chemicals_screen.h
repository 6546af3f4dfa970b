// The chemicals of a step: fifteen chemicals, five to a page, each on or
// off, when it is injected, for how long and whether the operator is
// signalled; only as many as the machine has valves can be switched on.
// Reached from the Chemical value of the selected-step screen.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/list_page.h"
#include "frame/ui_loader.h"

// The list's columns, in order.
enum chemicals_column { CHEMICALS_NUMBER, CHEMICALS_ACTIVE, CHEMICALS_NAME, CHEMICALS_INJECT, CHEMICALS_DURATION,
                        CHEMICALS_SIGNAL };
extern list_page chemicals_page;

// Registers the chemicals screen and the chemical name item it owns.
void func_register_chemicals_screen();

void func_load_chemical_screen(const ui_file& ui, display_data& record);
void func_display_chemical_test();
// Copies the page into chemical_list_store and saves the step's chemical
// file and count; only while the page's reload flag is set.
int func_get_chemical_data_from_buttons_test();

extern "C" {
void func_show_chemical_screen(GtkWidget* widget, gpointer data);
// Save keeps the page, Cancel leaves the files as they were; both return
// to the selected step.
void func_unload_chemicals_screen(GtkWidget* widget, gpointer data);
void func_save_display_chemical_data(GtkWidget* widget, gpointer data);
}
