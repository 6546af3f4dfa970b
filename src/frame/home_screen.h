// The home screen: active formulas five to a page, Run, and the way to
// every other screen.
#pragma once
#include <gtk/gtk.h>

constexpr int HOME_ROWS = 5;
constexpr int HOME_LIST_WIDTH = 390;
constexpr int HOME_LIST_HEIGHT = 320;

// Row buttons of the page shown (7 slots each).
extern GtkWidget** home_selections_number;
extern GtkWidget** home_selections_name;
extern GtkWidget** home_selections_time;

// Widget ids the home screen's loader fetches from its interface file.
extern const char* const HOME_SCREEN_WIDGETS[];

void func_load_home_screen();
void func_display_formula_list_test();
void func_goto_formula_number_home(int formula_number);

extern "C" {
void func_show_home_screen(GtkWidget* widget, gpointer data);
void func_unload_home_screen(GtkWidget* widget, gpointer data);
void func_unload_home_screen_4_configuration(GtkWidget* widget, gpointer data);
void func_prompt_weight(GtkWidget* widget);
}
