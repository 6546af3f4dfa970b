#include "formulas/selected_step_screen.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "files/paths.h"
#include "formulas/step_list.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "frame/screens.h"
#include "frame/ui_loader.h"
#include "frame/value_grid.h"
#include "frame/widget_style.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "logs/log_file.h"

GtkWidget** step_item_selections_name = nullptr;
GtkWidget** step_item_selections_label = nullptr;


namespace {
constexpr int PAGE_SLOTS = 20;  // rows per page of this screen
constexpr int LABEL_ROW_HEIGHT = 18;
constexpr int COLUMN_SPACING = 11;
// What the list is sized to per pair of rows.
constexpr int ROW_PAIR_HEIGHT = LABEL_ROW_HEIGHT + SELECTED_STEP_VALUE_HEIGHT;

// The value buttons' small font is bound to their names in lumex.gtkrc:
// the dialogs rebuild a button's label, so a font set on it would not last.

// Data entry item codes of the typed items (0: not typed here).
int data_entry_code(int item)
{
    switch (item) {
    case STEP_TIME: return 3;
    case STEP_TEMPERATURE: return 0;
    case STEP_ON_TIME: return 4;
    case STEP_OFF_TIME: return 5;
    case STEP_START_LIQUOR: return 6;
    case STEP_END_LIQUOR: return 7;
    default: return -1;
    }
}

bool has_yes_no_icon(int item)
{
    return item == STEP_HOT || item == STEP_COLD || item == STEP_THIRD_WATER || item == STEP_STEAM;
}

// What the speed button opens: 0 the selection dialog, else the data
// entry item code (10 wash speed, 11 extract speed). The rules change it
// with the type.
int speed_item_code = 0;

page_list_info& selected_step_list() { return page_info[SCREEN_SELECTED_STEP].list; }
int selected_step_number() { return page_info[SCREEN_STEPS].list.selected_number; }
int selected_formula() { return func_get_selected_number(SCREEN_FORMULAS); }

// The step the rules look at for the step-type choices: its number and
// the types of its neighbours (-1 when none).
struct neighbours {
    int step_number = 0;
    int previous_type = -1;
    int next_type = -1;
};
neighbours selected_neighbours;

GtkWidget* value_button(int item)
{
    return (step_item_selections_name && item >= 0 && item < PAGE_SLOTS) ? step_item_selections_name[item] : nullptr;
}

std::string value_label(int item) { return func_get_widget_label_text(value_button(item)); }

void set_icon(GtkWidget* button, bool yes)
{
    func_set_button_icon(button, (func_image_dir() + (yes ? "icon_yes.png" : "icon_no.png")).c_str(), ICON_TOP);
}

// Type of the step with that number in the list, -1 when there is none.
int type_of_step(int number)
{
    const int row = number > 0 ? func_find_step_row(number) : -1;
    return row >= 0 ? func_get_step_row(row).items[STEP_TYPE] : -1;
}

// The step-type rule of the selection dialog looks at the neighbours.
void fill_selection_context()
{
    const int number = selected_step_number();
    selected_neighbours.step_number = number;
    selected_neighbours.previous_type = type_of_step(number - 1);
    selected_neighbours.next_type = type_of_step(number + 1);
}

void open_selection(GtkWidget* widget, gpointer data)
{
    fill_selection_context();
    func_show_selection_dialog(widget, data);
}

void speed_released(GtkWidget* widget, gpointer data)
{
    if (speed_item_code == 0)
        open_selection(widget, data);
    else
        func_show_data_entry_dialog(widget, GINT_TO_POINTER(speed_item_code));
}

float configuration_item(int item)
{
    return current_machine_configuration ? current_machine_configuration->items[item] : 0.0f;
}

int shown_type() { return func_lookup_step_index(value_label(STEP_TYPE), STEP_TYPE); }

// The options of a value button, with the step rules applied.
std::vector<std::string> step_options(GtkWidget* caller, int)
{
    const int index = func_get_index_from_widget_name(caller);
    const int row = func_get_step_item_row(index);
    if (row < 0)
        return {};
    constexpr int size = sizeof stp_lookup_table / sizeof stp_lookup_table[0];
    std::vector<std::string> options = func_get_shown_options(stp_lookup_table, size, STP_LOOKUP_WIDTH, row);
    int count = static_cast<int>(options.size());
    if (index == STEP_TYPE)
        count = func_limit_step_type_options(count, selected_neighbours.step_number, selected_neighbours.previous_type,
                                             selected_neighbours.next_type);
    else if (index == STEP_HOT || index == STEP_COLD || index == STEP_THIRD_WATER)
        count = func_limit_probe_options(count, configuration_item(19));
    else if (index == STEP_DRAIN_TYPE)
        count = func_limit_drain_type_options(count);
    else if (index == STEP_REUSE_DRAIN)
        count = func_limit_reuse_drain_options(count, configuration_item(11));
    if (static_cast<int>(options.size()) > count)
        options.resize(static_cast<size_t>(count));
    return options;
}

void step_option_chosen(GtkWidget* option, GtkWidget* caller)
{
    const int option_row = func_get_row_from_name(gtk_widget_get_name(option));
    const int item = func_get_index_from_widget_name(caller);
    if (option != caller && item == STEP_LEVEL && option_row == 3) {
        // A user-defined level is typed, not chosen.
        func_add_item_change_line(caller, value_label(item), func_get_widget_label_text(option));
        func_unload_selections_window(temporary_display_window);
        func_show_data_entry_dialog(caller, GINT_TO_POINTER(16));
        return;
    }
    // Yes/no values of a step are chosen, never toggled.
    func_apply_selection(option, caller, false);
    if (option != caller && item == STEP_STEAM)
        func_set_yes_no_icon(caller, option_row > 0);
    func_set_selected_step_lockout(shown_type());
}

std::string item_label(GtkWidget* caller)
{
    const int index = func_get_index_from_widget_name(caller);
    return (index >= 0 && index < 24) ? step_item_selections_label_value[index] : std::string();
}

std::string log_heading()
{
    const page_list_info& formulas = page_info[SCREEN_FORMULAS].list;
    const page_list_info& steps = page_info[SCREEN_STEPS].list;
    if (formulas.selected_number == -1 || steps.selected_number == -1)
        return "";
    char text[512];
    snprintf(text, sizeof text, "%s F-%03d (%s): S-%03d (%s)", p[184].c_str(), formulas.selected_number,
             formulas.selected_text, steps.selected_number, steps.selected_text);
    return text;
}

// Back from the step's chemicals the edits of the step are still to be
// saved or cancelled: the list as edited stays, the file is not read.
bool keep_edited_step = false;

void show_selected_step()
{
    if (!func_begin_screen_show(SCREEN_SELECTED_STEP, 187))
        return;
    if (selected_formula() >= 0 && !keep_edited_step)
        func_load_step_list_from_file(selected_formula(), func_metric_units());
    keep_edited_step = false;
    // A cancelled visit leaves its edits' flag behind; this visit starts clean.
    selected_step_list().reload = 0;
    func_begin_log_transaction();
    func_display_selected_step_test();
    func_end_screen_show(SCREEN_SELECTED_STEP);
}

void reload_selected_step()
{
    if (selected_formula() >= 0)
        func_load_step_list_from_file(selected_formula(), func_metric_units());
    selected_step_list().reload = 0;
    func_display_selected_step_test();
}
}  // namespace

void func_register_selected_step_screen()
{
    screen_description screen = func_describe_screen(
        SCREEN_SELECTED_STEP, "selected_step", "lumex_selected_step_screen.ui", "win_selected_step_screen",
        SELECTED_STEP_LIST_WIDTH, SELECTED_STEP_LIST_HEIGHT, func_load_selected_step_screen, show_selected_step,
        reload_selected_step);
    screen.log_heading = log_heading;
    screen.option_row = func_get_step_item_row;
    screen.item_label = item_label;
    screen.selection_options = step_options;
    screen.selection_chosen = step_option_chosen;
    screen.rows_per_page = PAGE_SLOTS;
    if (!step_item_selections_name) {
        step_item_selections_name = g_new0(GtkWidget*, PAGE_SLOTS);
        step_item_selections_label = g_new0(GtkWidget*, PAGE_SLOTS);
    }
    // The pressed look of the value buttons follows the last one touched.
    screen.value_buttons = step_item_selections_name;
    func_register_screen(screen);
}

void func_load_selected_step_screen(const ui_file& ui, display_data& record)
{
    func_lookup_widget(ui, "layout_selected_step_screen");
    func_connect_save_cancel(ui, record, G_CALLBACK(func_unload_selected_step_screen));
    func_connect_page_buttons(record, G_CALLBACK(func_save_display_selected_steps_data));

}

void func_show_selected_step_screen(GtkWidget*, gpointer) { func_show_screen(SCREEN_SELECTED_STEP); }

void func_display_selected_step_test()
{
    if (func_current_screen_code() != SCREEN_SELECTED_STEP)
        return;
    const int formula = selected_formula();
    const int number = selected_step_number();
    if (formula < 0 || number < 0)
        return;
    std::unique_ptr<step_record> step(func_get_selected_step_from_liststore_test(number));
    if (!step) {
        func_write_log(LOG_SYSERROR, "func_display_step: step buffer is NULL.", 0);
        return;
    }
    char heading[128];
    snprintf(heading, sizeof heading, "F-%03d : S-%03d - %s", formula, step->number, step->name.c_str());
    func_show_message(5, heading);

    display_data& shown = *options_display;
    page_list_info& info = selected_step_list();
    func_update_page_info_test(SELECTED_STEP_ITEMS);
    const step_rules_context context = func_get_step_rules_context();
    speed_item_code = !context.programmable_speed ? 0 : step->items[STEP_TYPE] > STEP_SOAK_WASH ? 11 : 10;
    for (int item = 0; item < PAGE_SLOTS; ++item)
        step_item_selections_name[item] = step_item_selections_label[item] = nullptr;
    const value_grid grid{SELECTED_STEP_COLUMNS, SELECTED_STEP_VALUE_WIDTH, SELECTED_STEP_VALUE_HEIGHT,
                          LABEL_ROW_HEIGHT,      COLUMN_SPACING,            0,
                          "lbl_stp_item_label_#", "btn_stp_item_name_#",   GTK_POS_TOP};
    GtkWidget* table = func_build_value_grid(
        grid, SELECTED_STEP_ITEMS, [](int item) { return step_item_selections_label_value[item]; },
        [&step](GtkWidget* button, int item) {
            gpointer data = GINT_TO_POINTER(item);
            if (data_entry_code(item) >= 0)
                func_connect_released(button, G_CALLBACK(func_show_data_entry_dialog),
                                      GINT_TO_POINTER(data_entry_code(item)));
            else if (item == STEP_CHEMICALS)
                func_connect_released(button, G_CALLBACK(func_unload_selected_step_screen), data);
            else if (item == STEP_RPM)
                func_connect_released(button, G_CALLBACK(speed_released), data);
            else
                func_connect_released(button, G_CALLBACK(open_selection), data);
            if (has_yes_no_icon(item))
                set_icon(button, step->items[item] > 0);
        },
        step_item_selections_label, step_item_selections_name);
    info.rows_shown = SELECTED_STEP_ITEMS;

    func_set_step_data_to_buttons_test();
    const int pairs = (SELECTED_STEP_ITEMS + SELECTED_STEP_COLUMNS - 1) / SELECTED_STEP_COLUMNS;
    shown.list_height = pairs * ROW_PAIR_HEIGHT;
    gtk_widget_set_size_request(table, shown.list_width, shown.list_height);
    gtk_widget_show_all(table);
    func_enable_disable_page_up_down_button();

    func_set_selected_step_lockout(shown_type());
    if (shown.window)
        gtk_widget_queue_draw(shown.window);
}

void func_set_step_data_to_buttons_test()
{
    std::unique_ptr<step_record> step(func_get_selected_step_from_liststore_test(selected_step_number()));
    if (!step) {
        func_write_log(LOG_SYSERROR, "func_set_step+data_to_buttons :Can't allocate memmory for step.", 0);
        return;
    }
    const step_rules_context context = func_get_step_rules_context();
    const page_list_info& info = selected_step_list();
    const int type = step->items[STEP_TYPE];
    for (int item = info.first_item; item < info.end_item && item < SELECTED_STEP_ITEMS; ++item)
        func_set_widget_label(value_button(item), func_step_value_text(step->items[item], item, type, context));
}

void func_get_step_data_from_buttons_test()
{
    page_list_info& info = selected_step_list();
    if (info.reload != 1)
        return;
    const int number = selected_step_number();
    if (number < 0) {
        if (func_get_step_row_count() > 0)
            func_save_step_list_to_file(selected_formula(), func_metric_units());
        info.reload = 0;
        return;
    }
    step_record* record = func_get_selected_step_from_liststore_test(number);
    if (!record) {
        func_write_log(LOG_SYSERROR, "func_get_step_data_from_buttons: Error Allocating Buffer for step", 0);
        return;
    }
    const step_form form = func_get_selected_step_form();
    for (int item = info.first_item; item < info.end_item && item < SELECTED_STEP_ITEMS; ++item)
        record->items[item] = form.values[item];
    // Number and name stay those of the selected step.
    func_set_selected_step_to_liststore_test(record);
    info.reload = 0;
}

step_form func_get_selected_step_form()
{
    step_form form;
    const step_rules_context context = func_get_step_rules_context();
    const int type = shown_type();
    for (int item = 0; item < STEP_FORM_ITEMS; ++item) {
        GtkWidget* button = value_button(item);
        form.values[item] = func_step_value_from_text(func_get_widget_label_text(button), item, type, context);
        form.editable[item] = button && gtk_widget_get_sensitive(button);
    }
    form.speed_item_code = speed_item_code;
    return form;
}

void func_set_selected_step_lockout(int type)
{
    if (!value_button(0))
        return;
    step_form form = func_get_selected_step_form();
    const step_rules_context context = func_get_step_rules_context();
    const bool remove_chemicals = func_apply_step_lockout(form, type, context);
    for (int item = 0; item < STEP_FORM_ITEMS; ++item) {
        GtkWidget* button = value_button(item);
        if (!button)
            continue;
        const std::string text = func_step_value_text(form.values[item], item, type, context);
        if (text != func_get_widget_label_text(button)) {
            gtk_button_set_label(GTK_BUTTON(button), text.c_str());
            // A forced water or steam value keeps its picture in step.
            if (has_yes_no_icon(item))
                set_icon(button, form.values[item] > 0);
        }
        gtk_widget_set_sensitive(button, form.editable[item] ? TRUE : FALSE);
    }
    speed_item_code = form.speed_item_code;
    if (remove_chemicals)
        func_delete_step_chemicals(selected_formula(), selected_step_number());
}

int func_validate_selected_step(GtkWidget*, gpointer)
{
    const int number = selected_step_number();
    const int previous_row = number > 1 ? func_find_step_row(number - 1) : -1;
    const int next_row = func_find_step_row(number + 1);
    std::unique_ptr<step_record> previous(previous_row >= 0 ? new step_record(func_get_step_row(previous_row))
                                                            : nullptr);
    std::unique_ptr<step_record> next(next_row >= 0 ? new step_record(func_get_step_row(next_row)) : nullptr);
    std::string message;
    const int passed = func_check_step_form(func_get_selected_step_form(), number,
                                            page_info[SCREEN_STEPS].list.total_items, previous.get(), next.get(),
                                            func_get_step_rules_context(), message);
    if (!passed)
        func_show_dialog(3, message, 1, nullptr);
    return passed;
}

void func_save_display_selected_steps_data(GtkWidget* widget, gpointer)
{
    if (!func_validate_selected_step(widget, nullptr))
        return;
    func_get_step_data_from_buttons_test();
    func_show_page_info_test(widget, nullptr);
}

void func_unload_selected_step_screen(GtkWidget* widget, gpointer)
{
    if (func_widget_name_is(widget, "btn_save")) {
        if (!func_validate_selected_step(widget, nullptr))
            return;
        func_get_step_data_from_buttons_test();
        if (!func_save_step_list_to_file(selected_formula(), func_metric_units()))
            return;  // the failure is reported and the screen read back from the file
        func_end_screen_log_transaction();
        func_show_screen(SCREEN_STEPS);
    } else if (func_widget_name_is(widget, "btn_cancel")) {
        // The step file stays as it was; the queued change-log lines go
        // with the next screen's fresh transaction.
        func_show_screen(SCREEN_STEPS);
    } else {
        // The Chemical value: the step's chemicals are edited on their own screen.
        func_get_step_data_from_buttons_test();
        if (!func_get_screen(SCREEN_CHEMICALS))
            return;
        func_end_screen_log_transaction();
        keep_edited_step = true;
        if (!func_show_screen(SCREEN_CHEMICALS))
            keep_edited_step = false;
    }
}
