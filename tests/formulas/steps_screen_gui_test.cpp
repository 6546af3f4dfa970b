// The steps screen: a formula's steps six to a page with number, name and
// type with time; selecting a step, the insert and paste menus, renaming,
// leaving with and without changes, and the way to a step's settings.
#include <gtest/gtest.h>

#include "formulas/step_screens_fixture.h"
#include "frame/home_screen.h"
#include "frame/palette.h"

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
    void press(const char* name)
    {
        func_test_release(step_widget(name));
        func_test_run_loop(30);
    }
    std::string label_of(const std::string& name) const { return func_test_label_text(step_widget(name)); }
};

TEST_F(steps_screen_gui_test, eight_steps_fill_two_pages_and_a_visit_without_changes_logs_nothing)
{
    open_eight_steps();
    EXPECT_EQ("F-001 - Towels 001", label_of("lbl_message_bar"));
    EXPECT_EQ("01 / 02", label_of("lbl_page_info"));
    EXPECT_EQ((texts{"Step 001", "Step 002", "Step 003", "Step 004", "Step 005", "Step 006"}), shown_step_names());
    EXPECT_EQ((texts{"001", "002", "003", "004", "005", "006"}),
              func_test_row_labels(steps_window(), "lbl_stp_number_#"));
    EXPECT_EQ(p[31] + " (02:00)", label_of("btn_stp_type_#001"));
    EXPECT_EQ(p[35] + " (01:30)", label_of("btn_stp_type_#005"));
    // Nothing selected yet: only add is offered.
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(std::vector<bool>(5, false), buttons(row)) << row;
    EXPECT_TRUE(step_sensitive("btn_add_step"));
    EXPECT_FALSE(step_sensitive("btn_page_up"));
    func_test_save_screenshot(steps_window(), "steps_page_1");

    press("btn_page_down");
    EXPECT_EQ("02 / 02", label_of("lbl_page_info"));
    EXPECT_EQ((texts{"Step 007", "Step 008"}), shown_step_names());
    EXPECT_EQ(p[33] + " (01:00:05)", label_of("btn_stp_type_#000"));
    EXPECT_EQ(p[30] + " (00:00)", label_of("btn_stp_type_#001"));
    EXPECT_FALSE(step_sensitive("btn_page_down"));
    func_test_save_screenshot(steps_window(), "steps_page_2");

    // The type button opens the step; Cancel comes back to its page, still selected.
    open_step_on_row(0);
    EXPECT_EQ("F-001 : S-007 - Step 007",
              func_test_label_text(func_test_find_widget(selected_window(), "lbl_message_bar")));
    EXPECT_EQ("01:00:05", value_text(STEP_TIME));
    func_test_release(func_test_find_widget(selected_window(), "btn_cancel"));
    func_test_run_loop(40);
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
    EXPECT_EQ(func_test_color(LUMEX_SELECTED_TEXT),
              func_test_text_color(gtk_bin_get_child(GTK_BIN(step_widget("btn_stp_name_#001")))));
    press_step_row(5);
    EXPECT_EQ(extract_buttons, buttons(5));
    EXPECT_FALSE(step_sensitive("btn_stp_type_#001"));

    press("btn_previous_page");
    EXPECT_EQ(SCREEN_FORMULAS, func_current_screen_code());
    EXPECT_FALSE(gtk_widget_get_visible(steps_window()));
    func_test_release(widget(row_name("btn_frm_step_#", 0)));
    func_test_run_loop(40);
    ASSERT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_EQ(6, steps_page().selected_number);
    EXPECT_EQ(extract_buttons, buttons(5));
}

TEST_F(steps_screen_gui_test, the_menus_name_the_selected_step_add_before_inserts_and_leaving_logs_it)
{
    open_eight_steps();
    press_step_row(1);
    press("btn_add_step");
    EXPECT_EQ((texts{p[70] + " S-002", p[71] + " S-002", p[72], p[73]}), options());
    func_test_save_screenshot(temporary_display_window, "steps_insert_menu");

    func_test_release(option(p[70] + " S-002"));
    func_test_run_loop(30);
    EXPECT_EQ(nullptr, temporary_display_window);
    // The insertion itself: step_operations_gui_test.
    const std::string new_name = "[I] " + p[187] + " 002";
    EXPECT_EQ("2 " + new_name, listing().at(1));
    EXPECT_EQ(2, steps_page().selected_number);

    // The paste menu of the new step; its "<< CANCEL >>" changes nothing.
    const std::string before = sandbox.read_file(STEP_FILE);
    press("btn_clone_step");
    EXPECT_EQ((texts{p[74] + " S-002", p[75] + " S-002", p[76], p[73]}), options());
    func_test_release(option(p[73]));
    func_test_run_loop(30);
    EXPECT_EQ(nullptr, temporary_display_window);
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));

    // Leaving writes the insertion under the formula's heading.
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));
    press("btn_home");
    EXPECT_EQ((texts{p[184] + " " + p[187] + " : F-001 (Towels 001)",
                     "------> [" + p[281] + "] S-002 (" + new_name + ")"}),
              change_log());
}

TEST_F(steps_screen_gui_test, a_name_typed_for_rename_is_saved_on_paging)
{
    open_eight_steps();
    press_step_row(3);
    press("btn_rename_step");
    ASSERT_NE(nullptr, data_entry_window());
    gtk_entry_set_text(GTK_ENTRY(func_test_find_widget(data_entry_window(), "entry_text")), "Rinse");
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
    func_test_run_loop(30);
    EXPECT_EQ("Rinse", label_of("btn_stp_name_#003"));
    EXPECT_EQ("Step 003", label_of("btn_stp_name_#002"));
    press("btn_page_down");
    EXPECT_EQ("4 Rinse", listing()[3]);
    EXPECT_EQ(240, steps_in_file()[3].items[STEP_TIME]);  // only the name changes
    press("btn_page_up");
    EXPECT_EQ("Rinse", label_of("btn_stp_name_#003"));
}

}  // namespace
