// Password checks in front of the home screen's guarded buttons.
#pragma once
#include <gtk/gtk.h>

#include <string>

extern "C" {
// Released handler of btn_file (44), btn_formula (45), btn_configuration (46).
void func_screen_lockout_password_check(GtkWidget* widget, gpointer item_code);
}

// What the password prompt's Save does with the typed text for items 44
// to 46: refuses with a message or goes on to the guarded screen.
void func_process_password_prompt(GtkWidget* caller, int item_code, const std::string& typed);
