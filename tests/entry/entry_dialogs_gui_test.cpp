// The data entry and selection dialogs driven as an operator would: open
// one from a value button, press keys or pick an option, Save or Cancel,
// and look at the button and files.
#include <gtest/gtest.h>

#include "frame/dialogs.h"
#include "support/part_a_gui.h"

namespace {
class entry_dialogs_gui_test : public part_a_gui_test {
protected:
    void SetUp() override
    {
        part_a_gui_test::SetUp();
        write_formulas(12, 0);
        prepare_console();
        show_home();
        caller_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        caller = gtk_button_new_with_label("120");
        gtk_widget_set_name(caller, "btn_value_#000");
        gtk_container_add(GTK_CONTAINER(caller_window), caller);
        func_begin_log_transaction();
    }
    void TearDown() override
    {
        func_unload_data_entry_screen();
        func_unload_selections_window(temporary_display_window);
        gtk_widget_destroy(caller_window);
        part_a_gui_test::TearDown();
    }
    static GtkWidget* dialog() { return data_entry_window(false); }
    GtkWidget* part(const char* name) const { return func_test_find_widget(dialog(), name); }
    std::string text_of(const char* entry) const { return gtk_entry_get_text(GTK_ENTRY(part(entry))); }
    bool shown(const char* name) const { return gtk_widget_get_visible(part(name)); }
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
    // The selection dialog of an item of that screen; options by column.
    void select_for(int screen, const char* name, const std::string& label)
    {
        options_display->screen_code = screen;
        gtk_widget_set_name(caller, name);
        gtk_button_set_label(GTK_BUTTON(caller), label.c_str());
        func_show_selection_dialog(caller, nullptr);
    }
    static std::pair<int, int> per_column()
    {
        std::pair<int, int> count;
        for (GtkWidget* option : func_test_find_widgets(temporary_display_window, "selections_#")) {
            guint left = 0;
            gtk_container_child_get(GTK_CONTAINER(gtk_widget_get_parent(option)), option, "left-attach", &left,
                                    nullptr);
            (left == 0 ? count.first : count.second)++;
        }
        return count;
    }

    GtkWidget* caller_window = nullptr;
    GtkWidget* caller = nullptr;
};

TEST_F(entry_dialogs_gui_test, the_first_digit_replaces_the_prefilled_number_and_cancel_changes_nothing)
{
    open(0, "120");
    EXPECT_EQ("120", text_of("entry_numeric"));
    press("5");
    press("5");
    func_test_save_screenshot(dialog(), "data_entry_number_pad");
    press_named("btn_save");
    EXPECT_EQ("055\u00b0 F", func_test_label_text(caller));
    open(0, "120");
    press("9");
    press_named("btn_cancel");
    EXPECT_EQ("120", func_test_label_text(caller));
    EXPECT_FALSE(gtk_widget_get_visible(dialog()));
    // Durations are split into their fields and joined again.
    open(3, "02:05");
    EXPECT_EQ("00 02 05", text_of("entry_hour") + " " + text_of("entry_minute") + " " + text_of("entry_second"));
    func_test_save_screenshot(dialog(), "data_entry_time");
    press("30");
    press_named("btn_save");
    EXPECT_EQ("02:30", func_test_label_text(caller));
}

TEST_F(entry_dialogs_gui_test, letters_append_shift_capitalises_one_letter_and_back_and_clear_remove)
{
    open(12, "Washer");
    press("A");
    press_named("btn_keyboard_shift1");
    press("BC");
    func_test_save_screenshot(dialog(), "data_entry_letters");
    press_named("btn_keyboard_123a1");
    EXPECT_TRUE(shown("vbox_keyboard2") && !shown("vbox_keyboard1"));
    press("7");
    func_test_save_screenshot(dialog(), "data_entry_digits_and_symbols");
    press_named("btn_keyboard_space2");
    EXPECT_EQ("WasheraBc7 ", text_of("entry_text"));
    press_named("btn_keyboard_abc1");
    EXPECT_TRUE(shown("vbox_keyboard1"));

    open(12, "a");
    press_named("btn_keyboard_back1");
    press_named("btn_keyboard_back1");  // on an empty entry
    EXPECT_EQ("", text_of("entry_text"));
    open(12, "abc");
    press_named("btn_keyboard_123b1");
    EXPECT_EQ("", text_of("entry_text"));
    EXPECT_TRUE(shown("vbox_keyboard1"));  // the keyboard stays as it was
    press_named("btn_cancel");

    // A formula name longer than its field is cut at a character boundary.
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

TEST_F(entry_dialogs_gui_test, a_rejected_value_keeps_the_dialog_open_with_only_the_bad_field_emptied)
{
    open(23, "012");
    press("1000");
    press_named("btn_save");
    EXPECT_TRUE(gtk_widget_get_visible(dialog()));
    EXPECT_EQ("", text_of("entry_numeric"));
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[180], gtk_window_get_title(GTK_WINDOW(dialog_window)));
    EXPECT_EQ("012", func_test_label_text(caller));
    func_close_active_dialog();
    press_named("btn_cancel");

    open(40, "");
    gtk_entry_set_text(GTK_ENTRY(part("entry_hour")), "13");
    gtk_entry_set_text(GTK_ENTRY(part("entry_minute")), "40");
    gtk_entry_set_text(GTK_ENTRY(part("entry_second")), "2101");
    func_test_save_screenshot(dialog(), "data_entry_date");
    EXPECT_EQ(0, func_validate_data_entry_value());
    EXPECT_EQ(" 40 2101", text_of("entry_hour") + " " + text_of("entry_minute") + " " + text_of("entry_second"));
}

TEST_F(entry_dialogs_gui_test, home_goes_to_a_formula_number_and_writes_the_remote_formula_and_load_weight)
{
    open(49);
    EXPECT_EQ("", text_of("entry_numeric"));  // starts empty
    press("12");
    press_named("btn_save");
    EXPECT_EQ("03 / 03", page_counter());
    EXPECT_EQ(1, page_info[SCREEN_HOME].list.pressed_row);

    open(26);
    EXPECT_FALSE(gtk_widget_get_sensitive(part("entry_remote_customer")));  // Customer Code is off
    func_test_save_screenshot(dialog(), "data_entry_remote_formula");
    press("42");
    press_named("btn_save");
    const std::string remote = sandbox.read_file("data/remote_formula.dat");
    ASSERT_EQ(28u, remote.size());
    EXPECT_EQ(std::make_pair(42, 0), std::make_pair(int(remote[0]), int(remote[4])));
    page_info[SCREEN_HOME].list.selected_number = 7;
    open(79);
    gtk_entry_set_text(GTK_ENTRY(part("entry_numeric")), "12.6");
    press_named("btn_save");
    const std::string weight = sandbox.read_file("data/load_weight.dat");
    ASSERT_EQ(8u, weight.size());
    EXPECT_EQ(std::make_pair(7, 13), std::make_pair(int(weight[0]), int(weight[4])));
}

TEST_F(entry_dialogs_gui_test, up_to_five_options_take_one_column_and_more_two)
{
    func_test_release(home_widget("btn_configuration"));
    ASSERT_NE(nullptr, temporary_display_window);
    EXPECT_EQ(std::make_pair(3, 0), per_column());
    func_test_save_screenshot(temporary_display_window, "selection_one_column");
    // Choosing an entry closes the menu.
    func_test_release(func_test_find_widgets(temporary_display_window, "selections_#").at(0));
    EXPECT_EQ(nullptr, temporary_display_window);

    select_for(SCREEN_SELECTED_STEP, "btn_step_item_#012", "Stop");  // step item 12: eight choices
    ASSERT_NE(nullptr, temporary_display_window);
    EXPECT_EQ(std::make_pair(5, 3), per_column());
    func_test_save_screenshot(temporary_display_window, "selection_two_columns");
}

}  // namespace
