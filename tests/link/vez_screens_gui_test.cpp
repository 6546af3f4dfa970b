// The VEZ screens as an operator meets them: the state screen paints a
// state once and offers its help, recovery names the first condition
// not met, the manual screen's choice travels in its request, batch data
// is written on Start (or the failure said), and against the simulator
// the controller leads the console through a whole loading cycle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/build_switches.h"
#include "frame/screen_table.h"
#include "language/language.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "link/run_state.h"
#include "link/vez_manual_screen.h"
#include "link/vez_state_screen.h"
#include "support/controller_gui_fixture.h"

namespace {
class vez_screens_gui_test : public controller_gui_test {
protected:
    void SetUp() override
    {
        controller_gui_test::SetUp();
        // Every batch number asked for by the configuration.
        write_configuration({{42, 1}, {43, 1}, {44, 1}, {45, 1}, {46, 1}, {47, 1}, {48, 1}, {49, 1}});
        prepare_console();
        show_home();
    }
    void TearDown() override
    {
        in_vez_automatic_mode = 0;
        func_show_screen(SCREEN_HOME);
        controller_gui_test::TearDown();
    }

    // The automatic mode as home's Auto enters it (the desktop station
    // has no Auto button).
    void enter_automatic_mode()
    {
        if (!PC_MODE) {
            ASSERT_TRUE(gtk_widget_get_sensitive(home_widget("btn_auto")));
            func_test_release(home_widget("btn_auto"));
        } else {
            in_vez_automatic_mode = 1;
            func_show_screen(SCREEN_VEZ_STATE);
        }
        func_test_run_loop(30);
        ASSERT_EQ(SCREEN_VEZ_STATE, func_current_screen_code());
        ASSERT_EQ(1, in_vez_automatic_mode);
    }
    static void feed_state(int state, int wanted = 0, int load = 0, int formula = 0)
    {
        feed(IPC_KIND_VEZ_STATE, {static_cast<unsigned char>(state), static_cast<unsigned char>(wanted),
                                  static_cast<unsigned char>(load), 0, static_cast<unsigned char>(formula), 0, 0, 0});
    }
    static GtkWidget* window(int code) { return preloaded_display[code].window; }
    static GtkWidget* widget(int code, const char* name) { return screen_widget(code, name); }
    static std::string text(int code, const char* name) { return screen_text(code, name); }
    static bool shown(int code, const char* name) { return gtk_widget_get_visible(widget(code, name)); }
    static bool sensitive(int code, const char* name) { return gtk_widget_get_sensitive(widget(code, name)); }
};

TEST_F(vez_screens_gui_test, state_screen_paints_each_state_once_with_its_help_and_recovery_names_what_is_not_met)
{
    enter_automatic_mode();
    feed_state(2);
    EXPECT_EQ("02 : Conveyor bringing the load to the load position", text(SCREEN_VEZ_STATE, "lbl_state_message"));
    EXPECT_TRUE(shown(SCREEN_VEZ_STATE, "lbl_state_help")) << "a state with help opens on it";
    EXPECT_EQ(0u, text(SCREEN_VEZ_STATE, "lbl_state_help").find(p[637] + " 02 : \n"));
    func_test_save_screenshot(window(SCREEN_VEZ_STATE), "vez_state_help");
    func_test_release(widget(SCREEN_VEZ_STATE, "btn_help"));
    EXPECT_FALSE(shown(SCREEN_VEZ_STATE, "lbl_state_help"));
    EXPECT_EQ(p[637] + " 02", text(SCREEN_VEZ_STATE, "lbl_status"));
    func_test_save_screenshot(window(SCREEN_VEZ_STATE), "vez_state");

    // The same number again repaints nothing.
    gtk_label_set_text(GTK_LABEL(widget(SCREEN_VEZ_STATE, "lbl_state_message")), "unchanged");
    feed_state(2);
    EXPECT_EQ("unchanged", text(SCREEN_VEZ_STATE, "lbl_state_message"));

    // State 3 has no help: its number shows and help cannot be asked for.
    feed_state(3);
    EXPECT_FALSE(sensitive(SCREEN_VEZ_STATE, "btn_help"));
    func_test_release(widget(SCREEN_VEZ_STATE, "btn_home"));
    EXPECT_EQ(0, in_vez_automatic_mode);

    enter_automatic_mode();
    feed_state(7, 1);
    ASSERT_EQ(SCREEN_VEZ_RECOVERY, func_current_screen_code()) << "the controller asked for recovery";
    EXPECT_FALSE(shown(SCREEN_VEZ_STATE, "btn_manual"));
    feed(IPC_KIND_VEZ_RECOVERY, {1, 0, 0});
    EXPECT_EQ(func_vez_warning_text(2), text(SCREEN_VEZ_STATE, "lbl_warning_2"));
    func_test_save_screenshot(window(SCREEN_VEZ_STATE), "vez_recovery");
    // (All met, and back to the state screen: the simulator test below.)
    feed_state(9, 0);
    EXPECT_FALSE(shown(SCREEN_VEZ_STATE, "vbox_warning")) << "the state screen whole again";
    EXPECT_TRUE(shown(SCREEN_VEZ_STATE, "btn_manual"));
}

TEST_F(vez_screens_gui_test, manual_choice_and_jog_travel_in_the_request)
{
    enter_automatic_mode();
    func_test_release(widget(SCREEN_VEZ_STATE, "btn_manual"));
    ASSERT_EQ(SCREEN_VEZ_MANUAL, func_current_screen_code());
    EXPECT_EQ(0, in_vez_automatic_mode) << "manual leaves the automatic mode";
    EXPECT_FALSE(sensitive(SCREEN_VEZ_MANUAL, "btn_F7")) << "no jog without a function";

    func_test_release(widget(SCREEN_VEZ_MANUAL, "btn_F2"));
    func_test_release(widget(SCREEN_VEZ_MANUAL, "btn_F7"));
    EXPECT_EQ(text(SCREEN_VEZ_MANUAL, "lbl_F2"), text(SCREEN_VEZ_MANUAL, "lbl_status"));
    EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget(SCREEN_VEZ_MANUAL, "btn_F7"))));
    func_request_vez_manual_display(nullptr);
    EXPECT_EQ(std::vector<unsigned char>({'~', 14, 1, 23, 28, 0}), std::vector<unsigned char>(ipc_cmd, ipc_cmd + 6));
    func_test_release(widget(SCREEN_VEZ_MANUAL, "btn_F8"));
    EXPECT_FALSE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget(SCREEN_VEZ_MANUAL, "btn_F7"))));
    EXPECT_EQ(VEZ_JOG_DOWN, vez_jog_direction);
    func_test_save_screenshot(window(SCREEN_VEZ_MANUAL), "vez_manual");

    // The controller takes F2 away: the choice goes with it.
    feed(IPC_KIND_VEZ_MANUAL, {1, 0, 1, 1, 1, 1});
    EXPECT_FALSE(sensitive(SCREEN_VEZ_MANUAL, "btn_F2"));
    EXPECT_EQ("---", text(SCREEN_VEZ_MANUAL, "lbl_status"));
    func_request_vez_manual_display(nullptr);
    EXPECT_EQ(0, ipc_cmd[3]);

    // Auto goes back to the cycle.
    func_test_release(widget(SCREEN_VEZ_MANUAL, "btn_F6"));
    EXPECT_EQ(SCREEN_VEZ_STATE, func_current_screen_code());
    EXPECT_EQ(1, in_vez_automatic_mode);
}

TEST_F(vez_screens_gui_test, batch_data_start_writes_the_record_or_says_it_could_not)
{
    enter_automatic_mode();
    feed_state(1, 2, 5);
    ASSERT_EQ(SCREEN_VEZ_BATCH_DATA, func_current_screen_code());
    EXPECT_FALSE(sensitive(SCREEN_VEZ_BATCH_DATA, "btn_formula")) << "no load, no numbers";
    func_test_release(widget(SCREEN_VEZ_BATCH_DATA, "btn_have_load"));
    EXPECT_TRUE(sensitive(SCREEN_VEZ_BATCH_DATA, "btn_formula"));
    gtk_button_set_label(GTK_BUTTON(widget(SCREEN_VEZ_BATCH_DATA, "btn_formula")), "12");
    gtk_button_set_label(GTK_BUTTON(widget(SCREEN_VEZ_BATCH_DATA, "btn_weigh")), "85");
    func_test_save_screenshot(window(SCREEN_VEZ_BATCH_DATA), "vez_batch_data");

    sandbox.refuse_writes_under({"data/"});
    func_test_release(widget(SCREEN_VEZ_BATCH_DATA, "btn_start"));
    EXPECT_EQ(SCREEN_VEZ_BATCH_DATA, func_current_screen_code()) << "a save that failed keeps the screen";
    EXPECT_NE(std::string::npos, text(SCREEN_VEZ_BATCH_DATA, "lbl_message_bar").find(p[900]));
    func_reset_file_io_ops();

    const int syncs_before = sandbox.sync_calls;
    func_test_release(widget(SCREEN_VEZ_BATCH_DATA, "btn_start"));
    ASSERT_EQ(SCREEN_VEZ_STATE, func_current_screen_code());
    // The machine flushes the disk after the write; the desktop station never.
    if (PC_MODE)
        EXPECT_EQ(syncs_before, sandbox.sync_calls);
    else
        EXPECT_LT(syncs_before, sandbox.sync_calls);
    // (The record's bytes: vez_records_test.)
    EXPECT_EQ(12, sandbox.read_file("data/vez_batch_data.dat").at(4)) << "the formula typed reaches the file";
    EXPECT_EQ(12, vez_formula_number);
    // A record still asking for the load just answered is not followed.
    feed_state(1, 2, 5);
    EXPECT_EQ(SCREEN_VEZ_STATE, func_current_screen_code());
    feed_state(1, 2, 6);
    EXPECT_EQ(SCREEN_VEZ_BATCH_DATA, func_current_screen_code());
    EXPECT_EQ("12", text(SCREEN_VEZ_BATCH_DATA, "btn_formula")) << "shown again with what was saved";
}

TEST_F(vez_screens_gui_test, the_simulator_leads_the_console_through_a_loading_cycle)
{
    if (PC_MODE)
        GTEST_SKIP() << "the desktop station runs no machine";
    start_simulator(1, {"--vez"});
    enter_automatic_mode();
    EXPECT_TRUE(run_until([] { return text(SCREEN_VEZ_STATE, "lbl_state_message").rfind("00 : ", 0) == 0; }, 3));

    ASSERT_TRUE(run_until([] { return func_current_screen_code() == SCREEN_VEZ_BATCH_DATA; }, 5));
    func_test_release(widget(SCREEN_VEZ_BATCH_DATA, "btn_have_load"));
    gtk_button_set_label(GTK_BUTTON(widget(SCREEN_VEZ_BATCH_DATA, "btn_formula")), "7");
    func_test_release(widget(SCREEN_VEZ_BATCH_DATA, "btn_start"));
    ASSERT_EQ(SCREEN_VEZ_STATE, func_current_screen_code());
    EXPECT_TRUE(run_until([] { return text(SCREEN_VEZ_STATE, "lbl_state_message").rfind("02 : ", 0) == 0; }, 3)) << "the controller took the data";
    func_test_save_screenshot(window(SCREEN_VEZ_STATE), "vez_state_simulated");

    ASSERT_TRUE(run_until([] { return func_current_screen_code() == SCREEN_VEZ_RECOVERY; }, 6));
    EXPECT_TRUE(run_until([] { return text(SCREEN_VEZ_STATE, "lbl_warning_2") == func_vez_warning_text(0); }, 5)) << "all three conditions met";
    func_test_save_screenshot(window(SCREEN_VEZ_STATE), "vez_recovery_simulated");
    ASSERT_TRUE(run_until([] { return func_current_screen_code() == SCREEN_VEZ_STATE; }, 3));
    EXPECT_TRUE(run_until([] { return text(SCREEN_VEZ_STATE, "lbl_state_message").rfind("09 : ", 0) == 0; }, 2));
    EXPECT_EQ(7, vez_formula_number) << "the formula of the load comes back in the state record";
}
}  // namespace
