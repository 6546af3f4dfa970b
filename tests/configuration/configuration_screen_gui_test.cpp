// The configuration and VEZ configuration screens as a service technician
// uses them from home's configuration menu: pages, locked items, level
// checks, Save and Cancel, the level unit and the defaults.
#include <gtest/gtest.h>

#include <cstdio>

#include "configuration/configuration_screen.h"
#include "configuration/vez_configuration.h"
#include "frame/dialogs.h"
#include "frame/screen_table.h"
#include "support/part_a_gui.h"
#include "support/part_a_records.h"
#include "support/tcc_helpers.h"

namespace {
class configuration_screen_gui_test : public part_a_gui_test {
protected:
    void TearDown() override
    {
        func_close_active_dialog();
        shown_screens = {SCREEN_CONFIGURATION, SCREEN_VEZ_CONFIGURATION};
        part_a_gui_test::TearDown();
    }
    // Home, its configuration menu, and the menu's entry of that row.
    void open_from_menu(int row, int code)
    {
        open_configuration_entry(row);
        ASSERT_EQ(code, func_current_screen_code());
    }
    GtkWidget* window() const { return preloaded_display[func_current_screen_code()].window; }
    GtkWidget* widget(const std::string& name) const { return func_test_find_widget(window(), name); }
    // The value button of a configuration item on the page shown.
    GtkWidget* item(int number) const
    {
        char name[32];
        snprintf(name, sizeof name, "%03d", number - page_info[func_current_screen_code()].list.first_item);
        const char* prefix = func_current_screen_code() == SCREEN_VEZ_CONFIGURATION ? "btn_vez_#" : "btn_cfg_#";
        return widget(prefix + std::string(name));
    }
    std::string text(int number) const { return func_test_label_text(item(number)); }
    void press(const char* name) { tap(widget(name)); }
    void type(int number, int item_code, const std::string& typed)
    {
        type_value(item(number), item_code, typed, item_code == 12);
    }
    void choose(int number, const std::string& text) { choose_option(item(number), text); }
    machine_configuration in_file() const
    {
        return decode_records<machine_configuration>(sandbox.read_file("configuration/default.cfg"),
                                                     CONFIGURATION_RECORD_SIZE, func_decode_configuration)
            .at(0);
    }
    // Formula 1 with one step at that level.
    void write_step_level(int level)
    {
        write_formulas(1);
        step_record step{1, "Fill", {STEP_ONE_WAY_WASH}};
        step.items[STEP_LEVEL] = level;
        sandbox.write_file("formulas/f-001/steps.dat", encode_records(std::vector<step_record>{step}, STEP_RECORD_SIZE,
                                                                      func_encode_step_record));
    }
    int step_level_in_file() const
    {
        return decode_records<step_record>(sandbox.read_file("formulas/f-001/steps.dat"), STEP_RECORD_SIZE,
                                           func_decode_step_record)
            .at(0)
            .items[STEP_LEVEL];
    }
};

TEST_F(configuration_screen_gui_test, pages_check_levels_and_cancel_keeps_the_file_while_save_writes_it)
{
    write_configuration({{19, 0}, {40, 1}});
    const std::string before = sandbox.read_file("configuration/default.cfg");
    open_from_menu(0, SCREEN_CONFIGURATION);
    // Page 1: no temperature probe locks the unit and the two error times;
    // item 4 is never offered.
    for (int locked : {0, 4, 7, 9})
        EXPECT_FALSE(gtk_widget_get_sensitive(item(locked))) << locked;
    func_test_save_screenshot(window(), "configuration_page_1_locked");
    func_test_release(item(10));  // Extra Water: a direct toggle, with its picture
    EXPECT_EQ(text(10), "YES");
    EXPECT_NE(nullptr, gtk_button_get_image(GTK_BUTTON(item(10))));
    EXPECT_EQ(nullptr, temporary_display_window);

    press("btn_page_down");
    EXPECT_FALSE(gtk_widget_get_sensitive(item(35)));  // no flow meters
    func_test_save_screenshot(window(), "configuration_page_2");
    // The default Level 1 is above its maximum: the page stays.
    press("btn_page_down");
    EXPECT_EQ(page_info[SCREEN_CONFIGURATION].list.current_page, 2);
    EXPECT_EQ(dialog_text(), p[269] + " 6.0 in");
    func_test_save_screenshot(dialog_window, "configuration_level_rejected");
    func_close_active_dialog();
    type(26, 13, "5");
    type(27, 14, "4.5");  // below Level 1 now: told at once
    EXPECT_EQ(dialog_text(), p[268]);
    func_close_active_dialog();
    type(27, 14, "9");
    press("btn_page_down");
    ASSERT_EQ(page_info[SCREEN_CONFIGURATION].list.current_page, 3);
    // Netrova on: its address, but never Work Order.
    EXPECT_TRUE(gtk_widget_get_sensitive(item(41)));
    EXPECT_FALSE(gtk_widget_get_sensitive(item(43)));
    func_test_save_screenshot(window(), "configuration_page_3");

    // Cancel: not a byte written, however many pages were edited.
    press("btn_cancel");
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    EXPECT_EQ(sandbox.read_file("configuration/default.cfg"), before);

    // Again, and Save: the file and the console's copy follow.
    func_show_screen(SCREEN_CONFIGURATION);
    func_test_run_loop(30);
    EXPECT_EQ(text(10), "NO");
    func_test_release(item(10));
    press("btn_page_down");
    type(26, 13, "5.5");
    press("btn_save");
    ASSERT_EQ(SCREEN_HOME, func_current_screen_code());
    const machine_configuration saved = in_file();
    // Item 27 was shown as it was: kept exactly.
    EXPECT_EQ((std::vector<float>{1.0f, 550.0f, 900.0f}),
              (std::vector<float>{saved.items[10], saved.items[26], saved.items[27]}));
    EXPECT_EQ(current_machine_configuration->items[26], 550.0f);
    const std::vector<std::string> lines = change_log();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "------>  [Water Lvl 1] : 8.0 --> 5.5"));
}

TEST_F(configuration_screen_gui_test, a_new_level_unit_converts_every_formula_and_defaults_keep_the_unit)
{
    write_configuration({{19, 1}});
    write_step_level(800);
    open_from_menu(0, SCREEN_CONFIGURATION);
    choose(0, "Celcius");
    ASSERT_NE(nullptr, dialog_window);
    func_test_save_screenshot(dialog_window, "configuration_level_unit_question");
    tap(dialog_button(1), 20);  // No: nothing changes
    EXPECT_EQ(text(0), "Fahrenheit");
    EXPECT_EQ(step_level_in_file(), 800);

    choose(0, "Celcius");
    tap(dialog_button(0));
    EXPECT_EQ(text(0), "Celcius");
    // The conversion itself is formula_changes_test's.
    EXPECT_EQ(step_level_in_file(), 2031);

    // The defaults come back at once, in the unit in force.
    press("btn_defaults");
    tap(dialog_button(0));
    const machine_configuration saved = in_file();
    EXPECT_EQ((std::vector<float>{1.0f, 0.0f, 2032.0f}),
              (std::vector<float>{saved.items[0], saved.items[19], saved.items[26]}));
    EXPECT_EQ(step_level_in_file(), 2031);
    press("btn_page_down");
    EXPECT_EQ(text(26), "20.3");
}

TEST_F(configuration_screen_gui_test, vez_items_toggle_lock_and_save_only_on_save)
{
    vez_configuration record{};
    record.items[1] = 7;
    record.items[17] = 123;  // never shown, kept
    sandbox.write_file("configuration/configuration.vez",
                       encode_records(std::vector<vez_configuration>{record}, VEZ_RECORD_SIZE,
                                      func_encode_vez_configuration));
    const std::string before = sandbox.read_file("configuration/configuration.vez");
    open_from_menu(1, SCREEN_VEZ_CONFIGURATION);
    EXPECT_FALSE(gtk_widget_get_sensitive(item(9)));  // CCW discharge NO
    func_test_save_screenshot(window(), "vez_configuration");
    func_test_release(item(2));
    EXPECT_EQ(text(2), "YES");
    EXPECT_TRUE(gtk_widget_get_sensitive(item(9)));
    type(0, 81, "12");
    press("btn_cancel");
    EXPECT_EQ(sandbox.read_file("configuration/configuration.vez"), before);

    func_show_screen(SCREEN_VEZ_CONFIGURATION);
    func_test_run_loop(30);
    type(0, 81, "12");
    choose(1, "24 = Brenvik Series A and Earlier");
    press("btn_save");
    ASSERT_EQ(SCREEN_HOME, func_current_screen_code());
    const std::string after = sandbox.read_file("configuration/configuration.vez");
    vez_configuration saved{};
    func_decode_vez_configuration(reinterpret_cast<const unsigned char*>(after.data()), after.size(), saved);
    EXPECT_EQ((std::vector<int>{12, 2, 123}), (std::vector<int>{saved.items[0], saved.items[1], saved.items[17]}));
}
}  // namespace
