// The configuration and VEZ configuration screens as a service technician
// uses them from home's configuration menu: pages, locked items, level
// checks, Save and Cancel, the level unit and the defaults.
#include <gtest/gtest.h>

#include <cstring>

#include "configuration/configuration_record.h"
#include "configuration/configuration_screen.h"
#include "configuration/vez_configuration.h"
#include "entry/data_entry_dialog.h"
#include "entry/selection_dialog.h"
#include "formulas/step_list.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "support/part_a_gui.h"
#include "support/part_a_records.h"

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
    void press(const char* name)
    {
        func_test_release(widget(name));
        func_test_run_loop(30);
    }
    void type(int number, int item_code, const std::string& typed)
    {
        type_value(item(number), item_code, typed, item_code == 12);
    }
    void choose(int number, const std::string& text) { choose_option(item(number), text); }
    machine_configuration in_file() const
    {
        const std::string bytes = sandbox.read_file("configuration/default.cfg");
        machine_configuration record{};
        EXPECT_EQ(bytes.size(), CONFIGURATION_RECORD_SIZE);
        if (bytes.size() == CONFIGURATION_RECORD_SIZE)
            func_decode_configuration(reinterpret_cast<const unsigned char*>(bytes.data()), record);
        return record;
    }
    void expect_whole(const std::string& shot)
    {
        EXPECT_EQ(func_test_texts_that_do_not_fit(window()), std::vector<std::string>{}) << shot;
        func_test_save_screenshot(window(), shot);
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
        const std::vector<step_record> steps = decode_records<step_record>(
            sandbox.read_file("formulas/f-001/steps.dat"), STEP_RECORD_SIZE, func_decode_step_record);
        return steps.empty() ? -1 : steps[0].items[STEP_LEVEL];
    }
};

TEST_F(configuration_screen_gui_test, pages_check_levels_and_cancel_keeps_the_file_while_save_writes_it)
{
    write_configuration({{19, 0}, {40, 1}});
    const std::string before = sandbox.read_file("configuration/default.cfg");
    open_from_menu(0, SCREEN_CONFIGURATION);
    // Page 1: no temperature probe locks the unit and the two error times.
    EXPECT_EQ(text(1), "English");
    EXPECT_EQ(text(8), "05:00");
    for (int locked : {0, 7, 9})
        EXPECT_FALSE(gtk_widget_get_sensitive(item(locked))) << locked;
    EXPECT_FALSE(gtk_widget_get_sensitive(item(4)));  // never offered
    EXPECT_TRUE(gtk_widget_get_sensitive(item(6)));
    expect_whole("configuration_page_1_locked");
    func_test_release(item(10));  // Extra Water: a direct toggle
    EXPECT_EQ(text(10), "YES");
    EXPECT_EQ(nullptr, temporary_display_window);

    press("btn_page_down");
    EXPECT_EQ(text(26), "8.0");
    EXPECT_EQ(text(28), "10.0");
    EXPECT_FALSE(gtk_widget_get_sensitive(item(35)));  // no flow meters
    expect_whole("configuration_page_2");
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
    // Netrova on: its address and remote fields, but never Work Order or Goods Code.
    EXPECT_TRUE(gtk_widget_get_sensitive(item(41)));
    EXPECT_FALSE(gtk_widget_get_sensitive(item(43)));
    EXPECT_FALSE(gtk_widget_get_sensitive(item(44)));
    EXPECT_TRUE(gtk_widget_get_sensitive(item(45)));
    EXPECT_EQ(config_selections_label_value[56], "Generic 1");
    expect_whole("configuration_page_3");

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
    type(33, 12, std::string(49, 'x') + "\xc3\xa9\xc3\xa9");  // 53 bytes
    press("btn_save");
    ASSERT_EQ(SCREEN_HOME, func_current_screen_code());
    const machine_configuration saved = in_file();
    EXPECT_EQ(saved.items[10], 1.0f);
    EXPECT_EQ(saved.items[26], 550.0f);
    EXPECT_EQ(saved.items[27], 900.0f);  // shown as it was: kept exactly
    EXPECT_EQ(std::string(saved.machine_name), std::string(49, 'x') + "\xc3\xa9");  // cut between characters
    EXPECT_EQ(current_machine_configuration->items[26], 550.0f);
    int level_lines = 0;
    for (const std::string& line : change_log())
        level_lines += line.find("[Water Lvl 1] : 8.0 --> 5.5") != std::string::npos;
    EXPECT_EQ(level_lines, 1);

    // The valves are a screen of their own; it leads back here.
    func_show_screen(SCREEN_CONFIGURATION);
    func_test_run_loop(30);
    press("btn_chemical_valves");
    ASSERT_EQ(SCREEN_CHEMICAL_VALVES, func_current_screen_code());
    press("btn_cancel");
    EXPECT_EQ(SCREEN_CONFIGURATION, func_current_screen_code());
}

TEST_F(configuration_screen_gui_test, a_new_level_unit_converts_every_formula_and_defaults_keep_the_unit)
{
    write_configuration({{19, 1}});
    write_step_level(800);
    open_from_menu(0, SCREEN_CONFIGURATION);
    ASSERT_TRUE(gtk_widget_get_sensitive(item(0)));
    choose(0, "Celcius");
    ASSERT_NE(nullptr, dialog_window);
    func_test_save_screenshot(dialog_window, "configuration_level_unit_question");
    func_test_release(dialog_button(1));  // No: nothing changes
    func_test_run_loop(20);
    EXPECT_EQ(text(0), "Fahrenheit");
    EXPECT_EQ(step_level_in_file(), 800);

    choose(0, "Celcius");
    func_test_release(dialog_button(0));
    func_test_run_loop(30);
    EXPECT_EQ(text(0), "Celcius");
    // Converted as the step files always were: 20.32 cm held in single
    // precision is 20.3199..., stored truncated.
    EXPECT_EQ(step_level_in_file(), 2031);
    machine_configuration saved = in_file();
    EXPECT_EQ(saved.items[0], 1.0f);
    EXPECT_EQ(saved.items[26], 2032.0f);
    EXPECT_FALSE(sandbox.exists("formulas/level-unit.journal"));
    press("btn_page_down");
    EXPECT_EQ(text(26), "20.3");

    // The defaults come back at once, in the unit in force.
    press("btn_defaults");
    func_test_release(dialog_button(0));
    func_test_run_loop(30);
    saved = in_file();
    EXPECT_EQ(saved.items[0], 1.0f);
    EXPECT_EQ(saved.items[19], 0.0f);
    EXPECT_EQ(saved.items[26], 2032.0f);
    EXPECT_EQ(step_level_in_file(), 2031);
    EXPECT_EQ(text(26), "20.3");
}

TEST_F(configuration_screen_gui_test, another_language_is_in_force_after_save_and_english_after_the_next)
{
    sandbox.write_file("data/L1.lng", [] {
        std::string file;
        for (int slot = 0; slot < 950; ++slot)
            file += "x\n" + std::string(slot == 140 ? "Einheit" : slot == 902 ? "Deutsch" : "") + "\n";
        return file;
    }());
    open_from_menu(0, SCREEN_CONFIGURATION);
    choose(1, "Deutsch");
    press("btn_save");
    ASSERT_EQ(SCREEN_HOME, func_current_screen_code());
    EXPECT_EQ(default_language, 1);
    EXPECT_EQ(config_selections_label_value[0], "Einheit");
    func_show_screen(SCREEN_CONFIGURATION);
    func_test_run_loop(30);
    EXPECT_EQ(func_test_label_text(widget("lbl_cfg_#000")), "Einheit");
    choose(1, "English");
    press("btn_save");
    EXPECT_EQ(default_language, 0);
    EXPECT_EQ(config_selections_label_value[0], "Temp Unit");
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
    EXPECT_EQ(text(1), "99 = 57600 kb/s");
    EXPECT_FALSE(gtk_widget_get_sensitive(item(9)));  // CCW discharge NO
    expect_whole("vez_configuration");
    func_test_release(item(2));
    EXPECT_EQ(text(2), "YES");
    EXPECT_TRUE(gtk_widget_get_sensitive(item(9)));
    type(0, 81, "12");
    press("btn_cancel");
    EXPECT_EQ(sandbox.read_file("configuration/configuration.vez"), before);

    func_show_screen(SCREEN_VEZ_CONFIGURATION);
    func_test_run_loop(30);
    EXPECT_EQ(text(0), "0");
    type(0, 81, "12");
    choose(1, "24 = Brenvik Series A and Earlier");
    press("btn_save");
    ASSERT_EQ(SCREEN_HOME, func_current_screen_code());
    const std::string after = sandbox.read_file("configuration/configuration.vez");
    ASSERT_EQ(after.size(), VEZ_RECORD_SIZE);
    vez_configuration saved{};
    func_decode_vez_configuration(reinterpret_cast<const unsigned char*>(after.data()), after.size(), saved);
    EXPECT_EQ(saved.items[0], 12);
    EXPECT_EQ(saved.items[1], 2);
    EXPECT_EQ(saved.items[17], 123);
}
}  // namespace
