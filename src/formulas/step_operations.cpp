#include "formulas/step_operations.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "entry/item_codes.h"
#include "entry/selection_dialog.h"
#include "files/record_bytes.h"
#include "formulas/step_files.h"
#include "formulas/step_list.h"
#include "formulas/steps_screen.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/ui_loader.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "logs/log_file.h"

namespace {
// Language slots: the item word for steps, the operations, their waits
// and refusals.
enum slot {
    SLOT_STEP = 187, SLOT_ADDED = 278, SLOT_DELETED = 279, SLOT_INSERTED = 281, SLOT_COPY = 282,
    SLOT_INSERT_WAIT = 283, SLOT_COPY_FAILED = 284, SLOT_DELETE_WAIT = 285, SLOT_COPY_WAIT = 288,
    SLOT_NO_DELETE_FIRST = 685, SLOT_NO_DELETE_BETWEEN = 398
};

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

void harvest() { func_get_step_list_data_from_buttons_test(); }
void redraw() { func_display_step_list_test(); }
int formula() { return func_get_selected_number(SCREEN_FORMULAS); }

// The list into steps.dat and formulas.dat; when that fails the store is
// read back from the file, so that the screen shows what is on disk.
bool save_steps()
{
    if (func_save_step_list_to_file(formula(), func_metric_units()))
        return true;
    if (formula() >= 0)
        func_load_step_list_from_file(formula(), func_metric_units());
    return false;
}

bool step_selected()
{
    const page_list_info& info = steps_list();
    return info.pressed_row >= 0 && info.selected_number >= 0;
}

GtkWidget* selected_row_button(int column) { return func_selected_row_button(steps_page, column); }

// The number written on the selected row, else the one remembered.
int selected_step_number()
{
    if (GtkWidget* label = selected_row_button(STEPS_NUMBER))
        return std::atoi(func_get_widget_label_text(label));
    return steps_list().selected_number;
}

bool list_full(const char* function)
{
    if (!func_step_list_full())
        return false;
    func_write_log(LOG_SYSERROR, std::string(function) + " : Max Number of step reached, no new step can be added",
                   0);
    return true;
}

void show_wait_dialog(int operation_slot) { func_show_wait_dialog(operation_slot, SLOT_STEP); }

std::string step_name(const std::string& text) { return func_cut_text_utf8(text, STEP_NAME_SIZE - 1); }

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

// Where the selection goes after a new step: stays on the row (before),
// the row below (after), the new last row (appended).
enum new_step_place { PLACE_BEFORE, PLACE_AFTER, PLACE_APPENDED };

// After a change of the list: when saved, the line logged and the
// selection on the new step; otherwise the rows as the files hold them.
void finish_change(new_step_place place, const std::string& line, bool saved)
{
    page_list_info& info = steps_list();
    if (!saved && formula() >= 0)
        func_load_step_list_from_file(formula(), func_metric_units());
    if (saved) {
        func_add_log_transaction(line, 1);
        info.total_items = func_get_step_row_count();
        if (place == PLACE_AFTER)
            move_selection_down();
        else if (place == PLACE_APPENDED)
            func_select_added_item();
    }
    take_selection_from_row();
    redraw();
    info.reload = 1;
}

new_step_place place_of(int where) { return where == WHERE_AFTER ? PLACE_AFTER : PLACE_BEFORE; }

// The new step's number, or -1 (logged) when the selected one is not a
// step number.
int new_step_number(int selected, int where, const char* function)
{
    const int number = func_new_step_number(selected, where);
    if (number < 0)
        func_write_log(LOG_SYSERROR, format("%s : Step number %d is outside 1 to %d", function, selected, STEP_LIST_MAX),
                       0);
    return number;
}

bool is_extract_step(int number)
{
    const int row = func_find_step_row(number);
    return row >= 0 && func_get_step_row(row).items[STEP_TYPE] > STEP_SOAK_WASH;
}
}  // namespace

// --- entry points of the steps screen's buttons ---------------------------------------

namespace {
// With a step selected the menu asks where; otherwise to the end.
void open_step_menu(GtkWidget* widget, void (*to_the_end)(GtkWidget*, int))
{
    if (!steps_shown())
        return;
    if (!step_selected() || func_get_step_row_count() < 1)
        to_the_end(widget, 2);
    else
        func_show_selection_dialog(widget, nullptr);
}
}  // namespace

void fun_add_insert_step(GtkWidget* widget, gpointer) { open_step_menu(widget, func_insert_step_test); }

void fun_copy_insert_step(GtkWidget* widget, gpointer) { open_step_menu(widget, func_copy_step_test); }

void func_rename_step_test(GtkWidget*, gpointer)
{
    if (!steps_shown() || !step_selected() || func_get_step_row_count() < 1)
        return;
    harvest();
    if (GtkWidget* name = selected_row_button(STEPS_NAME)) {
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
    if (!steps_shown() || formula() < 0)
        return;
    harvest();
    if (list_full("add_new_step"))
        return;
    step_record record;
    record.number = func_get_next_free_step_number();
    record.name = step_name(format("[N] %s %03d", p[SLOT_STEP].c_str(), record.number));
    const bool saved = func_append_step(formula(), func_metric_units(), record, -1);
    finish_change(PLACE_APPENDED, format("------> [%s] S-%03d (%s)", p[SLOT_ADDED].c_str(), record.number, record.name.c_str()),
                  saved);
}

void func_insert_step_test(GtkWidget* widget, int where)
{
    if (!steps_shown() || where == STEP_MENU_CANCEL)
        return;
    harvest();
    if (list_full("add_new_step"))
        return;
    if (formula() < 0 || (where < 2 && !step_selected()))
        return;
    show_wait_dialog(SLOT_INSERT_WAIT);
    if (where >= 2) {
        func_add_step_test(widget);
        func_close_active_dialog();
        return;
    }
    const int selected = selected_step_number();
    const int number = new_step_number(selected, where, "add_new_step");
    const int row = func_find_step_row(selected);
    if (row < 0 || number < 0) {
        save_steps();
        redraw();
        func_close_active_dialog();
        return;
    }
    step_record record;
    record.number = number;
    record.name = step_name(format("[I] %s %03d", p[SLOT_STEP].c_str(), number));
    const int new_row = where == WHERE_BEFORE ? row : row + 1;
    const bool saved = func_insert_step_at(formula(), func_metric_units(), new_row, record, -1);
    finish_change(place_of(where),
                  format("------> [%s] S-%03d (%s)", p[SLOT_INSERTED].c_str(), number, record.name.c_str()), saved);
    func_close_active_dialog();
}

void func_copy_step_test(GtkWidget* widget, int where)
{
    if (!steps_shown() || where == STEP_MENU_CANCEL)
        return;
    harvest();
    if (list_full("func_copy_step"))
        return;
    if (!step_selected() || formula() < 0)
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
    const int number = new_step_number(selected, where, "func_copy_step");
    const int row = func_find_step_row(selected);
    if (number < 0 || row < 0) {
        func_close_active_dialog();
        return;
    }
    step_record copy = *source;
    copy.number = number;
    copy.name = step_name(format("(%s) %s", p[SLOT_COPY].c_str(), source->name.c_str()));
    const int new_row = where == WHERE_BEFORE ? row : row + 1;
    const bool saved = func_insert_step_at(formula(), func_metric_units(), new_row, copy, selected);
    finish_change(place_of(where),
                  format("------> [%s] S-%03d (%s) --> S-%03d (%s)", p[SLOT_COPY].c_str(), selected,
                         source->name.c_str(), number, copy.name.c_str()),
                  saved);
    func_close_active_dialog();
}

void func_add_step_copy_test(GtkWidget*, int source_step)
{
    if (!steps_shown() || formula() < 0 || source_step < 0)
        return;
    harvest();
    if (list_full("add_new_step_copy"))
        return;
    std::unique_ptr<step_record> source(func_get_selected_step_from_liststore_test(source_step));
    if (!source)
        return;
    step_record copy = *source;
    copy.number = func_get_next_free_step_number();
    copy.name = step_name(format("[C] %s", source->name.c_str()));
    const bool saved = func_append_step(formula(), func_metric_units(), copy, source->number);
    finish_change(PLACE_APPENDED,
                  format("------> [%s] S-%03d (%s) --> S-%03d (%s)", p[SLOT_COPY].c_str(), source->number,
                         source->name.c_str(), copy.number, copy.name.c_str()),
                  saved);
}

void func_delete_step_test(GtkWidget*, gpointer)
{
    if (!steps_shown())
        return;
    harvest();
    if (formula() < 0 || !step_selected() || func_get_step_row_count() < 1)
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
    page_list_info& info = steps_list();
    if (func_remove_step_at(formula(), func_metric_units(), row)) {
        func_add_log_transaction(
            format("------> [%s] S-%03d (%s)", p[SLOT_DELETED].c_str(), number, record.name.c_str()), 1);
        const int left = func_get_step_row_count();
        info.total_items = left;
        func_set_selection_after_deletion(left);
    } else {
        func_load_step_list_from_file(formula(), func_metric_units());
    }
    take_selection_from_row();
    info.reload = 1;
    redraw();
    func_close_active_dialog();
}

// --- the menus, item code and dialog the operations own ---------------------------

namespace {
void renamed(const item_save& save)
{
    page_list_info& selected = steps_list();
    g_strlcpy(selected.selected_text, save.text.c_str(), sizeof selected.selected_text);
    func_add_log_transaction(format("------> [%s] : S-%03d %s --> %s", p[280].c_str(), selected.selected_number,
                                    save.old_text.c_str(), save.text.c_str()),
                             0);
    func_set_widget_label(save.caller, save.text);
}

void delete_confirmed(gpointer data) { func_process_delete_step(nullptr, data); }
}  // namespace

void func_register_step_operations()
{
    func_register_item_action(2, renamed);
    func_register_dialog_action(11, 0, delete_confirmed);
}

std::vector<std::string> func_get_step_menu_options(GtkWidget* caller, int)
{
    const bool add = func_widget_name_is(caller, "btn_add_step");
    const bool clone = func_widget_name_is(caller, "btn_clone_step");
    if (!add && !clone)
        return {};
    constexpr int size = sizeof stp_lookup_table / sizeof stp_lookup_table[0];
    std::vector<std::string> options = func_get_option_row(stp_lookup_table, size, STP_LOOKUP_WIDTH, add ? 11 : 12);
    std::string number;
    if (GtkWidget* label = selected_row_button(STEPS_NUMBER))
        number = func_get_widget_label_text(label);
    for (size_t i = 0; i < options.size() && i < 2; ++i)
        options[i] += " S-" + number;
    return options;
}

void func_step_menu_chosen(GtkWidget* option, GtkWidget* caller)
{
    // Before, After, to End; Cancel only closes.
    const int row = func_get_row_from_name(gtk_widget_get_name(option));
    if (row < 0 || row >= STEP_MENU_CANCEL)
        return;
    func_unload_selections_window(temporary_display_window);
    if (func_widget_name_is(caller, "btn_add_step"))
        func_insert_step_test(option, row);
    else if (func_widget_name_is(caller, "btn_clone_step"))
        func_copy_step_test(option, row);
}
