// Adding, copying, renumbering and deleting formulas on the formulas
// screen: the list file, the formula folders, the change-log lines, the
// messages and the selection each operation leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/atomic_file.h"
#include "formulas/formula_operations.h"
#include "formulas/formulas_screen_fixture.h"

namespace {
class formula_operations_gui_test : public formulas_screen_fixture {
protected:
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
};

// --- add ---------------------------------------------------------------------

TEST_F(formula_operations_gui_test, adding_a_taken_number_changes_nothing_and_a_free_one_is_inserted_and_selected)
{
    write_formula_list({formula(1), formula(2), formula(5)});
    sandbox.write_file("formulas/f-005/steps.dat", "five's steps");
    open_formulas_screen();
    const std::string before = sandbox.read_file("formulas/formulas.dat");
    for (int number : {5, 0, 1000})
        EXPECT_EQ(0, func_add_formula_test(nullptr, number)) << number;
    EXPECT_EQ(before, sandbox.read_file("formulas/formulas.dat"));
    EXPECT_EQ("five's steps", sandbox.read_file("formulas/f-005/steps.dat"));
    EXPECT_TRUE(queued_lines().empty());
    EXPECT_TRUE(logged("add_new_formula : Formula number 005 is already in use"));
    EXPECT_TRUE(logged("add_new_formula : Formula number 1000 is outside 1 to 999"));

    func_test_release(widget("btn_add_formula"));  // offers the next free number
    func_test_run_loop(30);
    GtkWidget* entry_window = data_entry_window();
    ASSERT_NE(nullptr, entry_window);
    EXPECT_STREQ("006", gtk_entry_get_text(GTK_ENTRY(func_test_find_widget(entry_window, "entry_numeric"))));
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(entry_window, "btn_save")));
    func_test_run_loop(30);
    EXPECT_EQ((std::vector<int>{1, 2, 5, 6}), numbers_in_file());
    const formula_record added = records_in_file().back();
    EXPECT_EQ("[N] " + p[186] + " 006", added.name);
    EXPECT_EQ((std::vector<int>{1, 0, 0}), (std::vector<int>{added.active, added.step_count, added.total_time}));
    EXPECT_EQ((queue{{1, "------> [" + p[278] + "] F-006 ([N] " + p[186] + " 006)"}}), queued_lines());
    EXPECT_EQ(std::make_pair(3, 6), std::make_pair(formulas_page().pressed_row, formulas_page().selected_number));
    EXPECT_TRUE(sensitive("btn_delete_formula"));

    // A number between others is selected where the sorted list puts it.
    ASSERT_EQ(1, func_add_formula_test(nullptr, 3));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 5, 6}), numbers_in_file());
    EXPECT_EQ(2, formulas_page().pressed_row);
    EXPECT_EQ("[N] " + p[186] + " 003", label("btn_frm_name_#002"));
}

TEST_F(formula_operations_gui_test, a_list_of_998_takes_the_999th_formula_and_then_refuses_add_and_copy)
{
    write_formulas(998);
    open_formulas_screen();
    EXPECT_EQ(999, func_get_next_free_formula_number());
    ASSERT_EQ(1, func_add_formula_test(nullptr, 999));
    EXPECT_EQ("167 / 167", label("lbl_page_info"));

    const std::string full = sandbox.read_file("formulas/formulas.dat");
    ASSERT_EQ(999u * FORMULA_RECORD_SIZE, full.size());
    EXPECT_EQ(0, func_add_formula_test(nullptr, 500));
    EXPECT_TRUE(logged("add_new_formula : Max Number of formula reached, no new formula can be added"));
    EXPECT_EQ(0, func_copy_formula_test(nullptr, 500));
    EXPECT_EQ(full, sandbox.read_file("formulas/formulas.dat"));
    EXPECT_FALSE(sandbox.exists("formulas/f-500"));
    EXPECT_EQ(1u, queued_lines().size());  // only the add of 999
}

// --- copy ----------------------------------------------------------------------

TEST_F(formula_operations_gui_test, copying_12_to_40_copies_the_record_and_the_folder)
{
    std::vector<formula_record> records;
    for (int number = 1; number <= 15; ++number)
        records.push_back(formula(number));
    records[11] = formula(12, 0, 7, 1234);  // inactive, 7 steps
    write_formula_list(records);
    sandbox.write_file("formulas/f-012/steps.dat", std::string(152 * 7, 'S'));
    sandbox.write_file("formulas/f-012/s-001_chems.dat", "chemicals of step 1");
    sandbox.write_file("formulas/f-040/left_over.dat", "from a deleted formula 40");
    open_formulas_screen();
    select_formula(12);

    ASSERT_EQ(1, func_copy_formula_test(nullptr, 40));
    ASSERT_EQ(16u, numbers_in_file().size());
    const formula_record copy = records_in_file().back();
    EXPECT_EQ("(" + p[282] + ") F-012", copy.name);
    EXPECT_EQ((std::vector<int>{0, 7, 1234}), (std::vector<int>{copy.active, copy.step_count, copy.total_time}));
    EXPECT_EQ(std::string(152 * 7, 'S'), sandbox.read_file("formulas/f-040/steps.dat"));
    EXPECT_EQ("chemicals of step 1", sandbox.read_file("formulas/f-040/s-001_chems.dat"));
    EXPECT_FALSE(sandbox.exists("formulas/f-040/left_over.dat"));
    EXPECT_EQ((queue{{1, "------> [" + p[282] + "] F-012 (Towels 012) --> F-040 ((" + p[282] + ") F-012)"}}),
              queued_lines());
    // The copy is the 16th formula: page 3, row 3.
    EXPECT_EQ("03 / 03", label("lbl_page_info"));
    EXPECT_EQ(std::make_pair(3, 40), std::make_pair(formulas_page().pressed_row, formulas_page().selected_number));
}

TEST_F(formula_operations_gui_test, copying_needs_a_selection_and_a_free_number_and_may_lack_a_folder)
{
    write_formulas(3);
    sandbox.write_file("formulas/f-003/steps.dat", "three");
    open_formulas_screen();
    EXPECT_EQ(0, func_copy_formula_test(nullptr, 9));  // nothing selected
    press_row(0);
    EXPECT_EQ(0, func_copy_formula_test(nullptr, 3));
    EXPECT_EQ("three", sandbox.read_file("formulas/f-003/steps.dat"));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), numbers_in_file());
    EXPECT_TRUE(logged("func_copy_formula : Formula number 003 is already in use"));
    // Formula 1 has no folder: the copy gets an empty one.
    ASSERT_EQ(1, func_copy_formula_test(nullptr, 8));
    EXPECT_TRUE(sandbox.exists("formulas/f-008"));
    EXPECT_TRUE(sandbox.list_folder("formulas/f-008").empty());
}

// --- renumber ------------------------------------------------------------------

TEST_F(formula_operations_gui_test, renumbering_moves_the_folder_the_record_and_the_selection)
{
    write_formulas(5);
    sandbox.write_file("formulas/f-002/steps.dat", "two's steps");
    sandbox.write_file("formulas/f-009/stray.dat", "left by an old formula 9");
    open_formulas_screen();
    press_row(1);
    ASSERT_EQ(1, func_process_change_formula_number(selected_number_button(), 9));

    EXPECT_FALSE(sandbox.exists("formulas/f-002"));
    EXPECT_EQ("two's steps", sandbox.read_file("formulas/f-009/steps.dat"));
    EXPECT_FALSE(sandbox.exists("formulas/f-009/stray.dat"));
    EXPECT_EQ((std::vector<int>{1, 3, 4, 5, 9}), numbers_in_file());
    // The row drawn pressed is the renumbered formula at its new place.
    EXPECT_EQ(std::make_pair(4, 9), std::make_pair(formulas_page().pressed_row, formulas_page().selected_number));
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[188] + " " + p[215] + " #002 --> #009.", dialog_text());
    ASSERT_EQ(1u, queued_lines().size());
    EXPECT_EQ(1, queued_lines()[0].first);

    func_test_release(widget("btn_home"));
    func_test_run_loop(20);
    ASSERT_EQ(2u, change_log().size());
    EXPECT_EQ("------> [" + p[213] + "] : F-#002 -->  F-009", change_log()[1]);
}

TEST_F(formula_operations_gui_test, renumbering_onto_a_taken_number_or_with_a_failed_rename_changes_nothing)
{
    write_formulas(5);
    sandbox.write_file("formulas/f-002/steps.dat", "two");
    sandbox.write_file("formulas/f-004/steps.dat", "four");
    open_formulas_screen();
    press_row(1);
    const std::string before = sandbox.read_file("formulas/formulas.dat");
    EXPECT_EQ(0, func_process_change_formula_number(selected_number_button(), 4));
    EXPECT_EQ("four", sandbox.read_file("formulas/f-004/steps.dat"));
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[186] + " #004 " + p[217] + ".   \n   " + p[218], dialog_text());
    func_test_release(dialog_button(0));

    static int (*real_rename)(const char*, const char*) = nullptr;
    real_rename = func_file_io_ops().rename_file;
    func_file_io_ops().rename_file = [](const char* from, const char* to) {
        const std::string source = from;
        errno = EACCES;
        return source.size() >= 6 && source.substr(source.size() - 6) == "/f-002" ? -1 : real_rename(from, to);
    };
    EXPECT_EQ(0, func_process_change_formula_number(selected_number_button(), 7));
    func_reset_file_io_ops();
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[186] + " " + p[216] + " #002 --> #007.", dialog_text());
    EXPECT_FALSE(syserror_log().empty());
    EXPECT_EQ(before, sandbox.read_file("formulas/formulas.dat"));
    EXPECT_EQ("two", sandbox.read_file("formulas/f-002/steps.dat"));
    EXPECT_EQ("002", label("btn_frm_number_#001"));
    EXPECT_TRUE(queued_lines().empty());
    // The rename that failed is reported once the action has ended.
    func_test_release(dialog_button(0));
    func_test_run_loop(200);
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_NE(std::string::npos, dialog_text().find("formulas/f-002")) << dialog_text();
    func_test_release(dialog_button(0));

}

// --- delete --------------------------------------------------------------------

TEST_F(formula_operations_gui_test, deleting_removes_row_and_folder_and_selects_the_formula_before)
{
    write_formulas(7);
    sandbox.write_file("formulas/f-007/s-001_chems.dat", "seven's chemicals");
    sandbox.write_file("formulas/f-006/steps.dat", "six");
    open_formulas_screen();
    select_formula(7);  // page 2, row 0
    func_delete_formula_test(nullptr, nullptr);
    EXPECT_FALSE(sandbox.exists("formulas/f-007"));
    EXPECT_EQ("six", sandbox.read_file("formulas/f-006/steps.dat"));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6}), numbers_in_file());
    EXPECT_EQ((queue{{1, "------> [" + p[279] + "] F-007 (Towels 007)"}}), queued_lines());
    // The last row of page 1 is the formula before.
    EXPECT_EQ("01 / 01", label("lbl_page_info"));
    EXPECT_EQ(std::make_pair(5, 6), std::make_pair(formulas_page().pressed_row, formulas_page().selected_number));
}

TEST_F(formula_operations_gui_test, the_confirmation_deletes_on_ok_and_deleting_the_first_selects_nothing)
{
    write_formulas(3);
    sandbox.write_file("formulas/f-003/steps.dat", "three");
    open_formulas_screen();
    func_confirm_delete_formula(nullptr, nullptr);
    EXPECT_EQ(nullptr, dialog_window);  // nothing selected, nothing asked
    press_row(2);
    func_test_release(widget("btn_delete_formula"));
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[279] + " F-003 (Towels 003) ?", dialog_text());
    func_test_save_screenshot(dialog_window, "formulas_confirm_delete");
    func_test_release(dialog_button(1));  // No
    EXPECT_EQ(nullptr, dialog_window);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), numbers_in_file());
    func_test_release(widget("btn_delete_formula"));
    func_test_release(dialog_button(0));  // OK
    func_test_run_loop(20);
    EXPECT_EQ(nullptr, dialog_window);
    EXPECT_EQ((std::vector<int>{1, 2}), numbers_in_file());
    EXPECT_FALSE(sandbox.exists("formulas/f-003"));

    press_row(0);
    func_delete_formula_test(nullptr, nullptr);
    EXPECT_EQ((std::vector<int>{2}), numbers_in_file());
    EXPECT_EQ(-1, formulas_page().selected_number);
    EXPECT_FALSE(sensitive("btn_delete_formula"));
    press_row(0);
    func_delete_formula_test(nullptr, nullptr);
    EXPECT_TRUE(sandbox.exists("formulas/formulas.dat") && numbers_in_file().empty());
    EXPECT_EQ("01 / 01", label("lbl_page_info"));
    func_test_save_screenshot(formulas_window(), "formulas_empty");
}
}  // namespace
