// Operations on the formula list started from the formulas screen: add,
// copy, rename, renumber and delete, with their folders, wait and
// confirmation dialogs and change-log lines.
#pragma once
#include <gtk/gtk.h>

// 1 when n is free on the shown list (formulas: no formula has it; steps:
// no step of the formula; post-dry: not in column 0), 0 when taken; 1 on
// other screens.
int func_formula_step_number_available(int n);
// Last number of the shown list plus 1, raised while taken; 1 for an empty
// list and on other screens.
int func_get_next_available_formula_step_number();

// Item code 25 and 24 save actions: add formula n, copy the selected
// formula to n. 1 when the list changed, 0 when refused.
int func_add_formula_test(GtkWidget* widget, int number);
int func_copy_formula_test(GtkWidget* widget, int number);
// Item code 23 save action: renumbers the formula shown on caller (its
// label is the old number) to new_number, folder included. 1 on success.
int func_process_change_formula_number(GtkWidget* caller, int new_number);

extern "C" {
// Buttons of the formulas screen.
void func_process_add_formula(GtkWidget* widget, gpointer data);
void func_process_copy_formula(GtkWidget* widget, gpointer data);
void func_rename_formula_test(GtkWidget* widget, gpointer data);
void func_change_formula_number(GtkWidget* widget, gpointer data);
void func_confirm_delete_formula(GtkWidget* widget, gpointer data);
// OK of the delete confirmation (dialog kind 10).
void func_process_delete_formula(GtkWidget* widget, gpointer data);
void func_delete_formula_test(GtkWidget* widget, gpointer data);
}
