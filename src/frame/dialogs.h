// Message bar, modal dialogs (one at a time) and the dealer picture.
#pragma once
#include <gtk/gtk.h>

#include <string>

extern GtkWidget* dialog_window;
extern GtkWidget* dialog_window_message;

// Sets a label of the shown screen by message kind, with its colours.
void func_show_message(int kind, const char* text);
inline void func_show_message(int kind, const std::string& text) { func_show_message(kind, text.c_str()); }

// Labels of windows outside the screen records that messages reach:
// kind 8 (the run screen's label) and kinds 32 and above (the data entry
// dialog's message bar).
void func_register_message_label(int kind, GtkWidget* label, GtkWidget* box);

// Opens a dialog of the given kind over main_application_window, closing
// the one already open. Returns once it is drawn.
void func_show_dialog(int kind, const char* message, int modal, gpointer data);
inline void func_show_dialog(int kind, const std::string& message, int modal, gpointer data)
{
    func_show_dialog(kind, message.c_str(), modal, data);
}
void func_close_active_dialog();
// The wait dialog of a long operation: "<operation> <item>, <please wait>"
// from the language slots given.
void func_show_wait_dialog(int operation_slot, int item_slot);

// What a dialog button does: registered by the subsystem that owns the
// question (button 0 the first, 1 the second); unregistered buttons close
// the dialog. data is the one given to func_show_dialog.
// Kinds from DIALOG_KIND_OWN_QUESTIONS on are free for screens' own
// questions: registering the first button's action makes one a question.
constexpr int DIALOG_KIND_OWN_QUESTIONS = 40;
using dialog_action = void (*)(gpointer data);
void func_register_dialog_action(int kind, int button, dialog_action action);
void func_unload_dialog(GtkWidget* dialog);

// "<item> NNN not found" (a warning) for an item word of a language slot.
void func_show_not_found(int item_slot, int number);

// Title slot of a dialog kind (178 to 181), or -1 for undecorated kinds.
int func_get_dialog_title_slot(int kind);

extern "C" {
void func_show_dealer_info_screen(GtkWidget* widget, gpointer data);
}

// Shows the operator every data file that could not be written: once the
// action that failed has ended, the shown screen is read again from its
// files and one error dialog names what was not saved. Started once.
void func_watch_write_failures();
// True while failures wait to be shown or their dialog is open.
bool func_reporting_write_failures();
