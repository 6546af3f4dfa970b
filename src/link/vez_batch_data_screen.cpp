#include "link/vez_batch_data_screen.h"

#include <cstdio>
#include <string>
#include <vector>

#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "files/paths.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screen_texts.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "link/ipc_link.h"
#include "link/run_state.h"
#include "link/vez_state_screen.h"
#include "logs/log_file.h"

namespace {
constexpr int LIST_WIDTH = 640, LIST_HEIGHT = 340;
constexpr int SLOT_HAVE_LOAD = 643, SLOT_DIRECTION = 644, SLOT_BATCH_DATA = 645, SLOT_LOADING = 646;
constexpr int SLOT_YES = 27, SLOT_NO = 26;
constexpr int ITEM_HAVE_LOAD = 90, ITEM_DIRECTION = 91, ITEM_FIRST_FIELD = 92;
// The remote-data items of the configuration that open each field.
constexpr int FIRST_SWITCH_ITEM = 42;
// Field titles, as the data entry dialog titles them.
constexpr int FIELD_SLOTS[VEZ_BATCH_FIELDS] = {186, 568, 569, 489, 490, 488, 491, 492};
const char* const FIELD_NAMES[VEZ_BATCH_FIELDS] = {"formula",  "work",   "goods",  "customer",
                                                   "employee", "weight", "pieces", "lot"};
const char* const FIELD_DEFAULTS[VEZ_BATCH_FIELDS] = {"Formula",       "Work Order", "Goods Code", "Customer Code",
                                                      "Employee Code", "Weight",     "Pieces",     "Lot #"};

struct batch_widgets {
    GtkWidget* window = nullptr;  // null until built
    GtkWidget *have_load = nullptr, *direction = nullptr, *start = nullptr;
    GtkWidget *have_load_title = nullptr, *direction_title = nullptr, *batch_title = nullptr;
    GtkWidget* fields[VEZ_BATCH_FIELDS] = {};
    GtkWidget* titles[VEZ_BATCH_FIELDS] = {};
} w;

std::string text_or(int slot, const char* fallback) { return p[slot].empty() ? fallback : p[slot]; }
std::string yes_text() { return text_or(SLOT_YES, "YES"); }
std::string loading_text() { return text_or(SLOT_LOADING, "Loading"); }

bool field_open(int field)
{
    const machine_configuration* configuration = current_machine_configuration;
    return configuration && configuration->items[FIRST_SWITCH_ITEM + field] != 0.0f;
}

// Without a load nothing else can be set; with one, each number the
// configuration asks for.
void apply_have_load()
{
    const bool load = func_get_widget_label_text(w.have_load) == yes_text();
    gtk_widget_set_sensitive(w.direction, load);
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        gtk_widget_set_sensitive(w.fields[field], load && field_open(field));
}

std::vector<std::string> batch_options(GtkWidget*, int data)
{
    if (data == ITEM_HAVE_LOAD)
        return {};  // toggles
    constexpr int size = sizeof vez_batch_lookup_table / sizeof vez_batch_lookup_table[0];
    return func_get_option_row(vez_batch_lookup_table, size, VEZ_BATCH_LOOKUP_WIDTH, 0);
}

void batch_chosen(GtkWidget* option, GtkWidget* caller)
{
    func_apply_selection(option, caller);
    apply_have_load();
}

std::string item_label(GtkWidget* caller)
{
    if (caller == w.have_load)
        return text_or(SLOT_HAVE_LOAD, "Have Load");
    if (caller == w.direction)
        return text_or(SLOT_DIRECTION, "Load Direction");
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        if (caller == w.fields[field])
            return text_or(FIELD_SLOTS[field], FIELD_DEFAULTS[field]);
    return std::string();
}

// The buttons show the batch data saved last, or no load.
void fill_buttons()
{
    vez_batch_data data;
    std::vector<unsigned char> bytes(VEZ_BATCH_RECORD_SIZE + 1);
    if (FILE* file = fopen((func_data_dir() + VEZ_BATCH_FILE).c_str(), "rb")) {
        const size_t got = fread(bytes.data(), 1, bytes.size(), file);
        fclose(file);
        if (!func_decode_vez_batch_data(bytes.data(), got, data))
            data = vez_batch_data();
    }
    func_set_widget_label(w.have_load, data.have_load ? yes_text() : text_or(SLOT_NO, "NO"));
    func_set_yes_no_icon(w.have_load, data.have_load);
    func_set_widget_label(w.direction, data.loading ? loading_text() : text_or(647, "Discharging"));
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        func_set_widget_label(w.fields[field], std::to_string(data.fields[field] < 0 ? 0 : data.fields[field]));
}

void show_batch_data()
{
    if (!w.window)
        func_load_screen(SCREEN_VEZ_BATCH_DATA);
    if (!w.window)
        return;
    func_close_active_dialog();
    func_make_screen_current(SCREEN_VEZ_BATCH_DATA, SCREEN_VEZ_BATCH_DATA, LIST_WIDTH, LIST_HEIGHT);
    func_begin_log_transaction();
    fill_buttons();
    func_display_vez_batch_data();
    apply_have_load();
    page_info[SCREEN_VEZ_BATCH_DATA].list.reload = 0;
    func_end_screen_show(SCREEN_VEZ_BATCH_DATA);
    func_start_screen_display_request();
}

void field_pressed(GtkWidget* widget, gpointer item) { func_show_data_entry_dialog(widget, item); }
}  // namespace

void func_register_vez_batch_data_screen()
{
    screen_description screen = func_describe_screen(
        SCREEN_VEZ_BATCH_DATA, "vez_batch_data", "lumex_vez_batch_data_screen.ui", "win_vez_batch_data_screen", 0, 0,
        func_load_vez_batch_data_screen, show_batch_data, show_batch_data);
    screen.display_request = func_update_vez_batch_data_display;
    screen.request_code = REQUEST_CODE_VEZ_BATCH_DATA;
    screen.rows_per_page = VEZ_BATCH_FIELDS;
    screen.selection_options = batch_options;
    screen.selection_chosen = batch_chosen;
    screen.item_label = item_label;
    screen.log_heading = [] { return text_or(SLOT_BATCH_DATA, "Batch Data") + " "; };
    func_register_screen(screen);
}

void func_load_vez_batch_data_screen(const ui_file& ui, display_data& record)
{
    w = batch_widgets();
    w.window = record.window;
    record.lbl_active_item = func_lookup_widget(ui, "lbl_active_item");
    record.evb_active_item = func_lookup_widget(ui, "evb_active_item");
    record.lbl_page_info = func_lookup_widget(ui, "lbl_page_info");
    record.evb_page_info = func_lookup_widget(ui, "evb_page_info");
    w.have_load = func_lookup_widget(ui, "btn_have_load");
    w.direction = func_lookup_widget(ui, "btn_loading_discharging");
    w.start = func_lookup_widget(ui, "btn_start");
    w.have_load_title = func_lookup_widget(ui, "lbl_have_load");
    w.direction_title = func_lookup_widget(ui, "lbl_load_direction");
    w.batch_title = func_lookup_widget(ui, "lbl_batch_data");
    func_connect_released(w.have_load, G_CALLBACK(func_show_selection_dialog), GINT_TO_POINTER(ITEM_HAVE_LOAD));
    func_connect_released(w.direction, G_CALLBACK(func_show_selection_dialog), GINT_TO_POINTER(ITEM_DIRECTION));
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field) {
        const std::string name = FIELD_NAMES[field];
        w.fields[field] = func_lookup_widget(ui, ("btn_" + name).c_str());
        w.titles[field] = func_lookup_widget(ui, ("lbl_" + name).c_str());
        func_connect_released(w.fields[field], G_CALLBACK(field_pressed), GINT_TO_POINTER(ITEM_FIRST_FIELD + field));
    }
    if (w.fields[5])
        gtk_widget_set_name(w.fields[5], "btn_weigh");
    func_bind_text(w.start, 928);
    func_connect_released(w.start, G_CALLBACK(func_unload_vez_batch_data_screen), nullptr);
}

void func_show_vez_batch_data_screen() { func_show_screen(SCREEN_VEZ_BATCH_DATA); }

void func_display_vez_batch_data()
{
    func_show_message(5, text_or(SLOT_BATCH_DATA, "Batch Data"));
    func_update_page_info_test(VEZ_BATCH_FIELDS);
    func_set_widget_label(options_display->lbl_active_item, text_or(SLOT_BATCH_DATA, "Batch Data"));
    func_set_widget_label(w.have_load_title, text_or(SLOT_HAVE_LOAD, "Have Load"));
    func_set_widget_label(w.direction_title, text_or(SLOT_DIRECTION, "Load Direction"));
    func_set_widget_label(w.batch_title, text_or(SLOT_BATCH_DATA, "Batch Data"));
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        func_set_widget_label(w.titles[field], text_or(FIELD_SLOTS[field], FIELD_DEFAULTS[field]));
}

vez_batch_data func_get_vez_batch_data_from_buttons_test()
{
    vez_batch_data data;
    if (!w.window)
        return data;
    data.have_load = func_get_widget_label_text(w.have_load) == yes_text();
    data.loading = func_get_widget_label_text(w.direction) == loading_text();
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        data.fields[field] = func_vez_batch_number(func_get_widget_label_text(w.fields[field]));
    return data;
}

void func_unload_vez_batch_data_screen(GtkWidget*, gpointer)
{
    const vez_batch_data data = func_get_vez_batch_data_from_buttons_test();
    if (!func_save_vez_batch_data_to_file(data)) {
        // The operator keeps what was typed and may press Start again.
        func_show_message(1, text_or(900, "These changes could not be saved:") + " " + text_or(SLOT_BATCH_DATA, "Batch Data"));
        return;
    }
    if (data.have_load)
        vez_formula_number = data.fields[0];
    func_note_vez_batch_data_saved();
    page_info[SCREEN_VEZ_BATCH_DATA].list.reload = 0;
    func_end_screen_log_transaction();
    in_vez_automatic_mode = 1;
    page_info[SCREEN_HOME].list.reload = 1;
    func_show_screen(SCREEN_VEZ_STATE);
}
