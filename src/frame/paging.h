// Paged lists of row buttons: the per-screen page records, row naming
// ("<prefix>#%03d"), the pressed/active row, page buttons and the
// selection after adding or deleting. Every list screen uses this, with
// its list described once (list_page.h).
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"

// --- arithmetic, no widgets ---------------------------------------------------
// Rows per page of a registered screen (its list's rows), 5 otherwise.
int func_get_rows_per_page(int screen_code);
// Pages, current page (reset to 1 when out of range), first and end item.
void func_compute_paging(page_list_info& info, int total_items, int rows_per_page);
// Decimal number after the last '#', -1 when there is none.
int func_get_row_from_name(const char* name);
// Selection after deleting, with `items_left` items left.
void func_compute_selection_after_deletion(page_list_info& info, int items_left);
void func_compute_selection_after_adding(page_list_info& info, int item_count);

// The number of the item selected on a screen's list, -1 when none.
int func_get_selected_number(int screen_code);

// --- on the shown screen (options_display) ----------------------------------------
page_list_info& func_current_page_list();
// The second list's paging record of the shown screen.
page_list_info& func_current_page_list1();
int func_get_index_from_widget_name_no_page_adjust(GtkWidget* widget);
int func_get_index_from_widget_name(GtkWidget* widget);
void func_update_page_info_test(int total_items);
void func_update_page_info1_test(int total_items);
void func_enable_disable_page_up_down_button();
void func_enable_disable_page_up_down_button1();
// The screen buttons that act on the selected row (clone, rename and
// delete; run on the home screen) follow the selection.
void func_enable_clone_ren_del_button(int sensitive);
// The columns of a row that act on the selected item follow it.
void func_enable_options_button(int row, int sensitive, gpointer data);
void func_set_selection_after_deletion(int items_left);
void func_select_added_item();
// Option row of an item of the shown screen, -1 when it has none.
int func_get_lookup_table_index(int item);
// Replaces the shown list's table (the second list's with `second`) by
// an empty one of rows x columns; the screen's record keeps the new table.
GtkWidget* func_replace_list_table(int rows, int columns, bool second = false);
// With the reload flag set and a row remembered, the page of that row
// becomes current again (paging recomputed for total_items).
void func_return_to_pressed_page(int total_items, bool second = false);
// Label text of a button (or label), "" when none.
const char* func_get_widget_label_text(GtkWidget* widget);

extern "C" {
void func_show_page_info_test(GtkWidget* widget, gpointer data);
void func_show_page_info1_test(GtkWidget* widget, gpointer data);
void func_show_button_pressed_state_static_test(GtkWidget* widget, gpointer data);
void func_show_button_pressed_state_static1_test(GtkWidget* widget, gpointer data);
void func_show_decision_pressed_state_static_test(GtkWidget* widget);
void func_show_button_normal_state(GtkWidget* widget);
}
