#include "support/console_fixture.h"

#include <algorithm>
#include <cstdio>

#include "configuration/configuration_record.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/startup.h"
#include "language/language.h"

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
    if (preloaded_display && preloaded_display[SCREEN_HOME].window)
        gtk_widget_hide(preloaded_display[SCREEN_HOME].window);
    func_test_run_loop(20);
}

void console_gui_test::write_formulas(int active, int inactive)
{
    std::string bytes;
    int number = 1;
    for (int i = 0; i < active + inactive; ++i, ++number) {
        formula_record record;
        record.number = number;
        char name[32];
        snprintf(name, sizeof name, "%s %03d", i < active ? "Towels" : "Spare", number);
        record.name = name;
        record.active = i < active ? 1 : 0;
        record.step_count = 3;
        record.total_time = 420 + number;
        unsigned char encoded[FORMULA_RECORD_SIZE];
        func_encode_formula_record(record, encoded);
        bytes.append(reinterpret_cast<const char*>(encoded), sizeof encoded);
    }
    sandbox.write_file("formulas/formulas.dat", bytes);
}

void console_gui_test::write_configuration_item(int item, float value)
{
    machine_configuration record;
    func_set_default_configuration(record);
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
