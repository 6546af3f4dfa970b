#include "formulas/step_operations.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/record_bytes.h"
#include "files/shell_runner.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "formulas/step_rules.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "language/language.h"
#include "logs/log_file.h"

void (*steps_screen_harvest)() = nullptr;

namespace {
// Language slots: the item word for steps, the wait text, the operations.
constexpr int SLOT_STEP = 187;
constexpr int SLOT_PLEASE_WAIT = 380;
constexpr int SLOT_ADDED = 278;
constexpr int SLOT_DELETED = 279;
constexpr int SLOT_INSERTED = 281;
constexpr int SLOT_COPY = 282;
constexpr int SLOT_INSERT_WAIT = 283;
constexpr int SLOT_COPY_FAILED = 284;
constexpr int SLOT_DELETE_WAIT = 285;
constexpr int SLOT_COPY_WAIT = 288;
constexpr int SLOT_NO_DELETE_FIRST = 685;
constexpr int SLOT_NO_DELETE_BETWEEN = 398;

constexpr int WHERE_BEFORE = 0;
constexpr int WHERE_AFTER = 1;

page_list_info& steps_list() { return page_info[SCREEN_STEPS].list; }
bool steps_shown() { return page_info && func_current_screen_code() == SCREEN_STEPS; }

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

void harvest()
{
    if (steps_screen_harvest)
        steps_screen_harvest();
}

void redraw()
{
    if (void (*display)() = func_list_screen_hooks(SCREEN_STEPS).display)
        display();
}

bool step_selected()
{
    const page_list_info& info = steps_list();
    return info.pressed_row >= 0 && info.selected_number >= 0;
}

// A button of the selected row when that row is on the page shown.
GtkWidget* selected_row_button(GtkWidget** column)
{
    const page_list_info& info = steps_list();
    if (!column || info.pressed_row < 0 || info.pressed_row >= info.rows_shown ||
        info.pressed_row >= func_get_rows_per_page(SCREEN_STEPS) || info.pressed_page != info.current_page)
        return nullptr;
    return column[info.pressed_row];
}

// The number written on the selected row, else the one remembered.
int selected_step_number()
{
    if (GtkWidget* label = selected_row_button(func_list_screen_hooks(SCREEN_STEPS).number_buttons))
        return std::atoi(func_get_widget_label_text(label));
    return steps_list().selected_number;
}

bool list_full(const char* function)
{
    if (func_get_step_row_count() <= STEP_LIST_MAX - 1)
        return false;
    func_write_log(LOG_SYSERROR, std::string(function) + " : Max Number of step reached, no new step can be added",
                   0);
    return true;
}

void show_wait_dialog(int operation_slot)
{
    func_show_dialog(17, format("%s %s, %s", p[operation_slot].c_str(), p[SLOT_STEP].c_str(),
                                p[SLOT_PLEASE_WAIT].c_str()),
                     1, nullptr);
}

std::string step_name(const std::string& text) { return func_cut_text_utf8(text, STEP_NAME_SIZE - 1); }

int next_step_number()
{
    int highest = 0;
    const int rows = func_get_step_row_count();
    for (int row = 0; row < rows; ++row)
        if (func_get_step_row(row).number > highest)
            highest = func_get_step_row(row).number;
    int number = highest + 1;
    while (func_find_step_row(number) >= 0)
        ++number;
    return number;
}

std::string temporary_chemicals_path(int formula, int step)
{
    return func_get_formula_folder(formula) + format("s-%03d_chems", step);
}

// A step without chemicals has no file; any other failure is worth a line
// but does not stop the renumbering.
void move_file(const std::string& from, const std::string& to)
{
    if (func_file_io_ops().rename_file(from.c_str(), to.c_str()) != 0 && errno != ENOENT)
        func_write_log(LOG_SYSERROR, "func_rename_step_chemicals : Can't rename file " + from + " to " + to + ".",
                       0);
}

void move_chemicals(int formula, int from, int to)
{
    move_file(func_get_step_chemicals_path(formula, from), func_get_step_chemicals_path(formula, to));
}

// Rows from first_row on move one number up, last row first, so no
// chemical file is renamed onto one that is still in use.
void renumber_up(int formula, int first_row)
{
    for (int row = func_get_step_row_count() - 1; row >= first_row; --row) {
        step_record record = func_get_step_row(row);
        if (record.number <= 0)
            continue;
        move_chemicals(formula, record.number, record.number + 1);
        record.number += 1;
        func_set_step_row(row, record);
    }
    func_sync_after_write();
}

// Rows from first_row on move one number down, front to back.
void renumber_down(int formula, int first_row)
{
    const int rows = func_get_step_row_count();
    for (int row = first_row; row < rows; ++row) {
        step_record record = func_get_step_row(row);
        if (record.number <= 0)
            continue;
        move_chemicals(formula, record.number, record.number - 1);
        record.number -= 1;
        func_set_step_row(row, record);
    }
    func_sync_after_write();
}

// The selected number and text follow the row the selection now marks.
void take_selection_from_row()
{
    page_list_info& info = steps_list();
    const int rows_per_page = func_get_rows_per_page(SCREEN_STEPS);
    const int index = info.pressed_row < 0 ? -1 : (info.pressed_page - 1) * rows_per_page + info.pressed_row;
    if (index < 0 || index >= func_get_step_row_count()) {
        info.selected_number = -1;
        info.selected_text[0] = '\0';
        return;
    }
    const step_record record = func_get_step_row(index);
    info.selected_number = record.number;
    g_strlcpy(info.selected_text, record.name.c_str(), sizeof info.selected_text);
}

// "Add After" and "Paste After": the new step is the row below.
void move_selection_down()
{
    page_list_info& info = steps_list();
    if (info.pressed_row < 0)
        return;
    info.pressed_row += 1;
    if (info.pressed_row >= func_get_rows_per_page(SCREEN_STEPS)) {
        info.pressed_row = 0;
        info.pressed_page += 1;
    }
    info.current_page = info.pressed_page;
}

void finish_change(bool after)
{
    page_list_info& info = steps_list();
    info.total_items = func_get_step_row_count();
    func_save_step_list_to_file();
    if (after)
        move_selection_down();
    take_selection_from_row();
    redraw();
    info.reload = 1;
}

void finish_append()
{
    page_list_info& info = steps_list();
    info.total_items = func_get_step_row_count();
    func_save_step_list_to_file();
    func_select_added_item();
    take_selection_from_row();
    redraw();
    info.reload = 1;
}

int new_step_number(int selected, int where)
{
    if (where == WHERE_BEFORE)
        return selected > 0 ? selected : 1;
    return selected + 1;
}

bool is_extract_step(int number)
{
    const int row = func_find_step_row(number);
    return row >= 0 && func_get_step_row(row).items[STEP_TYPE] > STEP_SOAK_WASH;
}
}  // namespace

// --- entry points of the steps screen's buttons ---------------------------------------

void fun_add_insert_step(GtkWidget* widget, gpointer)
{
    if (!steps_shown())
        return;
    if (!step_selected() || func_get_step_row_count() < 1) {
        func_insert_step_test(widget, 2);
        return;
    }
    func_show_selection_dialog(widget, nullptr);
}

void fun_copy_insert_step(GtkWidget* widget, gpointer)
{
    if (!steps_shown())
        return;
    if (!step_selected() || func_get_step_row_count() < 1) {
        func_copy_step_test(widget, 2);
        return;
    }
    func_show_selection_dialog(widget, nullptr);
}

void func_rename_step_test(GtkWidget*, gpointer)
{
    if (!steps_shown() || !step_selected() || func_get_step_row_count() < 1)
        return;
    harvest();
    if (GtkWidget* name = selected_row_button(func_list_screen_hooks(SCREEN_STEPS).name_buttons)) {
        func_show_data_entry_dialog(name, GINT_TO_POINTER(2));
        steps_list().reload = 1;
    }
}

void func_confirm_delete_step(GtkWidget*, gpointer)
{
    if (!steps_shown() || func_get_step_row_count() < 1 || !step_selected())
        return;
    if (!func_validate_delete_step())
        return;
    func_show_dialog(11, format("%s S-%03d (%s) ?", p[SLOT_DELETED].c_str(), selected_step_number(),
                                steps_list().selected_text),
                     1, nullptr);
}

void func_process_delete_step(GtkWidget* widget, gpointer data)
{
    func_close_active_dialog();
    func_delete_step_test(widget, data);
}

int func_validate_delete_step()
{
    const int step = selected_step_number();
    const int count = func_get_step_row_count();
    if (step >= count)
        return 1;
    if (step == 1) {
        // The formula would start with an extract.
        if (is_extract_step(2)) {
            func_show_dialog(1, p[SLOT_NO_DELETE_FIRST], 1, nullptr);
            return 0;
        }
        return 1;
    }
    if (is_extract_step(step + 1) && is_extract_step(step - 1)) {
        func_show_dialog(1, p[SLOT_NO_DELETE_BETWEEN], 1, nullptr);
        return 0;
    }
    return 1;
}

// --- the operations --------------------------------------------------------------------

void func_add_step_test(GtkWidget*)
{
    if (!steps_shown() || func_get_selected_formula_number() < 0)
        return;
    harvest();
    if (list_full("add_new_step"))
        return;
    step_record record;
    record.number = next_step_number();
    record.name = step_name(format("[N] %s %03d", p[SLOT_STEP].c_str(), record.number));
    func_add_log_transaction(
        format("------> [%s] S-%03d (%s)", p[SLOT_ADDED].c_str(), record.number, record.name.c_str()), 1);
    func_append_step_row(record);
    finish_append();
}

void func_insert_step_test(GtkWidget* widget, int where)
{
    if (!steps_shown() || where == STEP_MENU_CANCEL)
        return;
    harvest();
    if (list_full("add_new_step"))
        return;
    const int formula = func_get_selected_formula_number();
    if (formula < 0 || (where < 2 && !step_selected()))
        return;
    show_wait_dialog(SLOT_INSERT_WAIT);
    if (where >= 2) {
        func_add_step_test(widget);
        func_close_active_dialog();
        return;
    }
    const int selected = selected_step_number();
    const int number = new_step_number(selected, where);
    const int row = func_find_step_row(selected);
    if (row < 0) {
        func_save_step_list_to_file();
        redraw();
        func_close_active_dialog();
        return;
    }
    step_record record;
    record.number = number;
    record.name = step_name(format("[I] %s %03d", p[SLOT_STEP].c_str(), number));
    func_add_log_transaction(format("------> [%s] S-%03d (%s)", p[SLOT_INSERTED].c_str(), number, record.name.c_str()),
                             1);
    const int new_row = where == WHERE_BEFORE ? row : row + 1;
    func_insert_step_row(new_row, record);
    renumber_up(formula, new_row + 1);
    finish_change(where == WHERE_AFTER);
    func_close_active_dialog();
}

void func_copy_step_test(GtkWidget* widget, int where)
{
    if (!steps_shown() || where == STEP_MENU_CANCEL)
        return;
    harvest();
    if (list_full("func_copy_step"))
        return;
    const int formula = func_get_selected_formula_number();
    if (!step_selected() || formula < 0)
        return;
    const int selected = selected_step_number();
    std::unique_ptr<step_record> source(func_get_selected_step_from_liststore_test(selected));
    if (!source) {
        func_write_log(LOG_SYSERROR, "func_copy_step: step buffer is NULL.", 0);
        func_show_dialog(1, format("%s %s", p[SLOT_COPY_FAILED].c_str(), steps_list().selected_text), 1, nullptr);
        return;
    }
    show_wait_dialog(SLOT_COPY_WAIT);
    if (where >= 2) {
        func_add_step_copy_test(widget, selected);
        func_close_active_dialog();
        return;
    }
    const int number = new_step_number(selected, where);
    const int row = func_find_step_row(selected);
    step_record copy = *source;
    copy.number = number;
    copy.name = step_name(format("(%s) %s", p[SLOT_COPY].c_str(), source->name.c_str()));
    func_add_log_transaction(format("------> [%s] S-%03d (%s) --> S-%03d (%s)", p[SLOT_COPY].c_str(), selected,
                                    source->name.c_str(), number, copy.name.c_str()),
                             1);
    const int new_row = where == WHERE_BEFORE ? row : row + 1;
    func_insert_step_row(new_row, copy);

    // The copy waits under a name no step uses while the others move up.
    const std::string parked = temporary_chemicals_path(formula, number);
    func_file_io_ops().unlink_file(parked.c_str());
    func_copy_file(func_get_step_chemicals_path(formula, selected), parked);
    renumber_up(formula, new_row + 1);
    move_file(parked, func_get_step_chemicals_path(formula, number));
    func_sync_after_write();

    finish_change(where == WHERE_AFTER);
    func_close_active_dialog();
}

void func_add_step_copy_test(GtkWidget*, int source_step)
{
    const int formula = func_get_selected_formula_number();
    if (!steps_shown() || formula < 0 || source_step < 0)
        return;
    harvest();
    if (list_full("add_new_step_copy"))
        return;
    std::unique_ptr<step_record> source(func_get_selected_step_from_liststore_test(source_step));
    if (!source)
        return;
    step_record copy = *source;
    copy.number = next_step_number();
    copy.name = step_name(format("[C] %s", source->name.c_str()));
    func_add_log_transaction(format("------> [%s] S-%03d (%s) --> S-%03d (%s)", p[SLOT_COPY].c_str(), source->number,
                                    source->name.c_str(), copy.number, copy.name.c_str()),
                             1);
    func_append_step_row(copy);
    func_copy_file(func_get_step_chemicals_path(formula, source->number),
                   func_get_step_chemicals_path(formula, copy.number));
    finish_append();
}

void func_delete_step_test(GtkWidget*, gpointer)
{
    if (!steps_shown())
        return;
    harvest();
    const int formula = func_get_selected_formula_number();
    if (formula < 0 || !step_selected() || func_get_step_row_count() < 1)
        return;
    show_wait_dialog(SLOT_DELETE_WAIT);
    const int number = selected_step_number();
    const int row = func_find_step_row(number);
    if (row < 0) {
        // A stale selection must not cost another step its chemicals.
        func_write_log(LOG_SYSERROR, format("func_delete_step : No data for requested step - %03d", number), 0);
        func_close_active_dialog();
        return;
    }
    const step_record record = func_get_step_row(row);
    func_add_log_transaction(format("------> [%s] S-%03d (%s)", p[SLOT_DELETED].c_str(), number, record.name.c_str()),
                             1);
    func_delete_step_chemicals(number);
    func_remove_step_row(row);
    renumber_down(formula, row);

    page_list_info& info = steps_list();
    const int left = func_get_step_row_count();
    info.total_items = left;
    func_set_selection_after_deletion(left);
    take_selection_from_row();
    func_save_step_list_to_file();
    info.reload = 1;
    redraw();
    func_close_active_dialog();
}
