// Saves that cannot happen (the data belongs to another user, the disk is
// read-only): the operator is told which file was not saved, the screen
// shows what is on disk, and syserror.log has the line.
#include <gtest/gtest.h>

#include "entry/data_entry_dialog.h"
#include "formulas/formula_operations.h"
#include "formulas/formulas_screen.h"
#include "formulas/selected_step_screen.h"
#include "formulas/step_list.h"
#include "formulas/step_operations.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/screen_table.h"
#include "frame/startup.h"
#include "language/language.h"
#include "support/console_fixture.h"

namespace {
class save_failure_gui_test : public console_gui_test {
protected:
    void SetUp() override
    {
        console_gui_test::SetUp();
        write_formulas(3);
        step_record step{1, "Fill", {STEP_ONE_WAY_WASH, 120}};
        step.items[STEP_HOT] = 1;
        unsigned char bytes[STEP_RECORD_SIZE];
        func_encode_step_record(step, bytes);
        sandbox.write_file("formulas/f-001/steps.dat", std::string(reinterpret_cast<const char*>(bytes), sizeof bytes));
        prepare_console();
        show_home();
    }
    void open_formulas()
    {
        func_show_screen(SCREEN_FORMULAS);
        func_test_run_loop(50);
    }
    void press_formula_row(int row)
    {
        func_test_release(func_test_find_widget(options_display->window, "btn_frm_name_#00" + std::to_string(row)));
    }
    // The report of what was not saved, once the action has ended.
    std::string report()
    {
        func_test_run_loop(200);
        return dialog_window ? dialog_text() : "";
    }
};

TEST_F(save_failure_gui_test, a_formula_add_rename_or_delete_that_could_not_be_saved_is_reported_and_changes_nothing)
{
    open_formulas();
    sandbox.refuse_writes_under({"formulas/"});
    EXPECT_EQ(0, func_add_formula_test(nullptr, 7));
    const std::string text = report();
    EXPECT_NE(std::string::npos, text.find(p[900])) << text;
    EXPECT_NE(std::string::npos, text.find("formulas/formulas.dat")) << text;
    func_test_save_screenshot(dialog_window, "dialog_not_saved");
    // (The file left as it was and the logged line: formula_list_test.) The screen shows the three formulas on disk, and the change log
    // records no formula that does not exist.
    EXPECT_EQ((std::vector<std::string>{"Towels 001", "Towels 002", "Towels 003"}),
              func_test_row_labels(options_display->window, "btn_frm_name_#"));
    EXPECT_TRUE(queued_lines().empty());
    // Nothing closes the report but its button.
    func_close_active_dialog();
    ASSERT_NE(nullptr, dialog_window);
    func_test_release(dialog_button(0));
    EXPECT_EQ(nullptr, dialog_window);

    open_formulas();
    press_formula_row(1);
    sandbox.refuse_writes_under({"formulas/"});
    GtkWidget* name = func_test_find_widget(options_display->window, "btn_frm_name_#001");
    func_show_data_entry_dialog(name, GINT_TO_POINTER(1));
    gtk_entry_set_text(GTK_ENTRY(func_test_find_widget(data_entry_window(), "entry_text")), "Sheets");
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
    func_get_formula_list_data_from_buttons_test();
    EXPECT_NE(std::string::npos, report().find("formulas/formulas.dat"));
    EXPECT_EQ("Towels 002", func_test_label_text(func_test_find_widget(options_display->window, "btn_frm_name_#001")));
    func_test_release(dialog_button(0));

    // Deleting removes neither row nor folder.
    sandbox.write_file("formulas/f-002/steps.dat", "x");
    press_formula_row(1);
    func_delete_formula_test(nullptr, nullptr);
    EXPECT_FALSE(report().empty());
    EXPECT_EQ(std::vector<int>({1, 2, 3}), numbers_in_file());
    EXPECT_TRUE(sandbox.exists("formulas/f-002/steps.dat"));
    EXPECT_EQ(3u, func_test_row_labels(options_display->window, "btn_frm_name_#").size());
}

TEST_F(save_failure_gui_test, steps_home_screen_files_and_a_first_start_that_cannot_be_saved_are_reported)
{
    open_formulas();
    press_formula_row(0);
    func_test_release(func_test_find_widget(options_display->window, "btn_frm_step_#000"));
    func_test_run_loop(50);
    ASSERT_EQ(SCREEN_STEPS, func_current_screen_code());
    sandbox.refuse_writes_under({"formulas/"});
    func_add_step_test(nullptr);
    EXPECT_NE(std::string::npos, report().find("formulas/f-001/steps.dat"));
    EXPECT_EQ(std::vector<std::string>{"Fill"}, func_test_row_labels(options_display->window, "btn_stp_name_#"));
    func_test_release(dialog_button(0));

    // Save on the step's settings: the screen stays, showing the file.
    func_test_release(func_test_find_widget(options_display->window, "btn_stp_type_#000"));
    func_test_run_loop(50);
    ASSERT_EQ(SCREEN_SELECTED_STEP, func_current_screen_code());
    GtkWidget* time = step_item_selections_name[STEP_TIME];
    gtk_button_set_label(GTK_BUTTON(time), "05:00");
    page_info[SCREEN_SELECTED_STEP].list.reload = 1;
    func_test_release(func_test_find_widget(options_display->window, "btn_save"));
    EXPECT_NE(std::string::npos, report().find("formulas/f-001/steps.dat"));
    EXPECT_EQ(SCREEN_SELECTED_STEP, func_current_screen_code());
    EXPECT_EQ("02:00", func_test_label_text(step_item_selections_name[STEP_TIME]));

    sandbox.refuse_writes_under({"data/"});
    const int record[2] = {1, 40};
    EXPECT_EQ(0, func_save_load_weight_to_file(record));
    EXPECT_NE(std::string::npos, report().find("data/load_weight.dat"));
    func_test_release(dialog_button(0));

    // A first start on a configuration folder it may not write.
    sandbox_root empty(true);
    empty.refuse_writes_under({"configuration/", "formulas/"});
    int argc = 1;
    char program[] = "lumex6-test";
    char* arguments[] = {program, nullptr};
    char** argv = arguments;
    ASSERT_EQ(0, func_prepare_console(&argc, &argv));
    func_show_screen(SCREEN_HOME);
    const std::string text = report();
    EXPECT_NE(std::string::npos, text.find("configuration/default.cfg")) << text;
}
}  // namespace
