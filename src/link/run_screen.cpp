#include "link/run_screen.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "files/build_switches.h"
#include "files/paths.h"
#include "files/record_file.h"
#include "formulas/chemicals.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "frame/dialogs.h"
#include "frame/palette.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "link/machine_message.h"
#include "link/run_state.h"
#include "logs/log_file.h"
#include "settings/password_lockout.h"

namespace {
// Language slots.
constexpr int SLOT_STARTED = 300, SLOT_RESUMED = 301, SLOT_STEP = 187, SLOT_CHEMICAL = 155, SLOT_VALVE = 539;
constexpr int SLOT_H2O = 415, SLOT_DRAIN = 416, SLOT_HEAT_COOL = 417;
constexpr int SLOT_MANUAL = 289, SLOT_STOP_FORMULA = 295, SLOT_STOP_QUESTION = 299;
constexpr int SLOT_NO_STEP = 296, SLOT_GOING_HOME = 297, SLOT_NO_STEPS = 298, SLOT_NO_FORMULA = 314;
constexpr int SLOT_UNKNOWN_STATUS = 311, SLOT_LINK_LOST = 962, SLOT_LINK_BACK = 963;
constexpr int STATUS_IDLE = 13;
// Idle records before leaving when no formula has been seen running (the
// controller may still be starting it).
constexpr int IDLE_RECORDS_BEFORE_HOME = 6;
constexpr int OUTPUT_SPEED_LIMITED = 111;

const char* const SELECTION_BOXES[] = {"evb_h2o_selection_box",       "evb_drain_selection_box",
                                       "evb_steam_selection_box",     "evb_step_time_selection_box",
                                       "evb_rpm_selection_box",       "evb_level_selection_box",
                                       "evb_temp_selection_box"};

// One layout's widgets, by interface id.
struct run_layout {
    bool tidal = false;
    display_data record;
    std::map<std::string, GtkWidget*> widgets;
    GtkWidget* get(const std::string& id) const
    {
        auto found = widgets.find(id);
        return found == widgets.end() ? nullptr : found->second;
    }
};
run_layout standard, tidal;
run_layout* shown_layout = &standard;

// What the display remembers between records of one visit.
struct run_memory {
    int last_step = -1;
    int last_desired_temperature = -1;
    int cooldown_reference = -1;
    int basket = 0;
    int last_level = -1;
    int step_count = 0;
    bool refresh = true;
    bool icons_dirty = true;
    bool boxes_shown = false;
    bool extracting = false;
    bool seen_running = false;
    int idle_records = 0;
    int remote_formula = -1;
    unsigned char outputs[RUN_OUTPUT_COUNT] = {};
} memory;

guint debug_timer = 0;
run_record debug_record;

float item(int index)
{
    return current_machine_configuration ? current_machine_configuration->items[index] : 0.0f;
}
bool run_shown() { return func_current_screen_code() == SCREEN_RUN; }
GtkWidget* w(const char* id) { return shown_layout->get(id); }

void set_text(const char* id, const std::string& text)
{
    if (GtkWidget* label = w(id))
        gtk_label_set_text(GTK_LABEL(label), text.c_str());
}
void set_shown(GtkWidget* widget, bool shown)
{
    if (widget)
        gtk_widget_set_visible(widget, shown);
}
void set_shown(const char* id, bool shown) { set_shown(w(id), shown); }
void set_bar(const char* id, double fraction, const std::string& text = std::string())
{
    if (GtkWidget* bar = w(id)) {
        gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(bar), fraction);
        gtk_progress_bar_set_text(GTK_PROGRESS_BAR(bar), text.empty() ? nullptr : text.c_str());
    }
}
std::string number3(int number)
{
    char text[24];
    snprintf(text, sizeof text, "%03d", number);
    return text;
}

void go_home_with_error(const std::string& text)
{
    func_unload_run_screen(nullptr, nullptr);
    func_show_dialog(1, text, 1, nullptr);
}

std::string no_step_text(int step, const char* format)
{
    char text[256];
    snprintf(text, sizeof text, format, p[SLOT_NO_STEP].c_str(), step, p[SLOT_GOING_HOME].c_str());
    return text;
}

// The pictures the code shows and hides; show_all must leave them alone.
const char* const DYNAMIC_PICTURES[] = {
    "img_cooldown_on", "img_steam_on", "img_hot_on", "img_cold_on", "img_3rd_on", "img_drain_sewer_on",
    "img_drain_reuse_on", "img_chem_flush_on", "img_3rd_off", "img_drain_reuse_off", "img_steam_off",
    "img_cooldown_off", "lbl_heat_cool_hdr", "img_chem_1_on", "img_chem_2_on", "img_chem_3_on", "img_chem_4_on",
    "img_chem_5_on", "img_basket_water_high", "img_basket_water_med", "img_basket_water_low", "img_cpump_run",
    "img_cooldown_cyl", "img_tank2cyl", "img_tpump_run", "img_steam_cyl", "img_cyl2sewer", "img_cyl2cyl",
    "img_cyl2tank", "img_cpump2sewer", "img_steam_tank", "img_hot2tank", "img_cold2tank", "img_3rd2tank",
    "img_hot2cyl", "img_cold2cyl", "img_3rd2cyl", "img_tank_full", "img_tank_half_full",
    "evb_h2o_selection_box", "evb_drain_selection_box", "evb_steam_selection_box", "evb_step_time_selection_box",
    "evb_rpm_selection_box", "evb_level_selection_box", "evb_temp_selection_box"};

// --- output pictures ----------------------------------------------------------------

struct output_picture {
    int output;
    const char* picture;
    bool shown_when_off;
};
const output_picture STANDARD_OUTPUTS[] = {{1, "img_cooldown_on", false},  {13, "img_steam_on", false},
                                           {17, "img_hot_on", false},       {18, "img_cold_on", false},
                                           {19, "img_3rd_on", false},       {20, "img_drain_sewer_on", true},
                                           {21, "img_drain_reuse_on", false}, {43, "img_chem_flush_on", false}};
const output_picture TIDAL_OUTPUTS[] = {
    {0, "img_cpump_run", false}, {1, "img_cooldown_cyl", false}, {8, "img_tank2cyl", false},
    {8, "img_tpump_run", false}, {13, "img_steam_cyl", false},   {20, "img_cyl2sewer", true},
    {22, "img_cyl2cyl", false},  {23, "img_cyl2tank", false},    {35, "img_cpump2sewer", false},
    {37, "img_steam_tank", false}};

void update_chemicals(const unsigned char* outputs)
{
    const std::vector<int> on = func_chemicals_on(outputs);
    for (int slot = 0; slot < RUN_CHEMICAL_SLOTS; ++slot) {
        const bool used = slot < static_cast<int>(on.size());
        const std::string n = std::to_string(slot + 1);
        set_shown(("img_chem_" + n + "_on").c_str(), used);
        set_text(("lbl_chem_" + n + "_on").c_str(), used ? std::to_string(on[static_cast<size_t>(slot)]) : "");
        if (shown_layout->tidal) {
            const int chemical = used ? on[static_cast<size_t>(slot)] : 0;
            set_text(("lbl_chem_" + n + "_name").c_str(),
                     used && chemical <= CHEMICAL_COUNT ? default_chemical_names[chemical - 1] : "");
        }
    }
}

void update_output_pictures(const unsigned char* outputs)
{
    if (!memory.icons_dirty && memcmp(outputs, memory.outputs, RUN_OUTPUT_COUNT) == 0)
        return;
    const bool all = memory.icons_dirty;
    auto changed = [&](int output) { return all || outputs[output] != memory.outputs[output]; };
    if (shown_layout->tidal) {
        for (const output_picture& picture : TIDAL_OUTPUTS)
            if (changed(picture.output))
                set_shown(picture.picture, (outputs[picture.output] == 1) != picture.shown_when_off);
        // Water into the tank (34) or the basket (32): each kind of water shown while it flows.
        const char* const to_tank[] = {"img_hot2tank", "img_cold2tank", "img_3rd2tank"};
        const char* const to_basket[] = {"img_hot2cyl", "img_cold2cyl", "img_3rd2cyl"};
        for (int water = 0; water < 3; ++water) {
            set_shown(to_tank[water], outputs[34] == 1 && outputs[17 + water] == 1);
            set_shown(to_basket[water], outputs[32] == 1 && outputs[17 + water] == 1);
        }
        const bool flush = outputs[43] == 1;
        set_shown("img_chem_flush_on", flush);
        set_text("lbl_chem_flush_on", flush ? "F" : "");
        set_text("lbl_chem_flush_name", flush ? "FLUSH" : "-----");
        // The tank's level switches: full (38), half full (39).
        set_shown("img_tank_full", outputs[38] == 1);
        set_shown("img_tank_half_full", outputs[38] != 1 && outputs[39] == 1);
    } else {
        for (const output_picture& picture : STANDARD_OUTPUTS)
            if (changed(picture.output))
                set_shown(picture.picture, (outputs[picture.output] == 1) != picture.shown_when_off);
        set_text("lbl_chem_flush_on", outputs[43] == 1 ? "F" : "");
    }
    update_chemicals(outputs);
    memcpy(memory.outputs, outputs, RUN_OUTPUT_COUNT);
    memory.icons_dirty = false;
}

// --- the step --------------------------------------------------------------------------

std::vector<step_record> read_steps(int formula, bool& read)
{
    std::vector<step_record> steps;
    const record_format format = {STEP_RECORD_SIZE, STEP_LIST_MAX, "steps"};
    read = func_read_records(func_get_step_file_path(formula), format, "func_display_run_screen",
                             func_decode_step_record, steps);
    return steps;
}

int cooldown_reference(const std::vector<step_record>& steps, size_t index)
{
    const step_record& step = steps[index];
    if (step.number <= 1 || index == 0)
        return -1;
    const int32_t* i = step.items;
    if (!func_is_a_cooldown_step(i[STEP_HOT], i[STEP_COLD], i[STEP_THIRD_WATER], i[STEP_TEMPERATURE], i[STEP_TYPE]))
        return -1;
    const int previous = steps[index - 1].items[STEP_TEMPERATURE];
    return i[STEP_TEMPERATURE] <= previous ? previous : -1;
}

void show_step_heading(int step, int count, const std::string& name)
{
    set_text("lbl_step_name", name);
    char text[128];
    snprintf(text, sizeof text, "%s - %03d", p[SLOT_STEP].c_str(), step);
    set_text("lbl_step_number", text);
    snprintf(text, sizeof text, shown_layout->tidal ? "%s %d / %d" : "%s %03d of %03d", p[SLOT_STEP].c_str(), step,
             count);
    if (GtkWidget* bar = w("pbar_formula_progress"))
        gtk_progress_bar_set_text(GTK_PROGRESS_BAR(bar), text);
    memory.step_count = count;
    memory.last_step = step;
}

// Loads the step's name when the step changes; false when the screen was left.
bool load_step(const run_record& record)
{
    if (record.step == memory.last_step && !memory.refresh)
        return true;
    memory.refresh = false;
    if (record.step <= 0) {
        go_home_with_error(no_step_text(record.step, "%s %03d.   \n   %s"));
        return false;
    }
    bool read = false;
    const std::vector<step_record> steps = read_steps(record.formula, read);
    if (!read) {
        func_log_system_error("func_display_run_screen", "step list buffer is NULL");
        go_home_with_error(no_step_text(record.step, "%s %03d!   \n   %s"));
        return false;
    }
    if (steps.empty()) {
        go_home_with_error(p[SLOT_NO_STEPS] + "   \n   " + p[SLOT_GOING_HOME]);
        return false;
    }
    for (size_t index = 0; index < steps.size(); ++index)
        if (steps[index].number == record.step) {
            show_step_heading(record.step, static_cast<int>(steps.size()), steps[index].name);
            memory.cooldown_reference = shown_layout->tidal ? -1 : cooldown_reference(steps, index);
            return true;
        }
    go_home_with_error(no_step_text(record.step, "%s %03d !   \n   %s"));
    return false;
}

// --- values ----------------------------------------------------------------------------

std::string one_decimal(int hundredths)
{
    char text[32];
    snprintf(text, sizeof text, "%1.1f", hundredths / 100.0);
    return text;
}

void show_basket_water(int level)
{
    if (level == memory.last_level)
        return;
    memory.last_level = level;
    const double x = level / 100.0;
    const double high = item(27) / 100.0 + 3, low = item(26) / 100.0 + 3;
    const char* shown = x <= 3.0 ? nullptr : x > high ? "img_basket_water_high" : x < low ? "img_basket_water_low"
                                                                                          : "img_basket_water_med";
    for (const char* picture : {"img_basket_water_high", "img_basket_water_med", "img_basket_water_low"})
        set_shown(picture, shown && strcmp(shown, picture) == 0);
}

void show_status(int status)
{
    if (status < 0 || status > RUN_STATUS_MAX) {
        char text[96];
        snprintf(text, sizeof text, "%s : %03d", p[SLOT_UNKNOWN_STATUS].c_str(), status);
        func_show_message(8, text);
        return;
    }
    func_show_message(8, machine_status_table[status]);
    const bool extract = status == 2 || status == 3 || status == 7;
    if (extract) {
        if (manual_mode && memory.boxes_shown) {
            memory.extracting = true;
            func_show_hide_selection_boxes(0);
        }
        return;
    }
    const bool was_extracting = memory.extracting;
    memory.extracting = false;
    if (manual_mode && (!memory.boxes_shown || was_extracting))
        func_show_hide_selection_boxes(1);
}

void show_values(const run_record& record)
{
    set_text("lbl_formula_total_time", func_convert_seconds_to_time(record.formula_total));
    set_text("lbl_formula_remaining_time", func_convert_seconds_to_time(record.formula_left));
    set_text("lbl_step_total_time", func_convert_seconds_to_time(record.step_total));
    std::string step_left = func_convert_seconds_to_time(record.step_left);
    const int type = func_truncate_to_int(item(2), 0);
    (void)type;  // every known type reports the speed limit on the same output
    if (record.outputs[OUTPUT_SPEED_LIMITED] == 1)
        step_left += "*";
    set_text("lbl_step_remaining_time", step_left);
    if (GtkWidget* bar = w("pbar_formula_progress"))
        gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(bar), func_run_progress(record.formula_left, record.formula_total));
    if (shown_layout->tidal) {
        set_text("lbl_elapse_time", func_convert_seconds_to_time(static_cast<int>(formula_elapse_time)));
        show_basket_water(record.level_actual);
    }

    set_text("lbl_water_desired", one_decimal(record.level_desired));
    set_text("lbl_water_actual", one_decimal(record.level_actual));
    set_bar("pbar_water_level", func_run_bar_fraction(record.level_actual, record.level_desired));

    if (item(19) > 0) {
        const bool celsius = func_truncate_to_int(item(0), 0) == 1;
        auto shown = [celsius](int fahrenheit) { return celsius ? func_convert_temperature_to_C(fahrenheit) : fahrenheit; };
        if (record.temperature_desired != memory.last_desired_temperature) {
            const int top = memory.cooldown_reference >= 0 ? memory.cooldown_reference : record.temperature_desired;
            const std::vector<int> marks = func_temperature_scale(shown(top));
            for (size_t i = 0; i < marks.size(); ++i)
                set_text(("lbl_temp_" + std::to_string(i + 1)).c_str(), std::to_string(marks[i]));
            memory.last_desired_temperature = record.temperature_desired;
        }
        set_text("lbl_temperature_desired", std::to_string(shown(record.temperature_desired)));
        set_text("lbl_temperature_actual", std::to_string(shown(record.temperature_actual)));
        set_bar("pbar_temperature_level", func_run_bar_fraction(record.temperature_actual, record.temperature_desired));
    }

    show_status(record.status);
    memory.basket = func_next_basket_picture(memory.basket, record.rotation);
    if (GtkWidget* basket = w("img_washer_basket"))
        func_set_image_icon(basket, (func_image_dir() + "cyl0" + std::to_string(memory.basket) + ".png").c_str());
    set_text("lbl_basket_speed", func_basket_speed_text(record.speed));
    update_output_pictures(record.outputs);
}

// The controller says Idle when no formula runs: time to go home. Right
// after Run it may not have started the formula yet, so a visit that has
// not seen it run waits a few records.
bool leave_when_idle(int status)
{
    if (status != STATUS_IDLE) {
        memory.seen_running = true;
        memory.idle_records = 0;
        return false;
    }
    if (memory.seen_running || ++memory.idle_records >= IDLE_RECORDS_BEFORE_HOME) {
        formula_ended = 1;
        func_unload_run_screen(nullptr, nullptr);
        return true;
    }
    return false;
}

// --- the link --------------------------------------------------------------------------

void run_reply(const unsigned char* payload, size_t size)
{
    run_record record;
    if (func_decode_run_record(payload, size, record))
        func_update_run_display(record);
}

std::string name_field(const unsigned char* payload, size_t offset)
{
    const char* start = reinterpret_cast<const char*>(payload + offset);
    const std::string raw(start, strnlen(start, IPC_REMOTE_NAME_SIZE));
    gchar* valid = g_utf8_make_valid(raw.c_str(), -1);
    std::string text = valid;
    g_free(valid);
    return text;
}

void remote_run_reply(const unsigned char* payload, size_t size)
{
    run_record record;
    if (size != IPC_REMOTE_RUN_RECORD_SIZE || !func_decode_run_record(payload, size, record))
        return;
    func_update_remote_run_display(record, payload[IPC_RUN_RECORD_SIZE],
                                   name_field(payload, IPC_REMOTE_NAME_OFFSET).c_str(),
                                   name_field(payload, IPC_REMOTE_STEP_NAME_OFFSET).c_str());
}

// A machine message opens its dialog over whatever screen is shown.
void machine_message(const unsigned char* payload, size_t size)
{
    machine_message_record message;
    if (!func_decode_machine_message(payload, size, message))
        return;
    const int kind = message.dialog_kind;
    if (kind != 1 && kind != 3 && kind != 4 && kind != 9 && kind != 15 && kind != 20 && kind != 22) {
        func_log_system_error("func_show_machine_message", "unknown dialog kind " + std::to_string(kind));
        return;
    }
    // The error dialog's help button looks the error's code up.
    func_show_dialog(kind, message.text, 1, kind == 4 ? GINT_TO_POINTER(message.error_code) : nullptr);
}

void link_changed(bool connected)
{
    if (run_shown())
        func_show_message(connected ? 5 : 1, p[connected ? SLOT_LINK_BACK : SLOT_LINK_LOST]);
}

// The link's questions: each answer is sent once and the question closes.
template <void (*Send)(gpointer, GtkWidget*), int Data>
void send_and_close(gpointer)
{
    Send(GINT_TO_POINTER(Data), nullptr);
    func_close_active_dialog();
}
void cancel_signal_and_close(gpointer data)
{
    func_ipc_send_signal_cancel(nullptr, data);
    func_close_active_dialog();
}

// --- manual adjustment --------------------------------------------------------------------

constexpr int SLOT_CANCEL = 73, SLOT_TIME = 152, SLOT_INCREASE = 291, SLOT_DECREASE = 292;
constexpr int SLOT_TIMER_PAUSED = 293, SLOT_TIMER_RESUMED = 294, SLOT_ON = 29, SLOT_OFF = 28;
constexpr int MANUAL_OPTIONS_MAX = 5;
constexpr int MANUAL_WINDOW_WIDTH = 455, MANUAL_WINDOW_HEIGHT = 70, MANUAL_BUTTON_HEIGHT = 55;
constexpr int MANUAL_WINDOW_X = 10, MANUAL_WINDOW_Y = 400, MANUAL_ICON_SIZE = 24;
constexpr const char* MANUAL_FONT = "Liberation Sans Narrow Bold 10";
constexpr const char* TIMER_RUNNING_COLOUR = "#3838f0f01a1a";

enum manual_row_index { ROW_TIME, ROW_WATER, ROW_DRAIN, ROW_HEAT_COOL, ROW_LEVEL, ROW_TEMPERATURE, ROW_SPEED };

// One adjustment per selection box: the group the controller is told,
// the options' language slots (0 ends the row) and their pictures.
struct manual_row {
    const char* box;
    int group;
    int slots[MANUAL_OPTIONS_MAX];
    const char* icons[MANUAL_OPTIONS_MAX];
    int summary_slot;  // what the cancel line names (rows 4-6)
};
const manual_row MANUAL_ROWS[] = {
    {"evb_step_time_selection_box", 2, {80, 81, 82, SLOT_CANCEL},
     {"icon_time_increase.png", "icon_time_decrease.png", "icon_pause_32.png", "icon_close_32.png"}, SLOT_TIME},
    {"evb_h2o_selection_box", 3, {83, 84, 85, SLOT_CANCEL},
     {"icon_dash_h2o_hot_on.png", "icon_dash_h2o_cold_on.png", "icon_dash_h2o_3rd_on.png", "icon_close_32.png"}, 0},
    {"evb_drain_selection_box", 7, {86, 87, SLOT_CANCEL},
     {"icon_dash_drain_sewer_open.png", "icon_dash_drain_reuse_open.png", "icon_close_32.png"}, 0},
    {"evb_steam_selection_box", 4, {88, 89, SLOT_CANCEL},
     {"icon_dash_steam_on.png", "icon_dash_cooldown_on.png", "icon_close_32.png"}, 0},
    {"evb_level_selection_box", 8, {90, 91, SLOT_CANCEL},
     {"icon_level_increase.png", "icon_level_decrease.png", "icon_close_32.png"}, 385},
    {"evb_temp_selection_box", 1, {92, 93, SLOT_CANCEL},
     {"icon_temp_increase.png", "icon_temp_decrease.png", "icon_close_32.png"}, 332},
    {"evb_rpm_selection_box", 5, {94, 95, SLOT_CANCEL},
     {"icon_rpm_increase.png", "icon_rpm_decrease.png", "icon_close_32.png"}, 336},
};
constexpr int MANUAL_ROW_COUNT = static_cast<int>(sizeof MANUAL_ROWS / sizeof MANUAL_ROWS[0]);

// What the operator switched by hand during this run.
struct manual_memory {
    int row = -1;
    bool wtime = false, timer_stop = false;
    bool hot = false, cold = false, extra = false, steam = false, cooldown = false;
} manual;
GtkWidget* manual_buttons_window = nullptr;

int manual_option_count(int row)
{
    int n = 0;
    while (n < MANUAL_OPTIONS_MAX && MANUAL_ROWS[row].slots[n] != 0 && !p[MANUAL_ROWS[row].slots[n]].empty())
        ++n;
    return n;
}

// Equipment the machine lacks keeps its option hidden.
bool manual_option_fitted(int row, int option)
{
    if (row == ROW_WATER && option == 2)
        return item(10) >= 1;
    if (row == ROW_DRAIN && option == 1)
        return item(11) >= 1;
    if (row == ROW_HEAT_COOL)
        return option == 0 ? item(7) >= 1 : option == 1 ? item(9) >= 1 : true;
    return true;
}

// The memory a toggle option switches, if any.
bool* manual_toggle(int row, int option)
{
    if (row == ROW_WATER)
        return option == 0 ? &manual.hot : option == 1 ? &manual.cold : option == 2 ? &manual.extra : nullptr;
    if (row == ROW_HEAT_COOL)
        return option == 0 ? &manual.steam : option == 1 ? &manual.cooldown : nullptr;
    return nullptr;
}

void set_trigger(int group)
{
    if (trigger) {
        trigger->manual_function = group;
        trigger->wait_flag = 0;
    }
}

void manual_line(const std::string& what)
{
    func_add_log_transaction("------> [" + p[SLOT_MANUAL] + " - " + what, 0);
}

void set_timer_colour(const char* colour)
{
    GdkColor parsed;
    if (!gdk_color_parse(colour, &parsed))
        return;
    for (const char* id : {"lbl_formula_remaining_time", "lbl_step_remaining_time"})
        if (GtkWidget* label = w(id))
            gtk_widget_modify_fg(label, GTK_STATE_NORMAL, &parsed);
}

void manual_row_done()
{
    set_trigger(0);
    func_unload_manual_buttons_window();
    manual.row = -1;
    func_show_hide_selection_boxes(1);
}

void manual_cancel(int row)
{
    const std::string both = p[SLOT_INCREASE] + "/" + p[SLOT_DECREASE];
    switch (row) {
    case ROW_TIME: manual_line(p[SLOT_TIME] + "] : " + both + "/" + p[SLOT_TIMER_PAUSED]); break;
    case ROW_WATER: manual.hot = manual.cold = manual.extra = false; break;
    case ROW_HEAT_COOL: manual.steam = manual.cooldown = false; break;
    case ROW_LEVEL:
    case ROW_TEMPERATURE:
    case ROW_SPEED: manual_line(p[MANUAL_ROWS[row].summary_slot] + "] : " + both); break;
    default: break;
    }
    manual_row_done();
}

gboolean manual_box_released(GtkWidget* box, GdkEventButton*, gpointer)
{
    func_show_manual_btn_selection_dialog(box);
    return TRUE;
}

// --- showing -----------------------------------------------------------------------------

void manual_mode_unlocked(GtkWidget*) { func_enable_manual_mode(manual_mode ? 0 : 1); }
void lock_pressed(GtkWidget* widget, gpointer) { func_check_lockout_password(widget, 21, manual_mode_unlocked); }

void show_formula()
{
    int number = -1;
    std::string name;
    int slot = SLOT_STARTED;
    if (resume_formula_flag) {
        number = resume_formula_number;
        slot = SLOT_RESUMED;
    } else {
        number = page_info[SCREEN_HOME].list.selected_number;
    }
    std::unique_ptr<formula_snapshot> formulas(func_get_formula_list_from_liststore(false));
    for (const formula_record& formula : formulas->records)
        if (formula.number == number)
            name = formula.name;
    if (name.empty() && !resume_formula_flag && number > 0)
        name = page_info[SCREEN_HOME].list.selected_text;
    if (number < 1 || name.empty()) {
        set_text("lbl_formula_name", "N/A");
        set_text("lbl_formula_number", "000");
        return;
    }
    set_text("lbl_formula_name", name);
    set_text("lbl_formula_number", number3(number));
    char line[200];
    snprintf(line, sizeof line, "F-%03d (%s) : %s -  %s", number, name.c_str(), p[slot].c_str(),
             func_get_time(0).c_str());
    func_write_log(LOG_PRODUCTION, line, 0);
}

void reset_values()
{
    set_text("lbl_step_name", "----");
    set_text("lbl_step_number", "---- ");
    for (const char* id : {"lbl_water_desired", "lbl_water_actual", "lbl_temperature_desired", "lbl_temperature_actual"})
        set_text(id, "0");
    for (const char* id : {"lbl_formula_total_time", "lbl_formula_remaining_time", "lbl_step_total_time",
                           "lbl_step_remaining_time"})
        set_text(id, "--:--");
    for (const char* id : {"pbar_water_level", "pbar_temperature_level", "pbar_formula_progress"})
        set_bar(id, 0.0);
    for (int i = 1; i <= 10; ++i)
        set_text(("lbl_level_" + std::to_string(i)).c_str(), std::to_string(i));
    memory = run_memory();
}

void show_run()
{
    shown_layout = TIDAL_LOOP ? &tidal : &standard;
    preloaded_display[SCREEN_RUN] = shown_layout->record;
    if (!func_begin_screen_show(SCREEN_RUN, -1))
        return;
    // Back from a screen shown over a run in progress (the error
    // information, diagnostics): the run, its start line and its queued
    // log go on.
    // Diagnostics are entered by leaving the run screen, which writes its
    // log; the error information is shown over it.
    const bool shown_over = in_run_mode != 0;
    const bool returning = shown_over || return_to_run_screen != 0;
    func_register_message_label(8, w("lbl_status"), w("evb_status"));
    if (shown_layout->tidal) {
        set_text("lbl_chem_valve", p[SLOT_VALVE]);
        set_text("lbl_chem_name", p[SLOT_CHEMICAL]);
        if (!returning) {
            set_text("lbl_start_time", func_get_time(0));
            set_text("lbl_elapse_time", "--:--");
        }
        func_load_default_chemical_names_from_file(default_language);
    } else {
        set_text("lbl_chemical_hdr", p[SLOT_CHEMICAL]);
        set_text("lbl_h2o_hdr", p[SLOT_H2O]);
        set_text("lbl_drain_hdr", p[SLOT_DRAIN]);
        set_text("lbl_heat_cool_hdr", p[SLOT_HEAT_COOL]);
    }
    set_text("lbl_date_time", func_get_date(0) + "  " + func_get_time(0));
    if (!returning) {
        func_show_message(5, p[SLOT_STARTED] + " - " + func_get_date(0) + " : " + func_get_time(0));
        if (!in_remote_run_mode)
            show_formula();
        reset_values();
    }
    in_run_mode = 1;
    func_end_screen_show(SCREEN_RUN);
    if (!shown_layout->tidal) {
        set_shown("img_3rd_off", item(10) > 0);
        set_shown("img_drain_reuse_off", item(11) > 0);
        set_shown("img_steam_off", item(7) > 0);
        set_shown("img_cooldown_off", item(9) > 0);
        set_shown("lbl_heat_cool_hdr", item(7) > 0 || item(9) > 0);
    }
    func_enable_manual_mode(0);
    manual = manual_memory();
    set_timer_colour(TIMER_RUNNING_COLOUR);
    if (!shown_over)
        func_begin_log_transaction();
    if (!func_ipc_link_up())
        func_show_message(1, p[SLOT_LINK_LOST]);
    func_start_screen_display_request();
}

void load_layout(run_layout& layout, const ui_file& ui, bool tidal_layout)
{
    layout.tidal = tidal_layout;
    GSList* objects = gtk_builder_get_objects(ui.builder);
    for (GSList* object = objects; object; object = object->next)
        if (GTK_IS_WIDGET(object->data)) {
            GtkWidget* widget = GTK_WIDGET(object->data);
            layout.widgets[gtk_widget_get_name(widget)] = widget;
        }
    g_slist_free(objects);
    for (const char* id : DYNAMIC_PICTURES)
        if (GtkWidget* widget = layout.get(id))
            gtk_widget_set_no_show_all(widget, TRUE);
    for (const char* id : SELECTION_BOXES)
        if (GtkWidget* box = layout.get(id)) {
            gtk_widget_set_events(box, GDK_BUTTON_RELEASE_MASK | GDK_BUTTON_PRESS_MASK);
            g_signal_connect(box, "button-release-event", G_CALLBACK(manual_box_released), nullptr);
        }
    func_connect_released(layout.get("btn_cancel_step"), G_CALLBACK(func_stop_formula), nullptr);
    func_connect_released(layout.get("btn_lock"), G_CALLBACK(lock_pressed), nullptr);
    func_connect_released(layout.get("btn_diagnostic"), G_CALLBACK(func_unload_run_screen), GINT_TO_POINTER(1));
    // Only when the diagnostics screen is part of this build.
    if (GtkWidget* diagnostic = layout.get("btn_diagnostic"))
        gtk_widget_set_sensitive(diagnostic, func_get_screen(SCREEN_INPUT_OUTPUT) != nullptr);
    if (GtkWidget* status = layout.get("evb_status")) {
        GdkColor panel;
        gdk_color_parse(LUMEX_BAR_BACKGROUND, &panel);
        gtk_widget_modify_bg(status, GTK_STATE_NORMAL, &panel);
    }
}

gboolean do_debug_run_display(gpointer)
{
    if (!run_shown()) {
        debug_timer = 0;
        return FALSE;
    }
    debug_record.rotation = 1;
    if (debug_record.formula_left > 0)
        --debug_record.formula_left;
    if (debug_record.step_left > 0)
        --debug_record.step_left;
    func_update_run_display(debug_record);
    if (debug_record.formula_left != 0)
        return TRUE;
    debug_timer = 0;
    return FALSE;
}
}  // namespace

void func_register_run_screen()
{
    screen_description screen = func_describe_screen(SCREEN_RUN, "run", "lumex_run_screen.ui", "win_run_screen", 0, 0,
                                                      func_load_run_screen, show_run, nullptr);
    screen.display_request = func_request_run_display;
    screen.request_code = REQUEST_CODE_RUN;
    screen.log_heading = [] { return p[SLOT_MANUAL] + " "; };
    screen.home_button = "btn_run";
    screen.home_button2 = "btn_run_remote";
    func_register_screen(screen);

    func_register_ipc_reply(IPC_KIND_RUN, REQUEST_CODE_RUN, run_reply);
    func_register_ipc_reply(IPC_KIND_REMOTE_RUN, REQUEST_CODE_RUN, remote_run_reply);
    func_register_ipc_reply(IPC_KIND_MACHINE_MESSAGE, -1, machine_message);
    func_add_ipc_link_listener(link_changed);
    func_register_dialog_action(4, 0, cancel_signal_and_close);
    func_register_dialog_action(9, 0, cancel_signal_and_close);
    func_register_dialog_action(15, 0, send_and_close<func_ipc_send_resume_formula, 2>);
    func_register_dialog_action(15, 1, send_and_close<func_ipc_send_resume_formula, 1>);
    func_register_dialog_action(20, 0, send_and_close<func_ipc_send_manual_stop, 2>);
    func_register_dialog_action(20, 1, send_and_close<func_ipc_send_manual_stop, 20>);
    func_register_dialog_action(22, 0, send_and_close<func_ipc_send_3_wires, 2>);
    func_register_dialog_action(22, 1, send_and_close<func_ipc_send_3_wires, 20>);
}

void func_load_run_screen(const ui_file& ui, display_data& record)
{
    standard = run_layout();
    load_layout(standard, ui, false);
    standard.record = record;
    if (tidal.record.window)
        gtk_widget_destroy(tidal.record.window);
    tidal = run_layout();
    ui_file tidal_ui = func_load_screen_record(tidal.record, SCREEN_RUN, "lumex_run_screen_tidal_loop.ui",
                                               "win_run_screen", 0, 0);
    if (tidal_ui.builder)
        load_layout(tidal, tidal_ui, true);
    shown_layout = &standard;
}

void func_update_run_display(const run_record& record)
{
    if (!func_run_formula_valid(record.formula)) {
        func_log_system_error("func_update_run_display", "formula number is invalid");
        char text[256];
        snprintf(text, sizeof text, "%s %03d!   \n   %s", p[SLOT_NO_FORMULA].c_str(), record.formula,
                 p[SLOT_GOING_HOME].c_str());
        if (run_shown())
            go_home_with_error(text);
        return;
    }
    if (!run_shown() || leave_when_idle(record.status) || !load_step(record))
        return;
    show_values(record);
}

void func_update_remote_run_display(const run_record& record, int steps, const char* formula_name,
                                    const char* step_name)
{
    if (!run_shown() || leave_when_idle(record.status))
        return;
    if (record.formula != memory.remote_formula) {
        memory.remote_formula = record.formula;
        char line[200];
        snprintf(line, sizeof line, "F-%03d (%s) : %s -  %s", record.formula, formula_name, p[SLOT_STARTED].c_str(),
                 func_get_time(0).c_str());
        func_write_log(LOG_PRODUCTION, line, 0);
        set_text("lbl_formula_name", formula_name);
        set_text("lbl_formula_number", number3(record.formula));
    }
    if (record.step != memory.last_step || memory.refresh) {
        memory.refresh = false;
        if (record.step <= 0) {
            go_home_with_error(no_step_text(record.step, "%s %03d.   \n   %s"));
            return;
        }
        show_step_heading(record.step, steps, step_name);
        memory.cooldown_reference = -1;
    }
    show_values(record);
}

void func_show_hide_selection_boxes(int show)
{
    for (const char* id : SELECTION_BOXES)
        set_shown(id, false);
    memory.boxes_shown = show != 0;
    if (!show)
        return;
    if (memory.extracting) {
        set_shown("evb_step_time_selection_box", true);
        return;
    }
    if (!shown_layout->tidal) {
        set_shown("evb_h2o_selection_box", true);
        set_shown("evb_drain_selection_box", true);
        set_shown("evb_steam_selection_box", item(9) > 0 || item(7) > 0);
    }
    for (const char* id : {"evb_step_time_selection_box", "evb_rpm_selection_box", "evb_level_selection_box"})
        set_shown(id, true);
    set_shown("evb_temp_selection_box", item(19) > 0);
}

void func_enable_manual_mode(int on)
{
    if (GtkWidget* lock = w("btn_lock"))
        func_set_button_icon(lock, (func_image_dir() + (on ? "icon_manual_32.png" : "icon_auto_32.png")).c_str(),
                             ICON_TOP);
    manual_mode = on ? 1 : 0;
    if (!on) {
        func_unload_manual_buttons_window();
        manual.row = -1;
        set_trigger(0);
    }
    func_show_hide_selection_boxes(on);
}

void func_unload_manual_buttons_window()
{
    if (manual_buttons_window)
        gtk_widget_destroy(manual_buttons_window);
    manual_buttons_window = nullptr;
}

void func_show_manual_btn_selection_dialog(GtkWidget* box)
{
    if (!manual_mode || !box || manual_buttons_window)
        return;
    int row = -1;
    for (int i = 0; i < MANUAL_ROW_COUNT && row < 0; ++i)
        if (strcmp(gtk_widget_get_name(box), MANUAL_ROWS[i].box) == 0)
            row = i;
    // Nothing to offer: the boxes stay as they are rather than vanish.
    const int n = row < 0 ? 0 : manual_option_count(row);
    if (n == 0) {
        set_trigger(0);
        manual.row = -1;
        return;
    }
    ui_file ui = func_load_interface_file("lumex_selection_dialog.ui");
    GtkWidget* window = func_lookup_widget(ui, "win_selection_dialog");
    GtkWidget* layout = func_lookup_widget(ui, "layout_selection_dialog");
    GtkWidget* table = func_lookup_widget(ui, "tbl_selections");
    GtkWidget* background = func_lookup_widget(ui, "img_background");
    if (!window || !layout || !table) {
        func_log_system_error("func_show_manual_btn_selection_dialog", "manual buttons window not built");
        if (window)
            gtk_widget_destroy(window);
        return;
    }
    manual_buttons_window = window;
    GtkWindow* win = GTK_WINDOW(window);
    if (main_application_window)
        gtk_window_set_transient_for(win, GTK_WINDOW(main_application_window));
    if (!PC_MODE)
        gtk_window_set_keep_above(win, TRUE);
    gtk_window_set_modal(win, TRUE);
    gtk_window_set_opacity(win, 1.0);
    func_show_hide_selection_boxes(0);
    manual.row = row;
    set_trigger(MANUAL_ROWS[row].group);

    const int width = MANUAL_WINDOW_WIDTH / n - (n <= 3 ? 12 : 10);
    int fitted = 0;
    for (int i = 0; i < n; ++i)
        fitted += manual_option_fitted(row, i) ? 1 : 0;
    // Options the machine lacks go last, so that the others sit together in the middle.
    const guint spacing = gtk_table_get_default_col_spacing(GTK_TABLE(table));
    const int table_width = fitted * width + (n - 1) * static_cast<int>(spacing);
    gtk_table_resize(GTK_TABLE(table), 1, static_cast<guint>(n));
    int next_column = 0, next_hidden = fitted;
    gtk_widget_set_size_request(table, table_width, MANUAL_BUTTON_HEIGHT);
    gtk_fixed_move(GTK_FIXED(layout), table, std::max(0, (MANUAL_WINDOW_WIDTH - table_width) / 2),
                   (MANUAL_WINDOW_HEIGHT - MANUAL_BUTTON_HEIGHT) / 2);
    gtk_widget_set_size_request(window, MANUAL_WINDOW_WIDTH, MANUAL_WINDOW_HEIGHT);
    for (int i = 0; i < n; ++i) {
        const int slot = MANUAL_ROWS[row].slots[i];
        bool* toggled = manual_toggle(row, i);
        GtkWidget* button = row == ROW_WATER && slot != SLOT_CANCEL ? gtk_toggle_button_new_with_label(p[slot].c_str())
                                                                    : gtk_button_new_with_label(p[slot].c_str());
        if (toggled && GTK_IS_TOGGLE_BUTTON(button))
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(button), *toggled);
        char name[32];
        snprintf(name, sizeof name, "selections_#%3d", i);
        gtk_widget_set_name(button, name);
        gtk_widget_set_size_request(button, width, MANUAL_BUTTON_HEIGHT);
        // A smaller picture and a narrow font: picture and text share 55 pixels.
        GdkPixbuf* icon = gdk_pixbuf_new_from_file_at_size(
            (func_image_dir() + MANUAL_ROWS[row].icons[i]).c_str(), MANUAL_ICON_SIZE, MANUAL_ICON_SIZE, nullptr);
        if (icon) {
            gtk_button_set_image(GTK_BUTTON(button), gtk_image_new_from_pixbuf(icon));
            gtk_button_set_image_position(GTK_BUTTON(button), GTK_POS_TOP);
            g_object_unref(icon);
        }
        func_set_widget_font_and_color(button, MANUAL_FONT, nullptr, nullptr, nullptr);
        const bool fitted_option = manual_option_fitted(row, i);
        const int column = fitted_option ? next_column++ : next_hidden++;
        gtk_table_attach(GTK_TABLE(table), button, static_cast<guint>(column), static_cast<guint>(column + 1), 0, 1,
                         GTK_FILL, GTK_FILL, 0, 0);
        g_signal_connect(button, "released", G_CALLBACK(func_set_manual_btn_selection), nullptr);
        if (!fitted_option)
            gtk_widget_set_no_show_all(button, TRUE);
    }
    if (background) {
        GdkPixbuf* picture = gdk_pixbuf_new_from_file((func_image_dir() + "ts_background.png").c_str(), nullptr);
        if (picture) {
            GdkPixbuf* scaled = gdk_pixbuf_scale_simple(picture, MANUAL_WINDOW_WIDTH, MANUAL_WINDOW_HEIGHT,
                                                        GDK_INTERP_BILINEAR);
            gtk_image_set_from_pixbuf(GTK_IMAGE(background), scaled);
            g_object_unref(scaled);
            g_object_unref(picture);
        }
    }
    gtk_widget_show_all(window);
    gtk_window_move(win, MANUAL_WINDOW_X, MANUAL_WINDOW_Y);
}

void func_set_manual_btn_selection(GtkWidget* button, gpointer)
{
    const int row = manual.row;
    const char* mark = button ? strrchr(gtk_widget_get_name(button), '#') : nullptr;
    const int option = mark ? atoi(mark + 1) : -1;
    if (row < 0 || row >= MANUAL_ROW_COUNT || option < 0 || option >= manual_option_count(row)) {
        set_trigger(0);
        return;
    }
    if (MANUAL_ROWS[row].slots[option] == SLOT_CANCEL) {
        manual_cancel(row);
        return;
    }
    bool* toggled = manual_toggle(row, option);
    // Only what reached the controller is recorded.
    if (func_ipc_send_btn_pressed(MANUAL_ROWS[row].group, option)) {
        const std::string& chosen = p[MANUAL_ROWS[row].slots[option]];
        if (toggled) {
            *toggled = !*toggled;
            manual_line(chosen + "] : " + p[*toggled ? SLOT_ON : SLOT_OFF]);
        } else if (row == ROW_DRAIN) {
            manual_line(chosen + "] : " + p[SLOT_ON]);
        } else if (row == ROW_TIME && option == 2) {
            manual_line(p[SLOT_TIME] + "] : " + p[manual.wtime ? SLOT_TIMER_RESUMED : SLOT_TIMER_PAUSED]);
            manual.wtime = !manual.wtime;
            set_timer_colour(manual.timer_stop ? TIMER_RUNNING_COLOUR : "red");
            manual.timer_stop = !manual.timer_stop;
        }
    } else {
        func_show_message(1, p[SLOT_LINK_LOST]);
    }
    if (toggled && GTK_IS_TOGGLE_BUTTON(button))
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(button), *toggled);
}

void func_show_run_screen(GtkWidget*, gpointer data)
{
    in_remote_run_mode = GPOINTER_TO_INT(data) == 22 ? 1 : 0;
    func_show_screen(SCREEN_RUN);
}

void func_unload_run_screen(GtkWidget*, gpointer data)
{
    if (!run_shown())
        return;
    func_enable_manual_mode(0);
    func_end_screen_log_transaction();
    func_close_active_dialog();
    in_run_mode = 0;
    // The formula goes on while diagnostics are shown; leaving them comes back here.
    return_to_run_screen = GPOINTER_TO_INT(data) == 1 && func_get_screen(SCREEN_INPUT_OUTPUT) ? 1 : 0;
    func_show_screen(return_to_run_screen ? SCREEN_INPUT_OUTPUT : SCREEN_HOME);
}

void func_stop_formula(GtkWidget*, gpointer)
{
    func_add_log_transaction("------> [" + p[SLOT_MANUAL] + "] : " + p[SLOT_STOP_FORMULA], 0);
    func_show_dialog(20, p[SLOT_STOP_QUESTION], 1, nullptr);
}

void func_debug_run_display(GtkWidget*, gpointer)
{
    in_remote_run_mode = 0;
    if (!func_show_screen(SCREEN_RUN))
        return;
    debug_record = run_record();
    debug_record.formula = 1;
    debug_record.step = 1;
    debug_record.formula_total = debug_record.formula_left = debug_record.step_total = debug_record.step_left = 36000;
    debug_record.temperature_desired = 120;
    debug_record.temperature_actual = 100;
    debug_record.level_desired = debug_record.level_actual = 8;
    debug_record.speed = 35;
    debug_record.status = 1;
    if (!debug_timer)
        debug_timer = g_timeout_add(500, do_debug_run_display, nullptr);
}
