// The chemicals of a step and the chemical valves as an operator uses
// them: locked rows, the switch, the choices, Save and Cancel.
#include <gtest/gtest.h>

#include "formulas/chemical_valves_screen.h"
#include "formulas/chemicals.h"
#include "formulas/chemicals_screen.h"
#include "formulas/step_screens_fixture.h"
#include "frame/screen_table.h"
#include "support/tcc_helpers.h"

namespace {
class chemicals_screen_gui_test : public step_screens_fixture {
protected:
    void SetUp() override
    {
        step_screens_fixture::SetUp();
        shown_screens.insert(shown_screens.end(), {SCREEN_CHEMICALS, SCREEN_CHEMICAL_VALVES});
    }
    // Four valves, a temperature probe as asked; formula 1's step 1 on
    // the chemicals screen.
    void open_chemicals(bool probe = false)
    {
        write_configuration({{31, 4}, {19, probe ? 1.0f : 0.0f}});
        open_steps_screen({hot_wash(1), hot_wash(2)});
        open_step_on_row(0);
        tap(value(STEP_CHEMICALS), 40);
        ASSERT_EQ(SCREEN_CHEMICALS, func_current_screen_code());
    }
    GtkWidget* chemicals_window() const { return preloaded_display[SCREEN_CHEMICALS].window; }
    GtkWidget* cell(const char* prefix, int row) const
    {
        return func_test_find_widget(func_test_find_widget(preloaded_display[func_current_screen_code()].window,
                                                           "tbl_options_list"),
                                     row_name(prefix, row));
    }
    void press_save(bool save)
    {
        func_test_release(func_test_find_widget(preloaded_display[func_current_screen_code()].window,
                                                save ? "btn_save" : "btn_cancel"));
        func_test_run_loop(40);
    }
    std::vector<chemical_record> chemicals_in_file(int step) const
    {
        return decode_records<chemical_record>(sandbox.read_file(chemical_file(step)), CHEMICAL_RECORD_SIZE,
                                               func_decode_chemical_record);
    }
};

TEST_F(chemicals_screen_gui_test, only_chemicals_with_a_valve_switch_on_and_save_counts_them_into_the_step)
{
    open_chemicals();
    tap(func_test_find_widget(chemicals_window(), "btn_page_down"));
    EXPECT_FALSE(gtk_widget_get_sensitive(cell("btn_chm_item_active_#", 0)));  // chemical 6
    EXPECT_TRUE(shows_picture(cell("btn_chm_item_active_#", 0), "icon_no.png"));
    func_test_save_screenshot(chemicals_window(), "chemicals_locked_rows");
    tap(func_test_find_widget(chemicals_window(), "btn_page_up"));

    // Chemical 2 on: its settings open up, the line names it.
    EXPECT_FALSE(gtk_widget_get_sensitive(cell("btn_chm_item_duration_#", 1)));
    func_test_release(cell("btn_chm_item_active_#", 1));
    EXPECT_TRUE(gtk_widget_get_sensitive(cell("btn_chm_item_duration_#", 1)));
    EXPECT_EQ("------>  [" + p[155] + " 002 : Enabled] : " + p[28] + " --> " + p[29], queued_lines().back().second);
    // The signal toggles with its bell.
    tap(cell("btn_chm_item_signal_#", 1), 20);
    EXPECT_TRUE(shows_picture(cell("btn_chm_item_signal_#", 1), "icon_alarm_on_24.png"));
    // Without a temperature probe two moments to inject.
    tap(cell("btn_chm_item_inject_#", 1), 20);
    EXPECT_EQ((texts{"With Fill", "Level OK"}), options());
    tap(option("Level OK"), 20);
    // Chemical 3 on and renamed: every step and valve calls it so.
    func_test_release(cell("btn_chm_item_active_#", 2));
    type_value(cell("btn_chm_item_name_#", 2), 8, "Sour", true);

    press_save(true);
    ASSERT_EQ(SCREEN_SELECTED_STEP, func_current_screen_code());
    const std::vector<chemical_record> saved = chemicals_in_file(1);
    ASSERT_EQ(15u, saved.size());  // the layout is chemicals_test's
    EXPECT_EQ((std::vector<int>{1, INJECT_LEVEL_OK, 1}),
              (std::vector<int>{saved[1].active, saved[1].inject_when, saved[1].signal}));
    EXPECT_EQ("2", value_text(STEP_CHEMICALS));
    tap(func_test_find_widget(selected_window(), "btn_cancel"));
    open_step_on_row(1);
    tap(value(STEP_CHEMICALS));
    EXPECT_EQ("Sour", func_test_label_text(cell("btn_chm_item_name_#", 2)));
    press_save(false);
    func_show_chemical_valves_screen(nullptr, nullptr);
    func_test_run_loop(30);
    EXPECT_EQ("Sour", func_test_label_text(cell("btn_chm_item_name_#", 2)));
}

TEST_F(chemicals_screen_gui_test, cancel_writes_nothing_and_keeps_the_steps_own_edits)
{
    open_chemicals(true);
    press_save(false);
    // The step's time edited, then its chemicals opened.
    gtk_button_set_label(GTK_BUTTON(value(STEP_TIME)), "05:00");
    page_info[SCREEN_SELECTED_STEP].list.reload = 1;
    tap(value(STEP_CHEMICALS));
    func_test_release(cell("btn_chm_item_active_#", 0));
    tap(cell("btn_chm_item_inject_#", 0), 20);
    EXPECT_EQ((texts{"With Fill", "Level OK", "Level+Temp"}), options());
    func_test_save_screenshot(temporary_display_window, "chemicals_inject_when");
    func_test_release(option("Level+Temp"));
    press_save(false);
    EXPECT_FALSE(sandbox.exists(chemical_file(1)));
    ASSERT_EQ(SCREEN_SELECTED_STEP, func_current_screen_code());
    EXPECT_EQ("05:00", value_text(STEP_TIME));
    EXPECT_EQ(120, steps_in_file()[0].items[STEP_TIME]);
}

TEST_F(chemicals_screen_gui_test, a_valve_rate_typed_as_12_5_is_stored_as_125_and_shown_again_as_12_5)
{
    write_configuration({{31, 2}});
    prepare_console();
    func_show_chemical_valves_screen(nullptr, nullptr);
    func_test_run_loop(40);
    EXPECT_FALSE(gtk_widget_get_sensitive(cell("btn_chm_item_inject_rate", 2)));  // two valves
    type_value(cell("btn_chm_item_inject_rate", 1), 80, "12.5");
    func_test_save_screenshot(preloaded_display[SCREEN_CHEMICAL_VALVES].window, "chemical_valves");
    press_save(true);
    EXPECT_EQ(125.0f, decode_records<chemical_valve_record>(sandbox.read_file("configuration/chem_valves_flow_rate.dat"),
                                                            CHEMICAL_VALVE_RECORD_SIZE, func_decode_chemical_valve_record)
                          .at(1)
                          .inject_rate);
    EXPECT_EQ(SCREEN_CONFIGURATION, func_current_screen_code());  // where the valves are reached from
    func_show_chemical_valves_screen(nullptr, nullptr);
    func_test_run_loop(30);
    EXPECT_EQ("12.5", func_test_label_text(cell("btn_chm_item_inject_rate", 1)));
}
}  // namespace
