// The formulas screen: every formula, active or not, six to a page with
// its number, active flag, name and step count, and the way to the list
// operations (formula_operations.h) and to a formula's steps.
#pragma once
#include <gtk/gtk.h>

#include "frame/list_page.h"
#include "frame/ui_loader.h"
#include "frame/app_state.h"

constexpr int FORMULAS_ROWS = 6;
constexpr int FORMULAS_LIST_WIDTH = 400;
constexpr int FORMULAS_LIST_HEIGHT = 400;
constexpr int FORMULAS_ROW_HEIGHT = 55;

// The list's columns, in order.
enum formulas_column { FORMULAS_NUMBER, FORMULAS_ACTIVE, FORMULAS_NAME, FORMULAS_STEPS };
extern list_page formulas_page;

// Registers the formulas screen and what it owns.
void func_register_formulas_screen();

void func_load_formulas_screen(const ui_file& ui, display_data& record);
void func_display_formula_test();
// Copies what the operator edited on the shown page (names, active flags)
// into formula_list_store and formulas.dat; only while the reload flag is
// set. 1 unless the file could not be written.
int func_get_formula_list_data_from_buttons_test();
// Selects formula `number` and shows its page (item code 50).
void func_goto_formula_number_formula(int number);
// Remembers the formula at this position of the sorted list as the
// selected one, to be drawn pressed on its page by the next display; -1
// forgets the selection.
void func_select_formula_position(int position);

extern "C" {
void func_show_formulas_screen(GtkWidget* widget, gpointer data);
void func_unload_formulas_screen(GtkWidget* widget, gpointer data);
// Page buttons: harvest the shown page, then page.
void func_save_display_formulas_data(GtkWidget* widget, gpointer data);
}
