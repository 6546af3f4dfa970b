#include "formulas/formula_operations.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "entry/value_limits.h"
#include "files/record_bytes.h"
#include "formulas/formula_changes.h"
#include "formulas/formula_list.h"
#include "formulas/formulas_screen.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "logs/log_file.h"

namespace {
page_list_info& formulas_list() { return page_info[SCREEN_FORMULAS].list; }
bool formulas_shown() { return func_current_screen_code() == SCREEN_FORMULAS; }

// Position of a formula in the sorted list, -1 when absent.
int sorted_position_of(int number) { return func_find_formula_number(number, false); }

// A new formula needs a number that a folder "f-%03d" and the screens can
// show, and that no formula has: its folder would otherwise be replaced.
bool usable_new_number(const char* function, int number)
{
    char text[160];
    if (number < 1 || number > FORMULA_LIST_MAX) {
        snprintf(text, sizeof text, "%s : Formula number %d is outside 1 to %d", function, number, FORMULA_LIST_MAX);
        func_write_log(LOG_SYSERROR, text, 0);
        return false;
    }
    if (func_formula_number_taken(number)) {
        snprintf(text, sizeof text, "%s : Formula number %03d is already in use", function, number);
        func_write_log(LOG_SYSERROR, text, 0);
        return false;
    }
    return true;
}

bool list_full()
{
    if (func_get_formula_count() <= FORMULA_LIST_MAX - 1)
        return false;
    func_write_log(LOG_SYSERROR, "add_new_formula : Max Number of formula reached, no new formula can be added", 0);
    return true;
}

void show_wait_dialog(int operation_slot) { func_show_wait_dialog(operation_slot, 186); }

bool formula_selected()
{
    const page_list_info& info = formulas_list();
    return info.pressed_row >= 0 && info.selected_number >= 0;
}

GtkWidget* selected_row_button(int column) { return func_selected_row_button(formulas_page, column); }

void open_data_entry(GtkWidget* caller, int item_code)
{
    func_get_formula_list_data_from_buttons_test();
    func_show_data_entry_dialog(caller, GINT_TO_POINTER(item_code));
    formulas_list().reload = 1;
}

// After the list was saved with its folders (formula_changes.h), or not:
// then the store is read back from the file, so that the screen shows
// what is on disk.
bool list_saved(int saved)
{
    if (saved) {
        formulas_list().reload = 0;
        return true;
    }
    func_load_formula_list_from_file();
    return false;
}

// After an add or copy: the new formula is drawn selected on its page.
// 1 when it was saved.
int finish_new_formula(int number, const std::string& line, int saved_with_folder)
{
    page_list_info& info = formulas_list();
    const bool saved = list_saved(saved_with_folder);
    if (saved) {
        func_add_log_transaction(line, 1);
        info.total_items += 1;
        func_select_formula_position(sorted_position_of(number));
    }
    func_display_formula_test();
    info.reload = 1;
    func_close_active_dialog();
    return saved ? 1 : 0;
}

std::string number_text(int number)
{
    char text[16];
    snprintf(text, sizeof text, "%03d", number);
    return text;
}

void show_number_taken(int number)
{
    char text[800];
    snprintf(text, sizeof text, "%s #%03d %s   \n   %s", p[186].c_str(), number, p[217].c_str(), p[218].c_str());
    func_show_dialog(1, text, 1, nullptr);
}

// --- the item codes and dialog the operations own -----------------------------------

void renamed(const item_save& save)
{
    page_list_info& selected = formulas_list();
    g_strlcpy(selected.selected_text, save.text.c_str(), sizeof selected.selected_text);
    char line[512];
    snprintf(line, sizeof line, "------> [%s] : F-%03d : %s --> %s", p[280].c_str(), selected.selected_number,
             save.old_text.c_str(), save.text.c_str());
    func_add_log_transaction(line, 0);
    func_set_widget_label(save.caller, save.text);
}

void renumbered(const item_save& save)
{
    func_process_change_formula_number(save.caller, static_cast<int>(func_read_whole_number(save.text)));
}

void added_or_copied(const item_save& save)
{
    const int number = static_cast<int>(func_read_whole_number(save.text));
    if (func_formula_number_taken(number)) {
        show_number_taken(number);
        return;
    }
    if (save.code == 24)
        func_copy_formula_test(save.caller, number);
    else
        func_add_formula_test(save.caller, number);
}

void goto_saved(const item_save& save)
{
    const long long number = func_read_whole_number(save.text);
    if (number >= 1 && number < 1000)
        func_goto_formula_number_formula(static_cast<int>(number));
}

std::string proposed_number(int) { return number_text(func_get_next_free_formula_number()); }

void delete_confirmed(gpointer data) { func_process_delete_formula(nullptr, data); }
}  // namespace

void func_register_formula_operations()
{
    func_register_item_action(1, renamed);
    func_register_item_action(23, renumbered);
    func_register_item_action(24, added_or_copied);
    func_register_item_action(25, added_or_copied);
    func_register_item_action(50, goto_saved);
    func_register_item_proposal(24, proposed_number);
    func_register_item_proposal(25, proposed_number);
    func_register_dialog_action(10, 0, delete_confirmed);
}

// --- entry points of the formulas screen's buttons -----------------------------------

void func_process_add_formula(GtkWidget* widget, gpointer)
{
    if (!formulas_shown())
        return;
    // With nothing selected the dialog only needs somewhere to open from.
    GtkWidget* anchor = selected_row_button(FORMULAS_NUMBER);
    open_data_entry(anchor ? anchor : widget, 25);
}

void func_process_copy_formula(GtkWidget* widget, gpointer)
{
    if (!formulas_shown() || !formula_selected() || func_get_formula_count() < 1)
        return;
    GtkWidget* anchor = selected_row_button(FORMULAS_NUMBER);
    open_data_entry(anchor ? anchor : widget, 24);
}

void func_rename_formula_test(GtkWidget*, gpointer)
{
    if (!formulas_shown() || !formula_selected())
        return;
    if (GtkWidget* name = selected_row_button(FORMULAS_NAME))
        open_data_entry(name, 1);
}

void func_change_formula_number(GtkWidget*, gpointer)
{
    if (!formulas_shown() || !formula_selected())
        return;
    if (GtkWidget* number = selected_row_button(FORMULAS_NUMBER))
        open_data_entry(number, 23);
}

void func_confirm_delete_formula(GtkWidget*, gpointer)
{
    if (!formulas_shown() || func_get_formula_count() < 1 || !formula_selected())
        return;
    const page_list_info& info = formulas_list();
    char text[256];
    snprintf(text, sizeof text, "%s F-%03d (%s) ?", p[279].c_str(), info.selected_number, info.selected_text);
    func_show_dialog(10, text, 1, nullptr);
}

void func_process_delete_formula(GtkWidget* widget, gpointer data)
{
    func_close_active_dialog();
    func_delete_formula_test(widget, data);
}

// --- the operations ----------------------------------------------------------------

int func_add_formula_test(GtkWidget*, int number)
{
    if (!formulas_shown())
        return 0;
    func_get_formula_list_data_from_buttons_test();
    if (list_full() || !usable_new_number("add_new_formula", number))
        return 0;
    show_wait_dialog(286);

    char name[128];
    snprintf(name, sizeof name, "[N] %s %03d", p[186].c_str(), number);
    formula_record record;
    record.number = number;
    record.active = 1;
    record.name = func_cut_text_utf8(name, FORMULA_NAME_SIZE - 1);

    char line[256];
    snprintf(line, sizeof line, "------> [%s] F-%03d (%s)", p[278].c_str(), number, record.name.c_str());
    func_append_formula_row(record);
    return finish_new_formula(number, line, func_save_formula_list_with_new(number));
}

int func_copy_formula_test(GtkWidget*, int number)
{
    if (!formulas_shown())
        return 0;
    func_get_formula_list_data_from_buttons_test();
    if (!formula_selected())
        return 0;
    if (list_full() || !usable_new_number("func_copy_formula", number))
        return 0;
    const int source = formulas_list().selected_number;
    show_wait_dialog(288);

    std::unique_ptr<formula_record> original(func_get_selected_formula_from_liststore_test(source));
    if (!original) {
        func_close_active_dialog();
        return 0;
    }
    char name[128];
    snprintf(name, sizeof name, "(%s) F-%03d", p[282].c_str(), source);
    formula_record copy = *original;
    copy.number = number;
    copy.name = func_cut_text_utf8(name, FORMULA_NAME_SIZE - 1);
    func_append_formula_row(copy);

    char line[256];
    snprintf(line, sizeof line, "------> [%s] F-%03d (%s) --> F-%03d (%s)", p[282].c_str(), source,
             original->name.c_str(), number, copy.name.c_str());
    return finish_new_formula(number, line, func_save_formula_list_with_copy(source, number));
}

void func_delete_formula_test(GtkWidget*, gpointer)
{
    if (!formulas_shown())
        return;
    func_get_formula_list_data_from_buttons_test();
    if (func_get_formula_count() < 1 || !formula_selected())
        return;
    page_list_info& info = formulas_list();
    const int number = info.selected_number;
    show_wait_dialog(285);

    std::unique_ptr<formula_record> doomed(func_get_selected_formula_from_liststore_test(number));
    if (!doomed) {
        // A stale selection must not cost another formula its folder.
        func_close_active_dialog();
        return;
    }
    // The list and the folder go together, or neither.
    func_remove_formula_row(number);
    if (!list_saved(func_save_formula_list_without(number))) {
        func_display_formula_test();
        func_close_active_dialog();
        return;
    }
    char line[256];
    snprintf(line, sizeof line, "------> [%s] F-%03d (%s)", p[279].c_str(), number, doomed->name.c_str());
    func_add_log_transaction(line, 1);

    const int left = func_get_formula_count();
    info.total_items = left;
    func_set_selection_after_deletion(left);
    if (info.pressed_row < 0)
        func_select_formula_position(-1);
    if (left == 0)
        func_enable_clone_ren_del_button(0);
    info.reload = 1;
    func_display_formula_test();
    func_close_active_dialog();
}

int func_process_change_formula_number(GtkWidget* caller, int new_number)
{
    if (!formulas_shown() || !caller)
        return 0;
    const int old_number = atoi(func_get_widget_label_text(caller));
    char text[512];
    // Checked before any folder is touched: the folder of a formula that
    // has the new number must survive.
    if (new_number < 1 || new_number > FORMULA_LIST_MAX || func_formula_number_taken(new_number)) {
        snprintf(text, sizeof text, "%s #%03d %s.   \n   %s", p[186].c_str(), new_number, p[217].c_str(),
                 p[218].c_str());
        func_show_dialog(1, text, 1, nullptr);
        return 0;
    }
    if (!func_formula_number_taken(old_number)) {
        snprintf(text, sizeof text, "func_process_change_formula_number : No data for requested formula - %03d",
                 old_number);
        func_write_log(LOG_SYSERROR, text, 0);
        return 0;
    }
    func_show_dialog(17, p[214], 1, nullptr);

    const auto refuse = [&] {
        snprintf(text, sizeof text, "%s %s #%03d --> #%03d.", p[186].c_str(), p[216].c_str(), old_number, new_number);
        func_show_dialog(1, text, 1, nullptr);
        return 0;
    };
    // The folder moves with the number, or neither does.
    func_set_formula_row_number(old_number, new_number);
    if (!list_saved(func_save_formula_list_renumbered(old_number, new_number))) {
        func_display_formula_test();
        return refuse();
    }
    func_set_widget_label(caller, number_text(new_number));
    func_current_page_list().selected_number = new_number;
    // The list is sorted by number: the selection follows the formula to
    // its new place, so the row drawn pressed is the one renumbered.
    func_select_formula_position(sorted_position_of(new_number));
    func_display_formula_test();

    snprintf(text, sizeof text, "%s %s #%03d --> #%03d.", p[188].c_str(), p[215].c_str(), old_number, new_number);
    func_show_dialog(2, text, 1, nullptr);
    snprintf(text, sizeof text, "------> [%s] : F-#%03d -->  F-%03d", p[213].c_str(), old_number, new_number);
    func_add_log_transaction(text, 1);
    return 1;
}
