// The formulas screen's list operations: add, copy, rename, renumber and
// delete, with their wait and confirmation dialogs, change-log lines and
// the selection afterwards. The folders and files are the formula list's
// (formula_list.h).
#pragma once
#include <gtk/gtk.h>

// Registers the item codes (1, 23, 24, 25, 50) and the delete
// confirmation (dialog kind 10) the operations own.
void func_register_formula_operations();

// Item code 25 and 24 save actions: add formula n, copy the selected
// formula to n. 1 when the list changed, 0 when refused or not saved.
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
