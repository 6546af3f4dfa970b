#include "formulas/formulas_screen.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "files/paths.h"
#include "formulas/formula_list.h"
#include "formulas/formula_operations.h"
#include "formulas/steps_screen.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/paging.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "link/ipc_link.h"
#include "logs/log_file.h"

GtkWidget** formula_selections_number = nullptr;
GtkWidget** formula_selections_active = nullptr;
GtkWidget** formula_selections_name = nullptr;
GtkWidget** formula_selections_step = nullptr;

formula_steps_show_function formulas_screen_steps_target = func_show_steps_screen;

const char* const FORMULAS_SCREEN_WIDGETS[] = {
    "win_formulas_screen", "layout_formulas_screen", "evb_options_list", "tbl_options_list",
    "vwp_options_list", "lbl_page_info", "evb_page_info", "lbl_active_item", "lbl_message_bar",
    "evb_message_bar", "btn_page_up", "btn_page_down", "btn_add_formula", "btn_clone_formula",
    "btn_rename_formula", "btn_delete_formula", "btn_home", "btn_previous_page", "btn_goto_formula",
    nullptr};

namespace {
// Screen buttons in the record: clone, rename and delete must be the
// second to fourth, where the shared paging code looks for them.
const char* const SCREEN_BUTTONS[] = {"btn_add_formula", "btn_clone_formula", "btn_rename_formula",
                                      "btn_delete_formula", "btn_home", "btn_previous_page",
                                      "btn_goto_formula"};
constexpr int ROW_SPACING = 10;
// Column widths within the 400-pixel list. Three digits, ON/OFF beside
// its 32-pixel mark and "000 Steps" beside its arrow must stay readable
// in a 55-pixel row, so the name column gives up some of its width and
// the two labels with pictures use a slightly smaller font.
constexpr int NUMBER_WIDTH = 50;
constexpr int ACTIVE_WIDTH = 68;
constexpr int NAME_WIDTH = 164;
constexpr int STEP_WIDTH = 118;
const char* const PICTURE_LABEL_FONT = "DejaVu Sans Bold 10";
constexpr int FRM_TABLE_SIZE = sizeof frm_lookup_table / sizeof frm_lookup_table[0];

display_data& formulas_record() { return preloaded_display[SCREEN_FORMULAS]; }
page_list_info& formulas_list() { return page_info[SCREEN_FORMULAS].list; }

void set_sensitive(GtkWidget* widget, bool sensitive)
{
    if (widget)
        gtk_widget_set_sensitive(widget, sensitive ? TRUE : FALSE);
}

GtkWidget* row_widget(GtkWidget** column, int row)
{
    return (column && row >= 0 && row < FORMULAS_ROWS) ? column[row] : nullptr;
}

// Number, active and step buttons of a row follow its selection.
void enable_row_options(int row, int sensitive, gpointer)
{
    set_sensitive(row_widget(formula_selections_number, row), sensitive);
    set_sensitive(row_widget(formula_selections_active, row), sensitive);
    set_sensitive(row_widget(formula_selections_step, row), sensitive);
}

// A different formula chosen: the steps screen's selection belonged to
// the previous one.
void forget_step_selection()
{
    page_list_info& steps = page_info[SCREEN_STEPS].list;
    steps.pressed_row = -1;
    steps.active_row = -1;
}

void after_formula_row_press(int row)
{
    const page_list_info& info = formulas_list();
    if (row != info.pressed_row || info.pressed_page != info.current_page)
        forget_step_selection();
}

void goto_formula_pressed(GtkWidget* widget, gpointer)
{
    func_show_data_entry_dialog(widget, GINT_TO_POINTER(50));
}

void set_language_label(GtkWidget* button, int slot)
{
    if (button && !p[slot].empty())
        gtk_button_set_label(GTK_BUTTON(button), p[slot].c_str());
}

GtkWidget* new_row_button(const char* label, const char* prefix, int row, int width, bool sensitive)
{
    GtkWidget* button = gtk_button_new_with_label(label);
    char name[40];
    snprintf(name, sizeof name, "%s%03d", prefix, row);
    gtk_widget_set_name(button, name);
    gtk_widget_set_size_request(button, width, FORMULAS_ROW_HEIGHT);
    gtk_widget_set_sensitive(button, sensitive ? TRUE : FALSE);
    return button;
}

// The display timer of an earlier visit may still be waiting for its
// last tick; a second one would keep asking after the screen is left.
void restart_display_request()
{
    if (timer_formula_display_id && g_main_context_find_source_by_id(nullptr, timer_formula_display_id))
        g_source_remove(timer_formula_display_id);
    timer_formula_display_id = func_start_display_request(func_update_formula_display);
}
}  // namespace

void func_load_formulas_screen()
{
    display_data& record = formulas_record();
    ui_file ui = func_load_screen_record(record, SCREEN_FORMULAS, "lumex_formulas_screen.ui", "win_formulas_screen",
                                         FORMULAS_LIST_WIDTH, FORMULAS_LIST_HEIGHT);
    func_lookup_widget(ui, "layout_formulas_screen");
    func_lookup_screen_buttons(ui, record, SCREEN_BUTTONS);
    // Every id is already the widget's name (func_load_interface_file);
    // the handlers below dispatch on it.
    GtkWidget* add = record.buttons[0];
    GtkWidget* clone = record.buttons[1];
    GtkWidget* rename = record.buttons[2];
    GtkWidget* erase = record.buttons[3];

    func_connect_released(record.buttons[4], G_CALLBACK(func_unload_formulas_screen), nullptr);
    func_connect_released(record.buttons[5], G_CALLBACK(func_unload_formulas_screen), nullptr);
    func_connect_released(record.buttons[6], G_CALLBACK(goto_formula_pressed), nullptr);
    func_connect_released(add, G_CALLBACK(func_process_add_formula), nullptr);
    func_connect_released(clone, G_CALLBACK(func_process_copy_formula), nullptr);
    func_connect_released(rename, G_CALLBACK(func_rename_formula_test), nullptr);
    func_connect_released(erase, G_CALLBACK(func_confirm_delete_formula), nullptr);
    func_connect_released(record.btn_page_up, G_CALLBACK(func_save_display_formulas_data), nullptr);
    func_connect_released(record.btn_page_down, G_CALLBACK(func_save_display_formulas_data), nullptr);

    set_language_label(add, 278);
    set_language_label(clone, 282);
    set_language_label(rename, 280);
    set_language_label(erase, 279);
    for (GtkWidget* button : {clone, rename, erase})
        set_sensitive(button, false);

    g_free(formula_selections_number);
    g_free(formula_selections_active);
    g_free(formula_selections_name);
    g_free(formula_selections_step);
    formula_selections_number = g_new0(GtkWidget*, FORMULAS_ROWS);
    formula_selections_active = g_new0(GtkWidget*, FORMULAS_ROWS);
    formula_selections_name = g_new0(GtkWidget*, FORMULAS_ROWS);
    formula_selections_step = g_new0(GtkWidget*, FORMULAS_ROWS);

    list_screen_hooks& hooks = func_list_screen_hooks(SCREEN_FORMULAS);
    hooks.display = func_display_formula_test;
    hooks.number_buttons = formula_selections_number;
    hooks.name_buttons = formula_selections_name;
    hooks.enable_options_button = enable_row_options;
    hooks.after_row_press = after_formula_row_press;
}

void func_show_formulas_screen(GtkWidget*, gpointer)
{
    display_data& record = formulas_record();
    if (!record.window)
        return;
    func_make_screen_current(SCREEN_FORMULAS, SCREEN_FORMULAS, FORMULAS_LIST_WIDTH, FORMULAS_LIST_HEIGHT);
    if (options_display->lbl_active_item && !p[186].empty())
        gtk_label_set_text(GTK_LABEL(options_display->lbl_active_item), p[186].c_str());
    if (options_display->vwp_options_list)
        gtk_widget_grab_focus(options_display->vwp_options_list);

    func_begin_log_transaction();
    func_load_formula_list_from_file();
    func_display_formula_test();
    gtk_widget_show_all(record.window);
    gtk_window_present(GTK_WINDOW(record.window));
    restart_display_request();
}

void func_display_formula_test()
{
    if (func_current_screen_code() != SCREEN_FORMULAS)
        return;
    display_data& shown = *options_display;
    page_list_info& info = formulas_list();
    func_show_message(5, p[186]);

    std::unique_ptr<formula_snapshot> snapshot(func_get_formula_list_from_liststore());
    if (!snapshot) {
        func_write_log(LOG_SYSERROR, "func_display_formula: Formula list buffer is NULL", 0);
        snapshot.reset(new formula_snapshot());
    }
    func_update_page_info_test(snapshot->count());

    GtkWidget* table = func_replace_list_table(FORMULAS_ROWS + 1, 4);
    gtk_widget_set_size_request(table, shown.list_width,
                                FORMULAS_ROWS * FORMULAS_ROW_HEIGHT + (FORMULAS_ROWS - 1) * ROW_SPACING);
    func_return_to_pressed_page(snapshot->count());

    int rows = 0;
    for (int item = info.first_item; item < info.end_item && rows < FORMULAS_ROWS; ++item, ++rows) {
        const formula_record& formula = snapshot->records[item];
        char text[96];

        snprintf(text, sizeof text, "%03d", formula.number);
        GtkWidget* number = new_row_button(text, "btn_frm_number_#", rows, NUMBER_WIDTH, false);
        g_signal_connect(number, "released", G_CALLBACK(func_change_formula_number), nullptr);

        GtkWidget* active = new_row_button(formula.active ? p[29].c_str() : p[28].c_str(), "btn_frm_active_#",
                                           rows, ACTIVE_WIDTH, false);
        g_signal_connect(active, "released", G_CALLBACK(func_show_selection_dialog), GINT_TO_POINTER(1));

        GtkWidget* name = new_row_button(formula.name.c_str(), "btn_frm_name_#", rows, NAME_WIDTH, true);
        g_signal_connect(name, "released", G_CALLBACK(func_show_button_pressed_state_static_test), nullptr);

        snprintf(text, sizeof text, "%03d %s", formula.step_count, p[189].c_str());
        GtkWidget* steps = new_row_button(text, "btn_frm_step_#", rows, STEP_WIDTH, false);
        g_signal_connect(steps, "released", G_CALLBACK(func_unload_formulas_screen), nullptr);

        GtkWidget* columns[] = {number, active, name, steps};
        for (guint column = 0; column < 4; ++column)
            gtk_table_attach(GTK_TABLE(table), columns[column], column, column + 1, rows, rows + 1, GTK_FILL,
                             GTK_FILL, 0, 0);
        formula_selections_number[rows] = number;
        formula_selections_active[rows] = active;
        formula_selections_name[rows] = name;
        formula_selections_step[rows] = steps;
    }
    for (int row = rows; row < FORMULAS_ROWS; ++row)
        formula_selections_number[row] = formula_selections_active[row] = formula_selections_name[row] =
            formula_selections_step[row] = nullptr;
    info.rows_shown = rows;
    gtk_table_resize(GTK_TABLE(table), rows + 1, 4);
    shown.list_height = rows * FORMULAS_ROW_HEIGHT;
    gtk_widget_show_all(table);

    const std::string yes = func_image_dir() + "icon_yes.png";
    const std::string no = func_image_dir() + "icon_no.png";
    const std::string next = func_image_dir() + "icon_next_page_24.png";
    for (int row = 0; row < rows; ++row) {
        const bool on = g_ascii_strcasecmp(func_get_widget_label_text(formula_selections_active[row]),
                                           p[29].c_str()) == 0;
        func_set_button_icon(formula_selections_active[row], (on ? yes : no).c_str(), ICON_LEFT);
        func_set_button_icon(formula_selections_step[row], next.c_str(), ICON_LEFT);
        func_set_widget_font_and_color(formula_selections_active[row], PICTURE_LABEL_FONT, nullptr, nullptr, nullptr);
        func_set_widget_font_and_color(formula_selections_step[row], PICTURE_LABEL_FONT, nullptr, nullptr, nullptr);
    }

    if (info.pressed_row >= 0 && info.pressed_page == info.current_page && info.pressed_row < rows) {
        func_show_button_pressed_state_static_test(formula_selections_name[info.pressed_row], nullptr);
        enable_row_options(info.pressed_row, 1, nullptr);
        func_enable_clone_ren_del_button(1);
        info.reload = 0;
    } else {
        func_enable_clone_ren_del_button(0);
    }
    func_enable_disable_page_up_down_button();
    if (shown.window)
        gtk_widget_queue_draw(shown.window);
}

void func_get_formula_list_data_from_buttons_test()
{
    page_list_info& info = formulas_list();
    if (info.reload != 1 || !formula_list_store ||
        gtk_tree_model_iter_n_children(GTK_TREE_MODEL(formula_list_store), nullptr) < 1)
        return;
    auto* snapshot = new (std::nothrow) formula_snapshot();
    if (!snapshot) {
        func_write_log(LOG_SYSERROR, "func_get_formula_data_from_buttons: Error Allocating Buffer for formula list",
                       0);
        return;
    }
    for (int row = 0; row < info.rows_shown && row < FORMULAS_ROWS; ++row) {
        GtkWidget* number = formula_selections_number[row];
        GtkWidget* active = formula_selections_active[row];
        GtkWidget* name = formula_selections_name[row];
        GtkWidget* steps = formula_selections_step[row];
        if (!number || !active || !name || !steps)
            continue;
        formula_record record;
        record.number = atoi(func_get_widget_label_text(number));
        // A label that is none of the option texts keeps the stored flag.
        std::unique_ptr<formula_record> stored(func_get_selected_formula_from_liststore_test(record.number));
        if (stored)
            record.active = stored->active;
        const int index = func_option_index(frm_lookup_table, FRM_TABLE_SIZE, FRM_LOOKUP_WIDTH, 0,
                                            func_get_widget_label_text(active));
        if (index >= 0)
            record.active = index;
        record.name = func_get_widget_label_text(name);
        record.step_count = atoi(std::string(func_get_widget_label_text(steps)).substr(0, 3).c_str());
        snapshot->records.push_back(record);
    }
    func_update_formula_list_liststore_test(snapshot);
    page_info[SCREEN_HOME].list.reload = 1;
}

void func_unload_formulas_screen(GtkWidget* widget, gpointer)
{
    const bool upward = func_widget_name_is(widget, "btn_home") || func_widget_name_is(widget, "btn_previous_page");
    formula_steps_show_function next = upward ? func_show_home_screen : formulas_screen_steps_target;
    if (!next) {
        // No steps screen in this build: keep the edits, stay here.
        func_get_formula_list_data_from_buttons_test();
        return;
    }
    func_end_log_transaction();
    func_get_formula_list_data_from_buttons_test();
    formulas_list().reload = 1;
    func_hide_screen(formulas_record().window);
    next(widget, nullptr);
}

void func_save_display_formulas_data(GtkWidget* widget, gpointer)
{
    // Paging rebuilds the rows from the list: keep what was edited first.
    func_get_formula_list_data_from_buttons_test();
    func_show_page_info_test(widget, nullptr);
}

void func_goto_formula_number_formula(int number)
{
    if (func_current_screen_code() != SCREEN_FORMULAS)
        return;
    page_list_info& info = formulas_list();
    if (info.total_items < 1)
        return;
    const int position = func_find_formula_number(number);
    if (position == -1) {
        char text[512];
        snprintf(text, sizeof text, "%s %03d %s", p[186].c_str(), number, p[287].c_str());
        func_show_dialog(3, text, 1, nullptr);
        return;
    }
    func_select_formula_position(position);
    func_show_page_info_test(nullptr, nullptr);
}

void func_select_formula_position(int position)
{
    page_list_info& info = formulas_list();
    if (position < 0) {
        info.pressed_row = -1;
        info.active_row = -1;
        info.selected_number = -1;
        info.selected_text[0] = '\0';
        forget_step_selection();
        return;
    }
    const int row = position % FORMULAS_ROWS;
    const int page = position / FORMULAS_ROWS + 1;
    if (row != info.pressed_row || page != info.pressed_page)
        forget_step_selection();
    info.pressed_row = row;
    info.pressed_page = page;
    info.current_page = page;
    info.reload = 1;
}
