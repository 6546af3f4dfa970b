// Loading interface files and looking up their widgets. Both fail loudly,
// naming the file and the widget, so a broken installation is obvious.
#pragma once
#include <gtk/gtk.h>

#include <string>

// A built interface file and the name it came from.
struct ui_file {
    GtkBuilder* builder = nullptr;
    std::string name;
};

// Builds image/<file_name>. On failure logs and warns, and the result's
// builder is null. Every widget is given its interface id as widget name,
// since release handlers dispatch on widget names.
ui_file func_load_interface_file(const char* file_name);

// The widget with that id; logs and warns naming file and id when missing.
GtkWidget* func_lookup_widget(const ui_file& ui, const char* id);

// Widget name compared without regard to case.
bool func_widget_name_is(GtkWidget* widget, const char* name);
