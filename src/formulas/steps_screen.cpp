#include "formulas/steps_screen.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "configuration/configuration_record.h"
#include "formulas/step_list.h"
#include "formulas/step_operations.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "language/language.h"
#include "language/units.h"
#include "logs/log_file.h"

namespace {
// A toolkit size request is the size given, not a minimum: a 20-pixel
// number tag would cut "001" down to its first stroke, and a 160-pixel
// type button "Standard Extract (01:30)" beside its arrow. The name
// column gives up the width (405 = 50 + 148 + 195 + two spacings). The
// number and type fonts are bound to their names in lumex.gtkrc.

display_data& steps_record() { return preloaded_display[SCREEN_STEPS]; }
page_list_info& steps_list() { return page_info[SCREEN_STEPS].list; }

// The steps of the page shown, filled by the display.
std::unique_ptr<step_snapshot> shown_steps;

bool is_extract(int type) { return type > STEP_SOAK_WASH; }

// Extract steps are never copied: the clone button follows the type of
// the step selected (the row handlers' data).
void after_step_row_press(int, gpointer data)
{
    if (GtkWidget* clone = steps_record().buttons[1])
        gtk_widget_set_sensitive(clone, !is_extract(GPOINTER_TO_INT(data)));
}

gpointer type_of_item(int item)
{
    if (!shown_steps || item < 0 || item >= shown_steps->count())
        return nullptr;
    return GINT_TO_POINTER(shown_steps->records[static_cast<size_t>(item)].items[STEP_TYPE]);
}

std::string next_picture(int, const std::string&) { return "icon_next_page_24.png"; }

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

void show_steps()
{
    if (!func_begin_screen_show(SCREEN_STEPS, 189))
        return;
    func_begin_log_transaction();
    const int formula = func_get_selected_number(SCREEN_FORMULAS);
    if (formula >= 0)
        func_load_step_list_from_file(formula, func_metric_units());
    else
        func_remove_all_step_rows();
    func_display_step_list_test();
    func_end_screen_show(SCREEN_STEPS);
}

void reload_steps()
{
    const int formula = func_get_selected_number(SCREEN_FORMULAS);
    if (formula >= 0)
        func_load_step_list_from_file(formula, func_metric_units());
    steps_list().reload = 0;
    func_display_step_list_test();
}

std::string log_heading()
{
    const page_list_info& formulas = page_info[SCREEN_FORMULAS].list;
    if (formulas.selected_number == -1)
        return "";
    char text[512];
    snprintf(text, sizeof text, "%s %s : F-%03d (%s)", p[184].c_str(), p[187].c_str(), formulas.selected_number,
             formulas.selected_text);
    return text;
}
}  // namespace

list_page steps_page = [] {
    list_page list;
    list.rows = STEPS_ROWS;
    list.row_height = STEPS_ROW_HEIGHT;
    list.column_spacing = 6;
    list.fixed_height = true;
    list_column number{"lbl_stp_number_#", 50};
    list_column name{"btn_stp_name_#", 140, nullptr, nullptr, G_CALLBACK(func_show_button_pressed_state_static_test),
                     true, false, true};
    name.expand = true;
    list_column type{"btn_stp_type_#", 195, nullptr, nullptr, G_CALLBACK(func_unload_steps_screen), false, false,
                     false, next_picture, ICON_RIGHT};
    list.columns = {number, name, type};
    list.number_column = STEPS_NUMBER;
    list.name_column = STEPS_NAME;
    list.selection_buttons = {1, 2, 3};
    list.data = type_of_item;
    list.after_row_press = after_step_row_press;
    list.redraw = func_display_step_list_test;
    return list;
}();

void func_register_steps_screen()
{
    screen_description screen =
        func_describe_screen(SCREEN_STEPS, "steps", "lumex_steps_screen.ui", "win_steps_screen", STEPS_LIST_WIDTH,
                             STEPS_LIST_HEIGHT, func_load_steps_screen, show_steps, reload_steps);
    // Clone, rename and delete must be the second to fourth: the list's
    // selection buttons.
    screen.buttons = {"btn_add_step", "btn_clone_step", "btn_rename_step", "btn_delete_step", "btn_home",
                      "btn_previous_page"};
    screen.log_heading = log_heading;
    screen.option_row = func_get_step_item_row;
    screen.list = &steps_page;
    screen.selection_options = func_get_step_menu_options;
    screen.selection_chosen = func_step_menu_chosen;
    func_register_screen(screen);
    func_register_step_operations();
}

void func_load_steps_screen(const ui_file& ui, display_data& record)
{
    func_lookup_widget(ui, "layout_steps_screen");
    func_lookup_widget(ui, "layout_expanded_buttons");
    func_setup_list_buttons(record, {G_CALLBACK(fun_add_insert_step), G_CALLBACK(fun_copy_insert_step),
                                     G_CALLBACK(func_rename_step_test), G_CALLBACK(func_confirm_delete_step),
                                     G_CALLBACK(func_unload_steps_screen), G_CALLBACK(save_display_steps_data)});
}

void func_show_steps_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_STEPS); }

void func_display_step_list_test()
{
    if (func_current_screen_code() != SCREEN_STEPS)
        return;
    const page_list_info& formulas = page_info[SCREEN_FORMULAS].list;
    char heading[96];
    snprintf(heading, sizeof heading, "F-%03d - %s", formulas.selected_number, formulas.selected_text);
    func_show_message(5, heading);

    shown_steps.reset(func_get_step_list_from_liststore());
    func_build_list_page(steps_page, shown_steps->count(), [](int item, int column) -> std::string {
        const step_record& step = shown_steps->records[static_cast<size_t>(item)];
        char text[16];
        switch (column) {
        case STEPS_NUMBER:
            snprintf(text, sizeof text, "%03d", step.number);
            return text;
        case STEPS_NAME: return step.name;
        default: return type_text(step);
        }
    });
}

void func_get_step_list_data_from_buttons_test()
{
    page_list_info& info = steps_list();
    if (info.reload != 1)
        return;
    const int formula = func_get_selected_number(SCREEN_FORMULAS);
    if (func_get_step_row_count() < 1) {
        func_save_step_list_to_file(formula, func_metric_units());
        info.reload = 0;
        return;
    }
    auto* snapshot = new step_snapshot();
    for (const std::vector<std::string>& row : func_harvest_list_page(steps_page)) {
        step_record record;
        record.number = atoi(row[STEPS_NUMBER].c_str());
        record.name = row[STEPS_NAME];
        snapshot->records.push_back(record);
    }
    // Sets the names and saves steps.dat (and the formula's step count and time).
    func_update_step_list_liststore_test(formula, func_metric_units(), snapshot);
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
            func_show_button_pressed_state_static_test(steps_page.button(STEPS_NAME, row), data);
    }
    func_get_step_list_data_from_buttons_test();
    func_end_screen_log_transaction();
    steps_list().reload = 1;
    func_show_screen(back ? SCREEN_FORMULAS : home ? SCREEN_HOME : SCREEN_SELECTED_STEP);
}
