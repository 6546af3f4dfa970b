#include "formulas/formulas_screen.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "formulas/formula_list.h"
#include "formulas/formula_operations.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "link/ipc_link.h"
#include "logs/log_file.h"

namespace {
// Three digits, ON/OFF beside its 32-pixel mark and "000 Steps" beside its
// arrow must stay readable in a 55-pixel row, so the name column gives up
// some of the 400-pixel width and the two labels with pictures use a
// slightly smaller font (bound to their names in lumex.gtkrc, so that a
// toggled label keeps it).
constexpr int FRM_TABLE_SIZE = sizeof frm_lookup_table / sizeof frm_lookup_table[0];

page_list_info& formulas_list() { return page_info[SCREEN_FORMULAS].list; }

// The formulas of the page shown, filled by the display.
std::unique_ptr<formula_snapshot> shown_formulas;

std::string active_picture(int, const std::string& text)
{
    return g_ascii_strcasecmp(text.c_str(), p[29].c_str()) == 0 ? "icon_yes.png" : "icon_no.png";
}

std::string next_picture(int, const std::string&) { return "icon_next_page_24.png"; }

// A different formula chosen: the steps screen's selection belonged to
// the previous one.
void forget_step_selection()
{
    page_list_info& steps = page_info[SCREEN_STEPS].list;
    steps.pressed_row = -1;
    steps.active_row = -1;
}

void after_formula_row_press(int row, gpointer)
{
    const page_list_info& info = formulas_list();
    if (row != info.pressed_row || info.pressed_page != info.current_page)
        forget_step_selection();
}

void goto_formula_pressed(GtkWidget* widget, gpointer) { func_show_data_entry_dialog(widget, GINT_TO_POINTER(50)); }

void show_formulas()
{
    if (!func_begin_screen_show(SCREEN_FORMULAS, 186))
        return;
    func_begin_log_transaction();
    func_load_formula_list_from_file();
    func_display_formula_test();
    func_end_screen_show(SCREEN_FORMULAS);
    func_start_screen_display_request();
}

void reload_formulas()
{
    func_load_formula_list_from_file();
    formulas_list().reload = 0;
    func_display_formula_test();
}

std::string log_heading() { return p[184] + " " + p[186]; }

// The active flag of a formula is an operator change like any other.
std::string item_label(GtkWidget*)
{
    char text[96];
    snprintf(text, sizeof text, "%s F-%03d", p[186].c_str(), formulas_list().selected_number);
    return text;
}
}  // namespace

list_page formulas_page = [] {
    list_page list;
    list.rows = FORMULAS_ROWS;
    list.row_height = FORMULAS_ROW_HEIGHT;
    list.fixed_height = true;
    list.columns = {
        {"btn_frm_number_#", 50, nullptr, nullptr, G_CALLBACK(func_change_formula_number)},
        {"btn_frm_active_#", 68, nullptr, nullptr, G_CALLBACK(func_show_selection_dialog), false, false, false,
         active_picture, ICON_LEFT, GINT_TO_POINTER(1)},
        {"btn_frm_name_#", 164, nullptr, nullptr, G_CALLBACK(func_show_button_pressed_state_static_test), true,
         false, true},
        {"btn_frm_step_#", 118, nullptr, nullptr, G_CALLBACK(func_unload_formulas_screen), false, false, false,
         next_picture},
    };
    list.number_column = FORMULAS_NUMBER;
    list.name_column = FORMULAS_NAME;
    list.selection_buttons = {1, 2, 3};
    list.after_row_press = after_formula_row_press;
    list.redraw = func_display_formula_test;
    return list;
}();

void func_register_formulas_screen()
{
    screen_description screen = func_describe_screen(
        SCREEN_FORMULAS, "formulas", "lumex_formulas_screen.ui", "win_formulas_screen", FORMULAS_LIST_WIDTH,
        FORMULAS_LIST_HEIGHT, func_load_formulas_screen, show_formulas, reload_formulas);
    // Clone, rename and delete must be the second to fourth: the list's
    // selection buttons.
    screen.buttons = {"btn_add_formula", "btn_clone_formula", "btn_rename_formula", "btn_delete_formula",
                      "btn_home",        "btn_previous_page", "btn_goto_formula"};
    screen.log_heading = log_heading;
    screen.display_request = func_update_formula_display;
    screen.request_code = REQUEST_CODE_FORMULAS;
    screen.option_row = func_get_formula_item_row;
    screen.item_label = item_label;
    screen.list = &formulas_page;
    screen.home_button = "btn_formula";
    screen.password_item = 45;
    func_register_screen(screen);
    func_register_formula_operations();
}

void func_load_formulas_screen(const ui_file& ui, display_data& record)
{
    func_lookup_widget(ui, "layout_formulas_screen");
    func_setup_list_buttons(record, {G_CALLBACK(func_process_add_formula), G_CALLBACK(func_process_copy_formula),
                                     G_CALLBACK(func_rename_formula_test), G_CALLBACK(func_confirm_delete_formula),
                                     G_CALLBACK(func_unload_formulas_screen),
                                     G_CALLBACK(func_save_display_formulas_data)});
    func_connect_released(record.buttons[6], G_CALLBACK(goto_formula_pressed), nullptr);
}

void func_show_formulas_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_FORMULAS); }

void func_display_formula_test()
{
    if (func_current_screen_code() != SCREEN_FORMULAS)
        return;
    func_show_message(5, p[186]);
    shown_formulas.reset(func_get_formula_list_from_liststore(false));
    func_build_list_page(formulas_page, shown_formulas->count(), [](int item, int column) -> std::string {
        const formula_record& formula = shown_formulas->records[static_cast<size_t>(item)];
        char text[96];
        switch (column) {
        case FORMULAS_NUMBER:
            snprintf(text, sizeof text, "%03d", formula.number);
            return text;
        case FORMULAS_ACTIVE: return formula.active ? p[29] : p[28];
        case FORMULAS_NAME: return formula.name;
        default:
            snprintf(text, sizeof text, "%03d %s", formula.step_count, p[189].c_str());
            return text;
        }
    });
}

int func_get_formula_list_data_from_buttons_test()
{
    page_list_info& info = formulas_list();
    if (info.reload != 1 || func_get_formula_count() < 1)
        return 1;
    auto* snapshot = new formula_snapshot();
    for (const std::vector<std::string>& row : func_harvest_list_page(formulas_page)) {
        formula_record record;
        record.number = atoi(row[FORMULAS_NUMBER].c_str());
        // A label that is none of the option texts keeps the stored flag.
        std::unique_ptr<formula_record> stored(func_get_selected_formula_from_liststore_test(record.number));
        if (stored)
            record.active = stored->active;
        const int index = func_option_index(frm_lookup_table, FRM_TABLE_SIZE, FRM_LOOKUP_WIDTH, 0,
                                            row[FORMULAS_ACTIVE]);
        if (index >= 0)
            record.active = index;
        record.name = row[FORMULAS_NAME];
        record.step_count = atoi(row[FORMULAS_STEPS].substr(0, 3).c_str());
        snapshot->records.push_back(record);
    }
    const int saved = func_update_formula_list_liststore_test(snapshot);
    if (saved)
        info.reload = 0;
    page_info[SCREEN_HOME].list.reload = 1;
    return saved;
}

void func_unload_formulas_screen(GtkWidget* widget, gpointer)
{
    const bool upward = func_widget_name_is(widget, "btn_home") || func_widget_name_is(widget, "btn_previous_page");
    func_end_screen_log_transaction();
    func_get_formula_list_data_from_buttons_test();
    formulas_list().reload = 1;
    func_show_screen(upward ? SCREEN_HOME : SCREEN_STEPS);
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
    const int position = func_find_formula_number(number, false);
    if (position == -1) {
        func_show_not_found(186, number);
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
