// The home screen: active formulas five to a page, Run, and the way to
// every other screen (the screens say which home button or configuration
// menu row leads to them).
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/ui_loader.h"

constexpr int HOME_ROWS = 5;
constexpr int HOME_LIST_WIDTH = 390;
constexpr int HOME_LIST_HEIGHT = 320;

// Registers the home screen and the item codes and dialogs it owns.
void func_register_home_screen();

void func_load_home_screen(const ui_file& ui, display_data& record);
void func_display_formula_list_test();
void func_goto_formula_number_home(int formula_number);

// The remote formula file (seven numbers) and the load weight file
// (formula number, weight), in data/. 1 on success, 0 after logging.
int func_save_remote_formula_to_file(const int record[7]);
int func_save_load_weight_to_file(const int record[2]);

extern "C" {
void func_show_home_screen(GtkWidget* widget, gpointer data);
// A home button whose screen is registered: leaves home for it.
void func_unload_home_screen(GtkWidget* widget, gpointer data);
// The configuration button: opens the configuration menu.
void func_unload_home_screen_4_configuration(GtkWidget* widget, gpointer data);
void func_prompt_weight(GtkWidget* widget);
}
