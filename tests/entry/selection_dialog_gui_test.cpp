// The selection dialog: its columns, hidden options, direct toggles and
// the home screen's configuration menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "configuration/configuration_record.h"
#include "entry/selection_dialog.h"
#include "frame/app_state.h"
#include "frame/screen_table.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "logs/log_file.h"
#include "support/part_a_gui.h"

namespace {
class selection_dialog_gui_test : public part_a_gui_test {
protected:
    void SetUp() override
    {
        part_a_gui_test::SetUp();
        prepare_console();
        show_home();
        caller_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        caller = gtk_button_new_with_label("");
        gtk_container_add(GTK_CONTAINER(caller_window), caller);
        func_begin_log_transaction();
    }
    void TearDown() override
    {
        func_unload_selections_window(temporary_display_window);
        gtk_widget_destroy(caller_window);
        part_a_gui_test::TearDown();
    }
    void use_caller(int screen, const char* name, const std::string& label)
    {
        options_display->screen_code = screen;
        gtk_widget_set_name(caller, name);
        gtk_button_set_label(GTK_BUTTON(caller), label.c_str());
    }
    std::vector<GtkWidget*> option_buttons() const
    {
        return func_test_find_widgets(temporary_display_window, "selections_#");
    }
    guint column_of(GtkWidget* option) const
    {
        guint left = 0;
        gtk_container_child_get(GTK_CONTAINER(gtk_widget_get_parent(option)), option, "left-attach", &left, nullptr);
        return left;
    }
    GtkWidget* caller_window = nullptr;
    GtkWidget* caller = nullptr;
};

TEST_F(selection_dialog_gui_test, the_home_configuration_menu_has_one_column_of_three)
{
    func_test_release(home_widget("btn_configuration"));
    ASSERT_NE(nullptr, temporary_display_window);
    std::vector<GtkWidget*> buttons = option_buttons();
    ASSERT_EQ(3u, buttons.size());
    for (GtkWidget* button : buttons)
        EXPECT_EQ(0u, column_of(button));
    int width = 0, height = 0;
    gtk_widget_get_size_request(temporary_display_window, &width, &height);
    // Three 55-pixel options 6 pixels apart, a 15-pixel margin above and below.
    EXPECT_EQ(std::make_pair(240, 3 * 55 + 2 * 6 + 30), std::make_pair(width, height));
    func_test_save_screenshot(temporary_display_window, "selection_one_column");
    // Choosing an entry closes the menu.
    func_test_release(buttons[0]);
    EXPECT_EQ(nullptr, temporary_display_window);
}

TEST_F(selection_dialog_gui_test, eight_options_fill_two_columns_of_five_and_three)
{
    use_caller(SCREEN_SELECTED_STEP, "btn_step_item_#012", "Stop");  // step item 12: eight choices
    func_show_selection_dialog(caller, nullptr);
    ASSERT_NE(nullptr, temporary_display_window);
    std::vector<GtkWidget*> buttons = option_buttons();
    ASSERT_EQ(8u, buttons.size());
    int first = 0, second = 0;
    for (GtkWidget* button : buttons)
        (column_of(button) == 0 ? first : second)++;
    EXPECT_EQ(std::make_pair(5, 3), std::make_pair(first, second));
    func_test_save_screenshot(temporary_display_window, "selection_two_columns");
}

TEST_F(selection_dialog_gui_test, hidden_options_are_left_out_and_a_choice_becomes_the_label)
{
    current_machine_configuration->items[19] = 1.0f;  // a temperature probe: all choices
    use_caller(SCREEN_SELECTED_STEP, "btn_step_item_#004", "OFF");  // cold water: OFF, ON, ~, Lower Fill Temp
    func_show_selection_dialog(caller, nullptr);
    std::vector<std::string> labels = options();
    std::sort(labels.begin(), labels.end());
    EXPECT_EQ((std::vector<std::string>{"Lower Fill Temp", "OFF", "ON"}), labels);
    ASSERT_NE(nullptr, option("Lower Fill Temp"));
    func_test_release(option("Lower Fill Temp"));
    EXPECT_EQ("Lower Fill Temp", func_test_label_text(caller));
    EXPECT_EQ(nullptr, temporary_display_window);
    EXPECT_EQ(1u, queued_lines().size());
}

TEST_F(selection_dialog_gui_test, yes_no_and_on_off_values_toggle_without_a_window)
{
    // A value-editing screen whose items have no option rows.
    screen_description values;
    values.code = SCREEN_SYSTEM_SETTINGS;
    values.item_label = [](GtkWidget*) { return std::string("Extra Water"); };
    values.selection_options = [](GtkWidget*, int) { return std::vector<std::string>(); };
    static GtkWidget* value_buttons[1] = {};
    values.value_buttons = value_buttons;
    func_register_screen(values);
    use_caller(SCREEN_SYSTEM_SETTINGS, "btn_cfg_#010", p[26]);
    func_show_selection_dialog(caller, nullptr);
    EXPECT_EQ(nullptr, temporary_display_window);
    EXPECT_EQ(p[27], func_test_label_text(caller));
    EXPECT_NE(nullptr, gtk_button_get_image(GTK_BUTTON(caller)));
    EXPECT_EQ(1u, queued_lines().size());
    func_show_selection_dialog(caller, nullptr);
    EXPECT_EQ(p[26], func_test_label_text(caller));
    EXPECT_EQ(2u, queued_lines().size());
    EXPECT_EQ(1, page_info[SCREEN_SYSTEM_SETTINGS].list.reload);
    // On and off toggle too.
    use_caller(SCREEN_FORMULAS, "btn_frm_active_#000", p[29]);
    func_show_selection_dialog(caller, nullptr);
    EXPECT_EQ(p[28], func_test_label_text(caller));
    func_unregister_screen(SCREEN_SYSTEM_SETTINGS);
}

}  // namespace
