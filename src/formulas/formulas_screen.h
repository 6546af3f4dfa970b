// The formulas screen: every formula, active or not, six to a page with
// its number, active flag, name and step count, and the way to the list
// operations (formula_operations.h) and to a formula's steps.
#pragma once
#include <gtk/gtk.h>

constexpr int FORMULAS_ROWS = 6;
constexpr int FORMULAS_LIST_WIDTH = 400;
constexpr int FORMULAS_LIST_HEIGHT = 400;
constexpr int FORMULAS_ROW_HEIGHT = 55;

// Row buttons of the page shown, one array per column (6 slots each).
extern GtkWidget** formula_selections_number;
extern GtkWidget** formula_selections_active;
extern GtkWidget** formula_selections_name;
extern GtkWidget** formula_selections_step;

// Widget ids the formulas screen's loader fetches from its interface file.
extern const char* const FORMULAS_SCREEN_WIDGETS[];

// Where a row's step button leads. The steps screen sets this when it is
// built; while it is null the step button only harvests the edits and the
// formulas screen stays.
using formula_steps_show_function = void (*)(GtkWidget* widget, gpointer data);
extern formula_steps_show_function formulas_screen_steps_target;

void func_load_formulas_screen();
void func_display_formula_test();
// Copies what the operator edited on the shown page (names, active flags)
// into formula_list_store and formulas.dat; only while the reload flag is set.
void func_get_formula_list_data_from_buttons_test();
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
