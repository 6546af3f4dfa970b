// How screens open the data entry dialog by item code. The dialog
// registers itself at start-up; until it does, callers are told no.
#pragma once
#include <gtk/gtk.h>

using data_entry_opener = void (*)(GtkWidget* caller, int item_code);

void func_set_data_entry_opener(data_entry_opener opener);
// Opens the dialog for the item; false when no dialog is available.
bool func_open_data_entry(GtkWidget* caller, int item_code);
