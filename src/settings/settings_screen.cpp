#include "settings/settings_screen.h"

#include <string>
#include <vector>

#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "entry/selection_dialog.h"
#include "entry/value_limits.h"
#include "files/build_switches.h"
#include "frame/clock.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screen_texts.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/units.h"
#include "logs/log_file.h"
#include "settings/network_settings.h"
#include "settings/passwords.h"
#include "settings/system_clock.h"
#include "settings/system_commands.h"

namespace {
constexpr int LIST_WIDTH = 640;
constexpr int LIST_HEIGHT = 340;
constexpr int PAGES = 2;
constexpr int DIALOG_RECALIBRATION = 24;
// Language slots.
constexpr int SLOT_TITLE = 266;
constexpr int SLOT_CHANGE_HEADING = 184;
constexpr int SLOT_NO = 26;
constexpr int SLOT_YES = 27;
constexpr int SLOT_TIME = 152;
constexpr int SLOT_DATE = 195;
constexpr int SLOT_ENABLED = 403;
constexpr int SLOT_NOT_SET = 267;
constexpr int SLOT_PLEASE_WAIT = 380;
constexpr int SLOT_RECALIBRATE = 400;
constexpr int SLOT_RECALIBRATION = 404;
constexpr int SLOT_PASSWORD_SAVED = 206;
constexpr int SLOT_PASSWORD_NOT_SAVED = 207;
constexpr int SLOT_PASSWORDS_DIFFER = 208;
constexpr int SLOT_DHCP = 942;
constexpr int SLOT_IP_ADDRESS = 943;
constexpr int SLOT_PASSWORD_TOO_LONG = 944;
constexpr int SLOT_NETWORK_NOT_CHANGED = 949;
constexpr int SLOT_NETWORK_UNREADABLE = 950;
constexpr int SLOT_PASSWORD_CHANGED = 954;
constexpr int SLOT_ADDRESS_REFUSED = 945;
const char* const HIDDEN_PASSWORD = "******";
// Shown on the desktop variant, which neither reads nor sets the PC's network.
const char* const NOT_HERE = "-";

// One password kind: its buttons and what names it.
struct password_row {
    int kind;
    int item_code;
    int name_slot;
    GtkWidget* enabled = nullptr;
    GtkWidget* password = nullptr;
};
password_row rows[] = {{PASSWORD_CONFIGURE, 37, 177}, {PASSWORD_PROGRAM, 38, 188}, {PASSWORD_MANUAL, 39, 289}};

struct settings_widgets {
    GtkWidget *tbl_password = nullptr, *tbl_date_time = nullptr;
    GtkWidget *btn_date = nullptr, *btn_time = nullptr, *btn_dhcp = nullptr, *btn_ip_address = nullptr;
    GtkWidget* btn_recalibrate = nullptr;
} widgets;

int restart_pause_ms = 1000;
// DHCP switched off on the screen, waiting for a static address to be saved.
bool static_wanted = false;
// A network change between "ifdown" and "ifup".
struct network_change {
    bool running = false;
    bool down_done = false;
    std::vector<std::string> lines;
} change;

page_list_info& settings_list() { return page_info[SCREEN_SYSTEM_SETTINGS].list; }
bool settings_shown() { return func_current_screen_code() == SCREEN_SYSTEM_SETTINGS; }

std::string yes_no(bool yes) { return p[yes ? SLOT_YES : SLOT_NO]; }

void set_toggle(GtkWidget* button, bool yes)
{
    func_set_widget_label(button, yes_no(yes));
    func_set_yes_no_icon(button, yes);
}

void log_change(const std::string& item, const std::string& what)
{
    func_add_log_transaction("------>  [" + item + "] : " + what, 0);
}

// A failure the frame does not report itself (a file it could not write).
void show_failure(int slot)
{
    if (!func_reporting_write_failures())
        func_show_dialog(1, p[slot], 1, nullptr);
}

void redisplay()
{
    if (settings_shown())
        func_display_system_settings();
}

const password_row* row_of(GtkWidget* button)
{
    for (const password_row& row : rows)
        if (button == row.enabled || button == row.password)
            return &row;
    return nullptr;
}

const password_row* row_of_item(int item_code)
{
    for (const password_row& row : rows)
        if (row.item_code == item_code)
            return &row;
    return nullptr;
}

// --- passwords ---------------------------------------------------------------------------

void toggle_password(const password_row& row)
{
    const password_record* record = func_get_password_record(row.kind);
    const bool enable = !record->enabled;
    // Asking for an empty password would let anyone in: a password is
    // set first, which enables it.
    if (enable && record->password.empty()) {
        func_show_data_entry_dialog(row.password, GINT_TO_POINTER(row.item_code));
        return;
    }
    if (func_set_password_enabled(row.kind, enable ? 1 : 0))
        log_change(p[row.name_slot] + " " + p[SLOT_ENABLED], yes_no(!enable) + " --> " + yes_no(enable));
    else
        show_failure(SLOT_PASSWORD_NOT_SAVED);
    redisplay();
}

void password_saved(const item_save& save)
{
    const password_row* row = row_of_item(save.code);
    if (!row || save.fields.size() < 2)
        return;
    switch (func_change_password(row->kind, save.fields[0], save.fields[1])) {
    case PASSWORD_CHANGED:
        // The text itself never reaches a log or a message.
        log_change(p[row->name_slot], p[SLOT_PASSWORD_CHANGED]);
        func_show_dialog(2, p[SLOT_PASSWORD_SAVED], 1, nullptr);
        break;
    case PASSWORD_MISMATCH: func_show_dialog(1, p[SLOT_PASSWORDS_DIFFER], 1, nullptr); break;
    case PASSWORD_TOO_LONG: func_show_dialog(1, p[SLOT_PASSWORD_TOO_LONG], 1, nullptr); break;
    case PASSWORD_NOT_SAVED: show_failure(SLOT_PASSWORD_NOT_SAVED); break;
    }
    redisplay();
}

// --- date and time -------------------------------------------------------------------------

int number(const item_save& save, size_t field)
{
    return field < save.fields.size() ? static_cast<int>(func_read_whole_number(save.fields[field])) : -1;
}

void clock_saved(const item_save& save)
{
    const bool date = save.code == 40;
    const settings_result result = date ? func_set_system_date(number(save, 2), number(save, 0), number(save, 1))
                                        : func_set_system_time(number(save, 0), number(save, 1), number(save, 2));
    if (result.done) {
        log_change(p[date ? SLOT_DATE : SLOT_TIME],
                   save.old_text + " --> " + (date ? func_get_date(0) : func_get_time(1)));
        func_update_clock(nullptr);
    } else {
        func_show_dialog(1, p[result.message_slot], 1, nullptr);
    }
    redisplay();
}

// --- network -----------------------------------------------------------------------------------

gboolean bring_network_up(gpointer)
{
    const bool up = func_bring_network_up() != 0;
    const bool restarted = change.down_done && up;
    // The file holds the new settings either way.
    for (const std::string& line : change.lines)
        func_add_log_transaction(line, 0);
    change = network_change();
    static_wanted = false;
    func_close_active_dialog();
    if (!restarted)
        func_show_dialog(1, p[SLOT_NETWORK_NOT_CHANGED], 1, nullptr);
    redisplay();
    return FALSE;
}

// Writes the interfaces file, takes eth0 down and, after the pause,
// brings it up again; the busy dialog shows meanwhile.
void apply_network(const network_settings& wanted, std::vector<std::string> lines)
{
    if (change.running)
        return;
    func_show_dialog(17, p[SLOT_PLEASE_WAIT], 1, nullptr);
    switch (func_write_network_settings(wanted)) {
    case NETWORK_REFUSED:
        func_close_active_dialog();
        func_show_dialog(3, p[SLOT_ADDRESS_REFUSED], 1, nullptr);
        return;
    case NETWORK_NOT_WRITTEN:
        func_close_active_dialog();
        show_failure(SLOT_NETWORK_NOT_CHANGED);
        redisplay();
        return;
    case NETWORK_WRITTEN: break;
    }
    change.running = true;
    change.lines = std::move(lines);
    change.down_done = func_take_network_down() != 0;
    g_timeout_add(static_cast<guint>(restart_pause_ms), bring_network_up, nullptr);
}

std::string dhcp_line(bool from, bool to)
{
    return "------>  [" + p[SLOT_DHCP] + "] : " + yes_no(from) + " --> " + yes_no(to);
}

void toggle_dhcp()
{
    network_settings in_file;
    func_read_network_settings(in_file);
    const bool shown_dhcp = in_file.dhcp && !static_wanted;
    if (shown_dhcp) {
        // Nothing changes until an address is saved.
        static_wanted = true;
        redisplay();
        return;
    }
    static_wanted = false;
    if (in_file.dhcp) {
        redisplay();
        return;
    }
    apply_network(network_settings(), {dhcp_line(false, true)});
}

void address_saved(const item_save& save)
{
    if (save.fields.size() < 3)
        return;
    network_settings in_file;
    func_read_network_settings(in_file);
    network_settings wanted;
    wanted.dhcp = false;
    wanted.address = save.fields[0];
    wanted.netmask = save.fields[1];
    wanted.gateway = save.fields[2];
    std::vector<std::string> lines;
    if (in_file.dhcp)
        lines.push_back(dhcp_line(true, false));
    lines.push_back("------>  [" + p[SLOT_IP_ADDRESS] + "] : " + (in_file.dhcp ? "0.0.0.0" : in_file.address) +
                    " --> " + wanted.address + " / " + wanted.netmask + " / " + wanted.gateway);
    apply_network(wanted, lines);
}

void show_network()
{
    const bool here = !PC_MODE;
    bool dhcp = true;
    std::string address = "0.0.0.0";
    if (here) {
        network_settings in_file;
        if (!func_read_network_settings(in_file))
            func_show_dialog(3, p[SLOT_NETWORK_UNREADABLE], 1, nullptr);
        dhcp = in_file.dhcp && !static_wanted;
        if (!in_file.dhcp)
            address = in_file.address;
        set_toggle(widgets.btn_dhcp, dhcp);
        func_set_widget_label(widgets.btn_ip_address, address);
    } else {
        func_set_widget_label(widgets.btn_dhcp, NOT_HERE);
        func_set_widget_label(widgets.btn_ip_address, NOT_HERE);
    }
    gtk_widget_set_sensitive(widgets.btn_dhcp, here);
    gtk_widget_set_sensitive(widgets.btn_ip_address, here && !dhcp);
}

// --- toggles through the selection dialog ---------------------------------------------------

std::vector<std::string> no_options(GtkWidget*, int) { return {}; }

void toggle_chosen(GtkWidget*, GtkWidget* caller)
{
    if (!settings_shown())
        return;
    if (caller == widgets.btn_dhcp) {
        toggle_dhcp();
        return;
    }
    if (const password_row* row = row_of(caller))
        toggle_password(*row);
}

// --- recalibration ---------------------------------------------------------------------------

void recalibration_confirmed(gpointer)
{
    func_close_active_dialog();
    if (settings_shown()) {
        // Written now: a restart follows.
        func_add_log_transaction("------>  [" + p[SLOT_RECALIBRATION] + "]", 0);
        func_end_screen_log_transaction();
    }
    const settings_result result = func_process_recalibration();
    if (!result.done)
        func_show_dialog(1, p[result.message_slot], 1, nullptr);
}

// --- the screen --------------------------------------------------------------------------------

void show_settings()
{
    if (!func_begin_screen_show(SCREEN_SYSTEM_SETTINGS, SLOT_TITLE))
        return;
    func_begin_log_transaction();
    static_wanted = false;
    settings_list().current_page = 1;
    func_display_system_settings();
    func_end_screen_show(SCREEN_SYSTEM_SETTINGS);
}

void page_pressed(GtkWidget* widget, gpointer)
{
    func_show_page_info_test(widget, nullptr);
    func_display_system_settings();
}

GtkWidget* own_page_widget(const ui_file& ui, const char* id)
{
    GtkWidget* widget = func_lookup_widget(ui, id);
    // The pages take turns; showing the window must not show both.
    if (widget)
        gtk_widget_set_no_show_all(widget, TRUE);
    return widget;
}

void bind(const ui_file& ui, const char* id, int slot)
{
    if (GtkWidget* widget = func_lookup_widget(ui, id))
        func_bind_text(widget, slot);
}
}  // namespace

void func_set_network_restart_pause(int milliseconds) { restart_pause_ms = milliseconds < 0 ? 0 : milliseconds; }

void func_register_system_settings_screen()
{
    screen_description screen = func_describe_screen(
        SCREEN_SYSTEM_SETTINGS, "system_settings", "lumex_system_settings_screen2.ui", "win_system_settings",
        LIST_WIDTH, LIST_HEIGHT, func_load_system_settings_screen, show_settings, func_display_system_settings);
    screen.buttons = {"btn_cancel"};
    screen.log_heading = [] { return p[SLOT_CHANGE_HEADING] + " " + p[SLOT_TITLE]; };
    screen.selection_options = no_options;
    screen.selection_chosen = toggle_chosen;
    // One page of passwords, one of the rest.
    screen.rows_per_page = 1;
    func_register_screen(screen);
    for (const password_row& row : rows)
        func_register_item_action(row.item_code, password_saved);
    func_register_item_action(40, clock_saved);
    func_register_item_action(41, clock_saved);
    func_register_item_action(43, address_saved);
    func_register_dialog_action(DIALOG_RECALIBRATION, 0, recalibration_confirmed);
}

void func_load_system_settings_screen(const ui_file& ui, display_data& record)
{
    record.btn_cancel = record.buttons[0];
    widgets.tbl_password = own_page_widget(ui, "tbl_password");
    widgets.tbl_date_time = own_page_widget(ui, "tbl_date_time");
    own_page_widget(ui, "tbl_options_list");
    const char* const enabled_ids[] = {"btn_configure_enabled_#000", "btn_program_enabled_#000",
                                       "btn_manual_enabled_#000"};
    const char* const password_ids[] = {"btn_configure_password", "btn_program_password", "btn_manual_password"};
    for (int index = 0; index < 3; ++index) {
        password_row& row = rows[index];
        row.enabled = func_lookup_widget(ui, enabled_ids[index]);
        row.password = func_lookup_widget(ui, password_ids[index]);
        func_connect_released(row.enabled, G_CALLBACK(func_show_selection_dialog), GINT_TO_POINTER(0));
        func_connect_released(row.password, G_CALLBACK(func_show_data_entry_dialog), GINT_TO_POINTER(row.item_code));
    }
    widgets.btn_date = func_lookup_widget(ui, "btn_date");
    widgets.btn_time = func_lookup_widget(ui, "btn_time");
    widgets.btn_dhcp = func_lookup_widget(ui, "btn_dhcp_enabled_#000");
    widgets.btn_ip_address = func_lookup_widget(ui, "btn_ip_address");
    widgets.btn_recalibrate = func_lookup_widget(ui, "btn_recalibrate");
    func_connect_released(widgets.btn_date, G_CALLBACK(func_show_data_entry_dialog), GINT_TO_POINTER(40));
    func_connect_released(widgets.btn_time, G_CALLBACK(func_show_data_entry_dialog), GINT_TO_POINTER(41));
    func_connect_released(widgets.btn_dhcp, G_CALLBACK(func_show_selection_dialog), GINT_TO_POINTER(42));
    func_connect_released(widgets.btn_ip_address, G_CALLBACK(func_show_data_entry_dialog), GINT_TO_POINTER(43));
    func_connect_released(widgets.btn_recalibrate, G_CALLBACK(func_confirm_recalibration), nullptr);
    func_connect_released(record.btn_cancel, G_CALLBACK(func_unload_system_settings_screen), nullptr);
    func_connect_page_buttons(record, G_CALLBACK(page_pressed));
    for (const char* id : {"lbl_configure_enabled_header", "lbl_program_enabled_header", "lbl_manual_enabled_header"})
        bind(ui, id, SLOT_ENABLED);
    bind(ui, "lbl_configure_password_header", 177);
    bind(ui, "lbl_program_password_header", 188);
    bind(ui, "lbl_manual_password_header", 289);
    bind(ui, "lbl_system_date", SLOT_DATE);
    bind(ui, "lbl_system_time", SLOT_TIME);
    bind(ui, "lbl_dhcp_enabled", SLOT_DHCP);
    bind(ui, "lbl_ip_address", SLOT_IP_ADDRESS);
    bind(ui, "lbl_recalibration", SLOT_RECALIBRATION);
    bind(ui, "btn_recalibrate", SLOT_RECALIBRATE);
    // The desktop station must not set the PC's clock or network, nor
    // restart it: shown, never usable.
    if (PC_MODE)
        for (GtkWidget* widget : {widgets.btn_date, widgets.btn_time, widgets.btn_recalibrate})
            if (widget)
                gtk_widget_set_sensitive(widget, FALSE);
}

void func_show_system_settings_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_SYSTEM_SETTINGS); }

void func_display_system_settings()
{
    if (!settings_shown())
        return;
    func_show_message(5, p[SLOT_TITLE]);
    func_update_page_info_test(PAGES);
    const bool first_page = settings_list().current_page == 1;
    gtk_widget_set_visible(widgets.tbl_password, first_page);
    gtk_widget_set_visible(widgets.tbl_date_time, !first_page);
    for (const password_row& row : rows) {
        func_load_password_from_file(row.kind);
        const password_record* record = func_get_password_record(row.kind);
        set_toggle(row.enabled, record->enabled != 0);
        func_set_widget_label(row.password, record->password.empty() ? p[SLOT_NOT_SET] : HIDDEN_PASSWORD);
    }
    func_set_widget_label(widgets.btn_date, func_get_date(0));
    func_set_widget_label(widgets.btn_time, func_get_time(1));
    if (!first_page)
        show_network();
    func_enable_disable_page_up_down_button();
    if (main_application_window)
        gtk_widget_queue_draw(main_application_window);
}

void func_unload_system_settings_screen(GtkWidget*, gpointer)
{
    func_end_screen_log_transaction();
    func_show_screen(SCREEN_CONFIGURATION);
}

void func_confirm_recalibration(GtkWidget*, gpointer)
{
    func_show_dialog(DIALOG_RECALIBRATION, p[SLOT_RECALIBRATE] + "?", 1, nullptr);
}
