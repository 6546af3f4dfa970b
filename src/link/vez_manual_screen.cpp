#include "link/vez_manual_screen.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "files/paths.h"
#include "frame/dialogs.h"
#include "frame/screen_table.h"
#include "frame/screen_texts.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "link/run_state.h"
#include "link/vez_records.h"
#include "link/vez_state_screen.h"

int selected_function = -1, previous_function = -1;
int vez_jog_direction = 0;

namespace {
constexpr int LIST_WIDTH = 390, LIST_HEIGHT = 320;
constexpr int FUNCTIONS = VEZ_FUNCTION_LAST - VEZ_FUNCTION_FIRST + 1;
constexpr int SLOT_TITLE = 926, SLOT_HINT = 927, SLOT_FUNCTION = 920, SLOT_JOG = 925, SLOT_FORMULA = 186;

struct manual_widgets {
    GtkWidget* window = nullptr;  // null until built
    GtkWidget* functions[FUNCTIONS] = {};
    GtkWidget* names[FUNCTIONS] = {};
    GtkWidget *up = nullptr, *down = nullptr, *status = nullptr, *formula = nullptr;
} w;

unsigned char previous_record[VEZ_MANUAL_ENTRIES] = {};
bool record_known = false;

std::string picture(const char* name) { return func_image_dir() + name; }

void set_lamp(int code, const char* lamp)
{
    if (code >= VEZ_FUNCTION_FIRST && code <= VEZ_FUNCTION_LAST)
        func_set_button_icon(w.functions[code - VEZ_FUNCTION_FIRST], picture(lamp).c_str(), ICON_TOP);
}

// Toggles change state only through this, so their own "released"
// handling cannot fight it.
void set_toggle(GtkWidget* toggle, bool active, const char* icon)
{
    if (!toggle)
        return;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(toggle), active ? TRUE : FALSE);
    func_set_button_icon(toggle, picture(icon).c_str(), ICON_TOP);
}

void jog_off()
{
    set_toggle(w.up, false, "icon_move_up_off_32.png");
    set_toggle(w.down, false, "icon_move_down_off_32.png");
    vez_jog_direction = 0;
}

void clear_selection()
{
    if (w.status)
        gtk_label_set_text(GTK_LABEL(w.status), "---");
    for (int code = VEZ_FUNCTION_FIRST; code <= VEZ_FUNCTION_LAST; ++code)
        set_lamp(code, "tlp_chem_off_clear.png");
    jog_off();
    gtk_widget_set_sensitive(w.up, FALSE);
    gtk_widget_set_sensitive(w.down, FALSE);
    previous_function = selected_function;
    selected_function = -1;
}

void function_pressed(GtkWidget* widget, gpointer code) { func_set_vez_manual_btn_selection(widget, GPOINTER_TO_INT(code)); }

void show_manual()
{
    if (!w.window)
        func_load_screen(SCREEN_VEZ_MANUAL);
    if (!w.window)
        return;
    func_close_active_dialog();
    func_make_screen_current(SCREEN_VEZ_MANUAL, SCREEN_VEZ_MANUAL, LIST_WIDTH, LIST_HEIGHT);
    if (options_display->lbl_active_item)
        gtk_label_set_text(GTK_LABEL(options_display->lbl_active_item), p[SLOT_TITLE].c_str());
    func_show_message(5, p[SLOT_TITLE]);
    // The formula of the load, once the cycle has one.
    char formula[64] = "";
    if (vez_formula_number > 0)
        snprintf(formula, sizeof formula, "%s %03d", p[SLOT_FORMULA].c_str(), static_cast<int>(vez_formula_number));
    gtk_label_set_text(GTK_LABEL(w.formula), formula);
    // Every visit starts with nothing chosen and every function open
    // until the controller says otherwise.
    selected_function = previous_function = -1;
    clear_selection();
    record_known = false;
    for (GtkWidget* button : w.functions)
        gtk_widget_set_sensitive(button, TRUE);
    func_end_screen_show(SCREEN_VEZ_MANUAL);
    func_start_screen_display_request();
}

void manual_reply(const unsigned char* payload, size_t size) { func_update_vez_manual_test(payload, size); }
}  // namespace

void func_register_vez_manual_screen()
{
    screen_description screen = func_describe_screen(SCREEN_VEZ_MANUAL, "vez_manual", "lumex_vez_manual_screen.ui",
                                                     "win_vez_manual_screen", 0, 0, func_load_vez_manual_screen,
                                                     show_manual, show_manual);
    screen.display_request = func_request_vez_manual_display;
    screen.request_code = REQUEST_CODE_VEZ_MANUAL;
    screen.log_heading = [] { return std::string(); };
    func_register_screen(screen);
    func_register_ipc_reply(IPC_KIND_VEZ_MANUAL, REQUEST_CODE_VEZ_MANUAL, manual_reply);
}

void func_load_vez_manual_screen(const ui_file& ui, display_data& record)
{
    w = manual_widgets();
    w.window = record.window;
    record.lbl_active_item = func_lookup_widget(ui, "lbl_active_item");
    record.evb_active_item = func_lookup_widget(ui, "evb_active_item");
    for (int index = 0; index < FUNCTIONS; ++index) {
        const std::string number = std::to_string(index + 1);
        w.functions[index] = func_lookup_widget(ui, ("btn_F" + number).c_str());
        w.names[index] = func_lookup_widget(ui, ("lbl_F" + number).c_str());
        func_bind_text(w.names[index], SLOT_FUNCTION + index);
        func_connect_released(w.functions[index], G_CALLBACK(function_pressed),
                              GINT_TO_POINTER(VEZ_FUNCTION_FIRST + index));
    }
    func_bind_text(func_lookup_widget(ui, "lbl_F6"), SLOT_JOG);
    GtkWidget* hint = func_lookup_widget(ui, "lbl_state_message");
    func_bind_text(hint, SLOT_HINT);
    record.labels[4] = hint;
    w.formula = func_lookup_widget(ui, "lbl_state_message1");
    w.status = func_lookup_widget(ui, "lbl_status");
    w.up = func_lookup_widget(ui, "btn_F7");
    w.down = func_lookup_widget(ui, "btn_F8");
    func_connect_released(w.up, G_CALLBACK(function_pressed), GINT_TO_POINTER(VEZ_JOG_UP));
    func_connect_released(w.down, G_CALLBACK(function_pressed), GINT_TO_POINTER(VEZ_JOG_DOWN));
    GtkWidget* automatic = func_lookup_widget(ui, "btn_F6");
    GtkWidget* home = func_lookup_widget(ui, "btn_F9");
    func_bind_text(automatic, 931);
    func_bind_text(home, 933);
    func_connect_released(automatic, G_CALLBACK(func_unload_vez_manual_screen), nullptr);
    func_connect_released(home, G_CALLBACK(func_unload_vez_manual_screen), nullptr);
}

void func_show_vez_manual_screen() { func_show_screen(SCREEN_VEZ_MANUAL); }

void func_set_vez_manual_btn_selection(GtkWidget*, int code)
{
    if (!w.window)
        return;
    if ((code == VEZ_JOG_UP || code == VEZ_JOG_DOWN) && selected_function >= VEZ_FUNCTION_FIRST) {
        const bool up = code == VEZ_JOG_UP;
        set_toggle(w.up, up, up ? "icon_move_up_active_32.png" : "icon_move_up_off_32.png");
        set_toggle(w.down, !up, up ? "icon_move_down_off_32.png" : "icon_move_down_active_32.png");
        vez_jog_direction = code;
        return;
    }
    if (code >= VEZ_FUNCTION_FIRST && code <= VEZ_FUNCTION_LAST) {
        jog_off();
        previous_function = selected_function;
        selected_function = code;
        set_lamp(previous_function, "tlp_chem_off_clear.png");
        set_lamp(selected_function, "tlp_chem_on.png");
        gtk_label_set_text(GTK_LABEL(w.status), gtk_label_get_text(GTK_LABEL(w.names[code - VEZ_FUNCTION_FIRST])));
        gtk_widget_set_sensitive(w.up, TRUE);
        gtk_widget_set_sensitive(w.down, TRUE);
        return;
    }
    // A jog without a function (a toggle pressed some other way) is no
    // choice either.
    clear_selection();
}

void func_update_vez_manual_test(const unsigned char* record, size_t size)
{
    if (!w.window || !record || size != VEZ_MANUAL_ENTRIES)
        return;
    if (record_known && std::memcmp(record, previous_record, VEZ_MANUAL_ENTRIES) == 0)
        return;
    for (int index = 0; index < FUNCTIONS; ++index) {
        const bool available = record[index] != 0;
        gtk_widget_set_sensitive(w.functions[index], available);
        if (!available && selected_function == VEZ_FUNCTION_FIRST + index)
            clear_selection();
    }
    if (record[VEZ_MANUAL_ENTRIES - 1] == 0 && selected_function >= 0)
        clear_selection();
    std::memcpy(previous_record, record, VEZ_MANUAL_ENTRIES);
    record_known = true;
}

void func_unload_vez_manual_screen(GtkWidget* widget, gpointer)
{
    page_info[SCREEN_HOME].list.reload = 1;
    if (func_widget_name_is(widget, "btn_F6")) {
        // Back to the cycle: the controller's records lead from here.
        in_vez_automatic_mode = 1;
        func_show_screen(SCREEN_VEZ_STATE);
    } else {
        func_show_screen(SCREEN_HOME);
    }
}

gboolean func_request_vez_manual_display(gpointer data)
{
    if (!ipc_cmd || !func_display_request_wanted(REQUEST_CODE_VEZ_MANUAL))
        return func_update_vez_manual_display(data);  // off, or the missing record logged
    const int function = selected_function >= VEZ_FUNCTION_FIRST ? selected_function : 0;
    func_set_ipc_command(REQUEST_CODE_VEZ_MANUAL, 1, function, function ? vez_jog_direction : 0, 0);
    return TRUE;
}
