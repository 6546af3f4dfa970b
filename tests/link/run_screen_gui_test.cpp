// The run screen from the operator's side: Run on home leads to it, run
// records repaint it, a bad record or an idle controller sends the
// operator home, stop asks and closes, and against the controller
// simulator the steps advance, a lost link is said and comes back; in
// manual mode the selection boxes open buttons whose presses are sent
// and recorded.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "configuration/configuration_record.h"
#include "files/build_switches.h"
#include "formulas/step_list.h"
#include "frame/dialogs.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "link/machine_message.h"
#include "link/run_record.h"
#include "link/run_screen.h"
#include "settings/passwords.h"
#include "support/controller_gui_fixture.h"
#include "support/fake_controller.h"

namespace {
class run_screen_gui_test : public controller_gui_test {
protected:
    void SetUp() override
    {
        controller_gui_test::SetUp();
        if (PC_MODE)
            GTEST_SKIP() << "the desktop station runs no machine";
        write_formulas(2);
        sandbox.write_file("formulas/f-001/steps.dat", func_test_step_bytes(1, "Rinse 1", STEP_TWO_WAY_WASH, 120, 100, true) +
                                                           func_test_step_bytes(2, "Rinse 2", STEP_STANDARD_EXTRACT, 60, 0, true));
        prepare_console();
        show_home();
    }
    void TearDown() override
    {
        if (func_current_screen_code() == SCREEN_RUN)
            func_unload_run_screen(nullptr, nullptr);
        controller_gui_test::TearDown();
    }
    static GtkWidget* run_widget(const char* name) { return screen_widget(SCREEN_RUN, name); }
    static std::string run_text(const char* name) { return screen_text(SCREEN_RUN, name); }
    static double bar(const char* name) { return gtk_progress_bar_get_fraction(GTK_PROGRESS_BAR(run_widget(name))); }
    void press_run()
    {
        func_test_release(home_widget("btn_frm_name_#000"));
        func_test_release(home_widget("btn_run"));
        func_test_run_loop(50);
    }
    static void feed(const run_record& record)
    {
        std::vector<unsigned char> bytes(IPC_RUN_RECORD_SIZE);
        func_encode_run_record(record, bytes.data());
        controller_gui_test::feed(IPC_KIND_RUN, bytes);
    }
    static run_record running(int step)
    {
        run_record record;
        record.formula = 1;
        record.step = step;
        record.formula_total = 600;
        record.formula_left = 150;
        record.step_total = 120;
        record.step_left = 61;
        record.temperature_desired = 100;
        record.temperature_actual = 50;
        record.level_desired = 800;
        record.level_actual = 200;
        record.rotation = 2;
        record.speed = 999;
        record.status = 1;
        return record;
    }
};

TEST_F(run_screen_gui_test, run_records_repaint_the_screen_and_bad_ones_go_home)
{
    press_run();
    ASSERT_EQ(SCREEN_RUN, func_current_screen_code()) << "Run leads to the run screen";
    EXPECT_EQ("Towels 001", run_text("lbl_formula_name"));
    EXPECT_EQ(p[962], run_text("lbl_message_bar")) << "no controller: the operator is told";

    run_record record = running(1);
    record.outputs[17] = 1;                   // hot water
    record.outputs[20] = 1;                   // sewer drain closed
    record.outputs[4] = record.outputs[6] = 1;  // chemicals 1 and 2
    feed(record);
    EXPECT_EQ("Rinse 1", run_text("lbl_step_name"));
    EXPECT_EQ(func_convert_seconds_to_time(61), run_text("lbl_step_remaining_time"));
    EXPECT_DOUBLE_EQ(0.75, bar("pbar_formula_progress"));
    EXPECT_DOUBLE_EQ(0.25, bar("pbar_water_level"));
    EXPECT_EQ(machine_status_table[1], run_text("lbl_status"));
    EXPECT_TRUE(gtk_widget_get_visible(run_widget("img_hot_on")));
    func_test_save_screenshot(preloaded_display[SCREEN_RUN].window, "run_screen_step1");

    record = running(2);
    record.status = 42;
    feed(record);
    EXPECT_EQ("Rinse 2", run_text("lbl_step_name"));
    EXPECT_NE(std::string::npos, run_text("lbl_status").find("042")) << "an unknown status is shown as a number";
    EXPECT_FALSE(gtk_widget_get_visible(run_widget("img_hot_on")));

    feed(running(7));
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code()) << "a step the formula does not have";
    ASSERT_NE(nullptr, dialog_window);
    func_close_active_dialog();

    press_run();
    feed(running(1));
    record.formula = 1;
    record.status = 13;
    feed(record);
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code()) << "idle after running: home";
}

TEST_F(run_screen_gui_test, against_the_simulator_steps_advance_and_a_lost_link_comes_back)
{
    start_simulator(120);
    press_run();
    ASSERT_EQ(SCREEN_RUN, func_current_screen_code());
    EXPECT_TRUE(run_until([this] { return run_text("lbl_step_name") == "Rinse 1" && bar("pbar_water_level") > 0; }, 5));
    const std::string first_left = run_text("lbl_formula_remaining_time");
    func_test_save_screenshot(preloaded_display[SCREEN_RUN].window, "run_screen_simulated_fill");
    EXPECT_TRUE(run_until([this] { return run_text("lbl_step_name") == "Rinse 2"; }, 8)) << "the wash ends, the extract follows";
    EXPECT_NE(first_left, run_text("lbl_formula_remaining_time"));
    func_test_save_screenshot(preloaded_display[SCREEN_RUN].window, "run_screen_simulated_extract");
    // Stop asks; answered with the stop button, the controller goes idle and the console home.
    func_test_release(run_widget("btn_cancel_step"));
    func_test_run_loop(20);
    EXPECT_EQ(p[299], dialog_text());
    ASSERT_EQ(2, dialog_buttons());
    func_test_release(dialog_button(1));
    EXPECT_TRUE(run_until([] { return func_current_screen_code() == SCREEN_HOME; }, 5)) << "stopped: home";
    press_run();
    ASSERT_EQ(SCREEN_RUN, func_current_screen_code());

    stop_simulator();
    run_until([] { return !func_ipc_link_up(); }, 2);
    EXPECT_EQ(p[962], run_text("lbl_message_bar"));
    EXPECT_EQ(SCREEN_RUN, func_current_screen_code()) << "the console goes on";
    start_simulator(120);
    EXPECT_TRUE(func_ipc_link_up()) << "the link comes back by itself";
}
GtkWidget* manual_window() { return func_test_find_window("win_selection_dialog"); }
GtkWidget* manual_option(int index)
{
    char name[32];
    snprintf(name, sizeof name, "selections_#%3d", index);
    return manual_window() ? func_test_find_widget(manual_window(), name) : nullptr;
}
void touch(GtkWidget* box)
{
    GdkEventButton event = {};
    event.type = GDK_BUTTON_RELEASE;
    event.button = 1;
    gboolean handled = FALSE;
    g_signal_emit_by_name(box, "button-release-event", &event, &handled);
    func_test_run_loop(10);
}

TEST_F(run_screen_gui_test, manual_buttons_reach_the_controller_and_the_log)
{
    fake_controller controller(sandbox.system_root());
    ASSERT_TRUE(controller.accept_console());
    press_run();
    feed(running(1));
    GtkWidget* water = run_widget("evb_h2o_selection_box");
    touch(water);
    EXPECT_EQ(nullptr, manual_window()) << "outside manual mode the boxes do nothing";

    // The lock opens manual mode through the manual password: a wrong one
    // leaves it locked.
    manual_password->password = "4711";
    manual_password->enabled = 1;
    for (const char* typed : {"1234", "4711"}) {
        func_test_release(run_widget("btn_lock"));
        GtkWidget* entry = func_test_find_widget(data_entry_window(), "entry_text");
        if (!entry || !gtk_widget_get_visible(entry))
            entry = func_test_find_widget(data_entry_window(), "entry_numeric");
        ASSERT_NE(nullptr, entry) << "the lock asks for the password";
        gtk_entry_set_text(GTK_ENTRY(entry), typed);
        gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
        func_test_run_loop(30);
        if (std::string(typed) == "1234") {
            EXPECT_NE(nullptr, dialog_window) << "a wrong password is said";
            func_close_active_dialog();
            EXPECT_FALSE(gtk_widget_get_visible(water));
        }
    }
    manual_password->enabled = 0;
    ASSERT_TRUE(gtk_widget_get_visible(water));
    touch(water);
    ASSERT_NE(nullptr, manual_window());
    EXPECT_FALSE(gtk_widget_get_visible(water)) << "the boxes hide while the buttons are up";
    EXPECT_EQ(3, trigger->manual_function);
    func_test_save_screenshot(manual_window(), "run_screen_manual_water");

    const size_t before = queued_lines().size();
    func_test_release(manual_option(0));
    EXPECT_EQ((std::vector<unsigned char>{'~', IPC_SEND_MANUAL_BUTTON, 3, 0, 0, 0}), controller.next_send(IPC_SEND_MANUAL_BUTTON));
    ASSERT_EQ(before + 1, queued_lines().size());
    EXPECT_EQ("------> [" + p[289] + " - " + p[83] + "] : " + p[29], queued_lines().back().second);

    func_test_release(manual_option(3));
    EXPECT_EQ(nullptr, manual_window()) << "cancel closes";
    EXPECT_TRUE(gtk_widget_get_visible(water));

    // Pause and resume: a line each; cancel sums the row up in a third.
    touch(run_widget("evb_step_time_selection_box"));
    func_test_save_screenshot(manual_window(), "run_screen_manual_time");
    const size_t lines = queued_lines().size();
    func_test_release(manual_option(2));
    func_test_release(manual_option(2));
    func_test_release(manual_option(3));
    EXPECT_EQ(lines + 3, queued_lines().size());

    // Without the reuse drain only sewer and cancel show; leaving manual mode closes the buttons.
    touch(run_widget("evb_drain_selection_box"));
    EXPECT_TRUE(gtk_widget_get_visible(manual_option(0)));
    EXPECT_FALSE(gtk_widget_get_visible(manual_option(1)));
    func_enable_manual_mode(0);
    EXPECT_EQ(nullptr, manual_window());
}
TEST_F(run_screen_gui_test, water_reuse_layout_remote_names_and_the_controllers_questions)
{
    // A machine with the tank water-reuse feature shows its own layout.
    TIDAL_LOOP = 1;
    press_run();
    ASSERT_EQ(SCREEN_RUN, func_current_screen_code());
    feed(running(1));
    EXPECT_EQ("Rinse 1", run_text("lbl_step_name"));
    func_test_save_screenshot(preloaded_display[SCREEN_RUN].window, "run_screen_water_reuse");
    func_unload_run_screen(nullptr, nullptr);
    TIDAL_LOOP = 0;

    // A remote run names its formula and step from the controller's record,
    // cut to their fields and made valid text.
    press_run();
    unsigned char bytes[IPC_REMOTE_RUN_RECORD_SIZE] = {};
    run_record record = running(2);
    record.formula = 321;
    func_encode_run_record(record, bytes);
    bytes[IPC_RUN_RECORD_SIZE] = 9;
    std::memset(bytes + IPC_REMOTE_NAME_OFFSET, 'N', IPC_REMOTE_NAME_SIZE);  // no NUL in the field
    std::memcpy(bytes + IPC_REMOTE_STEP_NAME_OFFSET, "Vorw\xC3\xA4sche \xFF", 12);
    controller_gui_test::feed(IPC_KIND_REMOTE_RUN, std::vector<unsigned char>(bytes, bytes + sizeof bytes));
    EXPECT_EQ(std::string(IPC_REMOTE_NAME_SIZE, 'N'), run_text("lbl_formula_name"));
    EXPECT_NE(std::string::npos, run_text("lbl_step_name").find("Vorw\xC3\xA4sche")) << run_text("lbl_step_name");
    EXPECT_TRUE(g_utf8_validate(run_text("lbl_step_name").c_str(), -1, nullptr));

    // The controller's questions open their dialogs; an unknown kind opens none.
    for (int kind : {20, 77}) {
        machine_message_record question;
        question.dialog_kind = kind;
        question.text = "Stop the formula?";
        controller_gui_test::feed(IPC_KIND_MACHINE_MESSAGE, func_encode_machine_message(question));
        EXPECT_EQ(kind == 20, dialog_text().find("Stop the formula?") != std::string::npos) << kind;
        func_close_active_dialog();
    }
}

}  // namespace
