// The selected-step screen: every setting of one step as a value button,
// the lockout by step type and machine, changes through the selection and
// data entry dialogs, and Save (checked) or Cancel back to the steps.
#include <gtest/gtest.h>

#include <optional>

#include "entry/data_entry_dialog.h"
#include "entry/value_limits.h"
#include "formulas/step_screens_fixture.h"
#include "support/tcc_helpers.h"

namespace {
class selected_step_screen_gui_test : public step_screens_fixture {
protected:
    void press(const char* name) { tap(func_test_find_widget(selected_window(), name), 40); }
    std::vector<std::string> labels() const
    {
        std::vector<std::string> texts;
        for (int item = 0; item < SELECTED_STEP_ITEMS; ++item)
            texts.push_back(value_text(item));
        return texts;
    }
    std::vector<int> editable_items() const
    {
        std::vector<int> items;
        for (int item = 0; item < SELECTED_STEP_ITEMS; ++item)
            if (value_sensitive(item))
                items.push_back(item);
        return items;
    }
    // The speed button opens the data entry dialog for that item with the speed shown.
    void expect_speed_entry(int item_code, const std::string& speed)
    {
        tap(value(STEP_RPM));
        ASSERT_NE(nullptr, data_entry_window());
        EXPECT_EQ(func_get_item_title_on_screen(item_code, SCREEN_SELECTED_STEP).value_or("?"),
                  func_test_label_text(func_test_find_widget(data_entry_window(), "lbl_active_item")));
        EXPECT_EQ(speed, gtk_entry_get_text(GTK_ENTRY(func_test_find_widget(data_entry_window(), "entry_numeric"))));
    }
    // Step 1 fills with hot water; step 2 is the one edited; step 3 a wash.
    static std::vector<step_record> around(const step_record& second)
    {
        return {hot_wash(1), second, hot_wash(3, 300)};
    }
};

TEST_F(selected_step_screen_gui_test, a_wash_step_shows_every_setting_with_its_pictures_and_the_longest_texts_fit)
{
    write_fully_equipped_machine();
    open_steps_screen(around(step(2, STEP_ONE_WAY_WASH, 36000,
                                  {{STEP_TEMPERATURE, 140}, {STEP_HOT, 2}, {STEP_COLD, 3}, {STEP_THIRD_WATER, 3},
                                   {STEP_LEVEL, 3}, {STEP_STEAM, 6}, {STEP_CHEMICALS, 2}, {STEP_RPM, 45},
                                   {STEP_DRAIN_TYPE, 5}, {STEP_REUSE_DRAIN, 1}, {STEP_HOW_TO_END, 5},
                                   {STEP_ON_TIME, 15}, {STEP_OFF_TIME, 4}, {STEP_START_LIQUOR, 12},
                                   {STEP_FILL_FROM_TANK, 1}})));
    open_step_on_row(1);
    EXPECT_EQ("F-001 : S-002 - Step 002",
              func_test_label_text(func_test_find_widget(selected_window(), "lbl_message_bar")));
    // 45 rpm is beyond the wash range of machine type 0: the nominal speed.
    EXPECT_EQ((std::vector<std::string>{p[31], "10:00:00", "140\u00b0 F", p[36], p[37], p[37], p[389], p[49], "2",
                                        "030", p[58], p[61], p[67], "00:15", "00:04", "12", "0", p[27], p[26]}),
              labels());
    for (int item : {STEP_HOT, STEP_COLD, STEP_STEAM})
        EXPECT_TRUE(shows_picture(value(item), "icon_yes.png")) << item;
    // A machine with every option fitted leaves a wash step fully editable,
    // and the longest texts fit.
    EXPECT_EQ(size_t(SELECTED_STEP_ITEMS), editable_items().size());
    EXPECT_EQ(std::vector<std::string>{}, func_test_texts_that_do_not_fit(selected_window()));
    func_test_save_screenshot(selected_window(), "selected_step_wash");
    expect_speed_entry(10, "030");
}

TEST_F(selected_step_screen_gui_test, choosing_standard_extract_resets_the_step_and_removes_its_chemicals_at_once)
{
    write_fully_equipped_machine();
    open_steps_screen(around(step(2, STEP_ONE_WAY_WASH, 30,
                                  {{STEP_TEMPERATURE, 120}, {STEP_HOT, 1}, {STEP_COLD, 1}, {STEP_CHEMICALS, 2},
                                   {STEP_RPM, 30}, {STEP_ON_TIME, 20}, {STEP_OFF_TIME, 3}, {STEP_REUSE_DRAIN, 1}})));
    sandbox.write_file(chemical_file(2), std::string(144, 'c'));
    const std::string before = sandbox.read_file(STEP_FILE);
    open_step_on_row(1);

    tap(value(STEP_TYPE), 20);
    // Step 2 between two washes may become any type.
    EXPECT_EQ((std::vector<std::string>{p[30], p[31], p[32], p[33], p[34], p[35]}), options());
    tap(option(p[35]), 20);
    // The forced values are step_rules_test's; Re-Use Drain stays open:
    // this machine has a reuse tank.
    EXPECT_EQ((std::vector<int>{0, 1, 9, 11, 12}), editable_items());
    EXPECT_TRUE(shows_picture(value(STEP_HOT), "icon_no.png"));
    EXPECT_FALSE(sandbox.exists(chemical_file(2)));
    func_test_save_screenshot(selected_window(), "selected_step_extract");
    expect_speed_entry(11, "664");
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_cancel")));

    // Cancel keeps the step file as it was; the chemicals stay removed.
    press("btn_cancel");
    EXPECT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));
    EXPECT_FALSE(sandbox.exists(chemical_file(2)));
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));
}

TEST_F(selected_step_screen_gui_test, the_first_step_must_fill_and_the_same_step_later_is_saved)
{
    // The default configuration: no temperature probe to set a temperature with.
    step_record dry = step(2, STEP_ONE_WAY_WASH, 120, {{STEP_RPM, 25}, {STEP_LEVEL, 650}});
    const step_record first = step(1, STEP_ONE_WAY_WASH, 120, {{STEP_RPM, 30}, {STEP_ON_TIME, 20}, {STEP_OFF_TIME, 3}});
    const step_record extract = step(3, STEP_STANDARD_EXTRACT, 240, {{STEP_RPM, 600}});
    open_steps_screen({first, dry, extract});
    const std::string before = sandbox.read_file(STEP_FILE);
    open_step_on_row(0);
    EXPECT_FALSE(value_sensitive(STEP_TEMPERATURE));
    choose(STEP_HOW_TO_END, p[65]);
    press("btn_save");
    EXPECT_EQ(p[272], dialog_text());
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));
    EXPECT_EQ(p[65], value_text(STEP_HOW_TO_END));  // the edit is still there
    func_close_active_dialog();
    press("btn_cancel");

    open_step_on_row(1);
    EXPECT_EQ("6.5", value_text(STEP_LEVEL));
    choose(STEP_HOW_TO_END, p[65]);
    choose(STEP_LEVEL, p[389]);  // a level by value: typed at once
    ASSERT_NE(nullptr, data_entry_window());
    gtk_entry_set_text(GTK_ENTRY(func_test_find_widget(data_entry_window(), "entry_numeric")), "8.2");
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
    func_test_run_loop(20);
    EXPECT_EQ("8.2", value_text(STEP_LEVEL));
    gtk_button_set_label(GTK_BUTTON(value(STEP_RPM)), "039");  // one above the wash range
    press("btn_save");
    EXPECT_EQ(nullptr, dialog_window);
    EXPECT_EQ(SCREEN_STEPS, func_current_screen_code());

    // Step 2 in the file: the choice, the typed level (820, not 819 from
    // 8.2 * 100 in binary), the nominal speed, the reversing times the wash
    // rules filled in; the rest as it was.
    dry.items[STEP_HOW_TO_END] = 3;
    dry.items[STEP_LEVEL] = 820;
    dry.items[STEP_RPM] = 30;
    dry.items[STEP_ON_TIME] = 20;
    dry.items[STEP_OFF_TIME] = 3;
    EXPECT_EQ(encode_steps({first, dry, extract}), sandbox.read_file(STEP_FILE));
    EXPECT_EQ(120 + 120 + 240, records_in_file()[0].total_time);
    const std::vector<std::string> lines = change_log();
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("------>  [" + step_item_selections_label_value[6] + "] : 6.5 --> 8.2", lines[3]);
}
}  // namespace
