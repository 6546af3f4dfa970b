// The selection dialog: one button per option of a value, or a direct
// toggle for two-state values. What the options are and what a choice
// does belong to the screen shown (its screen description); the dialog
// knows no screen.
#pragma once
#include <gtk/gtk.h>

#include <string>
#include <vector>

extern GtkWidget* temporary_display_window;

// The options of an option row, in order, up to the row's first empty text.
std::vector<std::string> func_get_option_row(const std::string* table, int table_size, int width, int row);
// The same without the hidden ("~") options.
std::vector<std::string> func_get_shown_options(const std::string* table, int table_size, int width, int row);

// What a choice usually does: the caller's label becomes the option (or,
// when no window was opened, a yes/no or on/off value toggles, unless
// yes_no_toggles is false), the picture follows, a change-log line is
// queued, the page is marked for harvest, and on value-editing screens
// the caller is drawn pressed.
void func_apply_selection(GtkWidget* option, GtkWidget* caller, bool yes_no_toggles = true);
// The yes or no picture, in the place the button already shows pictures.
void func_set_yes_no_icon(GtkWidget* button, bool yes);

extern "C" {
void func_show_selection_dialog(GtkWidget* widget, gpointer data);
void func_set_selection(GtkWidget* option, GtkWidget* caller);
void func_unload_selections_window(GtkWidget* window);
}
