// The file screen: the sets (or update packages) on a source on the left,
// the console's own set on the right. Sources: the USB stick (machine),
// the archive folder hd/, a folder of the PC (desktop); modes: formula
// sets, configuration sets, update. The operations are the set, update
// and printout cores; the screen asks, waits and tells.
#pragma once
#include <gtk/gtk.h>

#include <string>

#include "frame/app_state.h"
#include "frame/list_page.h"
#include "frame/ui_loader.h"

enum file_source_kind { FILE_SOURCE_NONE = -1, FILE_SOURCE_USB = 0, FILE_SOURCE_HD = 1, FILE_SOURCE_FOLDER = 3 };
enum file_mode_kind { FILE_MODE_NONE = -1, FILE_MODE_FORMULAS = 0, FILE_MODE_CONFIGURATIONS = 1, FILE_MODE_UPDATE = 2 };

extern int file_source;
extern int file_mode;
// The stick's folder (or the PC folder chosen), "" before there is one.
extern std::string usb_dir_path;
// The folder the operations work in, set at every redraw.
extern std::string source_dir_path;

extern list_page file_sources_page;
extern list_page file_machine_page;

void func_register_file_screen();
void func_load_file_screen(const ui_file& ui, display_data& record);
void func_display_file_test();

// The desktop's folder chooser: the folder picked, "" when cancelled.
// Tests put their own here; nullptr gives the toolkit's dialog back.
using folder_chooser = std::string (*)(const std::string& start);
void func_set_folder_chooser(folder_chooser chooser);

extern "C" {
void func_show_file_screen(GtkWidget* widget, gpointer data);
void func_unload_file_screen(GtkWidget* widget, gpointer data);
void func_toggle_file_source(GtkWidget* widget, gpointer source);
void func_toggle_file_mode(GtkWidget* widget, gpointer mode);
void func_clone_file(GtkWidget* widget, gpointer data);
void func_rename_file(GtkWidget* widget, gpointer data);
void func_confirm_delete_file(GtkWidget* widget, gpointer data);
void func_import_file(GtkWidget* widget, gpointer data);
void func_export_file(GtkWidget* widget, gpointer data);
void func_print_formula_configuration(GtkWidget* widget, gpointer data);
void func_mount_unmount_usb(GtkWidget* widget, gpointer data);
// The 2-second check for a stick while the screen is shown.
gboolean func_check_4_usb_drive_insert(gpointer data);
}
