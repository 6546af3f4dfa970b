#include "frame/value_grid.h"

#include <cstdio>

#include "frame/paging.h"

namespace {
void press_value(GtkWidget* widget, gpointer) { func_show_decision_pressed_state_static_test(widget); }

GtkWidget* named(GtkWidget* widget, const char* prefix, int place)
{
    char name[64];
    snprintf(name, sizeof name, "%s%03d", prefix, place);
    gtk_widget_set_name(widget, name);
    return widget;
}
}  // namespace

GtkWidget* func_build_value_grid(const value_grid& grid, int count, const std::function<std::string(int place)>& label,
                                 const std::function<void(GtkWidget* button, int place)>& released, GtkWidget** labels,
                                 GtkWidget** buttons)
{
    const int pairs = (count + grid.columns - 1) / grid.columns;
    GtkWidget* table = func_replace_list_table(pairs > 0 ? 2 * pairs : 1, grid.columns);
    gtk_table_set_row_spacings(GTK_TABLE(table), static_cast<guint>(grid.row_spacing));
    gtk_table_set_col_spacings(GTK_TABLE(table), static_cast<guint>(grid.column_spacing));
    for (int place = 0; place < count; ++place) {
        const guint column = static_cast<guint>(place % grid.columns);
        const guint row = static_cast<guint>(2 * (place / grid.columns));

        GtkWidget* text = named(gtk_label_new(label(place).c_str()), grid.label_prefix, place);
        gtk_widget_set_size_request(text, grid.button_width, grid.label_height > 0 ? grid.label_height : -1);
        gtk_table_attach(GTK_TABLE(table), text, column, column + 1, row, row + 1, GTK_FILL, GTK_FILL, 0, 0);

        GtkWidget* button = named(gtk_button_new_with_label(""), grid.button_prefix, place);
        gtk_widget_set_size_request(button, grid.button_width, grid.button_height);
        gtk_button_set_focus_on_click(GTK_BUTTON(button), FALSE);
        gtk_button_set_image_position(GTK_BUTTON(button), grid.picture_position);
        gtk_table_attach(GTK_TABLE(table), button, column, column + 1, row + 1, row + 2, GTK_FILL, GTK_FILL, 0, 0);
        g_signal_connect(button, "pressed", G_CALLBACK(press_value), nullptr);
        released(button, place);

        labels[place] = text;
        buttons[place] = button;
    }
    return table;
}
