// The configuration screen: the sixty items of the machine configuration,
// twenty to a page, each a label over a value button that opens the data
// entry dialog, the selection dialog or toggles. Edits stay on the screen
// until Save; Cancel leaves the file as it was. The level unit and the
// defaults are asked for and written at once.
#pragma once
#include <gtk/gtk.h>

#include "configuration/configuration_record.h"
#include "frame/app_state.h"
#include "frame/ui_loader.h"

constexpr int CONFIGURATION_ITEMS_PER_PAGE = 20;

// Label and value button of each place on the page shown.
extern GtkWidget* config_selections_label[CONFIGURATION_ITEMS_PER_PAGE];
extern GtkWidget* config_selections_name[CONFIGURATION_ITEMS_PER_PAGE];

void func_register_configuration_screen();
void func_load_configuration_screen(const ui_file& ui, display_data& record);
void func_display_configuration_test();
// Button texts of the page shown from the record (and which items apply).
void func_set_configuration_to_buttons_test(const machine_configuration& record);
// The configuration as edited on the screen, the page shown included.
machine_configuration func_get_edited_configuration();
// Items that do not apply with what the page's buttons show are locked.
void func_set_configuration_lockout();

extern "C" {
void func_show_configuration_screen(GtkWidget* widget, gpointer data);
// The page's edits into the edited configuration (when it was modified).
void func_get_configuration_from_buttons_test(GtkWidget* widget, gpointer data);
// 1 when the levels on the page may be kept; otherwise a warning and 0.
int func_validate_configuration(GtkWidget* widget, gpointer data);
void func_save_display_configuration_data(GtkWidget* widget, gpointer data);
void func_unload_configuration_screen(GtkWidget* widget, gpointer data);
}
