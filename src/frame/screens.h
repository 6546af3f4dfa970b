// What every screen shares: its window's look on each variant and making
// it the one shown (options_display, main_application_window).
#pragma once
#include <gtk/gtk.h>

// Machine variant: undecorated, covering the whole screen, kept above.
// Desktop variant: ordinary centred window that its frame cannot close,
// titled with language slot 395.
void func_setup_screen_window(GtkWidget* window);

// Makes the screen of preloaded record `preloaded_code` the one shown
// under screen code `code` with the given list size.
void func_make_screen_current(int code, int preloaded_code, int list_width, int list_height);

// Hides a screen's window (screens are hidden, never destroyed).
void func_hide_screen(GtkWidget* window);

// Lets pending toolkit events run (drawing, queued handlers).
void func_run_pending_events();
