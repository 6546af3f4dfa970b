// The steps screen: a formula's steps six to a page with number, name and
// type with time; selecting a step, the insert menu, leaving with and
// without changes, and the way to a step's settings.
#include <gtest/gtest.h>

#include "formulas/step_operations.h"
#include "formulas/step_screens_fixture.h"
#include "frame/home_screen.h"

namespace {
class steps_screen_gui_test : public step_screens_fixture {
protected:
    // Washes 1 to 5, a Standard Extract 6, a Soak Wash 7 and an End Formula 8.
    static std::vector<step_record> eight_steps()
    {
        std::vector<step_record> steps;
        for (int number = 1; number <= 5; ++number)
            steps.push_back(hot_wash(number, 60 * number));
        steps.push_back(step(6, STEP_STANDARD_EXTRACT, 90, {{STEP_RPM, 600}}));
        steps.push_back(step(7, STEP_SOAK_WASH, 3600 + 5, {{STEP_HOT, 1}}));
        steps.push_back(step(8, STEP_END_FORMULA, 0));
        return steps;
    }
    bool rename_delete(bool expected) const
    {
        return step_sensitive("btn_rename_step") == expected && step_sensitive("btn_delete_step") == expected;
    }
    bool row_options(int row, bool expected) const
    {
        return step_sensitive(row_name("lbl_stp_number_#", row)) == expected &&
               step_sensitive(row_name("btn_stp_type_#", row)) == expected;
    }
    std::string label_of(const std::string& name) const { return func_test_label_text(step_widget(name)); }
};

TEST_F(steps_screen_gui_test, eight_steps_fill_two_pages_of_number_name_and_type_with_time)
{
    open_steps_screen(eight_steps());
    EXPECT_TRUE(gtk_widget_get_visible(steps_window()));
    EXPECT_FALSE(gtk_widget_get_visible(formulas_window()));
    EXPECT_EQ("F-001 - Towels 001", label_of("lbl_message_bar"));
    EXPECT_EQ("01 / 02", label_of("lbl_page_info"));
    EXPECT_EQ((std::vector<std::string>{"Step 001", "Step 002", "Step 003", "Step 004", "Step 005", "Step 006"}),
              shown_step_names());
    EXPECT_EQ((std::vector<std::string>{"001", "002", "003", "004", "005", "006"}),
              func_test_row_labels(steps_window(), "lbl_stp_number_#"));
    EXPECT_EQ(p[31] + " (02:00)", label_of("btn_stp_type_#001"));
    EXPECT_EQ(p[35] + " (01:30)", label_of("btn_stp_type_#005"));
    EXPECT_NE(nullptr, gtk_button_get_image(GTK_BUTTON(step_widget("btn_stp_type_#000"))));
    // Nothing selected yet: the rows' number and type buttons and clone,
    // rename and delete wait for a selection; add does not.
    for (int row = 0; row < 6; ++row)
        EXPECT_TRUE(row_options(row, false)) << row;
    EXPECT_FALSE(step_sensitive("btn_clone_step"));
    EXPECT_TRUE(rename_delete(false));
    EXPECT_TRUE(step_sensitive("btn_add_step"));
    EXPECT_FALSE(step_sensitive("btn_page_up"));
    EXPECT_TRUE(step_sensitive("btn_page_down"));
    func_test_save_screenshot(steps_window(), "steps_page_1");

    func_test_release(step_widget("btn_page_down"));
    func_test_run_loop(30);
    EXPECT_EQ("02 / 02", label_of("lbl_page_info"));
    EXPECT_EQ((std::vector<std::string>{"Step 007", "Step 008"}), shown_step_names());
    EXPECT_EQ(p[33] + " (01:00:05)", label_of("btn_stp_type_#000"));
    EXPECT_EQ(p[30] + " (00:00)", label_of("btn_stp_type_#001"));
    EXPECT_EQ(nullptr, step_widget("btn_stp_name_#002"));
    EXPECT_FALSE(step_sensitive("btn_page_down"));
    EXPECT_TRUE(step_sensitive("btn_page_up"));
    func_test_save_screenshot(steps_window(), "steps_page_2");
}

TEST_F(steps_screen_gui_test, a_selected_extract_step_cannot_be_copied)
{
    open_steps_screen(eight_steps());
    // The first press of the screen lands on the Standard Extract.
    press_step_row(5);
    EXPECT_FALSE(step_sensitive("btn_clone_step"));
    EXPECT_TRUE(rename_delete(true));

    press_step_row(1);
    EXPECT_EQ(2, steps_page().selected_number);
    EXPECT_STREQ("Step 002", steps_page().selected_text);
    EXPECT_TRUE(step_sensitive("btn_clone_step"));
    EXPECT_TRUE(rename_delete(true));
    EXPECT_TRUE(row_options(1, true));
    EXPECT_EQ(func_test_color("green"),
              func_test_text_color(gtk_bin_get_child(GTK_BIN(step_widget("btn_stp_name_#001")))));

    // Back to the extract: clone off, the rest as for any step.
    press_step_row(5);
    EXPECT_EQ(6, steps_page().selected_number);
    EXPECT_FALSE(step_sensitive("btn_clone_step"));
    EXPECT_TRUE(rename_delete(true));
    EXPECT_TRUE(row_options(5, true));
    EXPECT_TRUE(row_options(1, false));
    EXPECT_EQ(GTK_STATE_NORMAL, gtk_widget_get_state(step_widget("btn_stp_name_#001")));

    // Drawn again on a later visit, the extract is still not copyable.
    func_test_release(step_widget("btn_previous_page"));
    func_test_run_loop(20);
    func_test_release(widget(row_name("btn_frm_step_#", 0)));
    func_test_run_loop(40);
    ASSERT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_EQ(6, steps_page().selected_number);
    EXPECT_FALSE(step_sensitive("btn_clone_step"));
    EXPECT_TRUE(rename_delete(true));
}

TEST_F(steps_screen_gui_test, the_type_button_opens_that_step_on_the_selected_step_screen)
{
    open_steps_screen(eight_steps());
    press_step_row(2);
    func_test_release(step_widget("btn_stp_type_#002"));
    func_test_run_loop(40);
    EXPECT_EQ(SCREEN_SELECTED_STEP, func_current_screen_code());
    EXPECT_TRUE(gtk_widget_get_visible(selected_window()));
    EXPECT_FALSE(gtk_widget_get_visible(steps_window()));
    EXPECT_EQ(1, steps_page().reload);
    EXPECT_EQ("F-001 : S-003 - Step 003",
              func_test_label_text(func_test_find_widget(selected_window(), "lbl_message_bar")));
    EXPECT_EQ("03:00", value_text(STEP_TIME));

    // Cancel comes back to the page of the step, still selected.
    func_test_release(func_test_find_widget(selected_window(), "btn_cancel"));
    func_test_run_loop(40);
    EXPECT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_EQ(2, steps_page().pressed_row);
    EXPECT_TRUE(row_options(2, true));
}

TEST_F(steps_screen_gui_test, back_leads_to_the_formulas_screen_and_home_to_the_home_screen)
{
    open_steps_screen(eight_steps());
    func_test_release(step_widget("btn_previous_page"));
    func_test_run_loop(30);
    EXPECT_EQ(SCREEN_FORMULAS, func_current_screen_code());
    EXPECT_TRUE(gtk_widget_get_visible(formulas_window()));
    EXPECT_FALSE(gtk_widget_get_visible(steps_window()));

    func_test_release(widget(row_name("btn_frm_step_#", 0)));
    func_test_run_loop(40);
    ASSERT_EQ(SCREEN_STEPS, func_current_screen_code());
    func_test_release(step_widget("btn_home"));
    func_test_run_loop(30);
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    EXPECT_TRUE(gtk_widget_get_visible(home_window()));
    EXPECT_FALSE(gtk_widget_get_visible(steps_window()));
}

TEST_F(steps_screen_gui_test, the_insert_menu_names_the_selected_step_and_add_before_inserts_there)
{
    std::vector<step_record> steps = eight_steps();
    open_steps_screen(steps);
    sandbox.write_file(chemical_file(2), std::string(72, 'b'));
    press_step_row(1);
    func_test_release(step_widget("btn_add_step"));
    func_test_run_loop(30);
    ASSERT_NE(nullptr, temporary_display_window);
    EXPECT_EQ((std::vector<std::string>{p[70] + " S-002", p[71] + " S-002", p[72], p[73]}), options());
    func_test_save_screenshot(temporary_display_window, "steps_insert_menu");

    func_test_release(option(p[70] + " S-002"));
    func_test_run_loop(30);
    EXPECT_EQ(nullptr, temporary_display_window);
    const std::vector<step_record> stored = steps_in_file();
    ASSERT_EQ(9u, stored.size());
    EXPECT_EQ(2, stored[1].number);
    EXPECT_EQ("[I] " + p[187] + " 002", stored[1].name);
    EXPECT_EQ(STEP_END_FORMULA, stored[1].items[STEP_TYPE]);
    EXPECT_EQ(3, stored[2].number);
    EXPECT_EQ("Step 002", stored[2].name);
    EXPECT_EQ(9, stored[8].number);
    // The old step 2 took its chemicals along.
    EXPECT_FALSE(sandbox.exists(chemical_file(2)));
    EXPECT_EQ(std::string(72, 'b'), sandbox.read_file(chemical_file(3)));
    // The list on screen follows; the new step is the selected one.
    EXPECT_EQ("[I] " + p[187] + " 002", func_test_label_text(step_widget("btn_stp_name_#001")));
    EXPECT_EQ("01 / 02", func_test_label_text(step_widget("lbl_page_info")));
    std::vector<formula_record> formulas;
    ASSERT_NE(nullptr, record_in_file(1, formulas));
    EXPECT_EQ(9, record_in_file(1, formulas)->step_count);

    // Leaving writes the insertion under the formula's heading.
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));
    func_test_release(step_widget("btn_home"));
    func_test_run_loop(30);
    const std::vector<std::string> lines = change_log();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(p[184] + " " + p[187] + " : F-001 (Towels 001)", lines[0]);
    EXPECT_EQ("------> [" + p[281] + "] S-002 ([I] " + p[187] + " 002)", lines[1]);
}

TEST_F(steps_screen_gui_test, the_paste_menu_pastes_after_and_cancel_changes_nothing)
{
    open_steps_screen(eight_steps());
    const std::string before = sandbox.read_file(STEP_FILE);
    press_step_row(0);
    func_test_release(step_widget("btn_clone_step"));
    func_test_run_loop(30);
    EXPECT_EQ((std::vector<std::string>{p[74] + " S-001", p[75] + " S-001", p[76], p[73]}), options());
    func_test_release(option(p[73]));
    func_test_run_loop(30);
    EXPECT_EQ(nullptr, temporary_display_window);
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));

    func_test_release(step_widget("btn_clone_step"));
    func_test_run_loop(30);
    func_test_release(option(p[75] + " S-001"));
    func_test_run_loop(30);
    const std::vector<step_record> stored = steps_in_file();
    ASSERT_EQ(9u, stored.size());
    EXPECT_EQ(2, stored[1].number);
    EXPECT_EQ(STEP_ONE_WAY_WASH, stored[1].items[STEP_TYPE]);
    EXPECT_EQ(60, stored[1].items[STEP_TIME]);
    EXPECT_EQ("Step 002", stored[2].name);
}

TEST_F(steps_screen_gui_test, a_renamed_step_survives_paging_and_leaving)
{
    open_steps_screen(eight_steps());
    press_step_row(3);
    // What the data entry dialog leaves after a rename: the new label and
    // the reload flag.
    gtk_button_set_label(GTK_BUTTON(step_widget("btn_stp_name_#003")), "Rinse");
    steps_page().reload = 1;
    func_test_release(step_widget("btn_page_down"));
    func_test_run_loop(30);
    EXPECT_EQ("Rinse", steps_in_file()[3].name);
    func_test_release(step_widget("btn_page_up"));
    func_test_run_loop(30);
    EXPECT_EQ("Rinse", func_test_label_text(step_widget("btn_stp_name_#003")));

    gtk_button_set_label(GTK_BUTTON(step_widget("btn_stp_name_#003")), "Final Rinse");
    steps_page().reload = 1;
    func_test_release(step_widget("btn_previous_page"));
    func_test_run_loop(30);
    const std::vector<step_record> stored = steps_in_file();
    ASSERT_EQ(8u, stored.size());
    EXPECT_EQ("Final Rinse", stored[3].name);
    EXPECT_EQ(4, stored[3].number);
    EXPECT_EQ(240, stored[3].items[STEP_TIME]);  // only the name changes
}

TEST_F(steps_screen_gui_test, a_visit_without_changes_writes_no_change_log)
{
    open_steps_screen(eight_steps());
    press_step_row(4);
    func_test_release(step_widget("btn_page_down"));
    func_test_run_loop(20);
    func_test_release(step_widget("btn_home"));
    func_test_run_loop(20);
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));
}

TEST_F(steps_screen_gui_test, a_formula_without_steps_shows_an_empty_page_and_add_appends)
{
    open_steps_screen({});
    EXPECT_TRUE(shown_step_names().empty());
    EXPECT_EQ("01 / 01", func_test_label_text(step_widget("lbl_page_info")));
    EXPECT_TRUE(rename_delete(false));
    // Nothing selected: add appends at once, without the menu.
    func_test_release(step_widget("btn_add_step"));
    func_test_run_loop(30);
    EXPECT_EQ(nullptr, temporary_display_window);
    ASSERT_EQ(1u, steps_in_file().size());
    EXPECT_EQ((std::vector<std::string>{"[N] " + p[187] + " 001"}), shown_step_names());
}
}  // namespace
