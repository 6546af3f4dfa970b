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

// Fetches the screen's own buttons into record.buttons, in order.
template <size_t N>
void func_lookup_screen_buttons(const ui_file& ui, display_data& record, const char* const (&names)[N])
{
    static_assert(N <= SCREEN_BUTTON_COUNT, "a screen record holds 14 buttons");
    for (size_t slot = 0; slot < N; ++slot)
        record.buttons[slot] = func_lookup_widget(ui, names[slot]);
}

// Connects a button's "released" signal (nothing for a missing widget).
void func_connect_released(GtkWidget* widget, GCallback handler, gpointer data);

// Covers the whole screen: the machine variant has no window manager to
// honour fullscreen requests.
void func_size_window_to_screen(GtkWindow* window);

// Makes the screen of preloaded record `preloaded_code` the one shown
// under screen code `code` with the given list size.
void func_make_screen_current(int code, int preloaded_code, int list_width, int list_height);

// Hides a screen's window (screens are hidden, never destroyed).
void func_hide_screen(GtkWidget* window);

// Lets pending toolkit events run (drawing, queued handlers).
void func_run_pending_events();
