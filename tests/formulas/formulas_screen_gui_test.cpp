// The formulas screen: pages of six formulas with number, ON/OFF, name and
// step count; row presses, going to a formula, leaving with and without
// changes; adding, copying, renumbering and deleting, with the messages,
// change-log lines and selection each leaves. That the files agree after
// each operation, also when a write fails, is formula_changes_test's.
#include <gtest/gtest.h>

#include "formulas/formula_operations.h"
#include "formulas/formulas_screen_fixture.h"
#include "frame/home_screen.h"
#include "frame/palette.h"
#include "frame/widget_style.h"
#include "support/tcc_helpers.h"

namespace {
class formulas_screen_gui_test : public formulas_screen_fixture {
protected:
    // Formulas 1 to `count`: 1 to 6 on, then only the even ones.
    void open_with(int count)
    {
        std::vector<formula_record> records;
        for (int number = 1; number <= count; ++number)
            records.push_back(formula(number, number <= 6 || number % 2 == 0 ? 1 : 0, number));
        write_formula_list(records);
        open_formulas_screen();
    }
    std::vector<std::string> shown_names() const { return func_test_row_labels(formulas_window(), "btn_frm_name_#"); }
    // Sensitivity of the row's number, ON/OFF and step buttons, then clone,
    // rename and delete: "1" or "0" each.
    std::string options_of(int row) const
    {
        std::string out;
        for (const std::string& name : {row_name("btn_frm_number_#", row), row_name("btn_frm_active_#", row),
                                        row_name("btn_frm_step_#", row), std::string("btn_clone_formula"),
                                        std::string("btn_rename_formula"), std::string("btn_delete_formula")})
            out += sensitive(name) ? '1' : '0';
        return out;
    }
    std::string name_color(int row) const
    {
        return func_test_text_color(func_find_label(widget(row_name("btn_frm_name_#", row))));
    }
    GdkPixbuf* picture(int row) const { return func_get_button_picture(widget(row_name("btn_frm_active_#", row))); }
    using queue = std::vector<std::pair<int, std::string>>;
    void select_formula(int number)
    {
        func_goto_formula_number_formula(number);
        func_test_run_loop(20);
        ASSERT_EQ(number, formulas_page().selected_number);
    }
    GtkWidget* selected_number_button() const
    {
        return widget(row_name("btn_frm_number_#", formulas_page().pressed_row));
    }
    std::pair<int, int> selection() const { return {formulas_page().pressed_row, formulas_page().selected_number}; }
};

// Pages of as many rows reuse the row buttons: each must look and act as
// new for its item.
TEST_F(formulas_screen_gui_test, pages_of_six_formulas_reuse_their_buttons_for_their_own_items_only)
{
    open_with(12);
    EXPECT_EQ("01 / 02", label("lbl_page_info"));
    EXPECT_EQ("006 " + p[189], label("btn_frm_step_#005"));
    // Nothing selected: only the name column, add and paging take presses.
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ("000000", options_of(row)) << row;
    func_test_save_screenshot(formulas_window(), "formulas_page_full");
    const std::string plain_color = name_color(0);
    press_row(2);

    tap(widget("btn_page_down"));
    EXPECT_EQ((std::vector<std::string>{"Towels 007", "Towels 008", "Towels 009", "Towels 010", "Towels 011",
                                        "Towels 012"}),
              shown_names());
    EXPECT_EQ(plain_color, name_color(2));
    EXPECT_EQ(GTK_STATE_NORMAL, gtk_widget_get_state(widget("btn_frm_name_#002")));
    EXPECT_EQ("000000", options_of(2));
    // Formulas 7, 9, 11 are off, 8, 10, 12 on: the labels and pictures follow the items.
    EXPECT_EQ(p[28], label("btn_frm_active_#002"));
    EXPECT_EQ(picture(0), picture(2));
    EXPECT_NE(picture(1), picture(2));
    press_row(4);
    EXPECT_EQ(11, formulas_page().selected_number);
    tap(widget("btn_page_up"));
    EXPECT_EQ("Towels 003", label("btn_frm_name_#002"));
    EXPECT_EQ(plain_color, name_color(4));
    EXPECT_EQ(picture(0), picture(4));  // formula 5 is on
}

TEST_F(formulas_screen_gui_test, a_row_press_selects_the_formula_unlocks_its_buttons_and_its_toggle_keeps_its_look)
{
    open_with(8);
    press_row(1);
    page_info[SCREEN_STEPS].list.pressed_row = 3;
    press_row(1);  // the same formula again: the steps screen keeps its step
    EXPECT_EQ(3, page_info[SCREEN_STEPS].list.pressed_row);
    press_row(2);
    EXPECT_EQ(-1, page_info[SCREEN_STEPS].list.pressed_row);  // another formula: it forgets it
    EXPECT_EQ(std::make_pair(2, 3), selection());
    EXPECT_STREQ("Towels 003", formulas_page().selected_text);
    EXPECT_EQ("111111", options_of(2));
    EXPECT_EQ("000111", options_of(1));
    EXPECT_EQ(func_test_color(LUMEX_SELECTED_TEXT), name_color(2));
    func_test_save_screenshot(formulas_window(), "formulas_row_pressed");

    press_row(4);  // another row takes the options over
    EXPECT_EQ("111111", options_of(4));
    EXPECT_EQ("000111", options_of(2));
    // ON and OFF toggle without a window, in the same font and place.
    GtkWidget* active = widget("btn_frm_active_#004");
    PangoFontDescription* before = pango_font_description_copy(gtk_widget_get_style(func_find_label(active))->font_desc);
    tap(active);
    EXPECT_EQ(p[28], label("btn_frm_active_#004"));
    EXPECT_TRUE(pango_font_description_equal(before, gtk_widget_get_style(func_find_label(active))->font_desc));
    pango_font_description_free(before);
    EXPECT_EQ(GTK_POS_LEFT, gtk_button_get_image_position(GTK_BUTTON(active)));
}

TEST_F(formulas_screen_gui_test, edits_are_kept_on_paging_and_leaving_which_writes_the_change_log_only_after_a_change)
{
    open_with(8);
    const std::string before = sandbox.read_file("formulas/formulas.dat");
    press_row(3);
    tap(widget("btn_home"));
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));
    EXPECT_EQ(before, sandbox.read_file("formulas/formulas.dat"));

    // The home screen's Formulas button leads here again.
    tap(home_widget("btn_formula"));
    press_row(1);
    // What the data entry and selection dialogs leave on a row: new labels
    // and the reload flag. An unknown ON/OFF text keeps the stored flag.
    gtk_button_set_label(GTK_BUTTON(widget("btn_frm_name_#001")), "Sheets");
    gtk_button_set_label(GTK_BUTTON(widget("btn_frm_active_#001")), p[28].c_str());
    gtk_button_set_label(GTK_BUTTON(widget("btn_frm_active_#000")), "??");
    formulas_page().reload = 1;
    tap(widget("btn_page_down"), 20);
    tap(widget("btn_page_up"), 20);
    EXPECT_EQ("Sheets", label("btn_frm_name_#001"));
    EXPECT_EQ(1, records_in_file()[0].active);
    ASSERT_EQ(1, func_add_formula_test(nullptr, 9));
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));  // queued until the screen is left

    tap(widget("btn_previous_page"), 20);
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    const formula_record changed = records_in_file()[1];
    EXPECT_EQ("Sheets", changed.name);
    EXPECT_EQ((std::vector<int>{0, 2, 402}), (std::vector<int>{changed.active, changed.step_count, changed.total_time}));
    const std::vector<std::string> lines = change_log();
    EXPECT_EQ(p[184] + " " + p[186], lines.at(0));  // the heading first
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "------> [" + p[278] + "] F-009 ([N] " + p[186] + " 009)"));
    // Home lists active formulas only: formula 2 is gone from it.
    const std::vector<std::string> home_names = shown_formula_names();
    EXPECT_EQ(home_names.end(), std::find(home_names.begin(), home_names.end(), "Sheets"));
}

TEST_F(formulas_screen_gui_test, adding_a_taken_number_changes_nothing_and_a_free_one_is_inserted_and_selected)
{
    write_formula_list({formula(1), formula(2), formula(5)});
    open_formulas_screen();
    const std::string before = sandbox.read_file("formulas/formulas.dat");
    for (int number : {5, 0, 1000})
        EXPECT_EQ(0, func_add_formula_test(nullptr, number)) << number;
    EXPECT_EQ(before, sandbox.read_file("formulas/formulas.dat"));
    EXPECT_TRUE(queued_lines().empty());
    EXPECT_TRUE(logged("add_new_formula : Formula number 005 is already in use"));

    tap(widget("btn_add_formula"));  // offers the next free number
    ASSERT_NE(nullptr, data_entry_window());
    EXPECT_STREQ("006", gtk_entry_get_text(GTK_ENTRY(func_test_find_widget(data_entry_window(), "entry_numeric"))));
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
    func_test_run_loop(30);
    EXPECT_EQ((std::vector<int>{1, 2, 5, 6}), numbers_in_file());
    const formula_record added = records_in_file().back();
    EXPECT_EQ("[N] " + p[186] + " 006", added.name);
    EXPECT_EQ((std::vector<int>{1, 0, 0}), (std::vector<int>{added.active, added.step_count, added.total_time}));
    EXPECT_EQ((queue{{1, "------> [" + p[278] + "] F-006 ([N] " + p[186] + " 006)"}}), queued_lines());
    EXPECT_EQ(std::make_pair(3, 6), selection());
    // A number between others is selected where the sorted list puts it.
    ASSERT_EQ(1, func_add_formula_test(nullptr, 3));
    EXPECT_EQ(std::make_pair(2, 3), selection());
}

TEST_F(formulas_screen_gui_test, a_copy_takes_the_record_and_the_folder_and_needs_a_selection_and_a_free_number)
{
    std::vector<formula_record> records;
    for (int number = 1; number <= 15; ++number)
        records.push_back(formula(number));
    records[11] = formula(12, 0, 7, 1234);  // inactive, 7 steps
    write_formula_list(records);
    sandbox.write_file("formulas/f-012/steps.dat", std::string(152 * 7, 'S'));
    sandbox.write_file("formulas/f-040/left_over.dat", "from a deleted formula 40");
    open_formulas_screen();
    EXPECT_EQ(0, func_copy_formula_test(nullptr, 9));  // nothing selected
    func_goto_formula_number_formula(500);  // no such formula
    EXPECT_EQ(p[186] + " 500 " + p[287], dialog_text());
    func_close_active_dialog();
    select_formula(12);
    EXPECT_EQ((std::vector<int>{5, 2}), (std::vector<int>{formulas_page().pressed_row, formulas_page().pressed_page}));
    EXPECT_EQ(0, func_copy_formula_test(nullptr, 3));
    EXPECT_TRUE(logged("func_copy_formula : Formula number 003 is already in use"));

    ASSERT_EQ(1, func_copy_formula_test(nullptr, 40));
    ASSERT_EQ(16u, numbers_in_file().size());
    const formula_record copy = records_in_file().back();
    EXPECT_EQ("(" + p[282] + ") F-012", copy.name);
    EXPECT_EQ((std::vector<int>{0, 7, 1234}), (std::vector<int>{copy.active, copy.step_count, copy.total_time}));
    EXPECT_EQ(std::string(152 * 7, 'S'), sandbox.read_file("formulas/f-040/steps.dat"));
    EXPECT_FALSE(sandbox.exists("formulas/f-040/left_over.dat"));
    EXPECT_EQ((queue{{1, "------> [" + p[282] + "] F-012 (Towels 012) --> F-040 ((" + p[282] + ") F-012)"}}),
              queued_lines());
    // The copy is the 16th formula: page 3, row 3.
    EXPECT_EQ("03 / 03", label("lbl_page_info"));
    EXPECT_EQ(std::make_pair(3, 40), selection());
    // Formula 1 has no folder: the copy gets an empty one.
    select_formula(1);
    ASSERT_EQ(1, func_copy_formula_test(nullptr, 41));
    EXPECT_TRUE(sandbox.exists("formulas/f-041") && sandbox.list_folder("formulas/f-041").empty());
}

// A renumbering that cannot be saved: save_failure_gui_test and
// formula_changes_test.
TEST_F(formulas_screen_gui_test, renumbering_moves_the_folder_the_record_and_the_selection_to_a_free_number_only)
{
    write_formulas(5);
    sandbox.write_file("formulas/f-002/steps.dat", "two's steps");
    sandbox.write_file("formulas/f-009/stray.dat", "left by an old formula 9");
    open_formulas_screen();
    press_row(1);
    const std::string before = sandbox.read_file("formulas/formulas.dat");
    EXPECT_EQ(0, func_process_change_formula_number(selected_number_button(), 4));
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[186] + " #004 " + p[217] + ".   \n   " + p[218], dialog_text());
    EXPECT_EQ(before, sandbox.read_file("formulas/formulas.dat"));
    EXPECT_EQ("002", label("btn_frm_number_#001"));
    EXPECT_TRUE(queued_lines().empty());
    func_test_release(dialog_button(0));

    ASSERT_EQ(1, func_process_change_formula_number(selected_number_button(), 9));
    EXPECT_FALSE(sandbox.exists("formulas/f-002"));
    EXPECT_EQ("two's steps", sandbox.read_file("formulas/f-009/steps.dat"));
    EXPECT_FALSE(sandbox.exists("formulas/f-009/stray.dat"));
    EXPECT_EQ((std::vector<int>{1, 3, 4, 5, 9}), numbers_in_file());
    // The row drawn pressed is the renumbered formula at its new place.
    EXPECT_EQ(std::make_pair(4, 9), selection());
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[188] + " " + p[215] + " #002 --> #009.", dialog_text());
    tap(widget("btn_home"), 20);
    ASSERT_EQ(2u, change_log().size());
    EXPECT_EQ("------> [" + p[213] + "] : F-#002 -->  F-009", change_log()[1]);
}

TEST_F(formulas_screen_gui_test, deleting_asks_first_and_selects_the_formula_before)
{
    write_formulas(7);
    sandbox.write_file("formulas/f-007/steps.dat", "seven");
    open_formulas_screen();
    func_confirm_delete_formula(nullptr, nullptr);
    EXPECT_EQ(nullptr, dialog_window);  // nothing selected, nothing asked
    select_formula(7);  // page 2, row 0
    func_test_release(widget("btn_delete_formula"));
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[279] + " F-007 (Towels 007) ?", dialog_text());
    func_test_save_screenshot(dialog_window, "formulas_confirm_delete");
    func_test_release(dialog_button(1));  // No
    EXPECT_EQ(nullptr, dialog_window);
    EXPECT_EQ(7u, numbers_in_file().size());
    func_test_release(widget("btn_delete_formula"));
    tap(dialog_button(0), 20);  // OK
    EXPECT_EQ(nullptr, dialog_window);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6}), numbers_in_file());
    EXPECT_EQ((queue{{1, "------> [" + p[279] + "] F-007 (Towels 007)"}}), queued_lines());
    // The last row of page 1 is the formula before.
    EXPECT_EQ("01 / 01", label("lbl_page_info"));
    EXPECT_EQ(std::make_pair(5, 6), selection());

    // Deleting the first selects nothing; the last leaves an empty list.
    for (int left = 5; left >= 0; --left) {
        press_row(0);
        func_delete_formula_test(nullptr, nullptr);
        EXPECT_EQ(size_t(left), numbers_in_file().size());
        EXPECT_EQ(-1, formulas_page().selected_number);
        EXPECT_FALSE(sensitive("btn_delete_formula"));
    }
    EXPECT_TRUE(sandbox.exists("formulas/formulas.dat"));
    func_test_save_screenshot(formulas_window(), "formulas_empty");
}
}  // namespace
