// The steps screen: the steps of the selected formula, six to a page with
// number, name and type (with the step time), the step operations
// (step_operations.h) and the way to a step's settings.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/list_page.h"
#include "frame/ui_loader.h"

constexpr int STEPS_ROWS = 6;
constexpr int STEPS_LIST_WIDTH = 405;
constexpr int STEPS_LIST_HEIGHT = 400;
constexpr int STEPS_ROW_HEIGHT = 55;

// The list's columns, in order. The step time is part of the type
// button's label, so there is no time column.
enum steps_column { STEPS_NUMBER, STEPS_NAME, STEPS_TYPE };
extern list_page steps_page;

// Registers the steps screen and what it owns.
void func_register_steps_screen();

void func_load_steps_screen(const ui_file& ui, display_data& record);
void func_display_step_list_test();
// Copies the step names shown on the page into the step rows and
// steps.dat; only while the screen's reload flag is set.
void func_get_step_list_data_from_buttons_test();

extern "C" {
void func_show_steps_screen(GtkWidget* widget, gpointer data);
void func_unload_steps_screen(GtkWidget* widget, gpointer data);
}
