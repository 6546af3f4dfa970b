#include "frame/home_screen.h"

#include <cstdio>
#include <memory>
#include <string>

#include "configuration/configuration_record.h"
#include "entry/data_entry_opener.h"
#include "files/paths.h"
#include "files/version_files.h"
#include "formulas/formula_list.h"
#include "formulas/formulas_screen.h"
#include "frame/app_state.h"
#include "frame/build_switches.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/units.h"
#include "link/ipc_link.h"
#include "logs/log_file.h"
#include "entry/selection_dialog.h"
#include "settings/password_lockout.h"
#include "settings/system_commands.h"

GtkWidget** home_selections_number = nullptr;
GtkWidget** home_selections_name = nullptr;
GtkWidget** home_selections_time = nullptr;

const char* const HOME_SCREEN_WIDGETS[] = {
    "win_home_screen", "evb_options_list", "tbl_options_list", "vwp_options_list", "lbl_page_info",
    "evb_page_info", "lbl_active_item", "lbl_message_bar", "evb_message_bar", "btn_page_up",
    "btn_page_down", "lbl_time", "lbl_date", "img_socket_status", "btn_run", "btn_run_remote",
    "btn_file", "btn_formula", "btn_configuration", "btn_goto_formula", "btn_diagnostic", "btn_log",
    "btn_dealer_info", "btn_powerdown", "evb_tarvik_logo", "btn_auto", "lblguiversion",
    "lblcomversion", nullptr};

namespace {
// Screens reached from home. A button whose screen is not part of this
// build stays insensitive rather than leading to an empty display.
using show_function = void (*)(GtkWidget* widget, gpointer data);
struct home_target {
    const char* button;
    show_function show;
};
const home_target HOME_TARGETS[] = {
    {"btn_file", nullptr},
    {"btn_formula", func_show_formulas_screen},
    {"btn_log", nullptr},
    {"btn_diagnostic", nullptr},
    {"btn_run", nullptr},
    {"btn_run_remote", nullptr},
    {"btn_auto", nullptr},
};

show_function target_of(GtkWidget* widget)
{
    for (const home_target& target : HOME_TARGETS)
        if (func_widget_name_is(widget, target.button))
            return target.show;
    return nullptr;
}

bool has_target(const char* button)
{
    for (const home_target& target : HOME_TARGETS)
        if (g_ascii_strcasecmp(target.button, button) == 0)
            return target.show != nullptr;
    return false;
}

display_data& home() { return preloaded_display[SCREEN_HOME]; }

GtkWidget* home_button(const char* name)
{
    display_data& record = home();
    for (GtkWidget* button : record.buttons)
        if (button && func_widget_name_is(button, name))
            return button;
    return nullptr;
}

std::string trimmed(const std::string& text)
{
    gchar* copy = g_strstrip(g_strdup(text.c_str()));
    std::string result = copy;
    g_free(copy);
    return result;
}

void set_version_labels(const ui_file& ui)
{
    char text[256];
    snprintf(text, sizeof text, "RIDEVUVE / %s%s", CONSOLE_SOFTWARE_VERSION, "");
    gtk_label_set_text(GTK_LABEL(func_lookup_widget(ui, "lblguiversion")), text);

    std::unique_ptr<software_version> com(
        func_get_software_version(func_install_path("ztqbcom.ver"), 0));
    GtkWidget* label = func_lookup_widget(ui, "lblcomversion");
    if (!com) {
        gtk_label_set_text(GTK_LABEL(label), "DEDOZOVA / 00000");
        VALID_COM_VERSION = 0;
        return;
    }
    snprintf(text, sizeof text, "%s / %s", trimmed(com->name).c_str(), trimmed(com->version).c_str());
    gtk_label_set_text(GTK_LABEL(label), text);
    VALID_COM_VERSION = 1;
}

void quit_main_loop(GtkWidget*, gpointer) { gtk_main_quit(); }

void goto_formula_pressed(GtkWidget* widget, gpointer) { func_open_data_entry(widget, 49); }
void run_remote_pressed(GtkWidget* widget, gpointer) { func_open_data_entry(widget, 26); }

gboolean logo_pressed(GtkWidget*, GdkEventButton*, gpointer)
{
    // The build description: first line of build.ver.
    std::string line;
    if (FILE* file = fopen(func_install_path("build.ver").c_str(), "r")) {
        char buffer[200] = {};
        if (fgets(buffer, sizeof buffer, file))
            line = trimmed(buffer);
        fclose(file);
    }
    std::string text = line.empty() ? std::string("[ Quorilex\u2122 Software Build V000 ]") : "[ " + line + " ]";
    func_show_dialog(2, text, 1, nullptr);
    return TRUE;
}
}  // namespace

void func_load_home_screen()
{
    display_data& record = home();
    ui_file ui = func_load_screen_record(record, SCREEN_HOME, "lumex_home_screen3.ui", "win_home_screen",
                                         HOME_LIST_WIDTH, HOME_LIST_HEIGHT);
    set_version_labels(ui);
    record.btn_page_up1 = func_lookup_widget(ui, "lbl_time");
    record.btn_page_down1 = func_lookup_widget(ui, "lbl_date");
    record.evb_options_list1 = func_lookup_widget(ui, "img_socket_status");
    // Run and remote run first: the shared code finds them as buttons 0 and 1.
    static const char* const buttons[] = {"btn_run", "btn_run_remote", "btn_file", "btn_formula",
                                          "btn_configuration", "btn_goto_formula", "btn_diagnostic", "btn_log",
                                          "btn_dealer_info", "btn_powerdown", "btn_auto"};
    func_lookup_screen_buttons(ui, record, buttons);
    GtkWidget* logo = func_lookup_widget(ui, "evb_tarvik_logo");

    func_connect_released(home_button("btn_log"), G_CALLBACK(func_unload_home_screen), nullptr);
    func_connect_released(home_button("btn_diagnostic"), G_CALLBACK(func_unload_home_screen), nullptr);
    func_connect_released(home_button("btn_auto"), G_CALLBACK(func_unload_home_screen), nullptr);
    func_connect_released(home_button("btn_file"), G_CALLBACK(func_screen_lockout_password_check), GINT_TO_POINTER(44));
    func_connect_released(home_button("btn_formula"), G_CALLBACK(func_screen_lockout_password_check), GINT_TO_POINTER(45));
    func_connect_released(home_button("btn_configuration"), G_CALLBACK(func_screen_lockout_password_check),
                     GINT_TO_POINTER(46));
    func_connect_released(home_button("btn_powerdown"), G_CALLBACK(func_powerdown_machine), nullptr);
    if (logo)
        g_signal_connect(logo, "button-press-event", G_CALLBACK(logo_pressed), nullptr);
    GtkWidget* run = record.buttons[0];
    if (!PC_MODE) {
        func_connect_released(run, G_CALLBACK(func_prompt_weight), nullptr);
        func_connect_released(record.buttons[1], G_CALLBACK(run_remote_pressed), nullptr);
    } else {
        func_connect_released(run, G_CALLBACK(quit_main_loop), nullptr);
        if (run) {
            gtk_button_set_label(GTK_BUTTON(run), "Exit");
            func_set_button_icon(run, (func_image_dir() + "nav_icon_exit.png").c_str(), ICON_TOP);
            gtk_widget_set_sensitive(run, TRUE);
        }
    }
    func_connect_released(home_button("btn_goto_formula"), G_CALLBACK(goto_formula_pressed), nullptr);
    func_connect_released(record.btn_page_up, G_CALLBACK(func_show_page_info_test), nullptr);
    func_connect_released(record.btn_page_down, G_CALLBACK(func_show_page_info_test), nullptr);
    func_connect_released(home_button("btn_dealer_info"), G_CALLBACK(func_show_dealer_info_screen), nullptr);

    gtk_widget_set_sensitive(home_button("btn_dealer_info"), TRUE);
    for (const home_target& target : HOME_TARGETS) {
        if (!target.show && !(PC_MODE && g_ascii_strcasecmp(target.button, "btn_run") == 0))
            gtk_widget_set_sensitive(home_button(target.button), FALSE);
    }
    gtk_widget_set_sensitive(home_button("btn_log"), has_target("btn_log"));
    if (PC_MODE)
        gtk_widget_set_sensitive(home_button("btn_diagnostic"), FALSE);
    // The desktop variant has no remote run, no loading automation, and
    // must not switch off the PC it runs on.
    GtkWidget* desktop_hidden[] = {record.buttons[1], home_button("btn_auto"), home_button("btn_powerdown")};
    for (GtkWidget* widget : desktop_hidden) {
        if (!widget)
            continue;
        gtk_widget_set_no_show_all(widget, PC_MODE ? TRUE : FALSE);
        if (PC_MODE)
            gtk_widget_hide(widget);
    }

    home_selections_number = g_new0(GtkWidget*, 7);
    home_selections_name = g_new0(GtkWidget*, 7);
    home_selections_time = g_new0(GtkWidget*, 7);

    list_screen_hooks& hooks = func_list_screen_hooks(SCREEN_HOME);
    hooks.display = func_display_formula_list_test;
    hooks.number_buttons = home_selections_number;
    hooks.name_buttons = home_selections_name;
}

void func_show_home_screen(GtkWidget*, gpointer)
{
    func_close_active_dialog();
    func_make_screen_current(SCREEN_HOME, SCREEN_HOME, HOME_LIST_WIDTH, HOME_LIST_HEIGHT);
    if (options_display->lbl_message_bar)
        gtk_widget_grab_focus(options_display->lbl_message_bar);

    func_load_formula_list_from_file();
    page_list_info& info = page_info[SCREEN_HOME].list;
    info.pressed_row = -1;
    info.pressed_page = -1;
    if (!PC_MODE && options_display->buttons[0])
        gtk_widget_set_sensitive(options_display->buttons[0], FALSE);

    func_display_formula_list_test();
    gtk_widget_show_all(options_display->window);
    gtk_window_present(GTK_WINDOW(options_display->window));

    in_run_mode = 0;
    in_remote_run_mode = 0;
    resume_formula_number = -1;
    resume_formula_flag = 0;

    const bool remote = current_machine_configuration && current_machine_configuration->items[40] == 1.0f;
    if (options_display->buttons[1])
        gtk_widget_set_sensitive(options_display->buttons[1], remote && has_target("btn_run_remote"));
    gtk_widget_set_sensitive(options_display->tbl_options_list, !remote);
    gtk_widget_set_sensitive(options_display->btn_page_up, !remote);
    gtk_widget_set_sensitive(options_display->btn_page_down, !remote);
    if (!remote)
        func_enable_disable_page_up_down_button();

    func_update_clock(nullptr);
    timer_formula_selection_display_id = func_start_display_request(func_update_formula_selection_display);
}

void func_display_formula_list_test()
{
    display_data& shown = *options_display;
    page_list_info& info = page_info[SCREEN_HOME].list;
    func_show_message(5, PC_MODE ? p[396] : p[395]);

    std::unique_ptr<formula_snapshot> snapshot(func_get_formula_list_from_liststore());
    if (!snapshot) {
        func_write_log(LOG_SYSERROR, "func_display_formula_list: Formula list buffer is NULL", 0);
        snapshot.reset(new formula_snapshot());
    }
    func_update_page_info_test(snapshot->count());

    GtkWidget* table = func_replace_list_table(HOME_ROWS + 1, 3);
    func_return_to_pressed_page(snapshot->count());
    if (info.pressed_row < 0)
        info.reload = 0;

    int rows = 0;
    for (int item = info.first_item; item < info.end_item && rows < HOME_ROWS; ++item, ++rows) {
        const formula_record& formula = snapshot->records[item];
        char text[64];
        char name[32];

        snprintf(text, sizeof text, "%03d", formula.number);
        GtkWidget* number = gtk_button_new_with_label(text);
        snprintf(name, sizeof name, "lbl_frm_number_#%03d", rows);
        gtk_widget_set_name(number, name);
        // Wide enough for three digits in the operator's large font.
        gtk_widget_set_size_request(number, 58, 55);
        gtk_button_set_focus_on_click(GTK_BUTTON(number), FALSE);
        func_set_widget_font_and_color(number, "Tahoma bold 16", "yellow", nullptr, nullptr);
        g_signal_connect(number, "released", G_CALLBACK(func_show_button_pressed_state_static_test), nullptr);

        GtkWidget* label = gtk_button_new_with_label(formula.name.c_str());
        snprintf(name, sizeof name, "btn_frm_name_#%03d", rows);
        gtk_widget_set_name(label, name);
        gtk_widget_set_size_request(label, 250, 55);
        func_set_widget_font_and_color(label, "Tahoma bold 14", "White", nullptr, nullptr);
        g_signal_connect(label, "released", G_CALLBACK(func_show_button_pressed_state_static_test), nullptr);

        std::string duration = func_convert_seconds_to_time(formula.total_time);
        GtkWidget* time = gtk_button_new_with_label(duration.c_str());
        snprintf(name, sizeof name, "lbl_frm_time_#%03d", rows);
        gtk_widget_set_name(time, name);
        gtk_widget_set_size_request(time, 90, 55);
        gtk_widget_set_sensitive(time, FALSE);
        gtk_widget_set_no_show_all(time, TRUE);

        gtk_table_attach(GTK_TABLE(table), number, 0, 1, rows, rows + 1, GTK_FILL, GTK_FILL, 0, 0);
        gtk_table_attach(GTK_TABLE(table), label, 1, 2, rows, rows + 1, GTK_FILL, GTK_FILL, 0, 0);
        gtk_table_attach(GTK_TABLE(table), time, 2, 3, rows, rows + 1, GTK_FILL, GTK_FILL, 0, 0);
        home_selections_number[rows] = number;
        home_selections_name[rows] = label;
        home_selections_time[rows] = time;
    }
    for (int row = rows; row < 7; ++row)
        home_selections_number[row] = home_selections_name[row] = home_selections_time[row] = nullptr;
    info.rows_shown = rows;
    gtk_table_resize(GTK_TABLE(table), rows + 1, 3);
    shown.list_height = rows * 55;
    gtk_widget_show_all(table);

    if (info.pressed_row >= 0 && info.pressed_page == info.current_page && info.pressed_row < rows) {
        func_show_button_pressed_state_static_test(home_selections_name[info.pressed_row], nullptr);
        info.reload = 0;
    } else if (!PC_MODE && shown.buttons[0]) {
        gtk_widget_set_sensitive(shown.buttons[0], FALSE);
    }
    func_enable_disable_page_up_down_button();
    if (shown.window)
        gtk_widget_queue_draw(shown.window);
}

void func_unload_home_screen(GtkWidget* widget, gpointer)
{
    show_function next = target_of(widget);
    if (next) {
        func_hide_screen(home().window);
        if (func_widget_name_is(widget, "btn_run") || func_widget_name_is(widget, "btn_run_remote")) {
            formula_ended = 0;
            formula_elapse_time = 0.0;
            g_timeout_add(1000, reinterpret_cast<GSourceFunc>(func_update_formula_elapse_time), nullptr);
        }
        if (func_widget_name_is(widget, "btn_auto"))
            in_vez_automatic_mode = 1;
        next(widget, nullptr);
    }
    page_info[SCREEN_HOME].list.reload = 1;
}

void func_unload_home_screen_4_configuration(GtkWidget* widget, gpointer)
{
    vez_power_up_mode = 0;
    func_show_selection_dialog(widget, nullptr);
}

void func_prompt_weight(GtkWidget* widget)
{
    if (current_machine_configuration && current_machine_configuration->items[53] == 1.0f)
        func_open_data_entry(widget, 79);
}

void func_goto_formula_number_home(int formula_number)
{
    if (func_current_screen_code() != SCREEN_HOME)
        return;
    page_list_info& info = page_info[SCREEN_HOME].list;
    if (info.total_items < 1)
        return;
    int position = func_find_formula_number(formula_number);
    if (position == -1) {
        char text[512];
        snprintf(text, sizeof text, "%s %03d %s", p[186].c_str(), formula_number, p[287].c_str());
        func_show_dialog(3, text, 1, nullptr);
        return;
    }
    info.pressed_row = position % HOME_ROWS;
    info.pressed_page = position / HOME_ROWS + 1;
    info.current_page = info.pressed_page;
    info.reload = 1;
    func_show_page_info_test(nullptr, nullptr);
}
