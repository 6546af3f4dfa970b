// The selected-step screen: every setting of one step as a value button,
// the lockout by step type and machine, changes through the selection and
// data entry dialogs, and Save (checked) or Cancel back to the steps.
#include <gtest/gtest.h>

#include <optional>

#include "entry/data_entry_dialog.h"
#include "entry/value_limits.h"
#include "formulas/step_screens_fixture.h"

namespace {
class selected_step_screen_gui_test : public step_screens_fixture {
protected:
    void TearDown() override
    {
        func_unload_data_entry_screen();
        step_screens_fixture::TearDown();
    }
    GtkWidget* screen_widget(const std::string& name) const { return func_test_find_widget(selected_window(), name); }
    void save()
    {
        func_test_release(screen_widget("btn_save"));
        func_test_run_loop(40);
    }
    void cancel()
    {
        func_test_release(screen_widget("btn_cancel"));
        func_test_run_loop(40);
    }
    static GtkWidget* data_entry_window()
    {
        GList* windows = gtk_window_list_toplevels();
        GtkWidget* found = nullptr;
        for (GList* item = windows; item; item = item->next)
            if (g_strcmp0(gtk_widget_get_name(GTK_WIDGET(item->data)), "win_data_entry") == 0)
                found = GTK_WIDGET(item->data);
        g_list_free(windows);
        return found;
    }
    static std::string data_entry_text(const char* name)
    {
        return func_test_label_text(func_test_find_widget(data_entry_window(), name));
    }
    static std::string data_entry_entry(const char* name)
    {
        GtkWidget* entry = func_test_find_widget(data_entry_window(), name);
        return entry ? gtk_entry_get_text(GTK_ENTRY(entry)) : "";
    }
    // A key of the data entry dialog's number pad.
    static void press_key(const std::string& label)
    {
        GtkWidget* pad = func_test_find_widget(data_entry_window(), "vbox_numpad");
        ASSERT_NE(nullptr, pad);
        for (GtkWidget* key : func_test_find_widgets(pad, "btn_"))
            if (func_test_label_text(key) == label) {
                gtk_button_clicked(GTK_BUTTON(key));
                return;
            }
        FAIL() << "no key " << label;
    }
    static std::string title_of(int item_code)
    {
        std::optional<std::string> title = func_get_item_title_on_screen(item_code, SCREEN_SELECTED_STEP);
        return title ? *title : "";
    }
    std::vector<std::string> labels(int first, int last) const
    {
        std::vector<std::string> texts;
        for (int item = first; item <= last; ++item)
            texts.push_back(value_text(item));
        return texts;
    }
    // The value's text is not cut by its 100-pixel button.
    bool text_fits(int item) const
    {
        GtkWidget* button = value(item);
        GtkWidget* label = nullptr;
        for (GtkWidget* found : func_test_find_widgets(button, ""))
            if (GTK_IS_LABEL(found))
                label = found;
        if (!label)
            return false;
        GtkRequisition wanted;
        gtk_widget_size_request(label, &wanted);
        GtkAllocation given;
        gtk_widget_get_allocation(button, &given);
        // Inside the bevel on both sides.
        const int inside = given.width - 2 * gtk_widget_get_style(button)->xthickness;
        return given.width == SELECTED_STEP_VALUE_WIDTH && wanted.width <= inside;
    }
    // Items editable, in item order.
    std::vector<int> editable_items() const
    {
        std::vector<int> items;
        for (int item = 0; item < SELECTED_STEP_ITEMS; ++item)
            if (value_sensitive(item))
                items.push_back(item);
        return items;
    }

    // Step 1 fills with hot water; step 2 is the one edited; step 3 a wash.
    static std::vector<step_record> around(const step_record& second)
    {
        return {hot_wash(1), second, hot_wash(3, 300)};
    }
};

TEST_F(selected_step_screen_gui_test, a_wash_step_shows_every_setting_with_its_pictures_and_locks)
{
    write_fully_equipped_machine();
    const step_record wash = step(2, STEP_ONE_WAY_WASH, 125,
                                  {{STEP_TEMPERATURE, 140}, {STEP_HOT, 1}, {STEP_THIRD_WATER, 2}, {STEP_LEVEL, 1},
                                   {STEP_STEAM, 2}, {STEP_CHEMICALS, 2}, {STEP_RPM, 45}, {STEP_DRAIN_TYPE, 2},
                                   {STEP_HOW_TO_END, 1}, {STEP_ON_TIME, 15}, {STEP_OFF_TIME, 4},
                                   {STEP_START_LIQUOR, 12}, {STEP_FILL_FROM_TANK, 1}});
    open_selected_step_screen(around(wash), 2);
    EXPECT_EQ("F-001 : S-002 - Step 002", func_test_label_text(screen_widget("lbl_message_bar")));
    EXPECT_EQ("01 / 01", func_test_label_text(screen_widget("lbl_page_info")));
    EXPECT_EQ(step_item_selections_label_value[11], func_test_label_text(screen_widget("lbl_stp_item_label_#011")));
    EXPECT_EQ((std::vector<std::string>{p[31], "02:05", "140\u00b0 F", p[29], p[28], p[36], p[39], p[45], "2",
                                        // 45 is beyond the wash range of machine type 0
                                        "030", p[55], p[60], p[63], "00:15", "00:04", "12", "0", p[27], p[26]}),
              labels(0, 18));
    EXPECT_TRUE(shows_picture(value(STEP_HOT), "icon_yes.png"));
    EXPECT_TRUE(shows_picture(value(STEP_COLD), "icon_no.png"));
    EXPECT_TRUE(shows_picture(value(STEP_THIRD_WATER), "icon_yes.png"));
    EXPECT_TRUE(shows_picture(value(STEP_STEAM), "icon_yes.png"));
    // A machine with every option fitted leaves a wash step fully editable.
    std::vector<int> all;
    for (int item = 0; item < SELECTED_STEP_ITEMS; ++item)
        all.push_back(item);
    EXPECT_EQ(all, editable_items());
    func_test_save_screenshot(selected_window(), "selected_step_wash");

    // The speed of a wash is typed as a wash speed.
    func_test_release(value(STEP_RPM));
    func_test_run_loop(30);
    ASSERT_NE(nullptr, data_entry_window());
    EXPECT_TRUE(gtk_widget_get_visible(data_entry_window()));
    EXPECT_EQ(title_of(10), data_entry_text("lbl_active_item"));
    EXPECT_EQ("030", data_entry_entry("entry_numeric"));
}

TEST_F(selected_step_screen_gui_test, the_longest_option_texts_fit_their_buttons_beside_a_picture)
{
    write_fully_equipped_machine();
    const step_record wash = step(2, STEP_ONE_WAY_WASH, 36000,
                                  {{STEP_TEMPERATURE, 140}, {STEP_HOT, 2}, {STEP_COLD, 3}, {STEP_THIRD_WATER, 3},
                                   {STEP_LEVEL, 3}, {STEP_STEAM, 6}, {STEP_RPM, 30}, {STEP_DRAIN_TYPE, 5},
                                   {STEP_REUSE_DRAIN, 1}, {STEP_HOW_TO_END, 5}, {STEP_ON_TIME, 20},
                                   {STEP_OFF_TIME, 3}});
    open_selected_step_screen(around(wash), 2);
    EXPECT_EQ(p[49], value_text(STEP_STEAM));
    EXPECT_EQ(p[58], value_text(STEP_DRAIN_TYPE));
    EXPECT_EQ(p[67], value_text(STEP_HOW_TO_END));
    for (int item = 0; item < SELECTED_STEP_ITEMS; ++item)
        EXPECT_TRUE(text_fits(item)) << item << " " << value_text(item);
}

TEST_F(selected_step_screen_gui_test, a_bare_machine_locks_what_it_lacks_on_a_wash_step)
{
    // Default configuration: no temperature probe, flow meters, reuse
    // tank, overhead tank or recirculation.
    const step_record wash = step(2, STEP_TWO_WAY_WASH, 300,
                                  {{STEP_TEMPERATURE, 150}, {STEP_COLD, 1}, {STEP_STEAM, 3}, {STEP_REUSE_DRAIN, 1},
                                   {STEP_START_LIQUOR, 5}, {STEP_RECIRCULATE, 1}});
    open_selected_step_screen(around(wash), 2);
    EXPECT_EQ("000\u00b0 F", value_text(STEP_TEMPERATURE));
    EXPECT_EQ(p[20], value_text(STEP_STEAM));
    EXPECT_TRUE(shows_picture(value(STEP_STEAM), "icon_no.png"));
    EXPECT_EQ(p[60], value_text(STEP_REUSE_DRAIN));
    EXPECT_EQ("5", value_text(STEP_START_LIQUOR));  // kept, only locked
    EXPECT_EQ(p[26], value_text(STEP_RECIRCULATE));
    EXPECT_EQ((std::vector<int>{0, 1, 3, 4, 5, 6, 8, 9, 10, 12, 13, 14}), editable_items());
}

TEST_F(selected_step_screen_gui_test, an_extract_step_shows_only_time_speed_and_how_to_end_editable)
{
    write_fully_equipped_machine();
    const step_record extract = step(2, STEP_STANDARD_EXTRACT, 240, {{STEP_RPM, 600}, {STEP_HOW_TO_END, 3},
                                                                     {STEP_REUSE_DRAIN, 1}});
    open_selected_step_screen(around(extract), 2);
    EXPECT_EQ((std::vector<std::string>{p[35], "04:00", "000\u00b0 F", p[28], p[28], p[28], p[38], p[20], "0",
                                        "600", p[54], p[61], p[65], "00:00", "00:00", "0", "0", p[26], p[26]}),
              labels(0, 18));
    // Re-Use Drain stays open: this machine has a reuse tank.
    EXPECT_EQ((std::vector<int>{0, 1, 9, 11, 12}), editable_items());
    for (int item : {STEP_HOT, STEP_COLD, STEP_THIRD_WATER, STEP_STEAM})
        EXPECT_TRUE(shows_picture(value(item), "icon_no.png")) << item;
    func_test_save_screenshot(selected_window(), "selected_step_extract");

    // The speed of an extract is typed as an extract speed.
    func_test_release(value(STEP_RPM));
    func_test_run_loop(30);
    ASSERT_NE(nullptr, data_entry_window());
    EXPECT_EQ(title_of(11), data_entry_text("lbl_active_item"));
    EXPECT_EQ("600", data_entry_entry("entry_numeric"));
}

TEST_F(selected_step_screen_gui_test, choosing_standard_extract_resets_the_step_and_removes_its_chemicals_at_once)
{
    write_fully_equipped_machine();
    const step_record wash = step(2, STEP_ONE_WAY_WASH, 30,
                                  {{STEP_TEMPERATURE, 120}, {STEP_HOT, 1}, {STEP_COLD, 1}, {STEP_CHEMICALS, 2},
                                   {STEP_RPM, 30}, {STEP_ON_TIME, 20}, {STEP_OFF_TIME, 3}});
    open_selected_step_screen(around(wash), 2);
    sandbox.write_file(chemical_file(2), std::string(144, 'c'));
    const std::string before = sandbox.read_file(STEP_FILE);

    func_test_release(value(STEP_TYPE));
    func_test_run_loop(20);
    // Step 2 between two washes may become any type.
    EXPECT_EQ((std::vector<std::string>{p[30], p[31], p[32], p[33], p[34], p[35]}), options());
    func_test_release(option(p[35]));
    func_test_run_loop(20);
    EXPECT_EQ(nullptr, temporary_display_window);
    EXPECT_EQ(p[35], value_text(STEP_TYPE));
    EXPECT_EQ("01:00", value_text(STEP_TIME));
    EXPECT_EQ("0", value_text(STEP_CHEMICALS));
    EXPECT_EQ("000\u00b0 F", value_text(STEP_TEMPERATURE));
    EXPECT_EQ(p[28], value_text(STEP_HOT));
    EXPECT_EQ(p[28], value_text(STEP_COLD));
    EXPECT_EQ(p[28], value_text(STEP_THIRD_WATER));
    EXPECT_EQ("664", value_text(STEP_RPM));  // 30 is no extract speed: the nominal one
    EXPECT_TRUE(shows_picture(value(STEP_HOT), "icon_no.png"));
    EXPECT_FALSE(value_sensitive(STEP_HOT));
    EXPECT_FALSE(value_sensitive(STEP_CHEMICALS));
    EXPECT_FALSE(sandbox.exists(chemical_file(2)));

    // Cancel keeps the step file as it was; the chemicals stay removed.
    cancel();
    EXPECT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));
    EXPECT_FALSE(sandbox.exists(chemical_file(2)));
    EXPECT_FALSE(sandbox.exists(CHANGE_LOG));
}

TEST_F(selected_step_screen_gui_test, reversing_times_follow_the_wash_type)
{
    write_fully_equipped_machine();
    open_selected_step_screen(around(step(2, STEP_TWO_WAY_WASH, 300, {{STEP_HOT, 1}, {STEP_RPM, 30}})), 2);
    EXPECT_EQ("00:20", value_text(STEP_ON_TIME));
    EXPECT_EQ("00:03", value_text(STEP_OFF_TIME));
    EXPECT_TRUE(value_sensitive(STEP_ON_TIME));
    EXPECT_EQ("030", value_text(STEP_RPM));

    // A soak does not turn: no reversing, no speed.
    choose(STEP_TYPE, p[33]);
    EXPECT_EQ("00:00", value_text(STEP_ON_TIME));
    EXPECT_EQ("00:00", value_text(STEP_OFF_TIME));
    EXPECT_EQ("000", value_text(STEP_RPM));
    for (int item : {STEP_RPM, STEP_ON_TIME, STEP_OFF_TIME})
        EXPECT_FALSE(value_sensitive(item)) << item;
}

TEST_F(selected_step_screen_gui_test, the_first_step_must_fill_and_the_same_step_later_may_be_saved)
{
    write_fully_equipped_machine();
    const step_record dry = step(1, STEP_ONE_WAY_WASH, 120, {{STEP_RPM, 30}, {STEP_ON_TIME, 20}, {STEP_OFF_TIME, 3}});
    open_selected_step_screen({dry, hot_wash(2)}, 1);
    const std::string before = sandbox.read_file(STEP_FILE);
    choose(STEP_HOW_TO_END, p[65]);
    save();
    EXPECT_EQ(SCREEN_SELECTED_STEP, func_current_screen_code());
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[272], dialog_text());
    EXPECT_EQ(before, sandbox.read_file(STEP_FILE));
    EXPECT_EQ(p[65], value_text(STEP_HOW_TO_END));  // the edit is still there
}

TEST_F(selected_step_screen_gui_test, saving_writes_the_step_the_formula_and_the_change_log)
{
    write_fully_equipped_machine();
    step_record dry = step(2, STEP_ONE_WAY_WASH, 120, {{STEP_RPM, 30}, {STEP_LEVEL, 650}});
    open_selected_step_screen(around(dry), 2);
    EXPECT_EQ("6.5", value_text(STEP_LEVEL));
    choose(STEP_HOW_TO_END, p[65]);
    // What the data entry dialog leaves for a typed level.
    gtk_button_set_label(GTK_BUTTON(value(STEP_LEVEL)), "7.3");
    save();
    EXPECT_EQ(nullptr, dialog_window);
    EXPECT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_TRUE(gtk_widget_get_visible(steps_window()));

    // Step 2 in the file: the choice, the typed level, the reversing
    // times the wash rules filled in; the rest as it was.
    dry.items[STEP_HOW_TO_END] = 3;
    dry.items[STEP_LEVEL] = 730;
    dry.items[STEP_ON_TIME] = 20;
    dry.items[STEP_OFF_TIME] = 3;
    EXPECT_EQ(encode_steps({hot_wash(1), dry, hot_wash(3, 300)}), sandbox.read_file(STEP_FILE));
    std::vector<formula_record> formulas;
    const formula_record* saved = record_in_file(1, formulas);
    ASSERT_NE(nullptr, saved);
    EXPECT_EQ(3, saved->step_count);
    EXPECT_EQ(120 + 120 + 300, saved->total_time);

    const std::vector<std::string> lines = change_log();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(p[184] + " F-001 (Towels 001): S-002 (Step 002)", lines[0]);
    EXPECT_EQ("------>  [" + step_item_selections_label_value[12] + "] : " + p[62] + " --> " + p[65], lines[1]);
}

TEST_F(selected_step_screen_gui_test, a_user_defined_level_is_typed_and_stored_in_hundredths)
{
    write_fully_equipped_machine();
    open_selected_step_screen(around(step(2, STEP_ONE_WAY_WASH, 120, {{STEP_HOT, 1}, {STEP_RPM, 30}})), 2);
    EXPECT_EQ(p[38], value_text(STEP_LEVEL));
    choose(STEP_LEVEL, p[389]);
    ASSERT_NE(nullptr, data_entry_window());
    EXPECT_TRUE(gtk_widget_get_visible(data_entry_window()));
    EXPECT_EQ("", data_entry_entry("entry_numeric"));
    for (const char* key : {"8", ".", "2"})
        press_key(key);
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
    func_test_run_loop(20);
    EXPECT_EQ("8.2", value_text(STEP_LEVEL));
    save();
    ASSERT_EQ(SCREEN_STEPS, func_current_screen_code());
    EXPECT_EQ(820, steps_in_file()[1].items[STEP_LEVEL]);  // not 819 from 8.2 * 100 in binary
}

TEST_F(selected_step_screen_gui_test, a_typed_speed_is_kept_within_the_machines_range)
{
    write_fully_equipped_machine();
    open_selected_step_screen(around(step(2, STEP_ONE_WAY_WASH, 120, {{STEP_HOT, 1}, {STEP_RPM, 30}})), 2);
    gtk_button_set_label(GTK_BUTTON(value(STEP_RPM)), "035");
    page_info[SCREEN_SELECTED_STEP].list.reload = 1;
    save();
    EXPECT_EQ(35, steps_in_file()[1].items[STEP_RPM]);

    press_step_row(1);
    func_test_release(step_widget("btn_stp_type_#001"));
    func_test_run_loop(40);
    gtk_button_set_label(GTK_BUTTON(value(STEP_RPM)), "090");
    page_info[SCREEN_SELECTED_STEP].list.reload = 1;
    save();
    EXPECT_EQ(30, steps_in_file()[1].items[STEP_RPM]);  // beyond 38: the nominal speed
}

TEST_F(selected_step_screen_gui_test, the_type_list_stops_at_soak_next_to_an_extract)
{
    write_fully_equipped_machine();
    open_selected_step_screen({hot_wash(1), hot_wash(2), step(3, STEP_STANDARD_EXTRACT, 240, {{STEP_RPM, 600}})},
                              2);
    func_test_release(value(STEP_TYPE));
    func_test_run_loop(20);
    EXPECT_EQ((std::vector<std::string>{p[30], p[31], p[32], p[33]}), options());
}
}  // namespace
