// Adding, inserting, pasting, renaming and deleting the steps of the
// selected formula, keeping step numbers 1..n and each step's chemical
// file ("s-%03d_chems.dat") in step with the list.
#pragma once
#include <gtk/gtk.h>

// The steps screen's harvest (func_get_step_list_data_from_buttons_test),
// set by that screen when it is loaded; null until then. Every operation
// runs it first so edits made on the screen are not lost.
extern void (*steps_screen_harvest)();

// Slot of "<< CANCEL >>" in the insert and paste menus: does nothing.
constexpr int STEP_MENU_CANCEL = 3;

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
