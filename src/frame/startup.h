// Start-up of the console: toolkit, shared records, language,
// configuration, passwords, screens, splash pictures, version files.
#pragma once
#include <gtk/gtk.h>

#include <string>

extern std::string array_letters_icons[26];
extern GtkWidget* splash_window;

// Start-up without the splash pictures: records, language,
// configuration, passwords, screens and version files. 0 or the exit status.
int func_prepare_console(int* argc, char*** argv);
// Everything up to the main loop. 0 when the console can run, otherwise
// the exit status.
int func_start_up(int* argc, char*** argv);
// Start-up, main loop, clean-up; the exit status.
int func_main(int argc, char** argv);

int func_load_images();
GtkWidget* func_show_splash_screen(const char* path);

extern "C" {
gboolean func_timer_splash_1(gpointer splash);
gboolean func_timer_splash_2(gpointer splash);
void cb_func_unload_screen(GtkWidget* widget, gpointer window);
}
