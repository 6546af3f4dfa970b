// The machine's chemical valves: each valve's chemical name and flow
// rate, five to a page; valves the machine does not have are locked.
// Reached from the configuration screen.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/list_page.h"
#include "frame/ui_loader.h"

enum chemical_valves_column { VALVES_NUMBER, VALVES_NAME, VALVES_RATE };
extern list_page chemical_valves_page;

// Registers the chemical valves screen and the rate item it owns.
void func_register_chemical_valves_screen();

void func_load_chemical_valves_screen(const ui_file& ui, display_data& record);
void func_display_chemical_valves_test();
// Copies the page into chemical_valves_list_store; only while the page's
// reload flag is set.
int func_get_chemical_valves_data_from_buttons_test();
// A rate in tenths as the button shows it ("12.5" for 125), and back.
std::string func_format_valve_rate(float tenths);
float func_read_valve_rate(const std::string& text);

extern "C" {
void func_show_chemical_valves_screen(GtkWidget* widget, gpointer data);
void func_unload_chemicals_valves_screen(GtkWidget* widget, gpointer data);
void func_save_display_chemical_valves_data(GtkWidget* widget, gpointer data);
}
