// Password checks in front of the guarded ways: the file (44), formula
// (45) and configuration (46) functions and manual mode (21).
#pragma once
#include <gtk/gtk.h>

#include <string>

// What runs once the way is open.
using lockout_continuation = void (*)(GtkWidget* widget);

// With the password guarding item_code enabled, the prompt opens (data
// entry item 21 or 44 to 46) and go_on runs when the typed password is right;
// otherwise go_on runs at once.
void func_check_lockout_password(GtkWidget* widget, int item_code, lockout_continuation go_on);

// What the password prompt's Save does with the typed text: refuses with
// a message or goes on.
void func_process_password_prompt(GtkWidget* caller, int item_code, const std::string& typed);

// Registers the prompts' save actions.
void func_register_password_prompts();
