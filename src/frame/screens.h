// What every screen shares: its window's look on each variant and making
// it the one shown (options_display, main_application_window).
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/ui_loader.h"

// Machine variant: undecorated, covering the whole screen, kept above.
// Desktop variant: ordinary centred window that its frame cannot close,
// titled with language slot 395.
void func_setup_screen_window(GtkWidget* window);

// The start of every list screen's loader: builds the interface file,
// takes its window (set up for the variant) and the shared list, paging
// and message widgets into the screen's record. Returns the built file
// for the loader's own widgets.
ui_file func_load_screen_record(display_data& record, int code, const char* file_name, const char* window_id,
                                int list_width, int list_height);

// The buttons of a list screen whose record keeps add, copy, rename,
// delete, home and back as buttons 0 to 5: the four operations get their
// handlers and language labels (the last three wait for a row to be
// selected), home and back get `leave`, the page buttons `page` (the
// screen's harvest before paging).
struct list_screen_buttons {
    GCallback add, copy, rename, erase, leave, page;
};
void func_setup_list_buttons(display_data& record, const list_screen_buttons& handlers);

// Connects a button's "released" signal (nothing for a missing widget).
void func_connect_released(GtkWidget* widget, GCallback handler, gpointer data);

// Both page buttons to one handler (a value screen harvests before paging).
void func_connect_page_buttons(const display_data& record, GCallback handler);

// A value screen's Save and Cancel, found by id, both to its leave handler.
void func_connect_save_cancel(const ui_file& ui, display_data& record, GCallback leave);

// Covers the whole screen: the machine variant has no window manager to
// honour fullscreen requests.
void func_size_window_to_screen(GtkWindow* window);

// Makes the screen of preloaded record `preloaded_code` the one shown
// under screen code `code` with the given list size.
void func_make_screen_current(int code, int preloaded_code, int list_width, int list_height);

// The start of a show function: makes the built screen of that code the
// one shown, with the title of the language slot (none when < 0) and the
// focus on its list. False when the screen was never built.
bool func_begin_screen_show(int code, int title_slot);
// The end of a show function: the window shown and raised.
void func_end_screen_show(int code);

// Hides a screen's window (screens are hidden, never destroyed).
void func_hide_screen(GtkWidget* window);

// Lets pending toolkit events run (drawing, queued handlers).
void func_run_pending_events();
