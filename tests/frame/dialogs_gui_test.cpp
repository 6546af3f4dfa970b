// Messages and dialogs: colours, kinds, the single-dialog rule, the
// dealer picture and the desktop Exit.
#include <gtest/gtest.h>

#include "frame/app_state.h"
#include "files/build_switches.h"
#include "frame/dialogs.h"
#include "frame/startup.h"
#include "language/language.h"
#include "logs/log_file.h"
#include "frame/palette.h"
#include "support/console_fixture.h"
#include "support/core_data_fixture.h"

namespace {
class dialogs_gui_test : public console_gui_test {
protected:
    void SetUp() override
    {
        console_gui_test::SetUp();
        prepare_console();
        show_home();
    }
};

TEST_F(dialogs_gui_test, messages_and_dialog_kinds_show_one_at_a_time_power_down_asks_and_the_dealer_picture_closes)
{
    func_show_message(1, "Door open");
    GtkWidget* bar = options_display->lbl_message_bar;
    EXPECT_EQ("Door open", func_test_label_text(bar));
    EXPECT_EQ(func_test_color(LUMEX_ERROR_TEXT), func_test_text_color(bar));
    EXPECT_EQ(func_test_color(LUMEX_ERROR_BACKGROUND), func_test_background_color(options_display->evb_message_bar));
    func_test_save_screenshot(home_window(), "message_kind_1");

    func_show_message(0, "Ready");
    EXPECT_EQ(LUMEX_BAR_BACKGROUND, func_test_background_color(options_display->evb_message_bar));

    func_show_dialog(3, "first", 1, nullptr);
    GtkWidget* first = dialog_window;
    ASSERT_NE(nullptr, first);
    g_object_add_weak_pointer(G_OBJECT(first), reinterpret_cast<gpointer*>(&first));
    func_show_dialog(2, "second", 1, nullptr);
    EXPECT_EQ(nullptr, first);  // destroyed
    EXPECT_EQ("second", dialog_text());
    func_close_active_dialog();
    EXPECT_EQ(nullptr, dialog_window);

    const struct {
        int kind, buttons;
        const char *text, *screenshot;
    } kinds[] = {{1, 1, "Fill error", "dialog_kind_1_error"}, {3, 1, "Check level", nullptr},
                 {99, 1, "Saved", "dialog_kind_99_information"},  // unknown kinds inform
                 {13, 2, "Power down?", "dialog_kind_13_question"}};
    for (const auto& k : kinds) {
        func_show_dialog(k.kind, k.text, 1, nullptr);
        EXPECT_EQ(k.buttons, dialog_buttons()) << k.kind;
        if (k.screenshot)
            func_test_save_screenshot(dialog_window, k.screenshot);
    }
    EXPECT_EQ(std::vector<std::string>{"Fill error"}, read_log_texts(sandbox.read_file("log/03-2018-error.log")));
    // The wait dialog has no buttons and no frame.
    func_show_dialog(18, p[190], 1, nullptr);
    EXPECT_EQ(0, dialog_buttons());
    EXPECT_FALSE(gtk_window_get_decorated(GTK_WINDOW(dialog_window)));
    func_test_save_screenshot(dialog_window, "dialog_kind_18_wait");

    func_test_release(func_test_find_widget(home_window(), "btn_powerdown"));
    ASSERT_NE(nullptr, dialog_window);
    func_test_release(dialog_button(0));  // yes
    EXPECT_EQ(nullptr, dialog_window);
    if (PC_MODE) {
        EXPECT_TRUE(sandbox.programs_run.empty());
    } else {
        EXPECT_EQ((std::vector<std::vector<std::string>>{{"poweroff"}}), sandbox.programs_run);
    }

    func_test_release(func_test_find_widget(home_window(), "btn_dealer_info"));
    func_test_run_loop(100);
    GtkWidget* dealer = func_test_find_window("win_dealer_info", false);
    ASSERT_NE(nullptr, dealer);
    func_test_save_screenshot(dealer, "dealer_info");
    g_object_add_weak_pointer(G_OBJECT(dealer), reinterpret_cast<gpointer*>(&dealer));
    GtkWidget* box = gtk_bin_get_child(GTK_BIN(dealer));
    GdkEvent* press = gdk_event_new(GDK_BUTTON_PRESS);
    press->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(box)));
    press->button.button = 1;
    gboolean handled = FALSE;
    g_signal_emit_by_name(box, "button-press-event", press, &handled);
    gdk_event_free(press);
    EXPECT_EQ(nullptr, dealer);
}

gboolean give_up(gpointer)
{
    gtk_main_quit();
    ADD_FAILURE() << "the main loop did not end";
    return FALSE;
}

gboolean press_home_exit(gpointer)
{
    func_test_release(preloaded_display[SCREEN_HOME].buttons[0]);
    return FALSE;
}

TEST(desktop_exit, the_console_ends_with_status_zero_and_clears_old_logs)
{
    if (!PC_MODE)
        GTEST_SKIP() << "the machine variant has no exit";
    sandbox_root sandbox;
    sandbox_root::set_clock(2018, 1, 10);
    sandbox.write_file("log/05-2015-change.log", "old");  // (which logs go: log_file_test)
    g_timeout_add(200, press_home_exit, nullptr);
    guint guard = g_timeout_add(10000, give_up, nullptr);
    char program[] = "lumex6-pc";
    char* arguments[] = {program, nullptr};
    EXPECT_EQ(0, func_main(1, arguments));
    g_source_remove(guard);
    // The splash timer is still pending; later tests must not meet it.
    g_source_remove_by_user_data(splash_window);
    gtk_widget_destroy(splash_window);
    splash_window = nullptr;
    EXPECT_FALSE(sandbox.exists("log/05-2015-change.log"));
}
}  // namespace
