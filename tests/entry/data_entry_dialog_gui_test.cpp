// The data entry dialog driven as an operator would: open it from a value
// button, press keys, Save or Cancel, and look at the button and files.
#include <gtest/gtest.h>

#include <cstring>

#include "configuration/configuration_record.h"
#include "entry/data_entry_dialog.h"
#include "frame/app_state.h"
#include "frame/dialogs.h"
#include "frame/paging.h"
#include "frame/screen_table.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "logs/log_file.h"
#include "support/console_fixture.h"

namespace {
class data_entry_dialog_gui_test : public console_gui_test {
protected:
    void SetUp() override
    {
        console_gui_test::SetUp();
        write_formulas(12, 0);
        prepare_console();
        show_home();
        caller_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        caller = gtk_button_new_with_label("120");
        gtk_widget_set_name(caller, "btn_value_#000");
        gtk_container_add(GTK_CONTAINER(caller_window), caller);
    }
    void TearDown() override
    {
        func_unload_data_entry_screen();
        gtk_widget_destroy(caller_window);
        console_gui_test::TearDown();
    }
    static GtkWidget* dialog() { return data_entry_window(false); }
    GtkWidget* part(const char* name) const { return func_test_find_widget(dialog(), name); }
    std::string text_of(const char* entry) const { return gtk_entry_get_text(GTK_ENTRY(part(entry))); }
    // Presses, one by one, the keys so labelled in the panel now shown.
    void press(const std::string& labels)
    {
        for (char label : labels) {
            GtkWidget* key = nullptr;
            for (const char* panel : {"vbox_numpad", "vbox_keyboard1", "vbox_keyboard2"})
                for (GtkWidget* button : func_test_find_widgets(part(panel), "btn_"))
                    if (!key && shown(panel) && func_test_label_text(button) == std::string(1, label))
                        key = button;
            ASSERT_NE(nullptr, key) << "no key " << label;
            gtk_button_clicked(GTK_BUTTON(key));
        }
    }
    void press_named(const char* name) { gtk_button_clicked(GTK_BUTTON(part(name))); }
    void open(int item_code, const char* label = "120")
    {
        gtk_button_set_label(GTK_BUTTON(caller), label);
        func_show_data_entry_dialog(caller, GINT_TO_POINTER(item_code));
        func_test_run_loop(30);
    }
    bool shown(const char* name) const { return gtk_widget_get_visible(part(name)); }

    GtkWidget* caller_window = nullptr;
    GtkWidget* caller = nullptr;
};

TEST_F(data_entry_dialog_gui_test, the_first_digit_replaces_the_prefilled_number_and_cancel_changes_nothing)
{
    open(0, "120");
    EXPECT_TRUE(shown("layout_numeric_data"));
    EXPECT_TRUE(shown("vbox_numpad"));
    EXPECT_EQ("120", text_of("entry_numeric"));
    press("5");
    EXPECT_EQ("5", text_of("entry_numeric"));
    press("5");
    EXPECT_EQ("55", text_of("entry_numeric"));
    func_test_save_screenshot(dialog(), "data_entry_number_pad");
    press_named("btn_save");
    EXPECT_EQ("055\u00b0 F", func_test_label_text(caller));
    EXPECT_FALSE(gtk_widget_get_visible(dialog()));
    // Cancel leaves the button unchanged.
    open(0, "120");
    press("9");
    press_named("btn_cancel");
    EXPECT_EQ("120", func_test_label_text(caller));
    EXPECT_FALSE(gtk_widget_get_visible(dialog()));
}

TEST_F(data_entry_dialog_gui_test, letters_append_and_shift_capitalises_one_letter)
{
    open(12, "Washer");
    EXPECT_TRUE(shown("layout_text_data"));
    EXPECT_TRUE(shown("vbox_keyboard1"));
    press("A");
    EXPECT_EQ("Washera", text_of("entry_text"));
    press_named("btn_keyboard_shift1");
    press("BC");
    EXPECT_EQ("WasheraBc", text_of("entry_text"));
    func_test_save_screenshot(dialog(), "data_entry_letters");
    press_named("btn_keyboard_123a1");
    EXPECT_TRUE(shown("vbox_keyboard2") && !shown("vbox_keyboard1"));
    press("7");
    func_test_save_screenshot(dialog(), "data_entry_digits_and_symbols");
    press_named("btn_keyboard_space2");
    EXPECT_EQ("WasheraBc7 ", text_of("entry_text"));
    press_named("btn_keyboard_abc1");
    EXPECT_TRUE(shown("vbox_keyboard1"));
}

TEST_F(data_entry_dialog_gui_test, back_and_clear_keys)
{
    open(12, "ab");
    press_named("btn_keyboard_back1");
    EXPECT_EQ("a", text_of("entry_text"));
    press_named("btn_keyboard_back1");
    press_named("btn_keyboard_back1");  // on an empty entry
    EXPECT_EQ("", text_of("entry_text"));
    open(12, "abc");
    press_named("btn_keyboard_123b1");
    EXPECT_EQ("", text_of("entry_text"));
    EXPECT_TRUE(shown("vbox_keyboard1"));  // the keyboard stays as it was
}

TEST_F(data_entry_dialog_gui_test, a_rejected_value_keeps_the_dialog_open_with_the_field_emptied)
{
    open(23, "012");
    press("1000");
    press_named("btn_save");
    EXPECT_TRUE(gtk_widget_get_visible(dialog()));
    EXPECT_EQ("", text_of("entry_numeric"));
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[180], gtk_window_get_title(GTK_WINDOW(dialog_window)));
    EXPECT_EQ("012", func_test_label_text(caller));
}

TEST_F(data_entry_dialog_gui_test, three_field_layouts_empty_only_the_bad_field)
{
    open(40, "");
    EXPECT_TRUE(shown("layout_time_data"));
    gtk_entry_set_text(GTK_ENTRY(part("entry_hour")), "13");
    gtk_entry_set_text(GTK_ENTRY(part("entry_minute")), "40");
    gtk_entry_set_text(GTK_ENTRY(part("entry_second")), "2101");
    func_test_save_screenshot(dialog(), "data_entry_date");
    EXPECT_EQ(0, func_validate_data_entry_value());
    EXPECT_EQ(" 40 2101", text_of("entry_hour") + " " + text_of("entry_minute") + " " + text_of("entry_second"));
}

TEST_F(data_entry_dialog_gui_test, durations_are_split_and_joined)
{
    open(3, "02:05");
    EXPECT_TRUE(shown("layout_time_data"));
    EXPECT_EQ("00 02 05", text_of("entry_hour") + " " + text_of("entry_minute") + " " + text_of("entry_second"));
    func_test_save_screenshot(dialog(), "data_entry_time");
    press("30");
    press_named("btn_save");
    EXPECT_EQ("02:30", func_test_label_text(caller));
}

TEST_F(data_entry_dialog_gui_test, each_item_gets_its_layout)
{
    open(43);
    EXPECT_TRUE(shown("layout_net_data"));
    EXPECT_EQ("0.0.0.0", text_of("entry_gateway"));
    open(37);
    EXPECT_TRUE(shown("layout_password_data"));
    open(44);
    EXPECT_TRUE(shown("layout_text_data"));
    EXPECT_FALSE(gtk_entry_get_visibility(GTK_ENTRY(part("entry_text"))));
    EXPECT_EQ("", text_of("entry_text"));
    open(26);
    EXPECT_TRUE(shown("layout_remote_formula"));
    EXPECT_EQ("0", text_of("entry_remote_customer"));
    EXPECT_FALSE(gtk_widget_get_sensitive(part("entry_remote_customer")));  // Customer Code is off
    func_test_save_screenshot(dialog(), "data_entry_remote_formula");
}

TEST_F(data_entry_dialog_gui_test, a_long_name_is_cut_to_its_field_at_a_character_boundary)
{
    page_info[SCREEN_FORMULAS].list.selected_number = 4;
    std::string name;
    for (int i = 0; i < 30; ++i)
        name += "\u00e9";  // 60 bytes
    open(1, "old");
    gtk_entry_set_text(GTK_ENTRY(part("entry_text")), name.c_str());
    press_named("btn_save");
    const std::string saved = func_test_label_text(caller);
    EXPECT_EQ(50u, saved.size());  // 25 characters of two bytes; the 26th would need 52
    EXPECT_STREQ(saved.c_str(), page_info[SCREEN_FORMULAS].list.selected_text);
}

TEST_F(data_entry_dialog_gui_test, going_to_a_formula_number_from_home_starts_empty)
{
    open(49);
    EXPECT_TRUE(shown("layout_numeric_data"));
    EXPECT_EQ("", text_of("entry_numeric"));
    press("12");
    press_named("btn_save");
    EXPECT_EQ("03 / 03", page_counter());
    EXPECT_EQ(1, page_info[SCREEN_HOME].list.pressed_row);
}

TEST_F(data_entry_dialog_gui_test, the_remote_formula_and_load_weight_records_are_written)
{
    open(26);
    press("42");
    press_named("btn_save");
    const std::string remote = sandbox.read_file("data/remote_formula.dat");
    ASSERT_EQ(28u, remote.size());
    EXPECT_EQ(42, remote[0]);
    EXPECT_EQ(0, remote[4]);

    page_info[SCREEN_HOME].list.selected_number = 7;
    open(79);
    gtk_entry_set_text(GTK_ENTRY(part("entry_numeric")), "12.6");
    press_named("btn_save");
    const std::string weight = sandbox.read_file("data/load_weight.dat");
    ASSERT_EQ(8u, weight.size());
    EXPECT_EQ(7, weight[0]);
    EXPECT_EQ(13, weight[4]);
}

TEST_F(data_entry_dialog_gui_test, a_value_of_a_screen_that_names_its_items_is_logged_by_its_item)
{
    // A value-editing screen of 20 rows naming each item by its index.
    screen_description values;
    values.code = SCREEN_CONFIGURATION;
    values.rows_per_page = 20;
    values.item_label = [](GtkWidget* caller) {
        return "Item " + std::to_string(func_get_index_from_widget_name(caller));
    };
    func_register_screen(values);
    options_display->screen_code = SCREEN_CONFIGURATION;
    gtk_widget_set_name(caller, "btn_cfg_#006");  // item 26 on page 2
    page_info[SCREEN_CONFIGURATION].list.current_page = 2;
    func_begin_log_transaction();
    open(13, "8.0");
    press("5");
    press_named("btn_save");
    EXPECT_EQ("5.0", func_test_label_text(caller));
    ASSERT_FALSE(queued_lines().empty());
    EXPECT_EQ("------>  [Item 26] : 8.0 --> 5.0", queued_lines()[0].second);
    EXPECT_EQ(1, page_info[SCREEN_CONFIGURATION].list.reload);
    func_unregister_screen(SCREEN_CONFIGURATION);
}
}  // namespace
