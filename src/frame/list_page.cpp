#include "frame/list_page.h"

#include <cstdio>

#include "files/paths.h"
#include "frame/app_state.h"
#include "frame/paging.h"

GtkWidget* list_page::button(int column, int row) const
{
    if (column < 0 || column >= static_cast<int>(shown.size()))
        return nullptr;
    const std::vector<GtkWidget*>& rows_of_column = shown[static_cast<size_t>(column)];
    return (row >= 0 && row < static_cast<int>(rows_of_column.size())) ? rows_of_column[static_cast<size_t>(row)]
                                                                        : nullptr;
}

namespace {
// Room a row button's picture (22 pixels and its gap) and its borders take.
constexpr int ROW_PICTURE_ROOM = 28;
constexpr int ROW_PADDING = 14;
// The released handler of a row button and the data it was given.
const char* const ROW_HANDLER = "lumex-row-handler";
const char* const ROW_DATA = "lumex-row-data";

std::string row_picture(const list_column& column, int item, const std::string& text)
{
    return column.picture ? column.picture(item, text) : std::string();
}

// What the column sets on a row button's label (built again whenever the
// button's text or picture is set).
void dress_row_label(const list_column& column, GtkWidget* button)
{
    if (column.font || column.color)
        func_set_widget_font_and_color(button, column.font, column.color, nullptr, nullptr);
    if (column.ellipsize)
        if (GtkWidget* label = func_find_label(button)) {
            gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
            // An ellipsized label asks for no width of its own: give it
            // what the button leaves beside its picture.
            if (column.width > 0)
                gtk_widget_set_size_request(label, column.width - (column.picture ? ROW_PICTURE_ROOM : 0) - ROW_PADDING,
                                            -1);
        }
}

void connect_row_button(const list_page& list, const list_column& column, GtkWidget* button, gpointer data)
{
    if (!column.released)
        return;
    gpointer given = list.data ? data : column.data;
    const gulong handler = g_signal_connect(button, "released", column.released, given);
    g_object_set_data(G_OBJECT(button), ROW_HANDLER, GSIZE_TO_POINTER(handler));
    g_object_set_data(G_OBJECT(button), ROW_DATA, given);
}

GtkWidget* new_row_button(const list_page& list, const list_column& column, int item, int row,
                          const std::string& text, gpointer data)
{
    GtkWidget* button = gtk_button_new_with_label(text.c_str());
    char name[64];
    snprintf(name, sizeof name, "%s%03d", column.prefix, row);
    gtk_widget_set_name(button, name);
    gtk_widget_set_size_request(button, column.width, list.row_height);
    gtk_button_set_focus_on_click(GTK_BUTTON(button), FALSE);
    gtk_widget_set_sensitive(button, column.sensitive ? TRUE : FALSE);
    // The picture first: setting it rebuilds the button's label.
    const std::string picture = row_picture(column, item, text);
    if (!picture.empty())
        func_set_button_icon(button, (func_image_dir() + picture).c_str(), column.picture_position);
    dress_row_label(column, button);
    connect_row_button(list, column, button, data);
    if (column.hidden)
        gtk_widget_set_no_show_all(button, TRUE);
    return button;
}

bool same_color(const GdkColor& a, const GdkColor& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// No look of its own beyond the given font and text colour (a row press
// or a screen may have changed it).
bool only_dressed(GtkWidget* widget, const char* font, const char* color)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(widget);
    GdkColor wanted;
    const bool colored = color && gdk_color_parse(color, &wanted);
    for (int state = 0; state < 5; ++state) {
        const int flags = colored && state == GTK_STATE_NORMAL ? GTK_RC_FG : 0;
        if (style->color_flags[state] != flags || style->bg_pixmap_name[state])
            return false;
    }
    if (colored && !same_color(style->fg[GTK_STATE_NORMAL], wanted))
        return false;
    if (style->xthickness >= 0 || style->ythickness >= 0)
        return false;
    if (!font)
        return style->font_desc == nullptr;
    PangoFontDescription* described = pango_font_description_from_string(font);
    const bool same = style->font_desc && pango_font_description_equal(style->font_desc, described);
    pango_font_description_free(described);
    return same;
}

// Makes a row button built for another item of the same column look and
// act as a new one for this item. False when it cannot: a picture to add
// or take away rebuilds the button's insides.
bool reuse_row_button(const list_page& list, const list_column& column, GtkWidget* button, int item,
                      const std::string& text, gpointer data)
{
    const std::string picture = row_picture(column, item, text);
    if (picture.empty() != (gtk_button_get_image(GTK_BUTTON(button)) == nullptr))
        return false;
    if (!only_dressed(button, nullptr, nullptr)) {
        GtkRcStyle* plain = gtk_rc_style_new();
        gtk_widget_modify_style(button, plain);
        g_object_unref(plain);
    }
    gtk_widget_set_sensitive(button, column.sensitive ? TRUE : FALSE);
    // An insensitive button keeps the state it returns to.
    if (gtk_widget_get_state(button) != GTK_STATE_NORMAL)
        gtk_widget_set_state(button, GTK_STATE_NORMAL);
    if (!picture.empty())
        func_set_button_icon(button, (func_image_dir() + picture).c_str(), column.picture_position);
    const char* label_text = gtk_button_get_label(GTK_BUTTON(button));
    GtkWidget* label = func_find_label(button);
    if (!label || !label_text || text != label_text || text != func_get_widget_label_text(button) ||
        !only_dressed(label, column.font, column.color)) {
        gtk_button_set_label(GTK_BUTTON(button), text.c_str());
        dress_row_label(column, button);
    }
    gpointer given = list.data ? data : column.data;
    if (column.released && g_object_get_data(G_OBJECT(button), ROW_DATA) != given) {
        g_signal_handler_disconnect(button, GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(button), ROW_HANDLER)));
        connect_row_button(list, column, button, data);
    }
    if (column.hidden)
        gtk_widget_hide(button);
    return true;
}

// Rows the page shows: those of its items, at most a page.
int rows_of_page(const list_page& list, const page_list_info& info)
{
    const int items = info.end_item - info.first_item;
    return items <= 0 ? 0 : (items < list.rows ? items : list.rows);
}
}  // namespace

void func_build_list_page(list_page& list, int total_items,
                          const std::function<std::string(int item, int column)>& text)
{
    display_data& screen = *options_display;
    const bool second = list.second;
    page_list_info& info = second ? func_current_page_list1() : func_current_page_list();
    if (second)
        func_update_page_info1_test(total_items);
    else
        func_update_page_info_test(total_items);
    func_return_to_pressed_page(total_items, second);

    const int columns = static_cast<int>(list.columns.size());
    const int rows = rows_of_page(list, info);
    // The buttons of the last page are used again when the new one has as
    // many rows: building and realizing new buttons is most of a page's time.
    GtkWidget* shown_table = second ? screen.tbl_options_list1 : screen.tbl_options_list;
    int built_rows = 0;
    if (!list.shown.empty())
        while (built_rows < list.rows && list.button(0, built_rows))
            ++built_rows;
    const bool reuse = list.table && list.table == shown_table && built_rows == rows &&
                       list.shown.size() == static_cast<size_t>(columns);
    GtkWidget* table = list.table;
    if (reuse) {
        gtk_widget_set_sensitive(table, TRUE);
    } else {
        if (list.table)
            g_object_remove_weak_pointer(G_OBJECT(list.table), reinterpret_cast<gpointer*>(&list.table));
        table = func_replace_list_table(list.rows + 1, columns, second);
        list.table = table;
        g_object_add_weak_pointer(G_OBJECT(table), reinterpret_cast<gpointer*>(&list.table));
        list.shown.assign(static_cast<size_t>(columns),
                          std::vector<GtkWidget*>(static_cast<size_t>(list.rows), nullptr));
    }
    gtk_table_set_row_spacings(GTK_TABLE(table), static_cast<guint>(list.row_spacing));
    gtk_table_set_col_spacings(GTK_TABLE(table), static_cast<guint>(list.column_spacing));
    if (list.fixed_height)
        gtk_widget_set_size_request(table, second ? screen.list_width1 : screen.list_width,
                                    list.rows * list.row_height + (list.rows - 1) * list.row_spacing);

    for (int row = 0; row < rows; ++row) {
        const int item = info.first_item + row;
        gpointer data = list.data ? list.data(item) : nullptr;
        for (int c = 0; c < columns; ++c) {
            const list_column& column = list.columns[static_cast<size_t>(c)];
            GtkWidget*& cell = list.shown[static_cast<size_t>(c)][static_cast<size_t>(row)];
            const std::string cell_text = text(item, c);
            if (reuse && cell && reuse_row_button(list, column, cell, item, cell_text, data))
                continue;
            if (cell)
                gtk_widget_destroy(cell);
            cell = new_row_button(list, column, item, row, cell_text, data);
            const GtkAttachOptions across = column.expand ? GtkAttachOptions(GTK_EXPAND | GTK_FILL) : GTK_FILL;
            gtk_table_attach(GTK_TABLE(table), cell, static_cast<guint>(c), static_cast<guint>(c + 1),
                             static_cast<guint>(row), static_cast<guint>(row + 1), across, GTK_FILL, 0, 0);
        }
    }
    info.rows_shown = rows;
    gtk_table_resize(GTK_TABLE(table), static_cast<guint>(rows + 1), static_cast<guint>(columns));
    (second ? screen.list_height1 : screen.list_height) = rows * list.row_height;
    gtk_widget_show_all(table);

    if (info.pressed_row >= 0 && info.pressed_page == info.current_page && info.pressed_row < rows) {
        gpointer data = list.data ? list.data(info.first_item + info.pressed_row) : nullptr;
        GtkWidget* pressed = list.button(list.name_column, info.pressed_row);
        if (second)
            func_show_button_pressed_state_static1_test(pressed, data);
        else
            func_show_button_pressed_state_static_test(pressed, data);
        info.reload = 0;
    } else if (!second) {
        func_enable_clone_ren_del_button(0);
    }
    if (second)
        func_enable_disable_page_up_down_button1();
    else
        func_enable_disable_page_up_down_button();
    if (screen.window)
        gtk_widget_queue_draw(screen.window);
}

std::vector<std::vector<std::string>> func_harvest_list_page(const list_page& list)
{
    std::vector<std::vector<std::string>> rows;
    const page_list_info& info = list.second ? func_current_page_list1() : func_current_page_list();
    for (int row = 0; row < info.rows_shown && row < list.rows; ++row) {
        std::vector<std::string> texts;
        for (size_t column = 0; column < list.columns.size(); ++column)
            texts.push_back(func_get_widget_label_text(list.button(static_cast<int>(column), row)));
        rows.push_back(texts);
    }
    return rows;
}

GtkWidget* func_selected_row_button(const list_page& list, int column)
{
    const page_list_info& info = list.second ? func_current_page_list1() : func_current_page_list();
    if (info.pressed_row < 0 || info.pressed_row >= info.rows_shown || info.pressed_page != info.current_page)
        return nullptr;
    return list.button(column, info.pressed_row);
}

void func_fill_column_labels(GtkWidget* box, const list_page& list, const std::vector<std::string>& labels,
                             const char* prefix)
{
    if (!box || !GTK_IS_BOX(box))
        return;
    GList* old = gtk_container_get_children(GTK_CONTAINER(box));
    for (GList* child = old; child; child = child->next)
        gtk_widget_destroy(GTK_WIDGET(child->data));
    g_list_free(old);
    gtk_box_set_spacing(GTK_BOX(box), list.column_spacing);
    for (size_t column = 0; column < list.columns.size() && column < labels.size(); ++column) {
        GtkWidget* label = gtk_label_new(labels[column].c_str());
        char name[64];
        snprintf(name, sizeof name, "%s%03d", prefix, static_cast<int>(column));
        gtk_widget_set_name(label, name);
        gtk_widget_set_size_request(label, list.columns[column].width, -1);
        gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
        gtk_box_pack_start(GTK_BOX(box), label, list.columns[column].expand, TRUE, 0);
    }
    gtk_widget_show_all(box);
}
