#include "formulas/steps_screen.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "files/paths.h"
#include "formulas/formulas_screen.h"
#include "formulas/selected_step_screen.h"
#include "formulas/step_list.h"
#include "formulas/step_operations.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/paging.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/units.h"
#include "logs/log_file.h"

GtkWidget** step_selections_number = nullptr;
GtkWidget** step_selections_name = nullptr;
GtkWidget** step_selections_type = nullptr;

const char* const STEPS_SCREEN_WIDGETS[] = {
    "win_steps_screen", "layout_steps_screen", "layout_expanded_buttons", "evb_options_list",
    "tbl_options_list", "vwp_options_list", "lbl_page_info", "evb_page_info", "lbl_message_bar",
    "evb_message_bar", "lbl_active_item", "btn_page_up", "btn_page_down", "btn_add_step",
    "btn_clone_step", "btn_rename_step", "btn_delete_step", "btn_home", "btn_previous_page", nullptr};

namespace {
// Screen buttons in the record: clone, rename and delete must be the
// second to fourth, where the shared paging code looks for them.
const char* const SCREEN_BUTTONS[] = {"btn_add_step",    "btn_clone_step", "btn_rename_step",
                                      "btn_delete_step", "btn_home",       "btn_previous_page"};
constexpr int ROW_SPACING = 10;
constexpr int COLUMN_SPACING = 6;
// A toolkit size request is the size given, not a minimum: a 20-pixel
// number tag would cut "001" down to its first stroke, and a 160-pixel
// type button "Standard Extract (01:30)" beside its arrow. The name
// column gives up the width (405 = 50 + 148 + 195 + two spacings).
constexpr int NUMBER_WIDTH = 50;
constexpr int NAME_WIDTH = 140;
constexpr int TYPE_WIDTH = 195;
const char* const TYPE_LABEL_FONT = "DejaVu Sans Bold 8";
const char* const NUMBER_LABEL_FONT = "DejaVu Sans Bold 9";

display_data& steps_record() { return preloaded_display[SCREEN_STEPS]; }
page_list_info& steps_list() { return page_info[SCREEN_STEPS].list; }

void set_sensitive(GtkWidget* widget, bool sensitive)
{
    if (widget)
        gtk_widget_set_sensitive(widget, sensitive ? TRUE : FALSE);
}

GtkWidget* row_widget(GtkWidget** column, int row)
{
    return (column && row >= 0 && row < STEPS_ROWS) ? column[row] : nullptr;
}

void set_language_label(GtkWidget* button, int slot)
{
    if (button && !p[slot].empty())
        gtk_button_set_label(GTK_BUTTON(button), p[slot].c_str());
}

bool is_extract(int type) { return type > STEP_SOAK_WASH; }

// Extract steps are never copied: the clone button follows the type of
// the step selected (data carries it).
void set_clone_for_type(int type) { set_sensitive(steps_record().buttons[1], !is_extract(type)); }

// The selected row's number and type buttons follow its selection; the
// clone button follows the type of the step pressed.
void enable_row_options(int row, int sensitive, gpointer data)
{
    set_sensitive(row_widget(step_selections_number, row), sensitive);
    set_sensitive(row_widget(step_selections_type, row), sensitive);
    set_clone_for_type(GPOINTER_TO_INT(data));
}

// Runs after the shared row-press handler, which ends by making clone,
// rename and delete sensitive for every list screen: an extract step's
// clone button has to be switched off again.
void after_name_released(GtkWidget*, gpointer data) { set_clone_for_type(GPOINTER_TO_INT(data)); }

GtkWidget* new_row_button(const char* label, const char* prefix, int row, int width, int height, bool sensitive)
{
    GtkWidget* button = gtk_button_new_with_label(label);
    char name[40];
    snprintf(name, sizeof name, "%s%03d", prefix, row);
    gtk_widget_set_name(button, name);
    gtk_widget_set_size_request(button, width, height);
    gtk_widget_set_sensitive(button, sensitive ? TRUE : FALSE);
    return button;
}

std::string type_text(const step_record& step)
{
    return func_lookup_step_name(step.items[STEP_TYPE], STEP_TYPE) + " (" +
           func_convert_seconds_to_time(step.items[STEP_TIME]) + ")";
}

// Page buttons: harvest the shown page, then page.
void save_display_steps_data(GtkWidget* widget, gpointer)
{
    func_get_step_list_data_from_buttons_test();
    func_show_page_info_test(widget, nullptr);
}
}  // namespace

void func_load_steps_screen()
{
    display_data& record = steps_record();
    ui_file ui = func_load_screen_record(record, SCREEN_STEPS, "lumex_steps_screen.ui", "win_steps_screen",
                                         STEPS_LIST_WIDTH, STEPS_LIST_HEIGHT);
    func_lookup_widget(ui, "layout_steps_screen");
    func_lookup_widget(ui, "layout_expanded_buttons");
    func_lookup_screen_buttons(ui, record, SCREEN_BUTTONS);
    GtkWidget* add = record.buttons[0];
    GtkWidget* clone = record.buttons[1];
    GtkWidget* rename = record.buttons[2];
    GtkWidget* erase = record.buttons[3];

    func_connect_released(add, G_CALLBACK(fun_add_insert_step), nullptr);
    func_connect_released(clone, G_CALLBACK(fun_copy_insert_step), nullptr);
    func_connect_released(rename, G_CALLBACK(func_rename_step_test), nullptr);
    func_connect_released(erase, G_CALLBACK(func_confirm_delete_step), nullptr);
    func_connect_released(record.buttons[4], G_CALLBACK(func_unload_steps_screen), nullptr);
    func_connect_released(record.buttons[5], G_CALLBACK(func_unload_steps_screen), nullptr);
    func_connect_released(record.btn_page_up, G_CALLBACK(save_display_steps_data), nullptr);
    func_connect_released(record.btn_page_down, G_CALLBACK(save_display_steps_data), nullptr);

    set_language_label(add, 278);
    set_language_label(clone, 282);
    set_language_label(rename, 280);
    set_language_label(erase, 279);
    for (GtkWidget* button : {clone, rename, erase})
        set_sensitive(button, false);

    g_free(step_selections_number);
    g_free(step_selections_name);
    g_free(step_selections_type);
    step_selections_number = g_new0(GtkWidget*, STEPS_ROWS);
    step_selections_name = g_new0(GtkWidget*, STEPS_ROWS);
    step_selections_type = g_new0(GtkWidget*, STEPS_ROWS);

    list_screen_hooks& hooks = func_list_screen_hooks(SCREEN_STEPS);
    hooks.display = func_display_step_list_test;
    hooks.number_buttons = step_selections_number;
    hooks.name_buttons = step_selections_name;
    hooks.enable_options_button = enable_row_options;
    // The step operations harvest the page before they change the list.
    steps_screen_harvest = func_get_step_list_data_from_buttons_test;
}

void func_show_steps_screen(GtkWidget*, gpointer)
{
    display_data& record = steps_record();
    if (!record.window)
        return;
    func_make_screen_current(SCREEN_STEPS, SCREEN_STEPS, STEPS_LIST_WIDTH, STEPS_LIST_HEIGHT);
    if (options_display->lbl_active_item && !p[189].empty())
        gtk_label_set_text(GTK_LABEL(options_display->lbl_active_item), p[189].c_str());
    if (options_display->vwp_options_list)
        gtk_widget_grab_focus(options_display->vwp_options_list);

    func_begin_log_transaction();
    const int formula = func_get_selected_formula_number();
    if (formula >= 0)
        func_load_step_list_from_file(formula);
    else if (step_list_store)
        gtk_list_store_clear(step_list_store);
    func_display_step_list_test();
    gtk_widget_show_all(record.window);
    gtk_window_present(GTK_WINDOW(record.window));
}

void func_display_step_list_test()
{
    if (func_current_screen_code() != SCREEN_STEPS)
        return;
    display_data& shown = *options_display;
    page_list_info& info = steps_list();
    const page_list_info& formulas = page_info[SCREEN_FORMULAS].list;
    char heading[96];
    snprintf(heading, sizeof heading, "F-%03d - %s", formulas.selected_number, formulas.selected_text);
    func_show_message(5, heading);

    std::unique_ptr<step_snapshot> snapshot(func_get_step_list_from_liststore());
    if (!snapshot) {
        func_write_log(LOG_SYSERROR, "func_display_step_list: step list buffer is NULL", 0);
        snapshot.reset(new step_snapshot());
    }
    func_update_page_info_test(snapshot->count());

    GtkWidget* table = func_replace_list_table(STEPS_ROWS + 1, 3);
    gtk_table_set_col_spacings(GTK_TABLE(table), COLUMN_SPACING);
    gtk_widget_set_size_request(table, shown.list_width,
                                STEPS_ROWS * STEPS_ROW_HEIGHT + (STEPS_ROWS - 1) * ROW_SPACING);
    func_return_to_pressed_page(snapshot->count());

    const std::string next = func_image_dir() + "icon_next_page_24.png";
    int rows = 0;
    for (int item = info.first_item; item < info.end_item && rows < STEPS_ROWS; ++item, ++rows) {
        const step_record& step = snapshot->records[static_cast<size_t>(item)];
        gpointer type = GINT_TO_POINTER(step.items[STEP_TYPE]);
        char text[16];
        snprintf(text, sizeof text, "%03d", step.number);
        GtkWidget* number = new_row_button(text, "lbl_stp_number_#", rows, NUMBER_WIDTH, STEPS_ROW_HEIGHT, false);
        func_set_widget_font_and_color(number, NUMBER_LABEL_FONT, nullptr, nullptr, nullptr);

        GtkWidget* name = new_row_button(step.name.c_str(), "btn_stp_name_#", rows, NAME_WIDTH, STEPS_ROW_HEIGHT, true);
        g_signal_connect(name, "released", G_CALLBACK(func_show_button_pressed_state_static_test), type);
        g_signal_connect(name, "released", G_CALLBACK(after_name_released), type);

        GtkWidget* kind = new_row_button(type_text(step).c_str(), "btn_stp_type_#", rows, TYPE_WIDTH,
                                         STEPS_ROW_HEIGHT, false);
        func_set_button_icon(kind, next.c_str(), ICON_RIGHT);
        func_set_widget_font_and_color(kind, TYPE_LABEL_FONT, nullptr, nullptr, nullptr);
        g_signal_connect(kind, "released", G_CALLBACK(func_unload_steps_screen), type);

        gtk_table_attach(GTK_TABLE(table), number, 0, 1, rows, rows + 1, GTK_FILL, GTK_FILL, 0, 0);
        gtk_table_attach(GTK_TABLE(table), name, 1, 2, rows, rows + 1, GtkAttachOptions(GTK_EXPAND | GTK_FILL),
                         GTK_FILL, 0, 0);
        gtk_table_attach(GTK_TABLE(table), kind, 2, 3, rows, rows + 1, GTK_FILL, GTK_FILL, 0, 0);
        step_selections_number[rows] = number;
        step_selections_name[rows] = name;
        step_selections_type[rows] = kind;
    }
    for (int row = rows; row < STEPS_ROWS; ++row)
        step_selections_number[row] = step_selections_name[row] = step_selections_type[row] = nullptr;
    info.rows_shown = rows;
    gtk_table_resize(GTK_TABLE(table), static_cast<guint>(rows + 1), 3);
    shown.list_height = rows * STEPS_ROW_HEIGHT;
    gtk_widget_show_all(table);

    if (info.pressed_row >= 0 && info.pressed_page == info.current_page && info.pressed_row < rows) {
        const int type = snapshot->records[static_cast<size_t>(info.first_item + info.pressed_row)].items[STEP_TYPE];
        func_show_button_pressed_state_static_test(step_selections_name[info.pressed_row], GINT_TO_POINTER(type));
        enable_row_options(info.pressed_row, 1, GINT_TO_POINTER(type));
        func_enable_clone_ren_del_button(1);
        set_clone_for_type(type);
        info.reload = 0;
    } else {
        func_enable_clone_ren_del_button(0);
    }
    func_enable_disable_page_up_down_button();
    if (shown.window)
        gtk_widget_queue_draw(shown.window);
}

void func_get_step_list_data_from_buttons_test()
{
    page_list_info& info = steps_list();
    if (info.reload != 1)
        return;
    if (func_get_step_row_count() < 1) {
        func_save_step_list_to_file();
        info.reload = 0;
        return;
    }
    auto* snapshot = new (std::nothrow) step_snapshot();
    if (!snapshot) {
        func_write_log(LOG_SYSERROR, "func_get_step_list_data_from_buttons: Error Allocating Buffer for step list", 0);
        return;
    }
    for (int row = 0; row < info.rows_shown && row < STEPS_ROWS; ++row) {
        GtkWidget* number = step_selections_number[row];
        GtkWidget* name = step_selections_name[row];
        if (!number || !name)
            continue;
        step_record record;
        record.number = atoi(func_get_widget_label_text(number));
        record.name = func_get_widget_label_text(name);
        snapshot->records.push_back(record);
    }
    // Sets the names and saves steps.dat (and the formula's step count and time).
    func_update_step_list_liststore_test(snapshot);
    info.reload = 0;
}

void func_unload_steps_screen(GtkWidget* widget, gpointer data)
{
    const bool back = func_widget_name_is(widget, "btn_previous_page");
    const bool home = func_widget_name_is(widget, "btn_home");
    if (!back && !home) {
        // A row's type button: its step is the one to open.
        page_list_info& info = steps_list();
        const int row = func_get_index_from_widget_name_no_page_adjust(widget);
        if (row < 0 || row >= info.rows_shown)
            return;
        if (row != info.pressed_row || info.pressed_page != info.current_page)
            func_show_button_pressed_state_static_test(step_selections_name[row], data);
    }
    func_get_step_list_data_from_buttons_test();
    func_end_log_transaction();
    steps_list().reload = 1;
    func_hide_screen(steps_record().window);
    if (back)
        func_show_formulas_screen(widget, nullptr);
    else if (home)
        func_show_home_screen(widget, nullptr);
    else
        func_show_selected_step_screen(widget, nullptr);
}
