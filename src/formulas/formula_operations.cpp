#include "formulas/formula_operations.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "entry/data_entry_dialog.h"
#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/record_bytes.h"
#include "files/shell_runner.h"
#include "formulas/formula_list.h"
#include "formulas/formulas_screen.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "language/language.h"
#include "logs/log_file.h"

namespace {
// step_list_store: columns 0 to 23 hold the step's settings, 24 its number.
constexpr int STEP_NUMBER_COLUMN = 24;
// post_dry_list_store: column 0 holds the formula number.
constexpr int POST_DRY_NUMBER_COLUMN = 0;

GtkTreeModel* formulas_model() { return GTK_TREE_MODEL(formula_list_store); }
page_list_info& formulas_list() { return page_info[SCREEN_FORMULAS].list; }
bool formulas_shown() { return func_current_screen_code() == SCREEN_FORMULAS; }

int formula_count()
{
    return formula_list_store ? gtk_tree_model_iter_n_children(formulas_model(), nullptr) : 0;
}

bool column_holds(GtkListStore* store, int column, int value)
{
    GtkTreeIter iter;
    if (!store || !gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store), &iter))
        return false;
    do {
        gint number = 0;
        gtk_tree_model_get(GTK_TREE_MODEL(store), &iter, column, &number, -1);
        if (number == value)
            return true;
    } while (gtk_tree_model_iter_next(GTK_TREE_MODEL(store), &iter));
    return false;
}

// Highest number in the column, 0 for an empty list.
int highest_in_column(GtkListStore* store, int column)
{
    int highest = 0;
    GtkTreeIter iter;
    if (!store || !gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store), &iter))
        return highest;
    do {
        gint number = 0;
        gtk_tree_model_get(GTK_TREE_MODEL(store), &iter, column, &number, -1);
        if (number > highest)
            highest = number;
    } while (gtk_tree_model_iter_next(GTK_TREE_MODEL(store), &iter));
    return highest;
}

bool find_formula_row(int number, GtkTreeIter* iter)
{
    if (!formula_list_store || !gtk_tree_model_get_iter_first(formulas_model(), iter))
        return false;
    do {
        gint row_number = 0;
        gtk_tree_model_get(formulas_model(), iter, FORMULA_COLUMN_NUMBER, &row_number, -1);
        if (row_number == number)
            return true;
    } while (gtk_tree_model_iter_next(formulas_model(), iter));
    return false;
}

std::string formula_name_at(GtkTreeIter* iter)
{
    gchar* name = nullptr;
    gtk_tree_model_get(formulas_model(), iter, FORMULA_COLUMN_NAME, &name, -1);
    std::string text = name ? name : "";
    g_free(name);
    return text;
}

void append_formula_row(const formula_record& record)
{
    GtkTreeIter iter;
    gtk_list_store_append(formula_list_store, &iter);
    gtk_list_store_set(formula_list_store, &iter, FORMULA_COLUMN_NUMBER, record.number, FORMULA_COLUMN_ACTIVE,
                       record.active, FORMULA_COLUMN_NAME, record.name.c_str(), FORMULA_COLUMN_STEP_COUNT,
                       record.step_count, FORMULA_COLUMN_TOTAL_TIME, record.total_time, -1);
}

// Position of a formula in the sorted list, -1 when absent.
int sorted_position_of(int number)
{
    std::unique_ptr<formula_snapshot> snapshot(func_get_formula_list_from_liststore());
    if (!snapshot)
        return -1;
    for (int i = 0; i < snapshot->count(); ++i)
        if (snapshot->records[i].number == number)
            return i;
    return -1;
}

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
    if (column_holds(formula_list_store, FORMULA_COLUMN_NUMBER, number)) {
        snprintf(text, sizeof text, "%s : Formula number %03d is already in use", function, number);
        func_write_log(LOG_SYSERROR, text, 0);
        return false;
    }
    return true;
}

bool list_full()
{
    if (formula_count() <= FORMULA_LIST_MAX - 1)
        return false;
    func_write_log(LOG_SYSERROR, "add_new_formula : Max Number of formula reached, no new formula can be added", 0);
    return true;
}

void show_wait_dialog(int operation_slot)
{
    const std::string text = p[operation_slot] + " " + p[186] + ", " + p[380];
    func_show_dialog(17, text, 1, nullptr);
}

bool formula_selected()
{
    const page_list_info& info = formulas_list();
    return info.pressed_row >= 0 && info.selected_number >= 0;
}

// A button of the selected row when that row is on the page shown.
GtkWidget* selected_row_button(GtkWidget** column)
{
    const page_list_info& info = formulas_list();
    if (!column || info.pressed_row < 0 || info.pressed_row >= info.rows_shown ||
        info.pressed_row >= FORMULAS_ROWS || info.pressed_page != info.current_page)
        return nullptr;
    return column[info.pressed_row];
}

void open_data_entry(GtkWidget* caller, int item_code)
{
    func_get_formula_list_data_from_buttons_test();
    func_show_data_entry_dialog(caller, GINT_TO_POINTER(item_code));
    formulas_list().reload = 1;
}

// After an add or copy: the new formula is drawn selected on its page.
void finish_new_formula(int number)
{
    page_list_info& info = formulas_list();
    info.total_items += 1;
    func_save_formula_list_to_file();
    func_select_formula_position(sorted_position_of(number));
    func_display_formula_test();
    info.reload = 1;
    func_close_active_dialog();
}

std::string folder_without_slash(int number)
{
    std::string folder = func_get_formula_folder(number);
    folder.pop_back();
    return folder;
}
}  // namespace

int func_formula_step_number_available(int n)
{
    switch (func_current_screen_code()) {
    case SCREEN_FORMULAS: return column_holds(formula_list_store, FORMULA_COLUMN_NUMBER, n) ? 0 : 1;
    case SCREEN_STEPS: return column_holds(step_list_store, STEP_NUMBER_COLUMN, n) ? 0 : 1;
    case SCREEN_POST_DRY: return column_holds(post_dry_list_store, POST_DRY_NUMBER_COLUMN, n) ? 0 : 1;
    default: return 1;
    }
}

int func_get_next_available_formula_step_number()
{
    const int screen = func_current_screen_code();
    if (screen == SCREEN_FORMULAS) {
        int number = highest_in_column(formula_list_store, FORMULA_COLUMN_NUMBER) + 1;
        while (func_formula_step_number_available(number) != 1)
            ++number;
        // Past 999 no folder name or label fits: offer the first gap instead.
        if (number > FORMULA_LIST_MAX) {
            number = 1;
            while (number <= FORMULA_LIST_MAX && func_formula_step_number_available(number) != 1)
                ++number;
        }
        return number;
    }
    if (screen == SCREEN_STEPS) {
        int number = highest_in_column(step_list_store, STEP_NUMBER_COLUMN) + 1;
        while (func_formula_step_number_available(number) != 1)
            ++number;
        return number;
    }
    return 1;
}

// --- entry points of the formulas screen's buttons -----------------------------------

void func_process_add_formula(GtkWidget* widget, gpointer)
{
    if (!formulas_shown())
        return;
    // With nothing selected the dialog only needs somewhere to open from.
    GtkWidget* anchor = selected_row_button(formula_selections_number);
    open_data_entry(anchor ? anchor : widget, 25);
}

void func_process_copy_formula(GtkWidget* widget, gpointer)
{
    if (!formulas_shown() || !formula_selected() || formula_count() < 1)
        return;
    GtkWidget* anchor = selected_row_button(formula_selections_number);
    open_data_entry(anchor ? anchor : widget, 24);
}

void func_rename_formula_test(GtkWidget*, gpointer)
{
    if (!formulas_shown() || !formula_selected())
        return;
    if (GtkWidget* name = selected_row_button(formula_selections_name))
        open_data_entry(name, 1);
}

void func_change_formula_number(GtkWidget*, gpointer)
{
    if (!formulas_shown() || !formula_selected())
        return;
    if (GtkWidget* number = selected_row_button(formula_selections_number))
        open_data_entry(number, 23);
}

void func_confirm_delete_formula(GtkWidget*, gpointer)
{
    if (!formulas_shown() || formula_count() < 1 || !formula_selected())
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
    func_add_log_transaction(line, 1);

    append_formula_row(record);
    finish_new_formula(number);
    return 1;
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
    append_formula_row(copy);

    // Whatever an earlier formula of this number left behind goes first,
    // so the copy holds exactly the source's steps and chemicals.
    func_delete_formula_steps(number);
    func_create_directory(func_get_formula_folder(number));
    func_copy_directory_files(func_get_formula_folder(source), func_get_formula_folder(number));

    char line[256];
    snprintf(line, sizeof line, "------> [%s] F-%03d (%s) --> F-%03d (%s)", p[282].c_str(), source,
             original->name.c_str(), number, copy.name.c_str());
    func_add_log_transaction(line, 1);

    finish_new_formula(number);
    return 1;
}

void func_delete_formula_test(GtkWidget*, gpointer)
{
    if (!formulas_shown())
        return;
    func_get_formula_list_data_from_buttons_test();
    if (formula_count() < 1 || !formula_selected())
        return;
    page_list_info& info = formulas_list();
    const int number = info.selected_number;
    show_wait_dialog(285);

    GtkTreeIter iter;
    if (!find_formula_row(number, &iter)) {
        // A stale selection must not cost another formula its folder.
        char text[128];
        snprintf(text, sizeof text, "func_delete_formula : No data for requested formula - %03d", number);
        func_write_log(LOG_SYSERROR, text, 0);
        func_close_active_dialog();
        return;
    }
    char line[256];
    snprintf(line, sizeof line, "------> [%s] F-%03d (%s)", p[279].c_str(), number, formula_name_at(&iter).c_str());
    func_add_log_transaction(line, 1);
    gtk_list_store_remove(formula_list_store, &iter);

    const int left = formula_count();
    info.total_items = left;
    func_set_selection_after_deletion(left);
    if (info.pressed_row < 0)
        func_select_formula_position(-1);
    if (left == 0)
        func_enable_clone_ren_del_button(0);

    func_delete_formula_steps(number);
    func_save_formula_list_to_file();
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
    if (new_number < 1 || new_number > FORMULA_LIST_MAX || func_formula_step_number_available(new_number) != 1) {
        snprintf(text, sizeof text, "%s #%03d %s.   \n   %s", p[186].c_str(), new_number, p[217].c_str(),
                 p[218].c_str());
        func_show_dialog(1, text, 1, nullptr);
        return 0;
    }
    GtkTreeIter iter;
    if (!find_formula_row(old_number, &iter)) {
        snprintf(text, sizeof text, "func_process_change_formula_number : No data for requested formula - %03d",
                 old_number);
        func_write_log(LOG_SYSERROR, text, 0);
        return 0;
    }
    func_show_dialog(17, p[214], 1, nullptr);

    const std::string from = folder_without_slash(old_number);
    const std::string to = folder_without_slash(new_number);
    func_delete_formula_steps(new_number);
    func_create_directory(from);
    if (func_file_io_ops().rename_file(from.c_str(), to.c_str()) != 0) {
        func_write_log(LOG_SYSERROR,
                       "func_process_change_formula_number : Can't rename folder " + from + " to " + to + ".", 0);
        snprintf(text, sizeof text, "%s %s #%03d --> #%03d.", p[186].c_str(), p[216].c_str(), old_number,
                 new_number);
        func_show_dialog(1, text, 1, nullptr);
        return 0;
    }
    func_sync_after_write();

    gtk_list_store_set(formula_list_store, &iter, FORMULA_COLUMN_NUMBER, new_number, -1);
    func_save_formula_list_to_file();
    snprintf(text, sizeof text, "%03d", new_number);
    if (GTK_IS_BUTTON(caller))
        gtk_button_set_label(GTK_BUTTON(caller), text);
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
