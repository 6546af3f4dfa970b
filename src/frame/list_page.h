// A paged list described once: its columns (row button names, widths,
// fonts, handlers, pictures, which follow the selection) and where its
// texts come from. One page build and one harvest serve every list
// screen; a new list screen only describes its columns.
#pragma once
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "frame/widget_style.h"

struct list_column {
    // Row buttons are named prefix + "%03d" of the row ("btn_frm_name_#000").
    const char* prefix = "";
    // Width in pixels (-1: the text's own).
    int width = -1;
    // Font and text colour; null keeps the theme's.
    const char* font = nullptr;
    const char* color = nullptr;
    // "released" handler; its data is the item's data (list_page::data),
    // or this column's own when the list gives none.
    GCallback released = nullptr;
    // Sensitive before its row is selected (the others follow the selection).
    bool sensitive = false;
    bool hidden = false;
    // Data texts that can be longer than the button end in an ellipsis.
    bool ellipsize = false;
    // Picture beside the text, by item (file in image/); null: none.
    std::string (*picture)(int item, const std::string& text) = nullptr;
    int picture_position = ICON_LEFT;
    gpointer data = nullptr;
    // Takes the width the other columns leave, beyond its own.
    bool expand = false;
};

struct list_page {
    int rows = 5;  // per page
    int row_height = 55;
    int row_spacing = 10;
    int column_spacing = 0;
    bool fixed_height = false;  // the table keeps the height of a full page
    std::vector<list_column> columns;
    int number_column = 0;  // its label is the item's number
    int name_column = 1;    // pressing it selects the row
    // Indexes into the screen record's buttons that act on the selected
    // row (sensitive only while a row is selected).
    std::vector<int> selection_buttons;
    // Data the row handlers of an item get (null: none).
    gpointer (*data)(int item) = nullptr;
    // Runs after a row press has been recorded.
    void (*after_row_press)(int row, gpointer data) = nullptr;
    // Redraws the list (its screen's display function).
    void (*redraw)() = nullptr;
    // The second list of its screen (its own table, paging and page buttons).
    bool second = false;

    // The buttons of the page shown, [column][row]; null beyond rows_shown.
    std::vector<std::vector<GtkWidget*>> shown;
    // The table they sit in (null once destroyed): the next page of as
    // many rows gives them new texts instead of building new buttons.
    GtkWidget* table = nullptr;
    GtkWidget* button(int column, int row) const;
};

// Builds the page shown of the shown screen's list: the page record is
// brought up to total_items, the rows of its page are made with
// text(item, column), and a remembered row on this page is drawn pressed
// (with its row and selection buttons sensitive).
void func_build_list_page(list_page& list, int total_items,
                          const std::function<std::string(int item, int column)>& text);

// Texts of the rows shown, [row][column], for the screen's harvest.
std::vector<std::vector<std::string>> func_harvest_list_page(const list_page& list);

// The button of that column in the selected row of the shown screen's
// list, when that row is on the page shown; null otherwise.
GtkWidget* func_selected_row_button(const list_page& list, int column);

// Column labels over a list, in a box of the screen: each label named
// prefix + "%03d" of its column and as wide as its column.
void func_fill_column_labels(GtkWidget* box, const list_page& list, const std::vector<std::string>& labels,
                             const char* prefix);
