// The VEZ manual screen (19): the operator picks one of the five
// functions of the loading equipment (F1 to F5, codes 22 to 26) and jogs
// it up (28) or down (29). The choice travels in the screen's display
// request: first parameter the function, second the direction. The
// controller's manual record says which functions are available.
#pragma once
#include <gtk/gtk.h>

#include "frame/app_state.h"
#include "frame/ui_loader.h"

constexpr int VEZ_FUNCTION_FIRST = 22, VEZ_FUNCTION_LAST = 26;
constexpr int VEZ_JOG_UP = 28, VEZ_JOG_DOWN = 29;

// The chosen function (22..26) and the one before, -1 for none.
extern int selected_function, previous_function;
// The jog direction (28, 29), 0 for none.
extern int vez_jog_direction;

void func_register_vez_manual_screen();
void func_load_vez_manual_screen(const ui_file& ui, display_data& record);
void func_show_vez_manual_screen();
// A function (22..26), up (28), down (29); anything else clears the choice.
void func_set_vez_manual_btn_selection(GtkWidget* widget, int code);
// Availability of F1..F5 and the sixth entry (0 clears the choice).
void func_update_vez_manual_test(const unsigned char* record, size_t size);

extern "C" {
void func_unload_vez_manual_screen(GtkWidget* widget, gpointer data);
// The 500 ms request of code 14 with the choice as its parameters.
gboolean func_request_vez_manual_display(gpointer data);
}
