// A page of values: each item a label over its value button, in a table of
// a few columns that takes the place of the shown screen's list. The
// selected-step, configuration and VEZ configuration screens are such
// pages; they differ only in sizes, names and what a press opens.
#pragma once
#include <gtk/gtk.h>

#include <functional>
#include <string>

struct value_grid {
    int columns = 5;
    int button_width = 100;
    int button_height = 55;
    // Height of a label row; 0 lets the label take its own.
    int label_height = 0;
    int column_spacing = 0;
    int row_spacing = 0;
    // Labels and buttons are named prefix + "%03d" of their place on the page.
    const char* label_prefix = "";
    const char* button_prefix = "";
    // Where pictures the dialogs add go (GTK_POS_LEFT, GTK_POS_TOP, ...).
    GtkPositionType picture_position = GTK_POS_LEFT;
};

// Replaces the shown list by `count` label and button pairs, place p at
// column p % columns with its label in table row 2 * (p / columns) and its
// button below; labels[p] and buttons[p] get them. A press draws the
// button pressed; released(button, p) connects what it opens. The table
// is returned for the caller to size and show.
GtkWidget* func_build_value_grid(const value_grid& grid, int count, const std::function<std::string(int place)>& label,
                                 const std::function<void(GtkWidget* button, int place)>& released, GtkWidget** labels,
                                 GtkWidget** buttons);
