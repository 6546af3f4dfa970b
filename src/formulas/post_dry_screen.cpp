#include "formulas/post_dry_screen.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "entry/value_limits.h"
#include "formulas/post_dry.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "link/ipc_link.h"
#include "logs/log_file.h"

namespace {
constexpr int LIST_WIDTH = 400;
constexpr int LIST_HEIGHT = 360;
constexpr int ROWS = 6;
// Language slots: the list's title and the word for an entry.
constexpr int SLOT_TITLE = 584;
constexpr int SLOT_POST_DRY = 901;
constexpr int MENU_ROW = 2;

page_list_info& post_dry_list() { return page_info[SCREEN_POST_DRY].list; }
bool post_dry_shown() { return func_current_screen_code() == SCREEN_POST_DRY; }

std::vector<post_dry_record> shown_entries;

// "F-012 DryCode": which entry and which of its values.
std::string item_label(GtkWidget* caller)
{
    const int row = func_get_index_from_widget_name_no_page_adjust(caller);
    if (row < 0)
        return "";
    const std::string formula = func_get_widget_label_text(post_dry_page.button(POST_DRY_FORMULA, row));
    const bool destination = std::string(gtk_widget_get_name(caller)).find("destination") != std::string::npos;
    return "F-" + formula + " " + post_dry_selections_label_value[destination ? 2 : 1];
}

std::string three_digits(int value)
{
    char text[16];
    snprintf(text, sizeof text, "%03d", value);
    return text;
}

// The list into its file; when that fails the list is read back from it.
bool save_entries()
{
    if (func_save_post_dry_list_to_file()) {
        post_dry_list().reload = 0;
        return true;
    }
    func_load_post_dry_list_from_file();
    return false;
}

void show_wait(int operation_slot) { func_show_wait_dialog(operation_slot, SLOT_POST_DRY); }

void show_post_dry()
{
    if (!func_begin_screen_show(SCREEN_POST_DRY, SLOT_TITLE))
        return;
    GtkWidget* labels[] = {options_display->labels[0], options_display->labels[1], options_display->labels[2]};
    for (int column = 0; column < 3; ++column)
        if (labels[column])
            gtk_label_set_text(GTK_LABEL(labels[column]), post_dry_selections_label_value[column].c_str());
    func_begin_log_transaction();
    func_load_post_dry_list_from_file();
    post_dry_list().reload = 0;
    func_display_post_dry_test();
    func_end_screen_show(SCREEN_POST_DRY);
    func_start_screen_display_request();
}

void reload_post_dry()
{
    func_load_post_dry_list_from_file();
    post_dry_list().reload = 0;
    func_display_post_dry_test();
}

// --- the item codes and question the screen owns -----------------------------------

void number_saved(const item_save& save)
{
    const int formula = static_cast<int>(func_read_whole_number(save.text));
    if (func_find_formula_number_post_dry(formula) < 0)
        func_add_post_dry_test(save.caller, formula);
    else
        func_select_added_post_dry_item(formula);
}

void goto_saved(const item_save& save)
{
    const long long formula = func_read_whole_number(save.text);
    if (formula >= 1 && formula < 1000)
        func_goto_formula_number_post_dry(static_cast<int>(formula));
}

void delete_confirmed(gpointer data) { func_process_delete_post_dry(nullptr, data); }
void goto_pressed(GtkWidget* widget, gpointer) { func_show_data_entry_dialog(widget, GINT_TO_POINTER(51)); }
}  // namespace

list_page post_dry_page = [] {
    list_page list;
    list.rows = ROWS;
    list.row_height = 55;
    list.row_spacing = 6;
    list.column_spacing = 5;
    list.fixed_height = true;
    list_column formula{"btn_post_dry_formula_#", 130, nullptr, nullptr,
                        G_CALLBACK(func_show_button_pressed_state_static_test), true};
    list_column drycode{"btn_post_dry_drycode_#", 130, nullptr, nullptr, G_CALLBACK(func_show_data_entry_dialog)};
    drycode.data = GINT_TO_POINTER(34);
    list_column destination{"btn_post_dry_destination_#", 130, nullptr, nullptr,
                            G_CALLBACK(func_show_data_entry_dialog)};
    destination.data = GINT_TO_POINTER(35);
    list.columns = {formula, drycode, destination};
    list.number_column = POST_DRY_FORMULA;
    list.name_column = POST_DRY_FORMULA;
    // Delete is the fourth screen button.
    list.selection_buttons = {3};
    list.redraw = func_display_post_dry_test;
    return list;
}();

void func_register_post_dry_screen()
{
    screen_description screen =
        func_describe_screen(SCREEN_POST_DRY, "post_dry", "lumex_post_dry_screen.ui", "win_formulas_screen",
                             LIST_WIDTH, LIST_HEIGHT, func_load_post_dry_screen, show_post_dry, reload_post_dry);
    screen.buttons = {"btn_add_formula", "btn_home", "btn_previous_page", "btn_delete_formula", "btn_goto_formula"};
    screen.item_label = item_label;
    screen.list = &post_dry_page;
    screen.display_request = func_update_post_dry_display;
    screen.request_code = REQUEST_CODE_POST_DRY;
    screen.home_menu_row = MENU_ROW;
    func_register_screen(screen);
    func_register_item_action(33, number_saved);
    func_register_item_action(51, goto_saved);
    func_register_dialog_action(25, 0, delete_confirmed);
}

void func_load_post_dry_screen(const ui_file& ui, display_data& record)
{
    record.labels[0] = func_lookup_widget(ui, "lbl_post_dry_formula");
    record.labels[1] = func_lookup_widget(ui, "lbl_post_dry_drycode");
    record.labels[2] = func_lookup_widget(ui, "lbl_post_dry_destination");
    func_connect_released(record.buttons[0], G_CALLBACK(func_process_add_post_dry), nullptr);
    func_connect_released(record.buttons[1], G_CALLBACK(func_unload_post_dry_screen), nullptr);
    func_connect_released(record.buttons[2], G_CALLBACK(func_unload_post_dry_screen), nullptr);
    func_connect_released(record.buttons[3], G_CALLBACK(func_confirm_delete_post_dry), nullptr);
    func_connect_released(record.buttons[4], G_CALLBACK(goto_pressed), nullptr);
    func_connect_page_buttons(record, G_CALLBACK(func_save_display_post_dry_data));
    gtk_widget_set_sensitive(record.buttons[3], FALSE);
}

void func_show_post_dry_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_POST_DRY); }

void func_display_post_dry_test()
{
    if (!post_dry_shown())
        return;
    func_show_message(5, p[SLOT_TITLE]);
    shown_entries = func_get_post_dry_list_from_liststore();
    func_build_list_page(post_dry_page, static_cast<int>(shown_entries.size()), [](int item, int column) {
        const post_dry_record& entry = shown_entries[static_cast<size_t>(item)];
        return three_digits(column == POST_DRY_FORMULA ? entry.formula
                            : column == POST_DRY_DRYCODE ? entry.drycode
                                                         : entry.destination);
    });
}

int func_get_post_dry_list_data_from_buttons_test()
{
    if (post_dry_list().reload != 1 || func_get_post_dry_count() < 1)
        return 1;
    std::vector<post_dry_record> records;
    for (const std::vector<std::string>& row : func_harvest_list_page(post_dry_page))
        records.push_back({atoi(row[POST_DRY_FORMULA].c_str()), atoi(row[POST_DRY_DRYCODE].c_str()),
                           atoi(row[POST_DRY_DESTINATION].c_str())});
    func_update_post_dry_rows(records);
    return save_entries() ? 1 : 0;
}

void func_save_display_post_dry_data(GtkWidget* widget, gpointer)
{
    func_get_post_dry_list_data_from_buttons_test();
    func_show_page_info_test(widget, nullptr);
}

void func_unload_post_dry_screen(GtkWidget*, gpointer)
{
    // There is no cancel: leaving keeps the edits.
    func_end_screen_log_transaction();
    func_get_post_dry_list_data_from_buttons_test();
    post_dry_list().reload = 1;
    func_show_screen(SCREEN_HOME);
}

void func_process_add_post_dry(GtkWidget* widget, gpointer)
{
    func_get_post_dry_list_data_from_buttons_test();
    GtkWidget* anchor = func_selected_row_button(post_dry_page, POST_DRY_FORMULA);
    func_show_data_entry_dialog(anchor ? anchor : widget, GINT_TO_POINTER(33));
    post_dry_list().reload = 1;
}

int func_add_post_dry_test(GtkWidget*, int formula)
{
    if (!post_dry_shown())
        return 0;
    func_get_post_dry_list_data_from_buttons_test();
    if (func_get_post_dry_count() >= POST_DRY_LIST_MAX) {
        func_write_log(LOG_SYSERROR, "add_new_post_dry : Max Number of post dry reached, no new post dry can be added",
                       0);
        return 0;
    }
    if (formula < 1 || formula > 999)
        return 0;
    show_wait(286);
    func_append_post_dry_row(formula);
    const bool saved = save_entries();
    if (saved) {
        char line[128];
        snprintf(line, sizeof line, "------> [F-%03d]  DryCode=%d  Dest=%d", formula, 0, 0);
        func_add_log_transaction(line, 1);
        func_select_added_post_dry_item(formula);
    } else {
        func_display_post_dry_test();
    }
    post_dry_list().reload = 1;
    func_close_active_dialog();
    return saved ? 1 : 0;
}

void func_select_added_post_dry_item(int formula)
{
    const int position = func_find_formula_number_post_dry(formula);
    if (position < 0) {
        func_display_post_dry_test();
        return;
    }
    page_list_info& info = post_dry_list();
    info.pressed_row = position % ROWS;
    info.pressed_page = position / ROWS + 1;
    info.current_page = info.pressed_page;
    info.reload = 1;
    func_show_page_info_test(nullptr, nullptr);
}

void func_goto_formula_number_post_dry(int formula)
{
    if (!post_dry_shown() || func_get_post_dry_count() < 1)
        return;
    if (func_find_formula_number_post_dry(formula) < 0) {
        func_show_not_found(186, formula);
        return;
    }
    func_select_added_post_dry_item(formula);
}

void func_confirm_delete_post_dry(GtkWidget*, gpointer)
{
    const page_list_info& info = post_dry_list();
    if (func_get_post_dry_count() < 1 || info.selected_number == -1 || info.pressed_row < 0)
        return;
    char text[256];
    snprintf(text, sizeof text, "%s F-%03d %s ?", p[279].c_str(), info.selected_number, p[SLOT_POST_DRY].c_str());
    func_show_dialog(25, text, 1, nullptr);
}

void func_process_delete_post_dry(GtkWidget* widget, gpointer)
{
    func_close_active_dialog();
    func_delete_post_dry_test(widget);
}

void func_delete_post_dry_test(GtkWidget*)
{
    func_get_post_dry_list_data_from_buttons_test();
    page_list_info& info = post_dry_list();
    if (func_get_post_dry_count() < 1 || info.selected_number == -1)
        return;
    const int formula = info.selected_number;
    show_wait(285);
    if (func_remove_post_dry_row(formula)) {
        if (save_entries()) {
            char line[128];
            snprintf(line, sizeof line, "------> [%s %s] F-%03d", p[279].c_str(), p[SLOT_POST_DRY].c_str(), formula);
            func_add_log_transaction(line, 1);
            const int left = func_get_post_dry_count();
            func_set_selection_after_deletion(left);
            if (info.pressed_row < 0)
                info.selected_number = -1;
        }
    }
    info.reload = 1;
    func_display_post_dry_test();
    func_close_active_dialog();
}
