// The steps screen: a formula's steps six to a page with number, name and
// type with time; selecting a step, the insert and paste menus, renaming,
// leaving with and without changes, the way to a step's settings; adding,
// inserting, pasting and deleting with the steps, totals, change-log lines,
// refusals and selection they leave. That steps.dat and the chemical files
// agree after each operation, also when a write fails, is
// formula_changes_test's.
#include <gtest/gtest.h>

#include "formulas/step_operations.h"
#include "formulas/step_screens_fixture.h"
#include "frame/home_screen.h"
#include "support/tcc_helpers.h"

namespace {
class steps_screen_gui_test : public step_screens_fixture {
protected:
    // Washes 1 to 5, a Standard Extract 6, a Soak Wash 7 and an End Formula 8.
    void open_eight_steps()
    {
        std::vector<step_record> steps;
        for (int number = 1; number <= 5; ++number)
            steps.push_back(hot_wash(number, 60 * number));
        steps.push_back(step(6, STEP_STANDARD_EXTRACT, 90, {{STEP_RPM, 600}}));
        steps.push_back(step(7, STEP_SOAK_WASH, 3600 + 5, {{STEP_HOT, 1}}));
        steps.push_back(step(8, STEP_END_FORMULA, 0));
        open_steps_screen(steps);
    }
    // Clone, rename, delete, and the row's number and type buttons.
    std::vector<bool> buttons(int row) const
    {
        return {step_sensitive("btn_clone_step"), step_sensitive("btn_rename_step"),
                step_sensitive("btn_delete_step"), step_sensitive(row_name("lbl_stp_number_#", row)),
                step_sensitive(row_name("btn_stp_type_#", row))};
    }
    void press(const char* name) { tap(step_widget(name)); }
    std::string label_of(const std::string& name) const { return func_test_label_text(step_widget(name)); }

    // Formula 1 with `count` washes (step k: k * 100 s, k chemicals in a
    // file of their own, item 23 at 1000 + k) on the steps screen.
    void open_formula(int count, std::initializer_list<int> extract_steps = {})
    {
        std::vector<step_record> steps;
        for (int k = 1; k <= count; ++k) {
            const bool extract = std::find(extract_steps.begin(), extract_steps.end(), k) != extract_steps.end();
            steps.push_back(step(k, extract ? STEP_STANDARD_EXTRACT : STEP_ONE_WAY_WASH, k * 100,
                                 {{STEP_HOT, 1}, {STEP_CHEMICALS, k}, {23, 1000 + k}}));
            sandbox.write_file(chemical_file(k), "chemicals of step " + std::to_string(k));
        }
        open_steps_screen(steps);
    }
    // Pages to the step and presses its name.
    void select_step(int number)
    {
        const int page = (number - 1) / STEPS_ROWS + 1;
        while (steps_page().current_page != page) {
            tap(step_widget(steps_page().current_page < page ? "btn_page_down" : "btn_page_up"), 10);
        }
        press_step_row((number - 1) % STEPS_ROWS);
    }
    std::pair<int, int> formula_totals() const
    {
        const formula_record record = records_in_file().at(0);
        return {record.step_count, record.total_time};
    }
    std::pair<int, int> selection() const { return {steps_page().pressed_row, steps_page().selected_number}; }
    using lines = std::vector<std::pair<int, std::string>>;
};

TEST_F(steps_screen_gui_test, eight_steps_fill_two_pages_and_a_visit_without_changes_logs_nothing)
{
    open_eight_steps();
    EXPECT_EQ(p[35] + " (01:30)", label_of("btn_stp_type_#005"));
    // Nothing selected yet: only add is offered.
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(std::vector<bool>(5, false), buttons(row)) << row;
    func_test_save_screenshot(steps_window(), "steps_page_1");

    press("btn_page_down");
    EXPECT_EQ((texts{"Step 007", "Step 008"}), shown_step_names());
    EXPECT_EQ(p[33] + " (01:00:05)", label_of("btn_stp_type_#000"));
    func_test_save_screenshot(steps_window(), "steps_page_2");

    // The type button opens the step; Cancel comes back to its page, still selected.
    open_step_on_row(0);
    EXPECT_EQ("F-001 : S-007 - Step 007",
              func_test_label_text(func_test_find_widget(selected_window(), "lbl_message_bar")));
    tap(func_test_find_widget(selected_window(), "btn_cancel"), 40);
    EXPECT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_EQ("02 / 02", label_of("lbl_page_info"));
    EXPECT_EQ(std::vector<bool>(5, true), buttons(0));
    press("btn_home");
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));
}

TEST_F(steps_screen_gui_test, a_selected_extract_step_cannot_be_copied_even_on_a_later_visit)
{
    open_eight_steps();
    const std::vector<bool> extract_buttons = {false, true, true, true, true};
    press_step_row(5);  // the first press of the screen
    EXPECT_EQ(extract_buttons, buttons(5));
    press_step_row(1);
    EXPECT_EQ(std::vector<bool>(5, true), buttons(1));
    press_step_row(5);
    EXPECT_FALSE(step_sensitive("btn_stp_type_#001"));

    press("btn_previous_page");
    EXPECT_EQ(SCREEN_FORMULAS, func_current_screen_code());
    tap(widget(row_name("btn_frm_step_#", 0)), 40);
    ASSERT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_EQ(6, steps_page().selected_number);
    EXPECT_EQ(extract_buttons, buttons(5));
}

TEST_F(steps_screen_gui_test, the_menus_name_the_selected_step_and_leaving_logs_the_insertion)
{
    open_eight_steps();
    press_step_row(1);
    press("btn_add_step");
    EXPECT_EQ((texts{p[70] + " S-002", p[71] + " S-002", p[72], p[73]}), options());
    func_test_save_screenshot(temporary_display_window, "steps_insert_menu");
    tap(option(p[70] + " S-002"));
    const std::string new_name = "[I] " + p[187] + " 002";  // the insertion itself: further down

    // The paste menu of the new step; its "<< CANCEL >>" closes it.
    press("btn_clone_step");
    EXPECT_EQ((texts{p[74] + " S-002", p[75] + " S-002", p[76], p[73]}), options());
    tap(option(p[73]));
    EXPECT_EQ(nullptr, temporary_display_window);

    press("btn_home");
    EXPECT_EQ((texts{p[184] + " " + p[187] + " : F-001 (Towels 001)",
                     "------> [" + p[281] + "] S-002 (" + new_name + ")"}),
              change_log());
}

TEST_F(steps_screen_gui_test, add_before_step_2_moves_the_later_steps_up_and_selects_the_new_one)
{
    open_formula(4);
    // A name typed on the screen and not saved yet is kept.
    gtk_button_set_label(GTK_BUTTON(step_widget("btn_stp_name_#000")), "Prewash");
    steps_page().reload = 1;
    select_step(2);
    func_insert_step_test(nullptr, 0);

    const std::string new_name = "[I] " + p[187] + " 002";
    EXPECT_EQ((texts{"1 Prewash", "2 " + new_name, "3 Step 002", "4 Step 003", "5 Step 004"}), listing());
    EXPECT_EQ(1002, steps_in_file()[2].items[23]);  // the old step 2 keeps its settings
    EXPECT_EQ(std::make_pair(5, 1000), formula_totals());
    EXPECT_EQ((lines{{1, "------> [" + p[281] + "] S-002 (" + new_name + ")"}}), queued_lines());
    EXPECT_EQ((texts{"Prewash", new_name, "Step 002", "Step 003", "Step 004"}), shown_step_names());
    EXPECT_EQ(std::make_pair(1, 2), selection());
    EXPECT_EQ(nullptr, dialog_window);  // the wait dialog is closed
}

TEST_F(steps_screen_gui_test, the_99th_step_goes_after_the_last_row_of_a_page_and_then_every_addition_is_refused)
{
    open_formula(98);
    select_step(96);  // page 16, row 5
    func_insert_step_test(nullptr, 1);
    const texts after = listing();
    ASSERT_EQ(99u, after.size());
    EXPECT_EQ((texts{"96 Step 096", "97 [I] " + p[187] + " 097", "98 Step 097", "99 Step 098"}),
              texts(after.begin() + 95, after.end()));
    // The new step is selected on row 0 of the next page, which is shown.
    EXPECT_EQ(std::make_pair(0, 97), selection());
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

TEST_F(steps_screen_gui_test, without_a_selection_add_appends_and_the_other_operations_do_nothing)
{
    open_formula(3);
    const std::string before = sandbox.read_file(STEP_FILE);
    for (int answer : {0, 1})
        func_copy_step_test(nullptr, answer);
    fun_copy_insert_step(nullptr, nullptr);
    func_delete_step_test(nullptr, nullptr);
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));
    EXPECT_TRUE(queued_lines().empty());

    tap(step_widget("btn_add_step"));  // no menu without a selection
    EXPECT_EQ(nullptr, temporary_display_window);
    const std::string new_name = "[N] " + p[187] + " 004";
    EXPECT_EQ("4 " + new_name, listing().back());
    EXPECT_EQ(std::make_pair(4, 600), formula_totals());
    EXPECT_EQ((lines{{1, "------> [" + p[278] + "] S-004 (" + new_name + ")"}}), queued_lines());
    EXPECT_EQ(std::make_pair(3, 4), selection());
}

TEST_F(steps_screen_gui_test, paste_copies_the_settings_before_after_or_at_the_end)
{
    open_formula(4);
    select_step(2);
    func_copy_step_test(nullptr, 1);  // after step 2
    const std::string copy_name = "(" + p[282] + ") Step 002";
    EXPECT_EQ((texts{"1 Step 001", "2 Step 002", "3 " + copy_name, "4 Step 003", "5 Step 004"}), listing());
    const std::vector<step_record> steps = steps_in_file();
    EXPECT_EQ(std::vector<int32_t>(steps[1].items, std::end(steps[1].items)),
              std::vector<int32_t>(steps[2].items, std::end(steps[2].items)));
    EXPECT_EQ(std::make_pair(5, 1200), formula_totals());
    EXPECT_EQ((lines{{1, "------> [" + p[282] + "] S-002 (Step 002) --> S-003 (" + copy_name + ")"}}),
              queued_lines());
    EXPECT_EQ(3, steps_page().selected_number);

    select_step(1);
    func_copy_step_test(nullptr, 0);  // before step 1: the copy, on the row that was selected
    EXPECT_EQ("1 (" + p[282] + ") Step 001", listing().front());
    EXPECT_EQ(1, steps_page().selected_number);

    select_step(5);
    func_copy_step_test(nullptr, 2);  // to the end
    EXPECT_EQ("7 [C] Step 003", listing().back());
    EXPECT_EQ(7, steps_page().selected_number);
}

TEST_F(steps_screen_gui_test, the_confirmed_delete_moves_the_later_steps_down_and_the_last_leaves_an_empty_file)
{
    open_formula(3);
    select_step(2);
    func_confirm_delete_step(nullptr, nullptr);
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[279] + " S-002 (Step 002) ?", dialog_text());
    tap(dialog_button(0), 20);
    EXPECT_EQ(nullptr, dialog_window);
    EXPECT_EQ((texts{"1 Step 001", "2 Step 003"}), listing());
    EXPECT_EQ(std::make_pair(2, 400), formula_totals());
    EXPECT_EQ((lines{{1, "------> [" + p[279] + "] S-002 (Step 002)"}}), queued_lines());
    EXPECT_EQ(std::make_pair(0, 1), selection());  // the step before
    EXPECT_EQ((texts{"Step 001", "Step 003"}), shown_step_names());
    for (int left : {1, 0}) {
        select_step(1);
        func_delete_step_test(nullptr, nullptr);
        EXPECT_EQ(size_t(left), listing().size());
    }
    EXPECT_TRUE(sandbox.exists(STEP_FILE) && sandbox.read_file(STEP_FILE).empty());
    EXPECT_EQ(std::make_pair(0, 0), formula_totals());
    EXPECT_EQ(-1, steps_page().selected_number);
    EXPECT_TRUE(shown_step_names().empty());
}

TEST_F(steps_screen_gui_test, delete_is_refused_where_two_extracts_or_a_leading_extract_would_follow)
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
    // The last step (right after an extract), step 2 between two washes,
    // and step 3 once step 2 is a wash.
    for (int number : {5, 2, 3}) {
        if (number == 3)
            func_set_step_row(1, step_record{2, "Wash", {1}});
        select_step(number);
        EXPECT_EQ(1, func_validate_delete_step()) << number;
    }
    EXPECT_EQ(nullptr, dialog_window);
}
}  // namespace
