#include "frame/paging.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/dialogs.h"
#include "frame/list_page.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/palette.h"
#include "frame/widget_style.h"
#include "language/language.h"

namespace {
page_list_info dummy_list;

list_page* shown_list()
{
    const screen_description* shown = func_get_screen(func_current_screen_code());
    return shown ? shown->list : nullptr;
}

list_page* shown_list1()
{
    const screen_description* shown = func_get_screen(func_current_screen_code());
    return shown ? shown->list1 : nullptr;
}

int shown_code()
{
    int code = func_current_screen_code();
    return (code >= 0 && code < SCREEN_RECORD_COUNT) ? code : -1;
}

page_list_info& current_list1() { return func_current_page_list1(); }

void write_counter(int kind, const page_list_info& info)
{
    char text[32];
    snprintf(text, sizeof text, "%02d / %02d", info.current_page, info.pages);
    func_show_message(kind, text);
}

void set_sensitive(GtkWidget* widget, bool sensitive)
{
    if (widget)
        gtk_widget_set_sensitive(widget, sensitive ? TRUE : FALSE);
}
}  // namespace

int func_get_rows_per_page(int screen_code)
{
    const screen_description* screen = func_get_screen(screen_code);
    if (screen && screen->rows_per_page > 0)
        return screen->rows_per_page;
    return screen && screen->list ? screen->list->rows : 5;
}

int func_get_selected_number(int screen_code)
{
    if (!page_info || screen_code < 0 || screen_code >= SCREEN_RECORD_COUNT)
        return -1;
    const int number = page_info[screen_code].list.selected_number;
    return number >= 0 ? number : -1;
}

void func_compute_paging(page_list_info& info, int total_items, int rows_per_page)
{
    if (rows_per_page < 1)
        rows_per_page = 1;
    if (total_items < 0)
        total_items = 0;
    info.total_items = total_items;
    info.rows_per_page = rows_per_page;
    info.pages = total_items <= rows_per_page
                     ? 1
                     : total_items / rows_per_page + (total_items % rows_per_page != 0 ? 1 : 0);
    if (info.current_page < 1 || info.current_page > info.pages)
        info.current_page = 1;
    info.first_item = (info.current_page - 1) * rows_per_page;
    info.end_item = info.first_item + rows_per_page;
    if (info.end_item > total_items)
        info.end_item = total_items;
}

int func_get_row_from_name(const char* name)
{
    if (!name)
        return -1;
    const char* hash = strrchr(name, '#');
    if (!hash)
        return -1;
    return atoi(hash + 1);
}

void func_compute_selection_after_deletion(page_list_info& info, int items_left)
{
    info.active_row = -1;
    if (items_left <= 0) {
        info.pressed_row = -1;
        return;
    }
    if (info.pressed_row > 0) {
        info.pressed_row -= 1;
    } else if (info.pressed_page > 1) {
        info.pressed_row = info.rows_per_page - 1;
        info.pressed_page -= 1;
        info.current_page = info.pressed_page;
    } else {
        info.pressed_row = -1;
    }
}

void func_compute_selection_after_adding(page_list_info& info, int item_count)
{
    int rows = info.rows_per_page > 0 ? info.rows_per_page : 1;
    int page = item_count <= rows ? 1 : (item_count - 1) / rows + 1;
    info.pressed_row = item_count > 0 ? (item_count - 1) % rows : -1;
    info.pressed_page = page;
    info.current_page = page;
    info.reload = 1;
}

page_list_info& func_current_page_list()
{
    int code = shown_code();
    return (code < 0 || !page_info) ? dummy_list : page_info[code].list;
}

page_list_info& func_current_page_list1()
{
    const int code = func_current_screen_code();
    return (code < 0 || code >= SCREEN_RECORD_COUNT || !page_info) ? dummy_list : page_info[code].list1;
}

int func_get_index_from_widget_name_no_page_adjust(GtkWidget* widget)
{
    return widget ? func_get_row_from_name(gtk_widget_get_name(widget)) : -1;
}

int func_get_index_from_widget_name(GtkWidget* widget)
{
    int row = func_get_index_from_widget_name_no_page_adjust(widget);
    if (row < 0)
        return -1;
    const page_list_info& info = func_current_page_list();
    return row + (info.current_page - 1) * func_get_rows_per_page(func_current_screen_code());
}

void func_update_page_info_test(int total_items)
{
    page_list_info& info = func_current_page_list();
    func_compute_paging(info, total_items, func_get_rows_per_page(func_current_screen_code()));
    write_counter(6, info);
}

void func_update_page_info1_test(int total_items)
{
    page_list_info& info = current_list1();
    func_compute_paging(info, total_items, 1);
    write_counter(7, info);
}

void func_enable_disable_page_up_down_button()
{
    const page_list_info& info = func_current_page_list();
    set_sensitive(options_display->btn_page_up, info.current_page >= 2);
    set_sensitive(options_display->btn_page_down, info.current_page < info.pages);
}

void func_enable_disable_page_up_down_button1()
{
    const page_list_info& info = current_list1();
    set_sensitive(options_display->btn_page_up1, info.current_page >= 2);
    set_sensitive(options_display->btn_page_down1, info.current_page < info.pages);
}

void func_enable_clone_ren_del_button(int sensitive)
{
    const list_page* list = shown_list();
    if (!list)
        return;
    for (int index : list->selection_buttons)
        if (index >= 0 && index < SCREEN_BUTTON_COUNT)
            set_sensitive(options_display->buttons[index], sensitive);
}

void func_enable_options_button(int row, int sensitive, gpointer)
{
    const list_page* list = shown_list();
    if (!list)
        return;
    for (size_t column = 0; column < list->columns.size(); ++column)
        if (!list->columns[column].sensitive)
            set_sensitive(list->button(static_cast<int>(column), row), sensitive);
}

void func_set_selection_after_deletion(int items_left)
{
    func_compute_selection_after_deletion(func_current_page_list(), items_left);
    if (items_left <= 0)
        func_enable_clone_ren_del_button(0);
}

void func_select_added_item()
{
    page_list_info& info = func_current_page_list();
    info.rows_per_page = func_get_rows_per_page(func_current_screen_code());
    func_compute_selection_after_adding(info, info.total_items);
}

int func_get_lookup_table_index(int item)
{
    const screen_description* shown = func_get_screen(func_current_screen_code());
    return shown && shown->option_row ? shown->option_row(item) : -1;
}

GtkWidget* func_replace_list_table(int rows, int columns, bool second)
{
    display_data& shown = *options_display;
    GtkWidget*& shown_table = second ? shown.tbl_options_list1 : shown.tbl_options_list;
    if (shown_table)
        gtk_widget_destroy(shown_table);
    GtkWidget* table = gtk_table_new(static_cast<guint>(rows), static_cast<guint>(columns), FALSE);
    gtk_table_set_row_spacings(GTK_TABLE(table), 10);
    gtk_widget_set_name(table, second ? "tbl_options_list1" : "tbl_options_list");
    if (GtkWidget* viewport = second ? shown.vwp_options_list1 : shown.vwp_options_list)
        gtk_container_add(GTK_CONTAINER(viewport), table);
    shown_table = table;
    const int code = shown.screen_code;
    if (code >= 0 && code < SCREEN_RECORD_COUNT)
        (second ? preloaded_display[code].tbl_options_list1 : preloaded_display[code].tbl_options_list) = table;
    return table;
}

void func_return_to_pressed_page(int total_items, bool second)
{
    page_list_info& info = second ? func_current_page_list1() : func_current_page_list();
    if (info.reload == 1 && info.pressed_row >= 0) {
        info.current_page = info.pressed_page;
        if (second)
            func_update_page_info1_test(total_items);
        else
            func_update_page_info_test(total_items);
    }
}

const char* func_get_widget_label_text(GtkWidget* widget)
{
    GtkWidget* label = func_find_label(widget);
    const char* text = label ? gtk_label_get_text(GTK_LABEL(label)) : nullptr;
    return text ? text : "";
}

namespace {
// A page button's press; with no widget, back to the remembered row's page.
void turn_page(page_list_info& info, GtkWidget* widget, const char* down, const char* up)
{
    if (widget) {
        if (func_widget_name_is(widget, down)) {
            if (info.current_page < info.pages)
                info.current_page += 1;
        } else if (func_widget_name_is(widget, up)) {
            if (info.current_page > 1)
                info.current_page -= 1;
        }
    } else if (info.pressed_row >= 0 && info.rows_per_page > 0) {
        info.current_page = info.pressed_row / info.rows_per_page + 1;
        if (info.current_page > info.pages)
            info.pages = info.current_page;
    }
}
}  // namespace

namespace {
// A page button of either list: page, count, redraw.
void show_page(page_list_info& info, GtkWidget* widget, bool second)
{
    turn_page(info, widget, second ? "btn_page_down1" : "btn_page_down", second ? "btn_page_up1" : "btn_page_up");
    write_counter(second ? 7 : 6, info);
    if (const list_page* list = second ? shown_list1() : shown_list())
        if (list->redraw)
            list->redraw();
    if (GtkWidget* table = second ? options_display->tbl_options_list1 : options_display->tbl_options_list)
        gtk_widget_queue_draw(table);
    func_run_pending_events();
}
}  // namespace

void func_show_page_info_test(GtkWidget* widget, gpointer)
{
    func_show_dialog(18, p[190], 1, nullptr);
    show_page(func_current_page_list(), widget, false);
    func_close_active_dialog();
}

void func_show_page_info1_test(GtkWidget* widget, gpointer) { show_page(current_list1(), widget, true); }

namespace {
void mark_pressed(GtkWidget* widget)
{
    if (widget)
        gtk_widget_set_state(widget, GTK_STATE_ACTIVE);
}

// Row press on a list screen, for either list of the shown screen.
void press_row(GtkWidget* widget, gpointer data, bool second)
{
    const int code = func_current_screen_code();
    const list_page* list = second ? shown_list1() : shown_list();
    if (code < 0 || !page_info || !list)
        return;
    page_list_info& info = second ? page_info[code].list1 : page_info[code].list;
    page_list_info& other = second ? page_info[code].list : page_info[code].list1;

    // A row remembered from a longer list no longer exists: forget it and
    // take this press as a fresh selection.
    if (info.pressed_row >= info.rows_shown) {
        info.pressed_row = -1;
        info.active_row = -1;
    }
    const int row = func_get_index_from_widget_name_no_page_adjust(widget);
    if (row < 0 || row >= info.rows_shown)
        return;
    // Whichever column was touched, the row's name shows the selection.
    GtkWidget* name = list->button(list->name_column, row);
    GtkWidget* marked = name ? name : widget;
    func_set_widget_font_and_color(marked, nullptr, LUMEX_SELECTED_TEXT, nullptr, nullptr);

    if (GtkWidget* number = list->button(list->number_column, row))
        info.selected_number = atoi(func_get_widget_label_text(number));
    else
        info.selected_number = row;
    g_strlcpy(info.selected_text, func_get_widget_label_text(marked), sizeof info.selected_text);
    if (!second)
        func_enable_options_button(row, 1, data);
    if (!second)
        func_enable_clone_ren_del_button(1);
    if (list->after_row_press)
        list->after_row_press(row, data);

    info.pressed_row = row;
    info.pressed_page = info.current_page;
    mark_pressed(marked);
    other.pressed_row = -1;

    if (info.active_row >= info.rows_shown) {
        info.active_row = -1;
        return;
    }
    if (info.active_row < 0) {
        info.active_row = row;
        info.active_page = info.current_page;
    } else if (info.active_row != row || info.active_page != info.current_page) {
        if (info.active_page == info.current_page)
            func_show_button_normal_state(list->button(list->name_column, info.active_row));
        if (!second)
            func_enable_options_button(info.active_row, 0, data);
        info.active_row = row;
        info.active_page = info.current_page;
        mark_pressed(marked);
    }
}
}  // namespace

void func_show_button_pressed_state_static_test(GtkWidget* widget, gpointer data)
{
    press_row(widget, data, false);
}

void func_show_button_pressed_state_static1_test(GtkWidget* widget, gpointer data)
{
    press_row(widget, data, true);
}

void func_show_decision_pressed_state_static_test(GtkWidget* widget)
{
    const int code = func_current_screen_code();
    if (code < 0 || !page_info || !widget)
        return;
    page_list_info& info = page_info[code].list;
    func_set_widget_font_and_color(widget, nullptr, LUMEX_SELECTED_TEXT, nullptr, nullptr);
    const int index = func_get_index_from_widget_name(widget);
    const int rows = func_get_rows_per_page(code);
    info.pressed_row = index;
    info.pressed_page = info.current_page;
    mark_pressed(widget);
    if (info.active_row < 0 || (info.active_row >= info.rows_shown && info.active_page != info.current_page)) {
        info.active_row = index;
        info.active_page = info.current_page;
        return;
    }
    if (info.active_row != index) {
        const screen_description* shown = func_get_screen(code);
        GtkWidget** buttons = shown ? shown->value_buttons : nullptr;
        if (buttons && info.active_page == info.current_page && rows > 0)
            func_show_button_normal_state(buttons[info.active_row % rows]);
        info.active_row = index;
        info.active_page = info.current_page;
    }
}

void func_show_button_normal_state(GtkWidget* widget)
{
    if (!widget)
        return;
    gtk_widget_modify_bg(widget, GTK_STATE_NORMAL, nullptr);
    GtkWidget* label = func_find_label(widget);
    if (label)
        gtk_widget_modify_fg(label, GTK_STATE_NORMAL, nullptr);
    gtk_widget_set_state(widget, GTK_STATE_NORMAL);
    gtk_widget_queue_draw(widget);
}
