// The logs screen (home's log button): a calendar to pick a day, and that
// day's records of one log of the month (production, change, error or
// system error) in a table, eleven rows a page, in file order.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/ui_loader.h"

// Rows of the table on one page, and the height of each.
constexpr int LOG_ROWS_PER_PAGE = 11;
constexpr int LOG_ROW_HEIGHT = 27;

// The table's model: number ("%04d"), date, time, code, message.
extern GtkListStore* log_tree_store;

void func_register_logs_screen();
void func_load_logs_screen(const ui_file& ui, display_data& record);
// Reads the day picked on the calendar from the month's file of a log
// kind (log_reader.h) into the table; a negative kind only repaginates.
void func_display_log(int kind);

extern "C" {
void func_show_logs_screen(GtkWidget* widget, gpointer data);
void func_show_logs_calendar(GtkWidget* widget, gpointer data);
void func_unload_logs_screen(GtkWidget* widget, gpointer data);
}
