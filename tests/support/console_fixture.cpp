#include "support/console_fixture.h"

#include <algorithm>
#include <cstdio>

#include "configuration/configuration_record.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/screen_table.h"
#include "frame/startup.h"
#include "language/language.h"
#include "logs/log_file.h"
#include "support/core_data_fixture.h"
#include "support/part_a_records.h"

void console_gui_test::SetUp()
{
    sandbox_root::set_clock(2018, 3, 26, 14, 5);
    // Tests of one binary share a process: no screen is shown yet.
    if (options_display)
        options_display->screen_code = -1;
}

void console_gui_test::TearDown()
{
    func_close_active_dialog();
    // A report of what was not saved waits for its OK.
    if (dialog_window)
        func_test_release(dialog_button(0));
    // Every screen a test showed is hidden for the next one.
    for (int code : preloaded_display ? func_registered_screens() : std::vector<int>())
        if (preloaded_display[code].window)
            gtk_widget_hide(preloaded_display[code].window);
    func_test_run_loop(20);
}

formula_record console_gui_test::formula(int number, int active, int steps, int time)
{
    formula_record record;
    record.number = number;
    char name[32];
    snprintf(name, sizeof name, "Towels %03d", number);
    record.name = name;
    record.active = active;
    record.step_count = steps;
    record.total_time = time ? time : 400 + number;
    return record;
}

void console_gui_test::write_formula_list(const std::vector<formula_record>& records)
{
    sandbox.write_file("formulas/formulas.dat", encode_records(records, FORMULA_RECORD_SIZE, func_encode_formula_record));
}

void console_gui_test::write_formulas(int active, int inactive)
{
    std::vector<formula_record> records;
    for (int number = 1; number <= active + inactive; ++number)
        records.push_back(formula(number, number <= active ? 1 : 0));
    write_formula_list(records);
}

std::vector<formula_record> console_gui_test::records_in_file() const
{
    return decode_records<formula_record>(sandbox.read_file("formulas/formulas.dat"), FORMULA_RECORD_SIZE,
                                          func_decode_formula_record);
}

std::vector<int> console_gui_test::numbers_in_file() const
{
    std::vector<int> numbers;
    for (const formula_record& record : records_in_file())
        numbers.push_back(record.number);
    return numbers;
}

void console_gui_test::write_configuration(std::initializer_list<std::pair<int, float>> items)
{
    machine_configuration record;
    func_set_default_configuration(record);
    for (const auto& [item, value] : items)
        record.items[item] = value;
    unsigned char bytes[CONFIGURATION_RECORD_SIZE];
    func_encode_configuration(record, bytes);
    sandbox.write_file("configuration/default.cfg", std::string(reinterpret_cast<const char*>(bytes), sizeof bytes));
}

void console_gui_test::prepare_console()
{
    int argc = 1;
    char program[] = "lumex6-test";
    char* arguments[] = {program, nullptr};
    char** argv = arguments;
    ASSERT_EQ(0, func_prepare_console(&argc, &argv));
}

void console_gui_test::show_home()
{
    func_show_home_screen(nullptr, nullptr);
    func_test_run_loop(100);
}

GtkWidget* console_gui_test::home_window() const { return preloaded_display[SCREEN_HOME].window; }

GtkWidget* console_gui_test::home_widget(const std::string& name) const
{
    return func_test_find_widget(home_window(), name);
}

std::string console_gui_test::page_counter() const { return func_test_label_text(home_widget("lbl_page_info")); }

std::vector<std::string> console_gui_test::shown_formula_names() const
{
    return func_test_row_labels(home_window(), "btn_frm_name_#");
}

std::vector<std::pair<int, std::string>> console_gui_test::queued_lines()
{
    std::vector<std::pair<int, std::string>> lines;
    GtkTreeModel* model = GTK_TREE_MODEL(log_transaction_store);
    GtkTreeIter iter;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &iter); more; more = gtk_tree_model_iter_next(model, &iter)) {
        gint code = 0;
        gchar* text = nullptr;
        gtk_tree_model_get(model, &iter, 0, &code, 1, &text, -1);
        lines.emplace_back(code, text ? text : "");
        g_free(text);
    }
    return lines;
}

std::vector<std::string> console_gui_test::change_log() const { return read_log_texts(sandbox.read_file(CHANGE_LOG)); }
std::vector<std::string> console_gui_test::syserror_log() const { return read_log_texts(sandbox.read_file(SYSERROR_LOG)); }

std::string console_gui_test::dialog_text()
{
    if (!dialog_window || !dialog_window_message)
        return "";
    std::string text = gtk_label_get_text(GTK_LABEL(dialog_window_message));
    const std::string before = "\n   ", after = "   \n";
    if (text.rfind(before, 0) == 0 && text.size() >= before.size() + after.size())
        text = text.substr(before.size(), text.size() - before.size() - after.size());
    return text;
}

namespace {
std::vector<GtkWidget*> action_buttons()
{
    std::vector<GtkWidget*> buttons;
    GList* children = gtk_container_get_children(GTK_CONTAINER(gtk_dialog_get_action_area(GTK_DIALOG(dialog_window))));
    for (GList* child = children; child; child = child->next)
        buttons.push_back(GTK_WIDGET(child->data));
    g_list_free(children);
    return buttons;
}
}  // namespace

GtkWidget* console_gui_test::dialog_button(int index)
{
    const std::vector<GtkWidget*> buttons = action_buttons();
    return index >= 0 && index < static_cast<int>(buttons.size()) ? buttons[index] : nullptr;
}

int console_gui_test::dialog_buttons() { return static_cast<int>(action_buttons().size()); }

GtkWidget* console_gui_test::data_entry_window(bool visible_only)
{
    return func_test_find_window("win_data_entry", visible_only);
}
