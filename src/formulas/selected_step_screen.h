// The selected-step screen: the nineteen settings of one step, each as a
// label and a value button that opens the data entry or selection dialog;
// the step rules (step_rules.h) lock what the step's type does not use.
#pragma once
#include <gtk/gtk.h>

#include "formulas/step_rules.h"
#include "frame/app_state.h"
#include "frame/ui_loader.h"

constexpr int SELECTED_STEP_LIST_WIDTH = 605;
constexpr int SELECTED_STEP_LIST_HEIGHT = 280;
constexpr int SELECTED_STEP_ITEMS = STEP_FORM_ITEMS;  // items 0 to 18
constexpr int SELECTED_STEP_COLUMNS = 5;
constexpr int SELECTED_STEP_VALUE_WIDTH = 112;
constexpr int SELECTED_STEP_VALUE_HEIGHT = 52;

// Value buttons and item labels of the step shown, by item (20 slots, the
// rows of one page of this screen).
extern GtkWidget** step_item_selections_name;
extern GtkWidget** step_item_selections_label;

// Registers the selected-step screen.
void func_register_selected_step_screen();

void func_load_selected_step_screen(const ui_file& ui, display_data& record);
void func_display_selected_step_test();
// Writes the selected step's values into the value buttons.
void func_set_step_data_to_buttons_test();
// Copies the values shown into the step's row of the step rows (not the
// file); only while the screen's reload flag is set.
void func_get_step_data_from_buttons_test();

// The values the buttons show, their sensitivity and the speed's item code.
step_form func_get_selected_step_form();
// Applies the lockout of step type `type` (an option index of item 0) to
// the value buttons; removes the step's chemical file when the type can
// carry no chemicals.
void func_set_selected_step_lockout(int type);

extern "C" {
void func_show_selected_step_screen(GtkWidget* widget, gpointer data);
void func_unload_selected_step_screen(GtkWidget* widget, gpointer data);
// 1 when the step shown may be saved; otherwise a warning is shown and 0.
int func_validate_selected_step(GtkWidget* widget, gpointer data);
// Page buttons: check the step, copy the edits, then page.
void func_save_display_selected_steps_data(GtkWidget* widget, gpointer data);
}
