// The error information screen from the operator's side: a machine error
// opens its dialog, help lists the error's remedies, a remedy shows its
// title, text and picture, Back closes it, Home returns to the screen
// the error came up on with the error dialog back. Also against the
// controller simulator, and with errors and pictures the file lacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files/build_switches.h"
#include "files/paths.h"
#include "formulas/step_list.h"
#include "frame/dialogs.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "link/error_info_screen.h"
#include "link/error_solutions.h"
#include "link/ipc_frame.h"
#include "link/ipc_link.h"
#include "link/machine_message.h"
#include "link/run_screen.h"
#include "support/controller_gui_fixture.h"
#include "support/core_data_fixture.h"

namespace {

class error_info_screen_gui_test : public controller_gui_test {
protected:
    void SetUp() override
    {
        controller_gui_test::SetUp();
        write_formulas(2);
        sandbox.write_file("formulas/f-001/steps.dat",
                           func_test_step_bytes(1, "Wash", STEP_TWO_WAY_WASH, 240, 100, true) +
                               func_test_step_bytes(2, "Spin", STEP_STANDARD_EXTRACT, 60, 0, false));
        prepare_console();
        show_home();
    }
    void TearDown() override
    {
        if (func_current_screen_code() == SCREEN_ERROR_INFO)
            func_unload_error_info_screen(widget("btn_home"), nullptr);
        func_close_active_dialog();
        if (func_current_screen_code() == SCREEN_RUN)
            func_unload_run_screen(nullptr, nullptr);
        controller_gui_test::TearDown();
    }

    static GtkWidget* window() { return preloaded_display[SCREEN_ERROR_INFO].window; }
    static GtkWidget* widget(const char* name) { return screen_widget(SCREEN_ERROR_INFO, name); }
    static std::string text(const char* name) { return screen_text(SCREEN_ERROR_INFO, name); }
    static bool shown(const char* name) { return gtk_widget_get_visible(widget(name)); }
    static std::vector<std::string> rows() { return func_test_row_labels(window(), "btn_err_info_name_#"); }
    static void feed_error(int code, const std::string& text)
    {
        machine_message_record message;
        message.dialog_kind = 4;
        message.text = text;
        message.error_code = code;
        feed(IPC_KIND_MACHINE_MESSAGE, func_encode_machine_message(message));
    }
    // The remedies of an error as the loader (tested on its own) read them
    // from the shipped file.
    static std::vector<error_solution> shipped_remedies(int code) { return func_get_error_from_liststore(code).solutions; }
    static std::vector<guchar> picture_bytes(GdkPixbuf* pixbuf)
    {
        const guchar* data = gdk_pixbuf_read_pixels(pixbuf);
        return std::vector<guchar>(data, data + gdk_pixbuf_get_byte_length(pixbuf));
    }
    static std::vector<guchar> shown_picture()
    {
        GdkPixbuf* pixbuf = gtk_image_get_pixbuf(GTK_IMAGE(widget("img_options_list")));
        return pixbuf ? picture_bytes(pixbuf) : std::vector<guchar>();
    }
    static std::vector<guchar> file_picture(const std::string& name)
    {
        GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file_at_scale((func_image_dir() + name).c_str(), 445, 325, FALSE, nullptr);
        std::vector<guchar> bytes = pixbuf ? picture_bytes(pixbuf) : std::vector<guchar>();
        if (pixbuf)
            g_object_unref(pixbuf);
        return bytes;
    }
};

TEST_F(error_info_screen_gui_test, help_lists_the_remedies_home_brings_the_error_back_and_unknown_errors_are_shown_safely)
{
    feed_error(7, "Error 7");
    ASSERT_EQ(2, dialog_buttons());
    press(dialog_button(1));

    ASSERT_EQ(SCREEN_ERROR_INFO, func_current_screen_code());
    const std::vector<error_solution> remedies = shipped_remedies(7);
    ASSERT_EQ(3u, remedies.size());
    EXPECT_EQ(nullptr, dialog_window) << "the error dialog makes way";
    EXPECT_EQ((std::vector<std::string>{remedies[0].title, remedies[1].title, remedies[2].title}), rows());
    for (const char* idle : {"btn_zoom", "btn_print", "btn_video"})
        EXPECT_FALSE(shown(idle)) << idle << " does nothing: not offered";
    func_test_save_screenshot(window(), "error_info_list");

    press(func_test_find_widget(window(), "btn_err_info_name_#001"));
    EXPECT_EQ(remedies[1].text, text("lbl_error_info_solution_text"));
    EXPECT_EQ(file_picture("remedy_balance.png"), shown_picture());
    func_test_save_screenshot(window(), "error_info_remedy");

    press(widget("btn_previous_page"));
    EXPECT_EQ(SCREEN_ERROR_INFO, func_current_screen_code()) << "Back closes the remedy only";
    EXPECT_TRUE(shown("evb_options_list"));

    press(widget("btn_home"));
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code()) << "back where the error came up";
    ASSERT_NE(nullptr, dialog_window) << "the machine still waits for its signal cancel";
    EXPECT_EQ("Error 7", dialog_text());
    func_close_active_dialog();

    // The longest title and text a remedy can have.
    std::string longest_text;
    while (longest_text.size() + 6 <= 257)
        longest_text += "Check ";
    const std::string longest_title = "Wash heavy mats, blankets and covers in the cold";
    sandbox.write_file("data/L0_errors_solutions.dat", "500~Test Fault~2\n" + longest_title + "~" + longest_text +
                                                           "~0\nGone~Its picture is missing~1\nnot_there.png\n");
    feed_error(501, "Error 501");
    press(dialog_button(1));
    ASSERT_EQ(SCREEN_ERROR_INFO, func_current_screen_code());
    ASSERT_NE(nullptr, dialog_window);
    EXPECT_EQ(p[379] + " : 501", dialog_text());
    EXPECT_TRUE(rows().empty());
    func_close_active_dialog();
    press(widget("btn_home"));
    ASSERT_EQ(SCREEN_HOME, func_current_screen_code());

    // An older controller sends no code: the dialog's text names the error.
    feed_error(-1, machine_error_table[7]);
    press(dialog_button(1));
    EXPECT_EQ("E-007", text("lbl_error_info_code"));
    EXPECT_EQ(p[379] + " : 7", dialog_text());
    press(widget("btn_home"));

    feed_error(500, "Error 500");
    press(dialog_button(1));
    ASSERT_EQ(2u, rows().size());
    const std::vector<guchar> background = file_picture("ts_background.png");
    ASSERT_FALSE(background.empty());
    press(func_test_find_widget(window(), "btn_err_info_name_#000"));
    EXPECT_EQ(background, shown_picture()) << "no picture: the background";
    EXPECT_EQ(longest_title, text("lbl_error_info_solution_name"));
    // The longest remedy is a state the generic walk never reaches.
    for (const std::string& fault : func_test_texts_that_do_not_fit(window()))
        ADD_FAILURE() << fault;
    for (const std::string& fault : func_test_unreadable_texts(window()))
        ADD_FAILURE() << fault;
    func_test_save_screenshot(window(), "error_info_longest_remedy");
    press(widget("btn_previous_page"));
    const size_t logged = syserror_log().size();
    press(func_test_find_widget(window(), "btn_err_info_name_#001"));
    EXPECT_EQ(background, shown_picture()) << "a picture that cannot be read: the background";
    EXPECT_EQ(logged + 1, syserror_log().size());
}

TEST_F(error_info_screen_gui_test, against_the_simulator_an_error_during_a_run_leads_to_its_remedies_and_back)
{
    if (PC_MODE)
        GTEST_SKIP() << "the desktop station runs no machine";
    start_simulator(120, {"--error", "4@30"});
    func_test_release(home_widget("btn_frm_name_#000"));
    func_test_release(home_widget("btn_run"));
    ASSERT_EQ(SCREEN_RUN, func_current_screen_code());
    ASSERT_TRUE(run_until([] { return dialog_window != nullptr; }, 8)) << "the simulator reports its error";
    EXPECT_EQ("Error 4", dialog_text());

    press(dialog_button(1));
    ASSERT_EQ(SCREEN_ERROR_INFO, func_current_screen_code());
    EXPECT_EQ(machine_error_table[4], text("lbl_active_item"));
    EXPECT_EQ(shipped_remedies(4).size(), rows().size());
    press(widget("btn_home"));
    EXPECT_EQ(SCREEN_RUN, func_current_screen_code()) << "back to the run";
    const std::vector<std::string> production = read_log_texts(sandbox.read_file("log/03-2018-production.log"));
    EXPECT_EQ(1, std::count_if(production.begin(), production.end(),
                               [](const std::string& line) { return line.find("F-001") == 0; }))
        << "the run started once";
    ASSERT_NE(nullptr, dialog_window);
    const auto status = [] {
        return func_test_label_text(func_test_find_widget(preloaded_display[SCREEN_RUN].window, "lbl_status"));
    };
    EXPECT_TRUE(run_until([&] { return status() == machine_status_table[11]; }, 3)) << "the machine waits";
    press(dialog_button(0));
    EXPECT_EQ(nullptr, dialog_window) << "the signal is cancelled";
    EXPECT_TRUE(run_until([&] { return status() != machine_status_table[11]; }, 3)) << "the machine goes on";
}

}  // namespace
