// The diagnostics and spray-down screens from the technician's side: the
// mode toggles switch the request the controller gets, records repaint
// the cells (and bad ones none), and against the controller simulator the
// inputs change on screen, a pressed output comes back switched, the
// spray-down toggles reach the drains, and diagnostics opened from a
// running formula only watch and lead back to it.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "files/build_switches.h"
#include "files/paths.h"
#include "formulas/step_list.h"
#include "frame/dialogs.h"
#include "frame/screen_table.h"
#include "link/input_output_screen.h"
#include "link/io_diagnostics.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "link/run_state.h"
#include "logs/log_file.h"
#include "files/record_bytes.h"
#include "support/controller_gui_fixture.h"

namespace {
class input_output_screen_gui_test : public controller_gui_test {
protected:
    void SetUp() override
    {
        controller_gui_test::SetUp();
        write_formulas(1);
        sandbox.write_file("formulas/f-001/steps.dat",
                           func_test_step_bytes(1, "Wash", STEP_TWO_WAY_WASH, 600, 100, true));
        // The machine type with a spray-down and a reuse drain.
        write_configuration({{2, 7.0f}, {11, 1.0f}});
        prepare_console();
        show_home();
    }
    void TearDown() override
    {
        return_to_run_screen = 0;
        controller_gui_test::TearDown();
    }
    static GtkWidget* window(int code) { return preloaded_display[code].window; }
    static GtkWidget* io(const std::string& name) { return screen_widget(SCREEN_INPUT_OUTPUT, name); }
    static GtkWidget* spray(const std::string& name) { return screen_widget(SCREEN_SPRAY_DOWN, name); }
    static bool active(GtkWidget* toggle) { return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggle)); }
    // Whether an image (or a button's image) shows the lamp of that state.
    static bool lamp_shows(GtkWidget* widget, bool on)
    {
        GtkWidget* image = GTK_IS_BUTTON(widget) ? gtk_button_get_image(GTK_BUTTON(widget)) : widget;
        if (!image || gtk_image_get_storage_type(GTK_IMAGE(image)) != GTK_IMAGE_PIXBUF)
            return false;
        GdkPixbuf* shown = gtk_image_get_pixbuf(GTK_IMAGE(image));
        GdkPixbuf* lamp = gdk_pixbuf_new_from_file(
            (func_image_dir() + (on ? "icon_io_on_32.png" : "icon_io_off_32.png")).c_str(), nullptr);
        const gsize size = gdk_pixbuf_get_byte_length(lamp);
        const bool same = gdk_pixbuf_get_byte_length(shown) == size &&
                          std::memcmp(gdk_pixbuf_get_pixels(shown), gdk_pixbuf_get_pixels(lamp), size) == 0;
        g_object_unref(lamp);
        return same;
    }
    void open_diagnostics()
    {
        GtkWidget* home_way = home_widget("btn_diagnostic");
        EXPECT_EQ(!PC_MODE, gtk_widget_get_sensitive(home_way)) << "the desktop station has no machine to watch";
        if (PC_MODE)
            func_show_screen(SCREEN_INPUT_OUTPUT);
        else
            press(home_way);
        func_test_run_loop(30);
        ASSERT_EQ(SCREEN_INPUT_OUTPUT, func_current_screen_code());
    }
};

TEST_F(input_output_screen_gui_test, modes_switch_the_request_records_repaint_their_cells_and_spray_down_toggles_follow)
{
    open_diagnostics();
    EXPECT_TRUE(func_display_request_wanted(REQUEST_CODE_INPUTS));
    std::vector<unsigned char> inputs(IPC_INPUTS_SIZE, 0);
    inputs[1] = 1;
    feed(IPC_KIND_INPUTS, inputs);
    EXPECT_TRUE(lamp_shows(io("img_input_#001"), true));
    EXPECT_TRUE(lamp_shows(io("img_input_#000"), false));
    func_test_save_screenshot(window(SCREEN_INPUT_OUTPUT), "diagnostics_inputs");

    // Page 2 shows inputs 18 on, from the last record at once.
    press(io("btn_page_down"));
    EXPECT_EQ(func_input_terminal_name(18), func_test_label_text(io("lbl_input_#000")));

    press(io("btn_outputs"));
    EXPECT_FALSE(active(io("btn_inputs")));
    EXPECT_FALSE(func_display_request_wanted(REQUEST_CODE_INPUTS));
    // (What each request's tick sends: ipc_link_test.)
    const guint output_timer = func_screen_display_request_timer(SCREEN_INPUT_OUTPUT);
    EXPECT_NE(0u, output_timer);
    // The mode already shown: nothing happens, its toggle stays down.
    press(io("btn_outputs"));
    EXPECT_EQ(output_timer, func_screen_display_request_timer(SCREEN_INPUT_OUTPUT));
    EXPECT_TRUE(active(io("btn_outputs")));
    std::vector<unsigned char> outputs(IPC_OUTPUTS_SIZE, 0);
    outputs[4] = 1;
    feed(IPC_KIND_OUTPUTS, outputs);
    EXPECT_TRUE(lamp_shows(io("btn_output_#004"), true));
    func_test_save_screenshot(window(SCREEN_INPUT_OUTPUT), "diagnostics_outputs");
    // An output beyond the table is refused and said so, never sent.
    EXPECT_FALSE(func_send_diagnostic_output(-1));
    EXPECT_NE(std::string::npos, syserror_log().back().find("output -1 is not in the output table"));

    press(io("btn_analogs"));
    EXPECT_TRUE(func_display_request_wanted(REQUEST_CODE_ANALOGS));
    std::vector<unsigned char> analogs(IPC_ANALOGS_SIZE, 0);
    func_put_int32_le(&analogs[4 * 11], INT32_MAX);  // level actual
    feed(IPC_KIND_ANALOGS, analogs);
    EXPECT_EQ("2147483647", func_test_label_text(io("btn_a2d_name_#021")));
    func_test_save_screenshot(window(SCREEN_INPUT_OUTPUT), "diagnostics_analogs");

    press(io("btn_cancel"));
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    EXPECT_EQ(IO_MODE_NONE, input_output_mode);

    open_diagnostics();
    press(io("btn_spray_down"));
    ASSERT_EQ(SCREEN_SPRAY_DOWN, func_current_screen_code());
    EXPECT_TRUE(func_display_request_wanted(REQUEST_CODE_SPRAY_DOWN));
    press(spray("btn_spray_down_start"));
    EXPECT_FALSE(active(spray("btn_spray_down_stop"))) << "a press moves the toggle";
    // What the controller reports wins.
    feed(IPC_KIND_SPRAY_DOWN, {1, 1, 0});
    EXPECT_TRUE(active(spray("btn_drain_sewer_close")));
    EXPECT_TRUE(active(spray("btn_spray_down_stop")));
    func_test_save_screenshot(window(SCREEN_SPRAY_DOWN), "spray_down");
    press(spray("btn_cancel"));
    EXPECT_EQ(SCREEN_INPUT_OUTPUT, func_current_screen_code());
    EXPECT_TRUE(active(io("btn_inputs")));
}

TEST_F(input_output_screen_gui_test, against_the_simulator_inputs_change_and_outputs_come_back)
{
    if (PC_MODE)
        GTEST_SKIP() << "the desktop station runs no machine";
    start_simulator(60);
    open_diagnostics();
    // Input 1 pulses every ten ticks of the simulator.
    EXPECT_TRUE(run_until([] { return lamp_shows(io("img_input_#000"), true); }, 3)) << "door closed";
    const bool pulse = lamp_shows(io("img_input_#001"), true);
    EXPECT_TRUE(run_until([pulse] { return lamp_shows(io("img_input_#001"), true) != pulse; }, 8));

    press(io("btn_outputs"));
    ASSERT_TRUE(run_until([] { return lamp_shows(io("btn_output_#005"), false); }, 3));
    press(io("btn_output_#005"));
    EXPECT_TRUE(run_until([] { return lamp_shows(io("btn_output_#005"), true); }, 3)) << "switched by the controller";

    // Spray-down: closing the sewer drain comes back closed.
    press(io("btn_spray_down"));
    // The controller knows the presses are spray-down ones once it is asked.
    run_until([] { return ipc_cmd[1] == REQUEST_CODE_SPRAY_DOWN; }, 3);
    func_test_run_loop(200);
    press(spray("btn_drain_sewer_close"));
    EXPECT_TRUE(run_until([] { return active(spray("btn_drain_sewer_close")); }, 3));
    EXPECT_FALSE(active(spray("btn_drain_sewer_open")));
}

TEST_F(input_output_screen_gui_test, from_a_running_formula_outputs_are_watched_and_back_leads_to_it)
{
    if (PC_MODE)
        GTEST_SKIP() << "the desktop station runs no machine";
    start_simulator(60);
    func_test_release(home_widget("btn_frm_name_#000"));
    func_test_release(home_widget("btn_run"));
    func_test_run_loop(50);
    ASSERT_EQ(SCREEN_RUN, func_current_screen_code());
    GtkWidget* diagnostic = func_test_find_widget(window(SCREEN_RUN), "btn_diagnostic");
    ASSERT_TRUE(gtk_widget_get_sensitive(diagnostic));
    press(diagnostic);
    ASSERT_EQ(SCREEN_INPUT_OUTPUT, func_current_screen_code());
    press(io("btn_outputs"));
    EXPECT_FALSE(gtk_widget_get_sensitive(io("btn_output_#000")));
    func_test_run_loop(1200);
    func_test_save_screenshot(window(SCREEN_INPUT_OUTPUT), "diagnostics_outputs_while_running");
    press(io("btn_cancel"));
    EXPECT_EQ(SCREEN_RUN, func_current_screen_code());
    EXPECT_EQ(1, in_run_mode);
    EXPECT_EQ(0, return_to_run_screen);
    // The formula started once, whatever was looked at meanwhile.
    EXPECT_EQ(1u, sandbox.read_file("log/03-2018-production.log").size() / LOG_RECORD_SIZE);
}
}  // namespace
