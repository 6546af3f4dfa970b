// The home screen: active formulas five to a page, paging, going to a
// formula by number, row presses and the buttons of each variant.
#include <gtest/gtest.h>

#include <algorithm>

#include "frame/app_state.h"
#include "files/build_switches.h"
#include "frame/dialogs.h"
#include "frame/home_screen.h"
#include "frame/screen_table.h"
#include "link/run_state.h"
#include "language/language.h"
#include "link/ipc_link.h"
#include "settings/password_lockout.h"
#include "settings/passwords.h"
#include "frame/palette.h"
#include "support/console_fixture.h"

namespace {
class home_screen_gui_test : public console_gui_test {
protected:
    void start_with(int active, int inactive)
    {
        write_formulas(active, inactive);
        prepare_console();
        show_home();
    }
    GtkWidget* run_button() const { return home_widget("btn_run"); }
};

TEST_F(home_screen_gui_test, formulas_fill_pages_of_five_rows_mark_when_pressed_and_each_variant_has_its_buttons)
{
    const struct {
        int active, inactive;
        const char* pages;
        const char* shot;
    } cases[] = {{0, 3, "01 / 01", "home_empty"}, {5, 4, "01 / 01", "home_five_formulas"},
                 {6, 0, "01 / 02", "home_six_formulas"}, {12, 2, "01 / 03", "home_twelve_formulas"}};
    for (const auto& each : cases) {
        start_with(each.active, each.inactive);
        const std::string name = "case " + std::to_string(each.active) + " active";
        EXPECT_EQ(each.pages, page_counter()) << name;
        std::vector<std::string> first_page;
        for (int number = 1; number <= std::min(each.active, 5); ++number)
            first_page.push_back(formula(number).name);
        EXPECT_EQ(first_page, shown_formula_names()) << name << ": inactive ones are left out";
        EXPECT_FALSE(gtk_widget_get_sensitive(home_widget("btn_page_up"))) << name;
        EXPECT_EQ(each.active > 5, gtk_widget_get_sensitive(home_widget("btn_page_down"))) << name;
        func_test_save_screenshot(home_window(), each.shot);
        if (each.active == 0) {
            func_goto_formula_number_home(2);
            EXPECT_EQ(nullptr, dialog_window) << "an empty list: going to a number does nothing";
        }
    }
    // Twelve active: the pages follow the buttons and going to a number.
    func_test_release(home_widget("btn_page_down"));
    func_test_run_loop(50);
    EXPECT_EQ("02 / 03", page_counter());
    EXPECT_TRUE(gtk_widget_get_sensitive(home_widget("btn_page_up")));
    func_goto_formula_number_home(12);
    func_test_run_loop(50);
    EXPECT_EQ("03 / 03", page_counter());
    EXPECT_EQ((std::vector<std::string>{"Towels 011", "Towels 012"}), shown_formula_names());
    EXPECT_FALSE(gtk_widget_get_sensitive(home_widget("btn_page_down")));
    EXPECT_EQ(12, page_info[SCREEN_HOME].list.selected_number);
    EXPECT_EQ(func_test_color(LUMEX_SELECTED_TEXT), func_test_text_color(gtk_bin_get_child(GTK_BIN(home_widget("btn_frm_name_#001")))));
    func_test_save_screenshot(home_window(), "home_goto_formula_12");

    func_goto_formula_number_home(13);  // inactive
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[186] + " 013 " + p[287], dialog_text());
    func_test_save_screenshot(dialog_window, "dialog_formula_not_found");
    EXPECT_EQ("03 / 03", page_counter());
    func_close_active_dialog();

    start_with(3, 0);
    EXPECT_EQ(PC_MODE != 0, gtk_widget_get_sensitive(run_button()));
    func_test_release(home_widget("btn_frm_name_#002"));
    func_test_run_loop(30);
    const page_list_info& info = page_info[SCREEN_HOME].list;
    EXPECT_EQ(3, info.selected_number);
    EXPECT_STREQ("Towels 003", info.selected_text);
    EXPECT_EQ(func_test_color(LUMEX_SELECTED_TEXT), func_test_text_color(gtk_bin_get_child(GTK_BIN(home_widget("btn_frm_name_#002")))));
    EXPECT_TRUE(gtk_widget_get_sensitive(run_button()));
    // Pressing the number column selects the same row.
    func_test_release(home_widget("lbl_frm_number_#000"));
    EXPECT_EQ(0, page_info[SCREEN_HOME].list.pressed_row);
    EXPECT_EQ(1, page_info[SCREEN_HOME].list.selected_number);
    func_test_save_screenshot(home_window(), "home_row_pressed");

    start_with(2, 0);
    // The desktop station runs no machine and is a window that Exit closes.
    EXPECT_EQ(PC_MODE == 0, gtk_widget_get_visible(home_widget("btn_run_remote")));
    if (PC_MODE)
        EXPECT_FALSE(gtk_window_get_deletable(GTK_WINDOW(home_window())));
    else
        EXPECT_FALSE(gtk_window_get_decorated(GTK_WINDOW(home_window())));
    EXPECT_EQ(0, VALID_COM_VERSION) << "no controller version file";
    // The controller's version file, trimmed.
    sandbox.write_file("ztqbcom.ver", "  CTRLTAG \n 5.0.031\n1234");
    start_with(1, 0);
    EXPECT_EQ("CTRLTAG / 5.0.031", func_test_label_text(home_widget("lblcomversion")));
    EXPECT_EQ(1, VALID_COM_VERSION);

    write_configuration({{40, 1.0f}});
    start_with(12, 0);
    EXPECT_FALSE(gtk_widget_get_sensitive(home_widget("btn_page_up")));
    EXPECT_FALSE(gtk_widget_get_sensitive(home_widget("btn_page_down")));
    EXPECT_FALSE(gtk_widget_get_sensitive(options_display->tbl_options_list));
}

TEST_F(home_screen_gui_test, a_guarded_button_goes_straight_on_or_asks_for_the_enabled_password)
{
    start_with(2, 0);
    func_test_release(home_widget("btn_formula"));  // no password: straight on
    EXPECT_EQ(SCREEN_FORMULAS, func_current_screen_code());
    EXPECT_EQ(nullptr, dialog_window);
    show_home();
    program_password->password = "Abc";
    program_password->enabled = 1;
    page_info[SCREEN_HOME].list.reload = 0;
    func_test_release(home_widget("btn_formula"));
    EXPECT_EQ(0, page_info[SCREEN_HOME].list.reload);
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    GtkWidget* prompt = data_entry_window();
    ASSERT_NE(nullptr, prompt);
    // A wrong password keeps the screen closed; the right one, in any case, opens it.
    func_process_password_prompt(home_widget("btn_formula"), 45, "abd");
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    func_process_password_prompt(home_widget("btn_formula"), 45, "aBC");
    EXPECT_EQ(SCREEN_FORMULAS, func_current_screen_code());
    gtk_widget_hide(prompt);
}

TEST_F(home_screen_gui_test, the_home_request_runs_while_home_is_shown)
{
    start_with(1, 0);
    // The request ticks every 500 ms; a loaded machine may run it late.
    for (int waited = 0; ipc_cmd[1] != 5 && waited < 3000; waited += 50)
        func_test_run_loop(50);
    EXPECT_EQ(5, ipc_cmd[1]) << "the home request asks";
    // Back home before the request of the first visit has ticked its
    // last: that request goes, one asks.
    const guint first = func_screen_display_request_timer(SCREEN_HOME);
    ASSERT_NE(0u, first);
    func_show_screen(SCREEN_FORMULAS);
    func_show_screen(SCREEN_HOME);
    const guint second = func_screen_display_request_timer(SCREEN_HOME);
    EXPECT_NE(0u, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(nullptr, g_main_context_find_source_by_id(nullptr, first));
}
}  // namespace
