// The formulas screen: pages of six formulas with number, ON/OFF, name and
// step count; row presses, going to a formula, leaving with and without
// changes, and the way back home.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "formulas/formula_operations.h"
#include "formulas/formulas_screen_fixture.h"
#include "frame/home_screen.h"
#include "frame/palette.h"
#include "frame/screen_table.h"
#include "frame/widget_style.h"
#include "link/ipc_link.h"

namespace {
class formulas_screen_gui_test : public formulas_screen_fixture {
protected:
    // 5 active formulas then 3 inactive ones (numbers 1 to 8).
    void open_with_eight()
    {
        std::vector<formula_record> records;
        for (int number = 1; number <= 8; ++number)
            records.push_back(formula(number, number <= 5 ? 1 : 0, number));
        write_formula_list(records);
        open_formulas_screen();
    }
    std::vector<std::string> shown_names() const { return func_test_row_labels(formulas_window(), "btn_frm_name_#"); }
    // Sensitivity of the named buttons, "1" or "0" each.
    std::string flags(std::initializer_list<std::string> names) const
    {
        std::string out;
        for (const std::string& name : names)
            out += sensitive(name) ? '1' : '0';
        return out;
    }
    std::string row_options(int row) const
    {
        return flags({row_name("btn_frm_number_#", row), row_name("btn_frm_active_#", row),
                      row_name("btn_frm_step_#", row)});
    }
    std::string clone_rename_delete() const
    {
        return flags({"btn_clone_formula", "btn_rename_formula", "btn_delete_formula"});
    }
};

TEST_F(formulas_screen_gui_test, a_page_shows_six_formulas_active_or_not_in_four_columns)
{
    open_with_eight();
    EXPECT_EQ(SCREEN_FORMULAS, func_current_screen_code());
    EXPECT_TRUE(gtk_widget_get_visible(formulas_window()));
    EXPECT_EQ("01 / 02", label("lbl_page_info"));
    EXPECT_EQ(p[186], label("lbl_message_bar"));
    EXPECT_EQ((std::vector<std::string>{"Towels 001", "Towels 002", "Towels 003", "Towels 004", "Towels 005",
                                        "Towels 006"}),
              shown_names());
    EXPECT_EQ("001", label("btn_frm_number_#000"));
    EXPECT_EQ(p[29], label("btn_frm_active_#000"));
    EXPECT_EQ(p[28], label("btn_frm_active_#005"));  // formula 6 is inactive
    EXPECT_EQ("006 " + p[189], label("btn_frm_step_#005"));
    for (const char* column : {"btn_frm_active_#000", "btn_frm_active_#005", "btn_frm_step_#000"})
        EXPECT_NE(nullptr, gtk_button_get_image(GTK_BUTTON(widget(column)))) << column;
    // Nothing selected: only the name column, add and paging take presses.
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ("000", row_options(row)) << row;
        EXPECT_TRUE(sensitive(row_name("btn_frm_name_#", row))) << row;
    }
    EXPECT_EQ("000", clone_rename_delete());
    EXPECT_TRUE(sensitive("btn_add_formula"));
    EXPECT_FALSE(sensitive("btn_page_up"));
    func_test_save_screenshot(formulas_window(), "formulas_page_full");

    func_test_release(widget("btn_page_down"));
    func_test_run_loop(30);
    EXPECT_EQ("02 / 02", label("lbl_page_info"));
    EXPECT_EQ((std::vector<std::string>{"Towels 007", "Towels 008"}), shown_names());
    EXPECT_FALSE(sensitive("btn_page_down"));
}

// Pages of as many rows reuse the row buttons: each must look and act as
// new for its item.
TEST_F(formulas_screen_gui_test, a_page_over_the_buttons_of_the_last_shows_only_its_own_items)
{
    std::vector<formula_record> records;
    for (int number = 1; number <= 12; ++number)
        records.push_back(formula(number, number <= 6 || number % 2 == 0 ? 1 : 0, number));
    write_formula_list(records);
    open_formulas_screen();
    auto name_label = [this](int row) { return func_find_label(widget(row_name("btn_frm_name_#", row))); };
    auto picture = [this](int row) { return func_get_button_picture(widget(row_name("btn_frm_active_#", row))); };
    const std::string plain_color = func_test_text_color(name_label(0));
    press_row(2);
    EXPECT_EQ(func_test_color(LUMEX_SELECTED_TEXT), func_test_text_color(name_label(2)));

    func_test_release(widget("btn_page_down"));
    func_test_run_loop(30);
    EXPECT_EQ((std::vector<std::string>{"Towels 007", "Towels 008", "Towels 009", "Towels 010", "Towels 011",
                                        "Towels 012"}),
              shown_names());
    EXPECT_EQ(plain_color, func_test_text_color(name_label(2)));
    EXPECT_EQ(GTK_STATE_NORMAL, gtk_widget_get_state(widget("btn_frm_name_#002")));
    EXPECT_EQ("000", row_options(2));
    EXPECT_EQ("000", clone_rename_delete());
    // Formulas 7, 9, 11 are off, 8, 10, 12 on: the pictures follow the items.
    EXPECT_EQ(p[28], label("btn_frm_active_#002"));
    EXPECT_EQ(picture(0), picture(2));
    EXPECT_NE(picture(1), picture(2));
    press_row(4);
    EXPECT_EQ(11, formulas_page().selected_number);

    func_test_release(widget("btn_page_up"));
    func_test_run_loop(30);
    EXPECT_EQ("Towels 003", label("btn_frm_name_#002"));
    EXPECT_EQ(plain_color, func_test_text_color(name_label(4)));
    EXPECT_EQ(picture(0), picture(4));  // formula 5 is on
}

TEST_F(formulas_screen_gui_test, a_row_press_selects_the_formula_and_unlocks_its_buttons)
{
    open_with_eight();
    press_row(1);
    page_info[SCREEN_STEPS].list.pressed_row = 3;
    press_row(1);  // the same formula again: the steps screen keeps its step
    EXPECT_EQ(3, page_info[SCREEN_STEPS].list.pressed_row);
    press_row(2);
    EXPECT_EQ(-1, page_info[SCREEN_STEPS].list.pressed_row);  // another formula: it forgets it
    const page_list_info& info = formulas_page();
    EXPECT_EQ(2, info.pressed_row);
    EXPECT_EQ(3, info.selected_number);
    EXPECT_STREQ("Towels 003", info.selected_text);
    EXPECT_EQ("111", clone_rename_delete());
    EXPECT_EQ("111", row_options(2));
    EXPECT_EQ("000", row_options(1));
    EXPECT_EQ(func_test_color(LUMEX_SELECTED_TEXT),
              func_test_text_color(gtk_bin_get_child(GTK_BIN(widget("btn_frm_name_#002")))));
    func_test_save_screenshot(formulas_window(), "formulas_row_pressed");

    press_row(4);  // another row takes the options over
    EXPECT_EQ(5, formulas_page().selected_number);
    EXPECT_EQ("111", row_options(4));
    EXPECT_EQ("000", row_options(2));
    EXPECT_EQ(GTK_STATE_NORMAL, gtk_widget_get_state(widget("btn_frm_name_#002")));
}

TEST_F(formulas_screen_gui_test, going_to_the_formula_at_position_13_selects_row_one_of_page_three)
{
    std::vector<formula_record> records;
    for (int number = 110; number <= 124; ++number)  // 123 is the 14th formula
        records.push_back(formula(number));
    write_formula_list(records);
    open_formulas_screen();
    func_goto_formula_number_formula(123);
    func_test_run_loop(30);
    EXPECT_EQ("03 / 03", label("lbl_page_info"));
    const page_list_info& info = formulas_page();
    EXPECT_EQ(1, info.pressed_row);
    EXPECT_EQ(3, info.pressed_page);
    EXPECT_EQ(123, info.selected_number);
    EXPECT_EQ("111", row_options(1));
    EXPECT_EQ("111", clone_rename_delete());

    func_goto_formula_number_formula(500);
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[186] + " 500 " + p[287], dialog_text());
    EXPECT_EQ(123, formulas_page().selected_number);
}

TEST_F(formulas_screen_gui_test, home_and_back_return_home_and_write_the_change_log_only_after_a_change)
{
    open_with_eight();
    const std::string before = sandbox.read_file("formulas/formulas.dat");
    press_row(3);
    func_test_release(widget("btn_page_down"));
    func_test_release(widget("btn_home"));
    func_test_run_loop(30);
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    EXPECT_TRUE(gtk_widget_get_visible(home_window()));
    EXPECT_FALSE(gtk_widget_get_visible(formulas_window()));
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));
    EXPECT_EQ(before, sandbox.read_file("formulas/formulas.dat"));

    // The home screen's Formulas button leads here again; Back leaves.
    func_test_release(home_widget("btn_formula"));
    func_test_run_loop(30);
    EXPECT_EQ(SCREEN_FORMULAS, func_current_screen_code());
    ASSERT_EQ(1, func_add_formula_test(nullptr, 9));
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));  // queued until the screen is left
    func_test_release(widget("btn_previous_page"));
    func_test_run_loop(30);
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    const std::vector<std::string> lines = change_log();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(p[184] + " " + p[186], lines[0]);
    EXPECT_EQ("------> [" + p[278] + "] F-009 ([N] " + p[186] + " 009)", lines[1]);
    EXPECT_TRUE(queued_lines().empty());
}

TEST_F(formulas_screen_gui_test, the_active_button_looks_the_same_after_a_toggle)
{
    open_with_eight();
    press_row(0);
    GtkWidget* active = widget("btn_frm_active_#000");
    auto font_of = [active] {
        GtkWidget* text = func_find_label(active);
        gchar* font = pango_font_description_to_string(gtk_widget_get_style(text)->font_desc);
        std::string name = font;
        g_free(font);
        return name;
    };
    const std::string before = font_of();
    func_test_release(active);  // ON and OFF toggle without a window
    func_test_run_loop(30);
    EXPECT_EQ(p[28], label("btn_frm_active_#000"));
    EXPECT_EQ(before, font_of());
    EXPECT_EQ(GTK_POS_LEFT, gtk_button_get_image_position(GTK_BUTTON(active)));
    EXPECT_EQ(std::vector<std::string>{}, func_test_texts_that_do_not_fit(active));
}

TEST_F(formulas_screen_gui_test, edited_names_and_flags_are_kept_on_paging_and_leaving)
{
    open_with_eight();
    press_row(1);
    // What the data entry and selection dialogs leave on a row: new labels
    // and the reload flag. An unknown ON/OFF text keeps the stored flag.
    gtk_button_set_label(GTK_BUTTON(widget("btn_frm_name_#001")), "Sheets");
    gtk_button_set_label(GTK_BUTTON(widget("btn_frm_active_#001")), p[28].c_str());
    gtk_button_set_label(GTK_BUTTON(widget("btn_frm_active_#000")), "??");
    formulas_page().reload = 1;
    func_test_release(widget("btn_page_down"));
    func_test_run_loop(20);
    func_test_release(widget("btn_page_up"));
    func_test_run_loop(20);
    EXPECT_EQ("Sheets", label("btn_frm_name_#001"));
    EXPECT_EQ("Sheets", records_in_file()[1].name);
    EXPECT_EQ(1, records_in_file()[0].active);

    func_test_release(widget("btn_home"));
    func_test_run_loop(20);
    std::vector<formula_record> storage;
    const formula_record* changed = record_in_file(2, storage);
    ASSERT_NE(nullptr, changed);
    EXPECT_EQ((std::vector<int>{0, 2, 402}),
              (std::vector<int>{changed->active, changed->step_count, changed->total_time}));
    // Home lists active formulas only: formula 2 is gone from it.
    std::vector<std::string> home_names = shown_formula_names();
    EXPECT_EQ(home_names.end(), std::find(home_names.begin(), home_names.end(), "Sheets"));
}

TEST_F(formulas_screen_gui_test, the_display_request_runs_while_the_screen_is_shown_and_stops_after)
{
    open_with_eight();
    func_test_run_loop(1100);
    EXPECT_EQ((std::vector<int>{'~', 8, 1, 0, 0, 0}), std::vector<int>(ipc_cmd, ipc_cmd + IPC_CMD_SIZE));
    func_test_release(widget("btn_home"));
    func_test_run_loop(600);
    // The formulas request said "off" and ended.
    EXPECT_FALSE(ipc_cmd[1] == 8 && ipc_cmd[2] == 1);
    EXPECT_EQ(0u, func_screen_display_request_timer(SCREEN_FORMULAS));
}
}  // namespace
