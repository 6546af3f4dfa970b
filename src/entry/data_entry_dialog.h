// The data entry dialog: one modal window with a letter keyboard, a
// digits-and-symbols keyboard and a number pad, opened by a value button
// with an item code that selects layout, texts, check and save action.
#pragma once
#include <gtk/gtk.h>

#include <string>

// Builds the dialog once; opening it builds it when it is not yet built.
void func_load_data_entry_screen();
// Hides the dialog.
void func_unload_data_entry_screen();
// Keyboard modes: 0 lower case, 1 shift, 2 digits and symbols, 3 number pad.
void func_toggle_keyboard_mode(int mode);
// 1 when the typed value is acceptable for the open item.
int func_validate_data_entry_value();

extern "C" {
// "released" handler of every value button; data is the item code.
void func_show_data_entry_dialog(GtkWidget* widget, gpointer item_code);
// The clicked handler of every key, Save, Cancel and Paste.
void func_keypad_pressed(GtkWidget* widget, gpointer data);
gboolean func_clear_data_entry(GtkWidget* entry, GdkEventButton* event, gpointer data);
void func_paste_text_from_clipboard(GtkClipboard* clipboard, const gchar* text, gpointer data);
}
