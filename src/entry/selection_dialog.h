// The selection dialog: one button per option of a value, or a direct
// toggle for two-state values.
#pragma once
#include <gtk/gtk.h>

#include <string>
#include <vector>

extern GtkWidget* temporary_display_window;

// What the selected-step screen tells the step rules about the step being
// edited (step number 1 up; types of the neighbours, -1 when none).
struct step_selection_context {
    int step_number = 0;
    int previous_type = -1;
    int next_type = -1;
};
extern step_selection_context selected_step_context;

// Options the dialog offers for a caller on the shown screen (hidden "~"
// options and the step rules already applied); empty for a direct toggle.
std::vector<std::string> func_get_selection_options(GtkWidget* caller, int data);
// Step rules of the selected-step screen, as plain functions of the row
// and the situation; each returns how many leading options stay offered
// (or the full count when the rule does not limit).
int func_limit_step_type_options(int count, int step_number, int previous_type, int next_type);
int func_limit_probe_options(int count, float temp_probe_item);
int func_limit_drain_type_options(int count);
int func_limit_reuse_drain_options(int count, float reuse_drain_item);

extern "C" {
void func_show_selection_dialog(GtkWidget* widget, gpointer data);
void func_set_selection(GtkWidget* option, GtkWidget* caller);
void func_unload_selections_window(GtkWidget* window);
}
