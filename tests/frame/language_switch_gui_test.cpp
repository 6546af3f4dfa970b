// Texts a screen put on its buttons when it was built follow a language
// switch and come back with English.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "frame/language_switch.h"
#include "formulas/formulas_screen_fixture.h"

namespace {
class language_switch_gui_test : public formulas_screen_fixture {
protected:
    void TearDown() override
    {
        func_switch_language(0);
        if (caller_window)
            gtk_widget_destroy(caller_window);
        formulas_screen_fixture::TearDown();
    }

    // Opens the data entry dialog for a name and gives its space key.
    GtkWidget* space_key()
    {
        if (!caller_window) {
            caller_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
            caller = gtk_button_new_with_label("Towels");
            gtk_container_add(GTK_CONTAINER(caller_window), caller);
        }
        func_show_data_entry_dialog(caller, GINT_TO_POINTER(12));
        func_test_run_loop(30);
        return func_test_find_widget(data_entry_window(), "btn_keyboard_space1");
    }

    GtkWidget* caller_window = nullptr;
    GtkWidget* caller = nullptr;
};

TEST_F(language_switch_gui_test, list_and_keyboard_buttons_follow_a_switch_and_back)
{
    write_formulas(3);
    // Add and Space translated; Delete left blank, so it stays English.
    std::map<int, std::string> translated = {{278, "Ajouter"}, {408, "Espace"}};
    std::string file;
    for (int slot = 0; slot <= 408; ++slot)
        file += "english\n" + (translated.count(slot) ? translated[slot] : std::string()) + "\n";
    sandbox.write_file("data/L1.lng", file);
    open_formulas_screen();
    GtkWidget* add = preloaded_display[SCREEN_FORMULAS].buttons[0];
    GtkWidget* erase = preloaded_display[SCREEN_FORMULAS].buttons[3];
    const std::string english_add = func_test_label_text(add);
    const std::string english_delete = func_test_label_text(erase);
    GtkWidget* space = space_key();
    ASSERT_NE(nullptr, space);
    const std::string english_space = func_test_label_text(space);
    func_unload_data_entry_screen();

    ASSERT_TRUE(func_switch_language(1));
    func_test_run_loop(30);
    EXPECT_EQ("Ajouter", func_test_label_text(add));
    EXPECT_EQ(english_delete, func_test_label_text(erase));
    func_test_save_screenshot(formulas_window(), "formulas_after_language_switch");
    EXPECT_EQ("Espace", func_test_label_text(space_key()));
    func_unload_data_entry_screen();

    ASSERT_TRUE(func_switch_language(0));
    func_test_run_loop(30);
    EXPECT_EQ(english_add, func_test_label_text(add));
    EXPECT_EQ(english_delete, func_test_label_text(erase));
    EXPECT_EQ(english_space, func_test_label_text(space_key()));
}
}  // namespace
