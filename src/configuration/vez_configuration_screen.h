// The VEZ configuration screen: the fourteen settings of the loading
// system on one page, each a label over a value button. Edits stay on the
// screen until Save; Cancel leaves the file as it was.
#pragma once
#include <gtk/gtk.h>

#include "configuration/vez_configuration.h"
#include "frame/app_state.h"
#include "frame/ui_loader.h"

extern GtkWidget* vez_selections_label[VEZ_SHOWN_ITEMS];
extern GtkWidget* vez_selections_name[VEZ_SHOWN_ITEMS];

void func_register_vez_configuration_screen();
void func_load_vez_configuration_screen(const ui_file& ui, display_data& record);
void func_display_vez_configuration_test();
void func_set_vez_configuration_to_buttons_test(const vez_configuration& record);

extern "C" {
void func_show_vez_configuration_screen(GtkWidget* widget, gpointer data);
// The page's edits into the edited record (when it was modified).
void func_get_vez_configuration_from_buttons_test(GtkWidget* widget, gpointer data);
void func_unload_vez_configuration_screen(GtkWidget* widget, gpointer data);
}
