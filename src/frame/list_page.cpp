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
    if (column.picture) {
        const std::string picture = column.picture(item, text);
        if (!picture.empty())
            func_set_button_icon(button, (func_image_dir() + picture).c_str(), column.picture_position);
    }
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
    if (column.released)
        g_signal_connect(button, "released", column.released, list.data ? data : column.data);
    if (column.hidden)
        gtk_widget_set_no_show_all(button, TRUE);
    return button;
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

    const int columns = static_cast<int>(list.columns.size());
    GtkWidget* table = func_replace_list_table(list.rows + 1, columns, second);
    gtk_table_set_row_spacings(GTK_TABLE(table), static_cast<guint>(list.row_spacing));
    gtk_table_set_col_spacings(GTK_TABLE(table), static_cast<guint>(list.column_spacing));
    if (list.fixed_height)
        gtk_widget_set_size_request(table, second ? screen.list_width1 : screen.list_width,
                                    list.rows * list.row_height + (list.rows - 1) * list.row_spacing);
    func_return_to_pressed_page(total_items, second);

    list.shown.assign(static_cast<size_t>(columns), std::vector<GtkWidget*>(static_cast<size_t>(list.rows), nullptr));
    int rows = 0;
    for (int item = info.first_item; item < info.end_item && rows < list.rows; ++item, ++rows) {
        gpointer data = list.data ? list.data(item) : nullptr;
        for (int c = 0; c < columns; ++c) {
            const list_column& column = list.columns[static_cast<size_t>(c)];
            GtkWidget* button = new_row_button(list, column, item, rows, text(item, c), data);
            const GtkAttachOptions across = column.expand ? GtkAttachOptions(GTK_EXPAND | GTK_FILL) : GTK_FILL;
            gtk_table_attach(GTK_TABLE(table), button, static_cast<guint>(c), static_cast<guint>(c + 1),
                             static_cast<guint>(rows), static_cast<guint>(rows + 1), across, GTK_FILL, 0, 0);
            list.shown[static_cast<size_t>(c)][static_cast<size_t>(rows)] = button;
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
