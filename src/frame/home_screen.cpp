#include "frame/home_screen.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "entry/selection_dialog.h"
#include "entry/value_limits.h"
#include "files/build_switches.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/record_file.h"
#include "files/version_files.h"
#include "formulas/formula_list.h"
#include "frame/app_state.h"
#include "frame/clock.h"
#include "frame/dialogs.h"
#include "frame/list_page.h"
#include "frame/palette.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "link/ipc_link.h"
#include "link/run_state.h"
#include "logs/log_file.h"
#include "settings/password_lockout.h"
#include "settings/system_commands.h"

namespace {
constexpr int REMOTE_FORMULA_FIELDS = 7;
constexpr int LOAD_WEIGHT_FIELDS = 2;

display_data& home() { return preloaded_display[SCREEN_HOME]; }
page_list_info& home_list() { return page_info[SCREEN_HOME].list; }

GtkWidget* home_button(const char* name)
{
    for (GtkWidget* button : home().buttons)
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

// The active formulas of the page shown, filled by the display.
std::unique_ptr<formula_snapshot> shown_formulas;

list_page home_page = [] {
    list_page list;
    list.rows = HOME_ROWS;
    list.row_height = 55;
    list.columns = {
        // Wide enough for three digits in the operator's large font.
        // Their fonts are bound to their names in lumex.gtkrc.
        {"lbl_frm_number_#", 58, nullptr, LUMEX_NUMBER_TEXT, G_CALLBACK(func_show_button_pressed_state_static_test),
         true},
        {"btn_frm_name_#", 250, nullptr, LUMEX_PLAIN_TEXT, G_CALLBACK(func_show_button_pressed_state_static_test),
         true, false, true},
        {"lbl_frm_time_#", 90, nullptr, nullptr, nullptr, false, true},
    };
    list.redraw = func_display_formula_list_test;
    return list;
}();

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

void goto_formula_pressed(GtkWidget* widget, gpointer) { func_show_data_entry_dialog(widget, GINT_TO_POINTER(49)); }
void run_remote_pressed(GtkWidget* widget, gpointer) { func_show_data_entry_dialog(widget, GINT_TO_POINTER(26)); }

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

void powerdown_pressed(GtkWidget*, gpointer) { func_show_dialog(13, p[162] + "   \n\n   " + p[163], 1, nullptr); }

// Leaves home for the screen a home button leads to.
void leave_home_for(GtkWidget* widget)
{
    const screen_description* next = func_find_screen_by_home_button(gtk_widget_get_name(widget));
    if (next) {
        if (func_widget_name_is(widget, "btn_run") || func_widget_name_is(widget, "btn_run_remote")) {
            formula_ended = 0;
            formula_elapse_time = 0.0;
            g_timeout_add(1000, reinterpret_cast<GSourceFunc>(func_update_formula_elapse_time), nullptr);
        }
        if (func_widget_name_is(widget, "btn_auto"))
            in_vez_automatic_mode = 1;
        in_remote_run_mode = func_widget_name_is(widget, "btn_run_remote") ? 1 : 0;
        func_show_screen(next->code);
    }
    home_list().reload = 1;
}

// Run: the controller learns the formula first, then the run screen asks
// for its records.
void start_run()
{
    if (!func_find_screen_by_home_button("btn_run") || home_list().selected_number < 1)
        return;
    func_ipc_send_selected_formula(home_list().selected_number);
    leave_home_for(home_button("btn_run"));
}

bool weight_asked() { return current_machine_configuration && current_machine_configuration->items[53] == 1.0f; }

// With the load weight asked, the run starts once it is saved.
void run_pressed(GtkWidget* widget, gpointer)
{
    if (weight_asked())
        func_prompt_weight(widget);
    else
        start_run();
}

void open_configuration_menu(GtkWidget* widget) { func_unload_home_screen_4_configuration(widget, nullptr); }

// A guarded button asks for its password first.
void home_button_released(GtkWidget* widget, gpointer)
{
    const screen_description* next = func_find_screen_by_home_button(gtk_widget_get_name(widget));
    if (next && next->password_item)
        func_check_lockout_password(widget, next->password_item, leave_home_for);
    else
        leave_home_for(widget);
}

void configuration_released(GtkWidget* widget, gpointer) { func_check_lockout_password(widget, 46, open_configuration_menu); }

bool menu_has_entries()
{
    for (int row = 0; row < VEZ_LOOKUP_WIDTH; ++row)
        if (func_find_screen_by_home_menu_row(row))
            return true;
    return false;
}

// The configuration menu (or, at a VEZ power-up, the power-up choice).
std::vector<std::string> menu_options(GtkWidget* caller, int)
{
    if (func_get_index_from_widget_name(caller) >= 0)
        return {};
    constexpr int vez_size = sizeof vez_lookup_table / sizeof vez_lookup_table[0];
    if (vez_power_up_mode)
        return func_get_option_row(vez_power_up_lookup_table, 8, VEZ_POWER_UP_LOOKUP_WIDTH, 0);
    return func_get_option_row(vez_lookup_table, vez_size, VEZ_LOOKUP_WIDTH, 0);
}

bool menu_option_available(int row)
{
    return vez_power_up_mode || func_find_screen_by_home_menu_row(row) != nullptr;
}

void menu_chosen(GtkWidget* option, GtkWidget*)
{
    const int row = func_get_row_from_name(gtk_widget_get_name(option));
    if (vez_power_up_mode) {
        in_vez_automatic_mode = row == 0 ? 1 : 0;
        return;
    }
    // Rows other than the VEZ configuration and the post-dry list lead to
    // the configuration.
    const screen_description* next = func_find_screen_by_home_menu_row(row);
    if (!next)
        return;
    func_unload_selections_window(temporary_display_window);
    home_list().reload = 1;
    func_show_screen(next->code);
}

void show_home()
{
    func_close_active_dialog();
    func_make_screen_current(SCREEN_HOME, SCREEN_HOME, HOME_LIST_WIDTH, HOME_LIST_HEIGHT);
    if (options_display->lbl_message_bar)
        gtk_widget_grab_focus(options_display->lbl_message_bar);

    func_load_formula_list_from_file();
    page_list_info& info = home_list();
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
        gtk_widget_set_sensitive(options_display->buttons[1],
                                 remote && func_find_screen_by_home_button("btn_run_remote") != nullptr);
    gtk_widget_set_sensitive(options_display->tbl_options_list, !remote);
    gtk_widget_set_sensitive(options_display->btn_page_up, !remote);
    gtk_widget_set_sensitive(options_display->btn_page_down, !remote);
    if (!remote)
        func_enable_disable_page_up_down_button();

    func_update_clock(nullptr);
    func_start_screen_display_request();
}

void reload_home()
{
    func_load_formula_list_from_file();
    func_display_formula_list_test();
}

// --- the item codes home owns ------------------------------------------------------

void goto_formula_saved(const item_save& save)
{
    const long long number = func_read_whole_number(save.text);
    if (number >= 1 && number < 1000)
        func_goto_formula_number_home(static_cast<int>(number));
}

void remote_formula_saved(const item_save& save)
{
    int record[REMOTE_FORMULA_FIELDS] = {};
    for (int field = 0; field < REMOTE_FORMULA_FIELDS && field < static_cast<int>(save.fields.size()); ++field)
        record[field] = static_cast<int>(func_read_whole_number(save.fields[static_cast<size_t>(field)]));
    func_save_remote_formula_to_file(record);
    if (!func_find_screen_by_home_button("btn_run_remote"))
        return;
    func_ipc_send_selected_remote_formula(record);
    leave_home_for(home_button("btn_run_remote"));
}

void load_weight_saved(const item_save& save)
{
    int record[LOAD_WEIGHT_FIELDS] = {home_list().selected_number,
                                      static_cast<int>(std::lround(func_read_decimal_number(save.text)))};
    if (!func_save_load_weight_to_file(record)) {
        func_show_dialog(1, p[537], 1, nullptr);
        return;
    }
    start_run();
}

template <size_t N>
int save_numbers(const char* function, const std::string& path, const int* values)
{
    std::array<int, N> record;
    std::copy(values, values + N, record.begin());
    const record_format format = {4 * N, 1, "records"};
    const int saved = func_write_records(path, format, std::vector<std::array<int, N>>{record},
                                         [](const std::array<int, N>& numbers, unsigned char* bytes) {
                                             for (size_t i = 0; i < N; ++i)
                                                 func_put_int32_le(bytes + 4 * i, numbers[i]);
                                         });
    if (!saved)
        func_write_log(LOG_SYSERROR, std::string(function) + " :can't create/open file " + path + " not found.", 0);
    return saved;
}
}  // namespace

int func_save_remote_formula_to_file(const int record[7])
{
    return save_numbers<REMOTE_FORMULA_FIELDS>("func_save_remote_formula_to_file",
                                               func_data_dir() + "remote_formula.dat", record);
}

int func_save_load_weight_to_file(const int record[2])
{
    return save_numbers<LOAD_WEIGHT_FIELDS>("func_save_weight_to_file", func_data_dir() + "load_weight.dat", record);
}

void func_register_home_screen()
{
    screen_description home_screen =
        func_describe_screen(SCREEN_HOME, "home", "lumex_home_screen3.ui", "win_home_screen", HOME_LIST_WIDTH,
                             HOME_LIST_HEIGHT, func_load_home_screen, show_home, reload_home);
    // Run and remote run first: the shared code finds them as buttons 0 and 1.
    home_screen.buttons = {"btn_run",        "btn_run_remote", "btn_file",        "btn_formula",
                           "btn_configuration", "btn_goto_formula", "btn_diagnostic", "btn_log",
                           "btn_dealer_info", "btn_powerdown", "btn_auto"};
    home_screen.display_request = func_update_formula_selection_display;
    home_screen.request_code = REQUEST_CODE_FORMULA_SELECTION;
    home_screen.list = &home_page;
    home_screen.selection_options = menu_options;
    home_screen.selection_chosen = menu_chosen;
    home_screen.option_available = [](GtkWidget*, int index) { return menu_option_available(index); };
    func_register_screen(home_screen);

    func_register_item_action(49, goto_formula_saved);
    for (int code = 26; code <= 32; ++code)
        func_register_item_action(code, remote_formula_saved);
    func_register_item_action(79, load_weight_saved);
}

void func_load_home_screen(const ui_file& ui, display_data& record)
{
    set_version_labels(ui);
    record.btn_page_up1 = func_lookup_widget(ui, "lbl_time");
    record.btn_page_down1 = func_lookup_widget(ui, "lbl_date");
    record.evb_options_list1 = func_lookup_widget(ui, "img_socket_status");
    GtkWidget* logo = func_lookup_widget(ui, "evb_tarvik_logo");

    // Buttons that lead to other screens; each is sensitive only when its
    // screen is part of this build.
    for (const char* name : {"btn_file", "btn_formula", "btn_log", "btn_diagnostic", "btn_auto"}) {
        func_connect_released(home_button(name), G_CALLBACK(home_button_released), nullptr);
        gtk_widget_set_sensitive(home_button(name), func_find_screen_by_home_button(name) != nullptr);
    }
    func_connect_released(home_button("btn_configuration"), G_CALLBACK(configuration_released), nullptr);
    gtk_widget_set_sensitive(home_button("btn_configuration"), menu_has_entries());
    func_connect_released(home_button("btn_powerdown"), G_CALLBACK(powerdown_pressed), nullptr);
    if (logo)
        g_signal_connect(logo, "button-press-event", G_CALLBACK(logo_pressed), nullptr);
    GtkWidget* run = record.buttons[0];
    if (!PC_MODE) {
        func_connect_released(run, G_CALLBACK(run_pressed), nullptr);
        func_connect_released(record.buttons[1], G_CALLBACK(run_remote_pressed), nullptr);
        // Run follows the formula selection.
        home_page.selection_buttons = {0};
    } else {
        func_connect_released(run, G_CALLBACK(quit_main_loop), nullptr);
        if (run) {
            gtk_button_set_label(GTK_BUTTON(run), "Exit");
            func_set_button_icon(run, (func_image_dir() + "nav_icon_exit.png").c_str(), ICON_TOP);
            gtk_widget_set_sensitive(run, TRUE);
        }
        home_page.selection_buttons = {};
    }
    func_connect_released(home_button("btn_goto_formula"), G_CALLBACK(goto_formula_pressed), nullptr);
    func_connect_page_buttons(record, G_CALLBACK(func_show_page_info_test));
    func_connect_released(home_button("btn_dealer_info"), G_CALLBACK(func_show_dealer_info_screen), nullptr);

    gtk_widget_set_sensitive(home_button("btn_dealer_info"), TRUE);
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
}

void func_show_home_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_HOME); }

void func_display_formula_list_test()
{
    func_show_message(5, PC_MODE ? p[396] : p[395]);
    shown_formulas.reset(func_get_formula_list_from_liststore(true));
    page_list_info& info = home_list();
    if (info.pressed_row < 0)
        info.reload = 0;
    func_build_list_page(home_page, shown_formulas->count(), [](int item, int column) -> std::string {
        const formula_record& formula = shown_formulas->records[static_cast<size_t>(item)];
        char text[16];
        switch (column) {
        case 0:
            snprintf(text, sizeof text, "%03d", formula.number);
            return text;
        case 1: return formula.name;
        default: return func_convert_seconds_to_time(formula.total_time);
        }
    });
}

void func_unload_home_screen(GtkWidget* widget, gpointer) { leave_home_for(widget); }

void func_unload_home_screen_4_configuration(GtkWidget* widget, gpointer)
{
    vez_power_up_mode = 0;
    func_show_selection_dialog(widget, nullptr);
}

void func_prompt_weight(GtkWidget* widget)
{
    if (current_machine_configuration && current_machine_configuration->items[53] == 1.0f)
        func_show_data_entry_dialog(widget, GINT_TO_POINTER(79));
}

void func_goto_formula_number_home(int formula_number)
{
    if (func_current_screen_code() != SCREEN_HOME)
        return;
    page_list_info& info = home_list();
    if (info.total_items < 1)
        return;
    int position = func_find_formula_number(formula_number, true);
    if (position == -1) {
        func_show_not_found(186, formula_number);
        return;
    }
    info.pressed_row = position % HOME_ROWS;
    info.pressed_page = position / HOME_ROWS + 1;
    info.current_page = info.pressed_page;
    info.reload = 1;
    func_show_page_info_test(nullptr, nullptr);
}
