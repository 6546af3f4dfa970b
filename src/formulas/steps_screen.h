// The steps screen: the steps of the selected formula, six to a page with
// number, name and type (with the step time), the step operations
// (step_operations.h) and the way to a step's settings.
#pragma once
#include <gtk/gtk.h>

constexpr int STEPS_ROWS = 6;
constexpr int STEPS_LIST_WIDTH = 405;
constexpr int STEPS_LIST_HEIGHT = 400;
constexpr int STEPS_ROW_HEIGHT = 55;

// Row buttons of the page shown, one array per column (6 slots each). The
// step time is part of the type button's label, so there is no time column.
extern GtkWidget** step_selections_number;
extern GtkWidget** step_selections_name;
extern GtkWidget** step_selections_type;

// Widget ids the steps screen's loader fetches from its interface file.
extern const char* const STEPS_SCREEN_WIDGETS[];

void func_load_steps_screen();
void func_display_step_list_test();
// Copies the step names shown on the page into step_list_store and
// steps.dat; only while the screen's reload flag is set.
void func_get_step_list_data_from_buttons_test();

extern "C" {
void func_show_steps_screen(GtkWidget* widget, gpointer data);
void func_unload_steps_screen(GtkWidget* widget, gpointer data);
}
