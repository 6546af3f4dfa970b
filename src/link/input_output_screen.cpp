#include "link/input_output_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "files/paths.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/palette.h"
#include "frame/screen_table.h"
#include "frame/screen_texts.h"
#include "frame/screens.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "link/run_state.h"
#include "logs/log_file.h"

namespace {
constexpr int SLOT_WAIT = 190, SLOT_INPUTS = 375, SLOT_OUTPUTS = 376, SLOT_IO_TITLE = 411, SLOT_LINK_LOST = 962;
// Three lines of six points fill the list without scrolling.
constexpr int POINTS_PER_PAGE = 18, COLUMNS = 6;
constexpr int CELL_WIDTH = 100;
// The spray-down screen is for the machine type built with one.
constexpr int SPRAY_DOWN_MACHINE_TYPE = 7;
const char* const CELL_FONT = "Tahoma Narrow 11";

struct io_widgets {
    GtkWidget *inputs = nullptr, *outputs = nullptr, *analogs = nullptr, *spray_down = nullptr;
};
io_widgets widgets;
bool built = false;
// Cells of the table shown (destroyed with it): each point's picture
// (inputs) or button (outputs) by its place on the page, and the analog
// value labels by channel and column.
GtkWidget* point_cells[POINTS_PER_PAGE] = {};
GtkWidget* ad_cells[IO_AD_CHANNELS][IO_ANALOG_COLUMNS] = {};
GtkWidget* da_cells[IO_DA_CHANNELS_SHOWN][IO_ANALOG_COLUMNS] = {};
// Last record of each kind; until one came every cell counts as changed.
unsigned char previous_inputs[IO_INPUT_COUNT] = {};
unsigned char previous_outputs[IO_OUTPUT_COUNT] = {};
int32_t previous_analogs[IO_ANALOG_COUNT] = {};
bool have_inputs = false, have_outputs = false, have_analogs = false;

const page_list_info& shown_page() { return page_info[SCREEN_INPUT_OUTPUT].list; }

void clear_cells()
{
    std::fill(std::begin(point_cells), std::end(point_cells), nullptr);
    for (auto& row : ad_cells)
        std::fill(std::begin(row), std::end(row), nullptr);
    for (auto& row : da_cells)
        std::fill(std::begin(row), std::end(row), nullptr);
}

GtkWidget* cell_label(const std::string& text, const std::string& name, const char* colour, int height)
{
    GtkWidget* label = gtk_label_new(text.c_str());
    gtk_widget_set_name(label, name.c_str());
    gtk_widget_set_size_request(label, CELL_WIDTH, height);
    gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
    func_set_widget_font_and_color(label, CELL_FONT, colour, nullptr, nullptr);
    return label;
}

std::string cell_name(const char* prefix, int number)
{
    char name[40];
    std::snprintf(name, sizeof name, "%s#%03d", prefix, number);
    return name;
}

void attach(GtkWidget* table, GtkWidget* widget, int column, int row)
{
    gtk_table_attach(GTK_TABLE(table), widget, static_cast<guint>(column), static_cast<guint>(column + 1),
                     static_cast<guint>(row), static_cast<guint>(row + 1), GTK_FILL, GTK_FILL, 0, 0);
}

std::string lamp(bool on) { return func_image_dir() + (on ? "icon_io_on_32.png" : "icon_io_off_32.png"); }

void output_released(GtkWidget* button, gpointer)
{
    const int place = func_get_row_from_name(gtk_widget_get_name(button));
    if (place < 0)
        return;
    func_send_diagnostic_output(shown_page().first_item + place);
}

// Inputs: label, lamp and terminal name under each other; outputs: label
// over the output's button.
void build_points_table(bool outputs)
{
    clear_cells();
    func_show_message(5, p[SLOT_IO_TITLE]);
    func_set_widget_label(widgets.inputs, p[SLOT_INPUTS]);
    func_set_widget_label(widgets.outputs, p[SLOT_OUTPUTS]);
    func_update_page_info_test(outputs ? IO_OUTPUT_COUNT : IO_INPUT_COUNT);
    const page_list_info& page = shown_page();
    const int shown = std::max(0, std::min(page.end_item - page.first_item, POINTS_PER_PAGE));
    const int lines = std::max(1, (shown + COLUMNS - 1) / COLUMNS);
    const int rows_per_line = outputs ? 2 : 3;
    GtkWidget* table = func_replace_list_table(lines * rows_per_line, COLUMNS);
    gtk_table_set_row_spacings(GTK_TABLE(table), 2);
    gtk_table_set_col_spacings(GTK_TABLE(table), 1);
    for (int place = 0; place < shown; ++place) {
        const int point = page.first_item + place;
        const int column = place % COLUMNS, row = place / COLUMNS * rows_per_line;
        if (outputs) {
            attach(table, cell_label(output_label[point], cell_name("lbl_output_", place), LUMEX_PLAIN_TEXT, 22),
                   column, row);
            GtkWidget* button = gtk_button_new_with_label(func_output_number_text(point).c_str());
            gtk_widget_set_name(button, cell_name("btn_output_", place).c_str());
            gtk_widget_set_size_request(button, CELL_WIDTH, 55);
            gtk_widget_set_can_focus(button, FALSE);
            // From a running formula the outputs are only watched.
            gtk_widget_set_sensitive(button, return_to_run_screen ? FALSE : TRUE);
            func_connect_released(button, G_CALLBACK(output_released), nullptr);
            attach(table, button, column, row + 1);
            point_cells[place] = button;
        } else {
            attach(table, cell_label(input_label[point], cell_name("lbl_desc_", place), LUMEX_PLAIN_TEXT, 22),
                   column, row);
            GtkWidget* image = gtk_image_new();
            gtk_widget_set_name(image, cell_name("img_input_", place).c_str());
            gtk_widget_set_size_request(image, CELL_WIDTH, 35);
            attach(table, image, column, row + 1);
            point_cells[place] = image;
            attach(table,
                   cell_label(func_input_terminal_name(point), cell_name("lbl_input_", place), LUMEX_NUMBER_TEXT, 22),
                   column, row + 2);
        }
    }
    gtk_widget_show_all(table);
    func_enable_disable_page_up_down_button();
    inputs_dirty_needs_refresh = outputs_dirty_needs_refresh = 1;
}

// Heading row, the eight A/D channels, a gap, the D/A channels 0 and 1.
void build_analog_table()
{
    clear_cells();
    func_update_page_info_test(14);
    GtkWidget* table = func_replace_list_table(14, IO_ANALOG_COLUMNS);
    gtk_table_set_row_spacings(GTK_TABLE(table), 4);
    gtk_table_set_col_spacings(GTK_TABLE(table), 1);
    for (int column = 0; column < IO_ANALOG_COLUMNS; ++column) {
        attach(table, cell_label(a2d_selections_header[column], cell_name("lbl_a2d_", column), LUMEX_NUMBER_TEXT, 20),
               column, 0);
        for (int channel = 0; channel < IO_AD_CHANNELS; ++channel) {
            const int index = channel * IO_ANALOG_COLUMNS + column;
            ad_cells[channel][column] =
                cell_label(a2d_selections_value[index], cell_name("btn_a2d_name_", index), LUMEX_PLAIN_TEXT, 20);
            attach(table, ad_cells[channel][column], column, 1 + channel);
        }
        for (int channel = 0; channel < IO_DA_CHANNELS_SHOWN; ++channel) {
            const int index = channel * IO_ANALOG_COLUMNS + column;
            da_cells[channel][column] =
                cell_label(d2a_selections_value[index], cell_name("btn_d2a_name_", index), LUMEX_PLAIN_TEXT, 20);
            attach(table, da_cells[channel][column], column, 12 + channel);
        }
    }
    gtk_widget_show_all(table);
    func_enable_disable_page_up_down_button();
    analogs_dirty_needs_refresh = 1;
}

// The cells of a new page or table show the last record at once.
void repaint_remembered()
{
    if (input_output_mode == IO_MODE_INPUTS && have_inputs) {
        inputs_dirty_needs_refresh = 1;
        func_update_inputs_display_test(previous_inputs);
    } else if (input_output_mode == IO_MODE_OUTPUTS && have_outputs) {
        outputs_dirty_needs_refresh = 1;
        func_update_outputs_display_test(previous_outputs);
    } else if (input_output_mode == IO_MODE_ANALOGS && have_analogs) {
        analogs_dirty_needs_refresh = 1;
        func_update_analogs_display(previous_analogs);
    }
}

void build_mode_table()
{
    if (input_output_mode == IO_MODE_ANALOGS)
        build_analog_table();
    else
        build_points_table(input_output_mode == IO_MODE_OUTPUTS);
    repaint_remembered();
}

void page_pressed(GtkWidget* widget, gpointer)
{
    page_list_info& page = page_info[SCREEN_INPUT_OUTPUT].list;
    if (func_widget_name_is(widget, "btn_page_down") && page.current_page < page.pages)
        page.current_page += 1;
    else if (func_widget_name_is(widget, "btn_page_up") && page.current_page > 1)
        page.current_page -= 1;
    else
        return;
    build_mode_table();
}

// Exactly the mode's toggle is down, whatever a press did to it.
void sync_toggles()
{
    static bool syncing = false;
    if (syncing)
        return;
    syncing = true;
    GtkWidget* toggles[] = {widgets.inputs, widgets.outputs, widgets.analogs};
    for (int mode = 0; mode < 3; ++mode)
        if (toggles[mode] && GTK_IS_TOGGLE_BUTTON(toggles[mode]))
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(toggles[mode]), mode == input_output_mode);
    syncing = false;
}

void spray_down_pressed(GtkWidget*, gpointer)
{
    input_output_mode = IO_MODE_NONE;
    func_show_screen(SCREEN_SPRAY_DOWN);
}

void inputs_reply(const unsigned char* payload, size_t) { func_update_inputs_display_test(payload); }
void outputs_reply(const unsigned char* payload, size_t) { func_update_outputs_display_test(payload); }
void analogs_reply(const unsigned char* payload, size_t)
{
    int32_t values[IO_ANALOG_COUNT];
    func_decode_analog_record(payload, values);
    func_update_analogs_display(values);
}

void show_input_output()
{
    if (!built || !func_begin_screen_show(SCREEN_INPUT_OUTPUT, -1))
        return;
    const int type = current_machine_configuration ? func_truncate_to_int(current_machine_configuration->items[2], -1)
                                                   : -1;
    gtk_widget_set_sensitive(widgets.spray_down, type == SPRAY_DOWN_MACHINE_TYPE);
    func_end_screen_show(SCREEN_INPUT_OUTPUT);
    if (!func_ipc_link_up())
        func_show_message(1, p[SLOT_LINK_LOST]);
    // Records of an earlier visit are old news: cells wait for fresh ones.
    have_inputs = have_outputs = have_analogs = false;
    input_output_mode = IO_MODE_NONE;
    func_toggle_io_mode(nullptr, GINT_TO_POINTER(IO_MODE_INPUTS));
}
}  // namespace

void func_register_input_output_screen()
{
    screen_description screen = func_describe_screen(SCREEN_INPUT_OUTPUT, "input_output",
                                                      "lumex_input_output_screen.ui", "win_input_output", 605, 300,
                                                      func_load_input_output_screen, show_input_output, nullptr);
    screen.display_request = func_request_input_display;
    screen.request_code = REQUEST_CODE_INPUTS;
    screen.home_button = "btn_diagnostic";
    screen.rows_per_page = POINTS_PER_PAGE;
    func_register_screen(screen);
    func_register_ipc_reply(IPC_KIND_INPUTS, REQUEST_CODE_INPUTS, inputs_reply);
    func_register_ipc_reply(IPC_KIND_OUTPUTS, REQUEST_CODE_OUTPUTS, outputs_reply);
    func_register_ipc_reply(IPC_KIND_ANALOGS, REQUEST_CODE_ANALOGS, analogs_reply);
}

void func_load_input_output_screen(const ui_file& ui, display_data& record)
{
    widgets.inputs = func_lookup_widget(ui, "btn_inputs");
    widgets.outputs = func_lookup_widget(ui, "btn_outputs");
    widgets.analogs = func_lookup_widget(ui, "btn_analogs");
    widgets.spray_down = func_lookup_widget(ui, "btn_spray_down");
    record.btn_cancel = func_lookup_widget(ui, "btn_cancel");
    func_connect_released(widgets.inputs, G_CALLBACK(func_toggle_io_mode), GINT_TO_POINTER(IO_MODE_INPUTS));
    func_connect_released(widgets.outputs, G_CALLBACK(func_toggle_io_mode), GINT_TO_POINTER(IO_MODE_OUTPUTS));
    func_connect_released(widgets.analogs, G_CALLBACK(func_toggle_io_mode), GINT_TO_POINTER(IO_MODE_ANALOGS));
    func_connect_released(widgets.spray_down, G_CALLBACK(spray_down_pressed), nullptr);
    func_connect_released(record.btn_cancel, G_CALLBACK(func_unload_input_output_screen), nullptr);
    func_connect_page_buttons(record, G_CALLBACK(page_pressed));
    func_bind_text(widgets.inputs, SLOT_INPUTS);
    func_bind_text(widgets.outputs, SLOT_OUTPUTS);
    func_bind_text(widgets.analogs, SLOT_INPUTS + 2);
    func_bind_text(widgets.spray_down, 580);
    clear_cells();
    built = true;
}

void func_show_input_output_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_INPUT_OUTPUT); }

void func_toggle_io_mode(GtkWidget*, gpointer data)
{
    const int mode = GPOINTER_TO_INT(data);
    if (!built || mode == input_output_mode || mode < IO_MODE_INPUTS || mode > IO_MODE_ANALOGS ||
        func_current_screen_code() != SCREEN_INPUT_OUTPUT) {
        sync_toggles();
        return;
    }
    input_output_mode = mode;
    func_show_dialog(18, p[SLOT_WAIT], 1, nullptr);
    sync_toggles();
    if (options_display->lbl_active_item)
        gtk_label_set_text(GTK_LABEL(options_display->lbl_active_item), p[SLOT_INPUTS + mode].c_str());
    func_show_message(5, p[SLOT_INPUTS + mode]);
    page_info[SCREEN_INPUT_OUTPUT].list.current_page = 1;
    build_mode_table();
    static const GSourceFunc requests[] = {func_request_input_display, func_request_output_display,
                                           func_request_analog_display};
    func_switch_screen_display_request(SCREEN_INPUT_OUTPUT, requests[mode], REQUEST_CODE_INPUTS + mode);
    func_close_active_dialog();
    inputs_dirty_needs_refresh = outputs_dirty_needs_refresh = analogs_dirty_needs_refresh = 1;
}

void func_unload_input_output_screen(GtkWidget*, gpointer)
{
    // The mode's request sees this on its next tick and switches off.
    input_output_mode = IO_MODE_NONE;
    int next = SCREEN_HOME;
    if (return_to_run_screen) {
        // Cleared once the run screen is shown: it tells a return from a start.
        if (func_get_screen(SCREEN_RUN))
            func_show_screen(SCREEN_RUN);
        else
            func_show_screen(SCREEN_HOME);
        return_to_run_screen = 0;
        return;
    }
    if (return_to_vez_state_screen) {
        return_to_vez_state_screen = 0;
        if (func_get_screen(SCREEN_VEZ_STATE))
            next = SCREEN_VEZ_STATE;
    }
    func_show_screen(next);
}

void func_update_inputs_display_test(const unsigned char record[IO_INPUT_COUNT])
{
    const bool dirty = inputs_dirty_needs_refresh != 0;
    if (!dirty && have_inputs && std::memcmp(record, previous_inputs, IO_INPUT_COUNT) == 0)
        return;
    if (!built || input_output_mode != IO_MODE_INPUTS) {
        inputs_dirty_needs_refresh = 0;
        return;
    }
    const page_list_info& page = shown_page();
    for (int point : func_changed_points(record, have_inputs ? previous_inputs : nullptr, IO_INPUT_COUNT, dirty,
                                         page.first_item, page.end_item)) {
        const int place = point - page.first_item;
        if (place < POINTS_PER_PAGE && point_cells[place])
            func_set_image_icon(point_cells[place], lamp(func_point_on(record[point])).c_str());
    }
    std::memcpy(previous_inputs, record, IO_INPUT_COUNT);
    have_inputs = true;
    inputs_dirty_needs_refresh = 0;
}

void func_update_outputs_display_test(const unsigned char record[IO_OUTPUT_COUNT])
{
    const bool dirty = outputs_dirty_needs_refresh != 0;
    if (!dirty && have_outputs && std::memcmp(record, previous_outputs, IO_OUTPUT_COUNT) == 0)
        return;
    if (!built || input_output_mode != IO_MODE_OUTPUTS) {
        outputs_dirty_needs_refresh = 0;
        return;
    }
    const page_list_info& page = shown_page();
    for (int point : func_changed_points(record, have_outputs ? previous_outputs : nullptr, IO_OUTPUT_COUNT, dirty,
                                         page.first_item, page.end_item)) {
        const int place = point - page.first_item;
        if (place < POINTS_PER_PAGE && point_cells[place])
            func_set_button_icon(point_cells[place], lamp(func_point_on(record[point])).c_str(), ICON_LEFT);
    }
    std::memcpy(previous_outputs, record, IO_OUTPUT_COUNT);
    have_outputs = true;
    outputs_dirty_needs_refresh = 0;
}

void func_update_analogs_display(const int32_t record[IO_ANALOG_COUNT])
{
    const bool dirty = analogs_dirty_needs_refresh != 0;
    if (!dirty && have_analogs && std::equal(record, record + IO_ANALOG_COUNT, previous_analogs))
        return;
    if (!built || input_output_mode != IO_MODE_ANALOGS) {
        analogs_dirty_needs_refresh = 0;
        return;
    }
    for (const analog_cell& cell :
         func_changed_analog_cells(record, have_analogs ? previous_analogs : nullptr, dirty)) {
        GtkWidget* label = cell.da ? da_cells[cell.channel][cell.column] : ad_cells[cell.channel][cell.column];
        if (label)
            gtk_label_set_text(GTK_LABEL(label), cell.text.c_str());
    }
    std::copy(record, record + IO_ANALOG_COUNT, previous_analogs);
    have_analogs = true;
    analogs_dirty_needs_refresh = 0;
}

bool func_send_diagnostic_output(int output)
{
    if (!func_output_in_table(output)) {
        func_log_system_error("func_ipc_send_selected_output",
                              "output " + std::to_string(output) + " is not in the output table, not sent");
        return false;
    }
    if (return_to_run_screen)
        return false;
    if (!func_ipc_send_selected_output(output)) {
        func_show_message(1, p[SLOT_LINK_LOST]);
        return false;
    }
    return true;
}
