// Adding, inserting, pasting and deleting steps: the step file, the
// chemical files under their steps' new numbers, the formula's totals,
// the change-log lines, the refusals and the selection left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "files/atomic_file.h"
#include "formulas/step_operations.h"
#include "formulas/step_screens_fixture.h"

namespace {
std::string chemicals_of(int step) { return "chemicals of step " + std::to_string(step); }

using lines = std::vector<std::pair<int, std::string>>;
}  // namespace

class step_operations_gui_test : public step_screens_fixture {
protected:
    void TearDown() override
    {
        func_reset_file_io_ops();
        step_screens_fixture::TearDown();
    }

    // Formula 1 with `count` washes (step k: k * 100 s, 100 + k °F, k
    // chemicals, item 23 at 1000 + k) and a chemical file each, on the
    // steps screen.
    void open_formula(int count, std::initializer_list<int> extract_steps = {})
    {
        std::vector<step_record> steps;
        for (int k = 1; k <= count; ++k) {
            const bool extract = std::find(extract_steps.begin(), extract_steps.end(), k) != extract_steps.end();
            steps.push_back(step(k, extract ? STEP_STANDARD_EXTRACT : STEP_ONE_WAY_WASH, k * 100,
                                 {{STEP_TEMPERATURE, 100 + k}, {STEP_HOT, 1}, {STEP_CHEMICALS, k}, {23, 1000 + k}}));
            sandbox.write_file(chemical_file(k), chemicals_of(k));
        }
        open_steps_screen(steps);
    }
    // Pages to the step and presses its name.
    void select_step(int number)
    {
        const int page = (number - 1) / STEPS_ROWS + 1;
        while (steps_page().current_page != page) {
            func_test_release(step_widget(steps_page().current_page < page ? "btn_page_down" : "btn_page_up"));
            func_test_run_loop(10);
        }
        press_step_row((number - 1) % STEPS_ROWS);
    }
    std::pair<int, int> formula_totals() const
    {
        const formula_record record = records_in_file().at(0);
        return {record.step_count, record.total_time};
    }
};

// --- insert -----------------------------------------------------------------------------

TEST_F(step_operations_gui_test, add_before_step_2_moves_the_later_steps_up_with_their_chemicals)
{
    open_formula(4);
    // A name typed on the screen and not saved yet is kept.
    gtk_button_set_label(GTK_BUTTON(step_widget("btn_stp_name_#000")), "Prewash");
    steps_page().reload = 1;
    select_step(2);
    func_insert_step_test(nullptr, 0);

    const std::string new_name = "[I] " + p[187] + " 002";
    EXPECT_EQ((texts{"1 Prewash", "2 " + new_name, "3 Step 002", "4 Step 003", "5 Step 004"}), listing());
    const std::vector<step_record> steps = steps_in_file();
    EXPECT_EQ(std::vector<int32_t>(STEP_ITEM_COUNT, 0), std::vector<int32_t>(steps[1].items, std::end(steps[1].items)));
    EXPECT_EQ(1002, steps[2].items[23]);  // the old step 2 keeps its settings
    EXPECT_FALSE(sandbox.exists(chemical_file(2)));
    EXPECT_EQ(chemicals_of(2), sandbox.read_file(chemical_file(3)));
    EXPECT_EQ(chemicals_of(4), sandbox.read_file(chemical_file(5)));
    EXPECT_EQ(std::make_pair(5, 1000), formula_totals());
    EXPECT_EQ((lines{{1, "------> [" + p[281] + "] S-002 (" + new_name + ")"}}), queued_lines());
    // The screen shows the new list; the selection stays on its row, which holds the new step.
    EXPECT_EQ((texts{"Prewash", new_name, "Step 002", "Step 003", "Step 004"}), shown_step_names());
    EXPECT_EQ(std::make_pair(1, 2), std::make_pair(steps_page().pressed_row, steps_page().selected_number));
    EXPECT_EQ(new_name, steps_page().selected_text);
    EXPECT_EQ(nullptr, dialog_window);  // the wait dialog is closed
}

TEST_F(step_operations_gui_test, the_99th_step_goes_after_the_last_row_of_a_page_and_then_every_addition_is_refused)
{
    open_formula(98);
    select_step(96);  // page 16, row 5
    func_insert_step_test(nullptr, 1);
    EXPECT_EQ(chemicals_of(96), sandbox.read_file(chemical_file(96)));
    EXPECT_FALSE(sandbox.exists(chemical_file(97)));
    const texts after = listing();
    ASSERT_EQ(99u, after.size());
    EXPECT_EQ((texts{"96 Step 096", "97 [I] " + p[187] + " 097", "98 Step 097", "99 Step 098"}),
              texts(after.begin() + 95, after.end()));
    EXPECT_EQ(99, formula_totals().first);
    // The new step is selected on row 0 of the next page, which is shown.
    EXPECT_EQ(std::make_pair(0, 97), std::make_pair(steps_page().pressed_row, steps_page().selected_number));
    EXPECT_EQ((texts{"[I] " + p[187] + " 097", "Step 097", "Step 098"}), shown_step_names());

    const std::string full = sandbox.read_file(STEP_FILE);
    select_step(50);
    func_add_step_test(nullptr);
    func_insert_step_test(nullptr, 0);
    func_copy_step_test(nullptr, 1);
    func_add_step_copy_test(nullptr, 50);
    EXPECT_EQ(full, sandbox.read_file(STEP_FILE));
    EXPECT_EQ(1u, queued_lines().size());
    for (const char* function : {"add_new_step", "func_copy_step", "add_new_step_copy"})
        EXPECT_TRUE(logged(std::string(function) + " : Max Number of step reached, no new step can be added"))
            << function;
}

TEST_F(step_operations_gui_test, the_add_button_without_a_selection_appends_and_selects_the_new_step)
{
    open_formula(6);
    func_test_release(step_widget("btn_add_step"));  // no menu without a selection
    func_test_run_loop(30);
    EXPECT_EQ(nullptr, temporary_display_window);
    const std::string new_name = "[N] " + p[187] + " 007";
    const texts after = listing();
    EXPECT_EQ((texts{"6 Step 006", "7 " + new_name}), texts(after.begin() + 5, after.end()));
    EXPECT_EQ(std::make_pair(7, 2100), formula_totals());
    EXPECT_EQ((lines{{1, "------> [" + p[278] + "] S-007 (" + new_name + ")"}}), queued_lines());
    EXPECT_EQ(std::make_pair(0, 7), std::make_pair(steps_page().pressed_row, steps_page().selected_number));
}

TEST_F(step_operations_gui_test, cancel_or_no_selection_leaves_everything_as_it_was)
{
    open_formula(3);
    const std::string before = sandbox.read_file(STEP_FILE);
    select_step(2);
    func_insert_step_test(nullptr, STEP_MENU_CANCEL);
    func_copy_step_test(nullptr, STEP_MENU_CANCEL);
    steps_page().pressed_row = -1;
    steps_page().selected_number = -1;
    func_insert_step_test(nullptr, 0);
    func_copy_step_test(nullptr, 1);
    fun_copy_insert_step(nullptr, nullptr);
    func_delete_step_test(nullptr, nullptr);
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));
    EXPECT_TRUE(queued_lines().empty());
}

// --- paste ------------------------------------------------------------------------------

TEST_F(step_operations_gui_test, paste_after_step_2_gives_step_3_with_step_2s_settings_and_chemicals)
{
    open_formula(4);
    select_step(2);
    func_copy_step_test(nullptr, 1);

    const std::string copy_name = "(" + p[282] + ") Step 002";
    EXPECT_EQ((texts{"1 Step 001", "2 Step 002", "3 " + copy_name, "4 Step 003", "5 Step 004"}), listing());
    const std::vector<step_record> steps = steps_in_file();
    EXPECT_EQ(std::vector<int32_t>(steps[1].items, std::end(steps[1].items)),
              std::vector<int32_t>(steps[2].items, std::end(steps[2].items)));
    EXPECT_EQ(1002, steps[2].items[23]);
    for (int step : {2, 3})
        EXPECT_EQ(chemicals_of(2), sandbox.read_file(chemical_file(step)));
    EXPECT_EQ(chemicals_of(4), sandbox.read_file(chemical_file(5)));
    EXPECT_FALSE(sandbox.exists("formulas/f-001/s-003_chems"));
    EXPECT_EQ(std::make_pair(5, 1200), formula_totals());
    EXPECT_EQ((lines{{1, "------> [" + p[282] + "] S-002 (Step 002) --> S-003 (" + copy_name + ")"}}),
              queued_lines());
    EXPECT_EQ(3, steps_page().selected_number);
    EXPECT_EQ(nullptr, dialog_window);
}

TEST_F(step_operations_gui_test, paste_before_a_step_without_chemicals_copies_none_and_paste_to_end_appends)
{
    open_formula(3);
    std::remove(sandbox.path(chemical_file(2)).c_str());
    select_step(2);
    func_copy_step_test(nullptr, 0);
    EXPECT_EQ((texts{"1 Step 001", "2 (" + p[282] + ") Step 002", "3 Step 002", "4 Step 003"}), listing());
    EXPECT_FALSE(sandbox.exists(chemical_file(2)));
    EXPECT_FALSE(sandbox.exists(chemical_file(3)));
    EXPECT_EQ(chemicals_of(3), sandbox.read_file(chemical_file(4)));
    // A step without chemicals has no file: nothing to log.
    EXPECT_FALSE(logged("func_copy_file : Can't open source file : " + sandbox.path(chemical_file(2))));
    EXPECT_EQ(2, steps_page().selected_number);  // the copy, on the row that was selected

    select_step(4);
    func_copy_step_test(nullptr, 2);
    EXPECT_EQ("5 [C] Step 003", listing().back());
    EXPECT_EQ(chemicals_of(3), sandbox.read_file(chemical_file(5)));
    EXPECT_EQ(std::make_pair(1, "------> [" + p[282] + "] S-004 (Step 003) --> S-005 ([C] Step 003)"),
              queued_lines().back());
    EXPECT_EQ(5, steps_page().selected_number);
    EXPECT_EQ(std::make_pair(5, 100 + 200 + 200 + 300 + 300), formula_totals());
}

// --- delete -------------------------------------------------------------------------------

TEST_F(step_operations_gui_test, deleting_step_2_of_5_removes_its_chemicals_and_moves_the_later_ones_down)
{
    open_formula(5);
    select_step(2);
    func_delete_step_test(nullptr, nullptr);

    EXPECT_EQ((texts{"1 Step 001", "2 Step 003", "3 Step 004", "4 Step 005"}), listing());
    EXPECT_EQ(chemicals_of(3), sandbox.read_file(chemical_file(2)));
    EXPECT_EQ(chemicals_of(5), sandbox.read_file(chemical_file(4)));
    EXPECT_FALSE(sandbox.exists(chemical_file(5)));
    EXPECT_EQ(std::make_pair(4, 1300), formula_totals());
    EXPECT_EQ((lines{{1, "------> [" + p[279] + "] S-002 (Step 002)"}}), queued_lines());
    // The step before the deleted one is selected.
    EXPECT_EQ(std::make_pair(0, 1), std::make_pair(steps_page().pressed_row, steps_page().selected_number));
    EXPECT_EQ((texts{"Step 001", "Step 003", "Step 004", "Step 005"}), shown_step_names());
    EXPECT_EQ(nullptr, dialog_window);
}

TEST_F(step_operations_gui_test, delete_is_refused_where_two_extracts_or_a_leading_extract_would_follow)
{
    open_formula(5, {2, 4});
    select_step(1);
    EXPECT_EQ(0, func_validate_delete_step());
    EXPECT_EQ(p[685], dialog_text());
    EXPECT_TRUE(logged(p[685], "log/03-2018-error.log"));
    func_close_active_dialog();

    // No confirmation is offered for a refused step, and nothing changes.
    select_step(3);
    const std::string before = sandbox.read_file(STEP_FILE);
    func_confirm_delete_step(nullptr, nullptr);
    EXPECT_EQ(p[398], dialog_text());
    func_close_active_dialog();
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));

    // The last step (right after an extract) and step 2 between two washes.
    for (int number : {5, 2}) {
        select_step(number);
        EXPECT_EQ(1, func_validate_delete_step()) << number;
    }
    func_set_step_row(1, step_record{2, "Wash", {1}});
    for (int number : {3, 1}) {  // only one extract beside them now
        select_step(number);
        EXPECT_EQ(1, func_validate_delete_step()) << number;
    }
    EXPECT_EQ(nullptr, dialog_window);
}

TEST_F(step_operations_gui_test, the_confirmation_names_the_step_and_its_ok_deletes_the_only_step)
{
    open_formula(1);
    select_step(1);
    func_confirm_delete_step(nullptr, nullptr);
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[279] + " S-001 (Step 001) ?", dialog_text());
    GList* buttons =
        gtk_container_get_children(GTK_CONTAINER(gtk_dialog_get_action_area(GTK_DIALOG(dialog_window))));
    func_test_release(GTK_WIDGET(g_list_nth_data(buttons, 0)));
    g_list_free(buttons);
    func_test_run_loop(20);
    EXPECT_EQ(nullptr, dialog_window);
    EXPECT_TRUE(sandbox.exists(STEP_FILE));
    EXPECT_EQ("", sandbox.read_file(STEP_FILE));
    EXPECT_FALSE(sandbox.exists(chemical_file(1)));
    EXPECT_EQ(std::make_pair(0, 0), formula_totals());
    EXPECT_EQ(-1, steps_page().selected_number);
    EXPECT_TRUE(shown_step_names().empty());
    EXPECT_EQ("01 / 01", func_test_label_text(step_widget("lbl_page_info")));
}
