#include "frame/screens.h"

#include "files/paths.h"
#include "frame/app_state.h"
#include "frame/screen_texts.h"
#include "files/build_switches.h"
#include "language/language.h"

void func_size_window_to_screen(GtkWindow* win)
{
    gtk_window_set_decorated(win, FALSE);
    gtk_window_set_resizable(win, TRUE);
    GdkScreen* screen = gtk_window_get_screen(win);
    gtk_window_move(win, 0, 0);
    gtk_window_resize(win, gdk_screen_get_width(screen), gdk_screen_get_height(screen));
    gtk_window_fullscreen(win);
}

void func_setup_screen_window(GtkWidget* window)
{
    if (!window)
        return;
    GtkWindow* win = GTK_WINDOW(window);
    if (!PC_MODE) {
        func_size_window_to_screen(win);
    } else {
        gtk_window_set_deletable(win, FALSE);
        gtk_window_set_position(win, GTK_WIN_POS_CENTER);
        gtk_window_set_title(win, p[395].c_str());
        gtk_window_set_default_icon_from_file((func_image_dir() + "icon_formula_22.png").c_str(), nullptr);
    }
}

ui_file func_load_screen_record(display_data& record, int code, const char* file_name, const char* window_id,
                                int list_width, int list_height)
{
    // Built once per start-up; a second build in one process (tests)
    // replaces the first window instead of leaving it on screen.
    if (record.window)
        gtk_widget_destroy(record.window);
    record = display_data();
    ui_file ui = func_load_interface_file(file_name);
    record.screen_code = code;
    record.window = func_lookup_widget(ui, window_id);
    func_setup_screen_window(record.window);
    record.list_width = list_width;
    record.list_height = list_height;
    record.lbl_message_bar = func_lookup_widget(ui, "lbl_message_bar");
    record.evb_message_bar = func_lookup_widget(ui, "evb_message_bar");
    // A screen without a list (size 0) has no list, pages or title either.
    if (list_width == 0 && list_height == 0)
        return ui;
    record.evb_options_list = func_lookup_widget(ui, "evb_options_list");
    record.tbl_options_list = func_lookup_widget(ui, "tbl_options_list");
    record.vwp_options_list = func_lookup_widget(ui, "vwp_options_list");
    record.lbl_page_info = func_lookup_widget(ui, "lbl_page_info");
    record.evb_page_info = func_lookup_widget(ui, "evb_page_info");
    record.lbl_active_item = func_lookup_widget(ui, "lbl_active_item");
    record.btn_page_up = func_lookup_widget(ui, "btn_page_up");
    record.btn_page_down = func_lookup_widget(ui, "btn_page_down");
    return ui;
}

void func_make_screen_current(int code, int preloaded_code, int list_width, int list_height)
{
    *options_display = preloaded_display[preloaded_code];
    options_display->screen_code = code;
    options_display->list_width = list_width;
    options_display->list_height = list_height;
    main_application_window = options_display->window;
    if (!PC_MODE && main_application_window)
        gtk_window_set_keep_above(GTK_WINDOW(main_application_window), TRUE);
}

bool func_begin_screen_show(int code, int title_slot)
{
    if (code < 0 || code >= SCREEN_RECORD_COUNT || !preloaded_display || !preloaded_display[code].window)
        return false;
    const display_data& record = preloaded_display[code];
    func_make_screen_current(code, code, record.list_width, record.list_height);
    if (title_slot >= 0 && options_display->lbl_active_item && !p[title_slot].empty())
        gtk_label_set_text(GTK_LABEL(options_display->lbl_active_item), p[title_slot].c_str());
    if (options_display->vwp_options_list)
        gtk_widget_grab_focus(options_display->vwp_options_list);
    return true;
}

void func_end_screen_show(int code)
{
    GtkWidget* window = preloaded_display[code].window;
    gtk_widget_show_all(window);
    gtk_window_present(GTK_WINDOW(window));
}

void func_hide_screen(GtkWidget* window)
{
    // Only the window: hiding its children too would leave them hidden
    // when the window is shown again.
    if (window)
        gtk_widget_hide(window);
}

void func_run_pending_events()
{
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
}

void func_connect_released(GtkWidget* widget, GCallback handler, gpointer data)
{
    if (widget)
        g_signal_connect(widget, "released", handler, data);
}

void func_connect_page_buttons(const display_data& record, GCallback handler)
{
    func_connect_released(record.btn_page_up, handler, nullptr);
    func_connect_released(record.btn_page_down, handler, nullptr);
}

void func_connect_save_cancel(const ui_file& ui, display_data& record, GCallback leave)
{
    record.btn_save = func_lookup_widget(ui, "btn_save");
    record.btn_cancel = func_lookup_widget(ui, "btn_cancel");
    func_connect_released(record.btn_save, leave, nullptr);
    func_connect_released(record.btn_cancel, leave, nullptr);
}

void func_setup_list_buttons(display_data& record, const list_screen_buttons& given)
{
    const GCallback handlers[] = {given.add, given.copy, given.rename, given.erase};
    const int slots[] = {278, 282, 280, 279};
    for (int index = 0; index < 4; ++index) {
        GtkWidget* button = record.buttons[index];
        func_connect_released(button, handlers[index], nullptr);
        func_bind_text(button, slots[index]);
        if (button && index > 0)
            gtk_widget_set_sensitive(button, FALSE);
    }
    func_connect_released(record.buttons[4], given.leave, nullptr);
    func_connect_released(record.buttons[5], given.leave, nullptr);
    func_connect_released(record.btn_page_up, given.page, nullptr);
    func_connect_released(record.btn_page_down, given.page, nullptr);
}
