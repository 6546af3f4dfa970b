#include "link/error_info_screen.h"

#include <cstdio>
#include <string>

#include "configuration/configuration_record.h"
#include "files/paths.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/list_page.h"
#include "frame/palette.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "link/error_solutions.h"
#include "logs/log_file.h"

int error_originating_screen = -1;
bool error_info_drilldown = false;

namespace {
constexpr int LIST_WIDTH = 445, LIST_HEIGHT = 325;
constexpr int SLOT_ERROR_INFORMATION = 378, SLOT_NO_INFORMATION = 379;
constexpr int MACHINE_ERRORS = 39;  // 1 to 38 name errors; 0 is "No Errors"
constexpr const char* BACKGROUND_PICTURE = "ts_background.png";
constexpr const char* CODE_FONT = "DejaVu Sans Bold 36";
constexpr const char* TITLE_FONT = "DejaVu Sans Bold 13";

// The widgets of the screen once it is built (null before).
struct error_info_widgets {
    GtkWidget* list = nullptr;
    GtkWidget* picture = nullptr;
    GtkWidget* code = nullptr;
    GtkWidget* title = nullptr;
    GtkWidget* text = nullptr;
    GtkWidget* previous = nullptr;
} built;

int requested_code = -1;
error_record shown_error;

// The error dialog the operator left for its remedies: it comes back on
// leaving, as the machine still waits for its signal cancel.
struct waiting_dialog {
    bool pending = false;
    std::string text;
    int code = -1;
} left_dialog;

bool screen_built() { return built.list && preloaded_display && preloaded_display[SCREEN_ERROR_INFO].window; }

void set_shown(GtkWidget* widget, bool shown)
{
    if (widget)
        gtk_widget_set_visible(widget, shown ? TRUE : FALSE);
}

void set_page_buttons_sensitive(bool sensitive)
{
    if (!sensitive) {
        for (GtkWidget* button : {options_display->btn_page_up, options_display->btn_page_down})
            if (button)
                gtk_widget_set_sensitive(button, FALSE);
        return;
    }
    func_enable_disable_page_up_down_button();
}

void show_list_view()
{
    error_info_drilldown = false;
    if (!screen_built())
        return;
    set_shown(built.picture, false);
    set_shown(built.title, false);
    set_shown(built.text, false);
    set_shown(built.list, true);
    set_shown(built.code, true);
    gtk_widget_set_sensitive(built.previous, FALSE);
    if (func_current_screen_code() == SCREEN_ERROR_INFO)
        set_page_buttons_sensitive(true);
}

// The picture, scaled to the list's room while it loads; the background
// when it has none or it cannot be read.
void show_picture(const std::string& path)
{
    const std::string background = func_image_dir() + BACKGROUND_PICTURE;
    const std::string wanted = path.empty() ? background : path;
    GError* error = nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file_at_scale(wanted.c_str(), LIST_WIDTH, LIST_HEIGHT, FALSE, &error);
    if (!pixbuf) {
        func_log_system_error("func_display_error_solution",
                              "Can't load picture " + wanted + (error ? std::string(": ") + error->message : ""));
        g_clear_error(&error);
        if (wanted != background)
            pixbuf = gdk_pixbuf_new_from_file_at_scale(background.c_str(), LIST_WIDTH, LIST_HEIGHT, FALSE, nullptr);
    }
    if (pixbuf) {
        gtk_image_set_from_pixbuf(GTK_IMAGE(built.picture), pixbuf);
        g_object_unref(pixbuf);
    } else {
        gtk_image_clear(GTK_IMAGE(built.picture));
    }
}

// The code of a machine error named by the dialog's text, -1 for none.
int code_of_error_text(const std::string& text)
{
    for (int code = 1; code < MACHINE_ERRORS; ++code)
        if (!machine_error_table[code].empty() && g_ascii_strcasecmp(machine_error_table[code].c_str(), text.c_str()) == 0)
            return code;
    return -1;
}

std::string open_dialog_text()
{
    if (!dialog_window_message || !GTK_IS_LABEL(dialog_window_message))
        return "";
    gchar* text = g_strdup(gtk_label_get_text(GTK_LABEL(dialog_window_message)));
    const std::string stripped = g_strstrip(text);
    g_free(text);
    return stripped;
}

void show_error_info()
{
    const int from = func_current_screen_code();
    if (from != SCREEN_ERROR_INFO)
        error_originating_screen = from;
    if (!screen_built() || !func_begin_screen_show(SCREEN_ERROR_INFO, SLOT_ERROR_INFORMATION))
        return;
    func_close_active_dialog();
    // Every error starts on its first page with nothing pressed.
    page_info[SCREEN_ERROR_INFO].list = page_list_info();
    func_end_screen_show(SCREEN_ERROR_INFO);
    show_list_view();
    func_display_error_info_test(requested_code);
}

void redraw_error_info() { func_display_error_info_test(shown_error.found ? shown_error.code : requested_code); }

void leave_error_info()
{
    show_list_view();
    const int back = error_originating_screen;
    const bool known = back >= 0 && back != SCREEN_ERROR_INFO && func_get_screen(back);
    func_show_screen(known ? back : SCREEN_HOME);
    if (left_dialog.pending) {
        left_dialog.pending = false;
        func_show_dialog(4, left_dialog.text, 1, GINT_TO_POINTER(left_dialog.code));
    }
}
}  // namespace

list_page error_info_page = [] {
    list_page list;
    list.rows = 5;
    list.row_height = 55;
    list.row_spacing = 10;
    list_column name{"btn_err_info_name_#", LIST_WIDTH};
    name.released = G_CALLBACK(func_display_error_solution);
    name.sensitive = true;
    name.ellipsize = true;
    name.picture = [](int, const std::string&) { return std::string("icon_help_32.png"); };
    list.columns = {name};
    list.number_column = 0;
    list.name_column = 0;
    list.redraw = redraw_error_info;
    return list;
}();

void func_register_error_info_screen()
{
    screen_description screen =
        func_describe_screen(SCREEN_ERROR_INFO, "error_info", "lumex_error_info_screen.ui", "win_error_info_screen",
                             LIST_WIDTH, LIST_HEIGHT, func_load_error_info_screen, show_error_info, redraw_error_info);
    screen.buttons = {"btn_home", "btn_previous_page"};
    screen.list = &error_info_page;
    screen.log_heading = [] { return std::string(); };
    func_register_screen(screen);
    func_register_dialog_action(4, 1, [](gpointer data) { func_show_error_info_screen_signal_cancel(data, nullptr); });
}

void func_load_error_info_screen(const ui_file& ui, display_data& record)
{
    built = error_info_widgets();
    record.evb_active_item = func_lookup_widget(ui, "evb_active_item");
    built.list = record.evb_options_list;
    built.picture = func_lookup_widget(ui, "img_options_list");
    built.code = func_lookup_widget(ui, "lbl_error_info_code");
    built.title = func_lookup_widget(ui, "lbl_error_info_solution_name");
    built.text = func_lookup_widget(ui, "lbl_error_info_solution_text");
    built.previous = record.buttons[1];
    if (!built.list || !built.picture || !built.code || !built.title || !built.text || !built.previous) {
        built = error_info_widgets();
        return;
    }
    func_set_widget_font_and_color(built.code, CODE_FONT, LUMEX_NUMBER_TEXT, nullptr, nullptr);
    func_set_widget_font_and_color(built.title, TITLE_FONT, LUMEX_NUMBER_TEXT, nullptr, nullptr);
    GtkWidget* panel = func_lookup_widget(ui, "evb_error_info_panel");
    func_set_widget_font_and_color(panel, nullptr, nullptr, LUMEX_PANEL_BACKGROUND, nullptr);
    func_connect_released(record.buttons[0], G_CALLBACK(func_unload_error_info_screen), nullptr);
    func_connect_released(record.buttons[1], G_CALLBACK(func_unload_error_info_screen), nullptr);
    func_connect_page_buttons(record, G_CALLBACK(func_show_page_info_test));
    show_list_view();
}

void func_show_error_info_screen(int code)
{
    requested_code = code;
    func_show_screen(SCREEN_ERROR_INFO);
}

void func_display_error_info_test(int code)
{
    if (!screen_built() || func_current_screen_code() != SCREEN_ERROR_INFO)
        return;
    func_show_message(5, p[SLOT_ERROR_INFORMATION]);
    func_load_errors_solutions_from_file(func_get_language_number());
    shown_error = func_get_error_from_liststore(code);
    char number[16] = "E-???";
    if (code >= 0)
        snprintf(number, sizeof number, "E-%03d", code);
    gtk_label_set_text(GTK_LABEL(built.code), number);
    func_build_list_page(error_info_page, static_cast<int>(shown_error.solutions.size()),
                         [](int item, int) { return shown_error.solutions[static_cast<size_t>(item)].title; });
    if (!shown_error.found) {
        char text[512];
        snprintf(text, sizeof text, "%s : %d", p[SLOT_NO_INFORMATION].c_str(), code);
        func_show_dialog(2, text, 1, nullptr);
        return;
    }
    func_show_message(19, shown_error.name);
}

void func_show_error_info_screen_signal_cancel(gpointer data, GtkWidget*)
{
    int code = GPOINTER_TO_INT(data);
    const std::string text = open_dialog_text();
    left_dialog = {true, text, code};
    if (code < 0)
        code = code_of_error_text(text);
    func_show_error_info_screen(code);
}

void func_display_error_solution(GtkWidget* widget, gpointer)
{
    const int index = func_get_index_from_widget_name(widget);
    if (!screen_built() || index < 0 || index >= static_cast<int>(shown_error.solutions.size()))
        return;
    func_show_button_pressed_state_static_test(widget, nullptr);
    const error_solution& solution = shown_error.solutions[static_cast<size_t>(index)];
    error_info_drilldown = true;
    gtk_widget_set_sensitive(built.previous, TRUE);
    set_page_buttons_sensitive(false);
    set_shown(built.list, false);
    set_shown(built.code, false);
    gtk_label_set_text(GTK_LABEL(built.title), solution.title.c_str());
    gtk_label_set_text(GTK_LABEL(built.text), solution.text.c_str());
    show_picture(solution.pictures.empty() ? std::string() : solution.pictures.front());
    set_shown(built.picture, true);
    set_shown(built.title, true);
    set_shown(built.text, true);
}

void func_unload_error_info_screen(GtkWidget* widget, gpointer)
{
    if (func_widget_name_is(widget, "btn_previous_page") && error_info_drilldown) {
        show_list_view();
        return;
    }
    leave_error_info();
}
