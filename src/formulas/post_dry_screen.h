// The post-dry list: the formulas that have a dry code and destination,
// six to a page in formula order, added by number, edited in place,
// deleted after a question. Reached from home's configuration menu.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/list_page.h"
#include "frame/ui_loader.h"

enum post_dry_column { POST_DRY_FORMULA, POST_DRY_DRYCODE, POST_DRY_DESTINATION };
extern list_page post_dry_page;

// Registers the post-dry screen, its item codes and its delete question.
void func_register_post_dry_screen();

void func_load_post_dry_screen(const ui_file& ui, display_data& record);
void func_display_post_dry_test();
// Copies the page into the list and saves the file; only while the page's
// reload flag is set. 1 unless the file could not be written.
int func_get_post_dry_list_data_from_buttons_test();
// Adds an entry for the formula (item code 33); 1 when it was saved.
int func_add_post_dry_test(GtkWidget* widget, int formula);
// Selects the formula's entry on its page.
void func_select_added_post_dry_item(int formula);
void func_delete_post_dry_test(GtkWidget* widget);
void func_goto_formula_number_post_dry(int formula);

extern "C" {
void func_show_post_dry_screen(GtkWidget* widget, gpointer data);
void func_unload_post_dry_screen(GtkWidget* widget, gpointer data);
void func_process_add_post_dry(GtkWidget* widget, gpointer data);
void func_confirm_delete_post_dry(GtkWidget* widget, gpointer data);
void func_process_delete_post_dry(GtkWidget* widget, gpointer data);
void func_save_display_post_dry_data(GtkWidget* widget, gpointer data);
}
