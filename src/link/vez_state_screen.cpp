#include "link/vez_state_screen.h"

#include <cstdio>
#include <cstring>

#include "configuration/configuration_record.h"
#include "files/build_switches.h"
#include "files/paths.h"
#include "frame/dialogs.h"
#include "frame/palette.h"
#include "frame/screen_table.h"
#include "frame/screen_texts.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "link/run_state.h"

int32_t vez_formula_number = 0;
int in_vez_recovery_mode = 0;

namespace {
constexpr int LIST_WIDTH = 390, LIST_HEIGHT = 320;
constexpr int SLOT_TITLE = 930, SLOT_RECOVERY = 651, SLOT_CONDITIONS = 638;
constexpr int SLOT_CONDITION[VEZ_CONDITIONS] = {634, 635, 636};
constexpr int SLOT_WARNING = 639;
const char* const WARNING_DEFAULTS[4] = {"Machine in Recovered Mode", "Load Position", "Bifold Door Closed",
                                         "Chute Up and Locked"};

struct state_widgets {
    GtkWidget* window = nullptr;  // null until the screen is built
    GtkWidget *state_message = nullptr, *status = nullptr, *help = nullptr, *help_button = nullptr;
    GtkWidget *manual = nullptr, *diagnostic = nullptr, *text_box = nullptr, *warning_box = nullptr;
    GtkWidget *warning_1 = nullptr, *warning_2 = nullptr, *warning_bar = nullptr;
    GtkWidget* images[VEZ_CONDITIONS] = {};
    GtkWidget* labels[VEZ_CONDITIONS] = {};
} w;

int prev_vez_state_number = -1;
// 1: the next toggle shows the state number.
int show_me = 1;
// The load whose batch data the controller asked for last, and the one
// answered with Start (-1: none).
int load_asked = -1, load_answered = -1;
unsigned char previous_conditions[VEZ_CONDITIONS] = {};
bool recovery_dirty = true;

void show_only(GtkWidget* shown, GtkWidget* hidden)
{
    if (hidden)
        gtk_widget_hide(hidden);
    if (shown)
        gtk_widget_show(shown);
}

void set_label(GtkWidget* label, const std::string& text)
{
    if (label)
        gtk_label_set_text(GTK_LABEL(label), text.c_str());
}

std::string numbered(int slot, int number)
{
    char text[32];
    snprintf(text, sizeof text, " %02d", number);
    return p[slot] + text;
}

bool built() { return w.window != nullptr; }

// The message bar names the formula of the load once it is known.
void show_load()
{
    char text[96];
    if (vez_formula_number > 0)
        snprintf(text, sizeof text, "%s %03d", p[186].c_str(), static_cast<int>(vez_formula_number));
    else
        snprintf(text, sizeof text, "%s", p[SLOT_TITLE].c_str());
    func_show_message(5, text);
}

// A condition not met is a warning; all met is a plain bar.
void paint_warning(int warning)
{
    func_set_widget_font_and_color(w.warning_2, nullptr, LUMEX_PLAIN_TEXT,
                                   warning ? LUMEX_WARNING_BACKGROUND : LUMEX_BAR_BACKGROUND, w.warning_bar);
    set_label(w.warning_2, func_vez_warning_text(warning));
}

// Screen 18 shares the state screen's window and widgets.
bool make_current(int code)
{
    if (!built())
        func_load_screen(SCREEN_VEZ_STATE);
    if (!built())
        return false;
    preloaded_display[SCREEN_VEZ_RECOVERY] = preloaded_display[SCREEN_VEZ_STATE];
    preloaded_display[SCREEN_VEZ_RECOVERY].screen_code = SCREEN_VEZ_RECOVERY;
    func_close_active_dialog();
    func_make_screen_current(code, SCREEN_VEZ_STATE, LIST_WIDTH, LIST_HEIGHT);
    set_label(options_display->lbl_active_item, p[SLOT_TITLE]);
    for (int index = 0; index < VEZ_CONDITIONS; ++index)
        set_label(w.labels[index], p[SLOT_CONDITION[index]]);
    set_label(w.warning_1, p[SLOT_CONDITIONS]);
    page_info[SCREEN_VEZ_STATE].list.selected_number = -1;
    page_info[SCREEN_VEZ_STATE].list.pressed_row = -1;
    in_run_mode = 0;
    in_remote_run_mode = 0;
    resume_formula_flag = 0;
    resume_formula_number = -1;
    return true;
}

void show_state()
{
    if (!make_current(SCREEN_VEZ_STATE))
        return;
    func_end_screen_show(SCREEN_VEZ_STATE);
    show_only(w.text_box, w.warning_box);
    for (GtkWidget* widget : {w.manual, w.diagnostic, w.help_button})
        gtk_widget_show(widget);
    // The desktop station has no machine to diagnose.
    gtk_widget_set_sensitive(w.diagnostic, !PC_MODE && func_get_screen(SCREEN_INPUT_OUTPUT) != nullptr);
    // Nothing shown yet: the first record paints the state.
    prev_vez_state_number = -1;
    show_me = 1;
    set_label(w.state_message, "");
    set_label(w.status, "");
    set_label(w.help, "");
    show_only(w.status, w.help);
    gtk_widget_set_sensitive(w.help_button, FALSE);
    show_load();
    func_load_vez_states_from_file(func_get_language_number());
    in_vez_recovery_mode = 0;
    func_start_screen_display_request();
}

void show_recovery()
{
    if (!make_current(SCREEN_VEZ_RECOVERY))
        return;
    func_end_screen_show(SCREEN_VEZ_STATE);
    show_only(w.warning_box, w.text_box);
    for (GtkWidget* widget : {w.manual, w.diagnostic, w.help_button})
        gtk_widget_hide(widget);
    func_show_message(26, p[SLOT_RECOVERY]);
    show_load();
    paint_warning(1);
    set_label(w.warning_2, "");
    recovery_dirty = true;
    in_vez_recovery_mode = 1;
    func_start_screen_display_request();
}

void state_reply(const unsigned char* payload, size_t size)
{
    vez_state_reply reply;
    if (!func_decode_vez_state(payload, size, reply))
        return;
    if (func_current_screen_code() == SCREEN_VEZ_STATE)
        func_update_vez_state_test(reply);
    func_follow_vez_state(reply);
}

void help_pressed(GtkWidget*, gpointer) { func_display_vez_state_help(); }

void recovery_reply(const unsigned char* payload, size_t size)
{
    if (size == VEZ_CONDITIONS)
        func_update_vez_recovery_test(payload);
}
}  // namespace

std::string func_vez_warning_text(int index)
{
    if (index < 0 || index > 3)
        return std::string();
    const std::string& text = p[SLOT_WARNING + index];
    return text.empty() ? WARNING_DEFAULTS[index] : text;
}

void func_register_vez_state_screen()
{
    // No list: the list size is given when the screen is made current.
    screen_description state = func_describe_screen(SCREEN_VEZ_STATE, "vez_state", "lumex_vez_state_screen.ui",
                                                    "win_vez_state_screen", 0, 0, func_load_vez_state_screen,
                                                    show_state, show_state);
    state.display_request = func_update_vez_state_display;
    state.request_code = REQUEST_CODE_VEZ_STATE;
    state.home_button = "btn_auto";
    state.log_heading = [] { return std::string(); };
    func_register_screen(state);

    screen_description recovery = func_describe_screen(SCREEN_VEZ_RECOVERY, "vez_recovery", nullptr, nullptr, 0, 0,
                                                       nullptr, show_recovery, show_recovery);
    recovery.display_request = func_update_vez_recovery_display;
    recovery.request_code = REQUEST_CODE_VEZ_RECOVERY;
    recovery.log_heading = state.log_heading;
    func_register_screen(recovery);

    // State records steer the automatic mode on every screen of the cycle,
    // so they are taken always and sorted out in the handler.
    func_register_ipc_reply(IPC_KIND_VEZ_STATE, -1, state_reply);
    func_register_ipc_reply(IPC_KIND_VEZ_RECOVERY, REQUEST_CODE_VEZ_RECOVERY, recovery_reply);
}

void func_load_vez_state_screen(const ui_file& ui, display_data& record)
{
    w = state_widgets();
    w.window = record.window;
    record.lbl_active_item = func_lookup_widget(ui, "lbl_active_item");
    record.evb_active_item = func_lookup_widget(ui, "evb_active_item");
    w.state_message = func_lookup_widget(ui, "lbl_state_message");
    record.labels[4] = w.state_message;  // message kind 26
    w.status = func_lookup_widget(ui, "lbl_status");
    w.help = func_lookup_widget(ui, "lbl_state_help");
    w.help_button = func_lookup_widget(ui, "btn_help");
    w.manual = func_lookup_widget(ui, "btn_manual");
    w.diagnostic = func_lookup_widget(ui, "btn_diagnostic");
    w.text_box = func_lookup_widget(ui, "vbox_state");
    w.warning_box = func_lookup_widget(ui, "vbox_warning");
    w.warning_1 = func_lookup_widget(ui, "lbl_warning_1");
    w.warning_2 = func_lookup_widget(ui, "lbl_warning_2");
    w.warning_bar = func_lookup_widget(ui, "evb_warning");
    const char* images[VEZ_CONDITIONS] = {"img_load_position", "img_bifold_door_closed", "img_chute_up_and_locked"};
    const char* labels[VEZ_CONDITIONS] = {"lbl_load_position", "lbl_bifold_door_closed", "lbl_chute_up_and_locked"};
    for (int index = 0; index < VEZ_CONDITIONS; ++index) {
        w.images[index] = func_lookup_widget(ui, images[index]);
        w.labels[index] = func_lookup_widget(ui, labels[index]);
    }
    // Shown by mode, not by showing the whole window.
    for (GtkWidget* widget : {w.text_box, w.warning_box, w.status, w.help, w.manual, w.diagnostic, w.help_button})
        if (widget)
            gtk_widget_set_no_show_all(widget, TRUE);
    GtkWidget* home = func_lookup_widget(ui, "btn_home");
    func_bind_text(w.manual, 289);
    func_bind_text(w.diagnostic, 932);
    func_bind_text(home, 933);
    func_bind_text(w.help_button, 929);
    for (GtkWidget* button : {w.manual, w.diagnostic, home})
        func_connect_released(button, G_CALLBACK(func_unload_vez_state_screen), nullptr);
    func_connect_released(w.help_button, G_CALLBACK(help_pressed), nullptr);
}

void func_show_vez_state_screen(int mode) { func_show_screen(mode == 1 ? SCREEN_VEZ_RECOVERY : SCREEN_VEZ_STATE); }

void func_update_vez_state_test(const vez_state_reply& reply)
{
    vez_formula_number = reply.formula;
    if (!built() || reply.state == prev_vez_state_number)
        return;
    const vez_state_record state = func_get_vez_state_from_liststore(reply.state);
    if (state.number < 0) {
        func_show_message(26, p[SLOT_VEZ_STATE] + " : " + std::to_string(reply.state));
        set_label(w.status, numbered(SLOT_VEZ_STATE, reply.state));
        set_label(w.help, "");
    } else {
        set_label(w.state_message, state.display_text);
        set_label(w.status, numbered(SLOT_VEZ_STATE, state.number));
        set_label(w.help, state.help_text);
    }
    show_load();
    // A state with help opens on its help; one without shows its number.
    const bool has_help = !state.help_text.empty();
    gtk_widget_set_sensitive(w.help_button, has_help);
    show_me = has_help ? 1 : 0;
    if (has_help)
        show_only(w.help, w.status);
    else
        show_only(w.status, w.help);
    prev_vez_state_number = reply.state;
}

void func_display_vez_state_help()
{
    if (!built())
        return;
    if (show_me)
        show_only(w.status, w.help);
    else
        show_only(w.help, w.status);
    show_me = show_me ? 0 : 1;
}

void func_update_vez_recovery_test(const unsigned char conditions[VEZ_CONDITIONS])
{
    if (!built() || func_current_screen_code() != SCREEN_VEZ_RECOVERY)
        return;
    if (!recovery_dirty && std::memcmp(conditions, previous_conditions, VEZ_CONDITIONS) == 0)
        return;
    for (int index = 0; index < VEZ_CONDITIONS; ++index) {
        if (!recovery_dirty && conditions[index] == previous_conditions[index])
            continue;
        const char* picture = conditions[index] == 1 ? "tlp_chem_on.png" : "tlp_chem_off.png";
        func_set_image_icon(w.images[index], (func_image_dir() + picture).c_str());
    }
    paint_warning(func_vez_recovery_warning(conditions));
    std::memcpy(previous_conditions, conditions, VEZ_CONDITIONS);
    recovery_dirty = false;
}

void func_follow_vez_state(const vez_state_reply& reply)
{
    if (reply.wanted == VEZ_WANTS_BATCH_DATA)
        load_asked = reply.load;
    const int shown = func_current_screen_code();
    if (!in_vez_automatic_mode ||
        (shown != SCREEN_VEZ_STATE && shown != SCREEN_VEZ_RECOVERY && shown != SCREEN_VEZ_BATCH_DATA))
        return;
    const bool answered = reply.wanted == VEZ_WANTS_BATCH_DATA && reply.load == load_answered;
    const int wanted = reply.wanted == VEZ_WANTS_RECOVERY                  ? SCREEN_VEZ_RECOVERY
                       : reply.wanted == VEZ_WANTS_BATCH_DATA && !answered ? SCREEN_VEZ_BATCH_DATA
                                                                           : SCREEN_VEZ_STATE;
    if (wanted != shown)
        func_show_screen(wanted);
}

void func_note_vez_batch_data_saved() { load_answered = load_asked; }

void func_unload_vez_state_screen(GtkWidget* widget, gpointer)
{
    page_info[SCREEN_HOME].list.reload = 1;
    if (func_widget_name_is(widget, "btn_manual")) {
        in_vez_automatic_mode = 0;
        func_show_screen(SCREEN_VEZ_MANUAL);
    } else if (func_widget_name_is(widget, "btn_diagnostic")) {
        return_to_vez_state_screen = 1;
        func_show_screen(SCREEN_INPUT_OUTPUT);
    } else {
        in_vez_automatic_mode = 0;
        in_vez_recovery_mode = 0;
        func_show_screen(SCREEN_HOME);
    }
}
