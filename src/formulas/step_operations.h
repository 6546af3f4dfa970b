// The steps screen's operations on the steps of the selected formula:
// add, insert, paste, rename and delete, with their menus, wait and
// confirmation dialogs, change-log lines and the selection afterwards.
// The files move through step_files.h.
#pragma once
#include <gtk/gtk.h>

#include <string>
#include <vector>

// Slot of "<< CANCEL >>" in the insert and paste menus: does nothing.
constexpr int STEP_MENU_CANCEL = 3;

// Registers the item code (2, rename) and the delete confirmation (dialog
// kind 11) the operations own.
void func_register_step_operations();

// The insert and paste menus of the steps screen (selection dialog).
std::vector<std::string> func_get_step_menu_options(GtkWidget* caller, int data);
void func_step_menu_chosen(GtkWidget* option, GtkWidget* caller);

extern "C" {
// Buttons of the steps screen.
void fun_add_insert_step(GtkWidget* widget, gpointer data);
void fun_copy_insert_step(GtkWidget* widget, gpointer data);
void func_rename_step_test(GtkWidget* widget, gpointer data);
void func_confirm_delete_step(GtkWidget* widget, gpointer data);
// OK of the delete confirmation (dialog kind 11).
void func_process_delete_step(GtkWidget* widget, gpointer data);
}

// 1 when the selected step may be deleted (a refusal shows its dialog).
int func_validate_delete_step();
void func_add_step_test(GtkWidget* widget);
void func_add_step_copy_test(GtkWidget* widget, int source_step);
// where: 0 before, 1 after, 2 (and above, except STEP_MENU_CANCEL) at the end.
void func_insert_step_test(GtkWidget* widget, int where);
void func_copy_step_test(GtkWidget* widget, int where);
void func_delete_step_test(GtkWidget* widget, gpointer data);
