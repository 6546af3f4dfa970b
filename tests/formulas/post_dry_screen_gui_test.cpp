// The post-dry list as an operator uses it from home's configuration
// menu: add by number, edit in place, delete after the question, go to.
#include <gtest/gtest.h>

#include "formulas/post_dry.h"
#include "formulas/post_dry_screen.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/screen_table.h"
#include "support/part_a_gui.h"
#include "support/part_a_records.h"
#include "support/tcc_helpers.h"

namespace {
class post_dry_screen_gui_test : public part_a_gui_test {
protected:
    // Entries (formula, 0, 0) on disk; home, the menu, "Program Post Dry".
    void SetUp() override
    {
        part_a_gui_test::SetUp();
        shown_screens = {SCREEN_POST_DRY};
    }
    void open_post_dry(const std::vector<int>& formulas)
    {
        std::vector<post_dry_record> records;
        for (int formula : formulas)
            records.push_back({formula, 0, 0});
        if (!records.empty())
            sandbox.write_file("configuration/postdry.dat",
                               encode_records(records, POST_DRY_RECORD_SIZE, func_encode_post_dry_record));
        open_configuration_entry(2);
        ASSERT_EQ(SCREEN_POST_DRY, func_current_screen_code());
    }
    GtkWidget* window() const { return preloaded_display[SCREEN_POST_DRY].window; }
    GtkWidget* widget(const std::string& name) const { return func_test_find_widget(window(), name); }
    std::vector<std::string> shown_formulas() const { return func_test_row_labels(window(), "btn_post_dry_formula_#"); }
    std::vector<post_dry_record> entries_in_file() const
    {
        return decode_records<post_dry_record>(sandbox.read_file("configuration/postdry.dat"), POST_DRY_RECORD_SIZE,
                                               func_decode_post_dry_record);
    }
    page_list_info& page() const { return page_info[SCREEN_POST_DRY].list; }
};

TEST_F(post_dry_screen_gui_test, an_added_formula_takes_its_place_and_an_existing_one_is_selected)
{
    open_post_dry({40, 5});
    type_value(widget("btn_add_formula"), 33, "12");
    EXPECT_EQ((std::vector<std::string>{"005", "012", "040"}), shown_formulas());
    EXPECT_EQ(std::make_pair(1, 12), std::make_pair(page().pressed_row, page().selected_number));
    EXPECT_TRUE(gtk_widget_get_sensitive(widget("btn_delete_formula")));
    EXPECT_EQ("------> [F-012]  DryCode=0  Dest=0", queued_lines().back().second);
    // Again 12: selected, nothing added. 1000 is no formula number.
    for (const char* number : {"12", "1000"})
        type_value(widget("btn_add_formula"), 33, number);
    EXPECT_EQ(3u, entries_in_file().size());
    func_close_active_dialog();

    // Dry code and destination of the selected entry, kept on leaving.
    type_value(widget("btn_post_dry_drycode_#001"), 34, "7");
    type_value(widget("btn_post_dry_destination_#001"), 35, "3");
    EXPECT_EQ("------>  [F-012 " + post_dry_selections_label_value[2] + "] : 000 --> 003",
              queued_lines().back().second);
    tap(widget("btn_home"));
    const post_dry_record saved = entries_in_file().at(1);
    EXPECT_EQ((std::vector<int>{12, 7, 3}), (std::vector<int>{saved.formula, saved.drycode, saved.destination}));
}

TEST_F(post_dry_screen_gui_test, deleting_asks_first_and_the_last_entry_leaves_an_empty_file)
{
    open_post_dry({});
    func_test_save_screenshot(window(), "post_dry_empty");
    type_value(widget("btn_add_formula"), 33, "9");
    func_test_release(widget("btn_delete_formula"));
    ASSERT_NE(nullptr, dialog_window);
    func_test_save_screenshot(dialog_window, "post_dry_delete_question");
    tap(dialog_button(0));
    EXPECT_TRUE(shown_formulas().empty());
    EXPECT_TRUE(sandbox.exists("configuration/postdry.dat") && sandbox.read_file("configuration/postdry.dat").empty());
}

TEST_F(post_dry_screen_gui_test, going_to_formula_7_of_20_shows_page_2_first_row)
{
    open_post_dry({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    func_test_save_screenshot(window(), "post_dry_full_page");
    type_value(widget("btn_goto_formula"), 51, "7");
    EXPECT_EQ(std::make_pair(0, 2), std::make_pair(page().pressed_row, page().pressed_page));
    type_value(widget("btn_goto_formula"), 51, "33");
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_NE(std::string::npos, dialog_text().find("033"));
}
}  // namespace
