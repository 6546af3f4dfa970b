// The data entry dialog's item codes: for each code the layout it opens
// with, the text a saved value takes on its button, and what Save does.
// Titles, help lines and limits are in value_limits.h. The subsystems
// that own a code register its save action (and, for the add and copy
// numbers, the number the dialog proposes); the dialog itself knows no
// screen.
#pragma once
#include <gtk/gtk.h>

#include <string>
#include <vector>

// Layouts of the dialog.
enum item_layout {
    LAYOUT_TEXT,           // letter keyboard, the caller's text
    LAYOUT_HIDDEN_TEXT,    // letter keyboard, typed text hidden (password prompts)
    LAYOUT_NUMBER,         // number pad, the caller's number
    LAYOUT_EMPTY_NUMBER,   // number pad, empty or the proposed number
    LAYOUT_TIME,           // hours, minutes, seconds
    LAYOUT_DATE,           // month, day, year
    LAYOUT_CLOCK,          // the clock's hours, minutes, seconds
    LAYOUT_NETWORK,        // address, netmask, gateway
    LAYOUT_PASSWORD,       // new password and its repetition
    LAYOUT_REMOTE_FORMULA  // the seven fields of a remote formula
};
item_layout func_get_item_layout(int item_code);

// What Save hands to an item's action.
struct item_save {
    GtkWidget* caller = nullptr;
    int code = -1;
    std::string old_text;             // the caller's label before
    std::string text;                 // the value as its button shows it
    std::vector<std::string> fields;  // the typed fields, in screen order
};
using item_save_action = void (*)(const item_save& save);

// The text a typed value takes on its button: temperatures "%03d° F",
// times from their three fields, decimals "%1.1f", names cut at a
// character boundary to what their record holds, and so on.
std::string func_format_item_text(int item_code, const std::vector<std::string>& fields);

void func_register_item_action(int item_code, item_save_action action);
// The registered action; null for codes whose value only goes onto the
// caller (with a change-log line where the screen names its items).
item_save_action func_get_item_action(int item_code);

// The number proposed when the dialog opens for an item (add and copy).
using item_proposal = std::string (*)(int item_code);
void func_register_item_proposal(int item_code, item_proposal proposal);
item_proposal func_get_item_proposal(int item_code);
