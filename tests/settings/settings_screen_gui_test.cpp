// The system settings screen as a service technician uses it from the
// configuration screen: passwords set, enabled and disabled; on the
// machine the clock, the network and the recalibration, each through the
// program runner, their failures said; on the desktop those stay out of
// reach.
#include <gtest/gtest.h>

#include <fstream>

#include "files/build_switches.h"
#include "files/shell_runner.h"
#include "frame/dialogs.h"
#include "frame/screen_table.h"
#include "language/language.h"
#include "settings/settings_screen.h"
#include "support/part_a_gui.h"

namespace {
using argv_list = std::vector<std::vector<std::string>>;

class settings_screen_gui_test : public part_a_gui_test {
protected:
    void SetUp() override
    {
        part_a_gui_test::SetUp();
        std::ofstream(interfaces_path()) << "auto lo\niface lo inet loopback\nauto eth0\niface eth0 inet dhcp\n";
        func_set_network_restart_pause(0);
        sandbox.let_date_move_the_clock();
        shown_screens = {SCREEN_CONFIGURATION, SCREEN_SYSTEM_SETTINGS};
        open_configuration_entry(0);
        func_test_release(func_test_find_widget(preloaded_display[SCREEN_CONFIGURATION].window, "btn_system_settings"));
        func_test_run_loop(30);
        sandbox.programs_run.clear();
    }
    void TearDown() override
    {
        func_set_network_restart_pause(1000);
        part_a_gui_test::TearDown();
    }
    std::string interfaces_path() const { return sandbox.system_root() + "etc/network/interfaces"; }
    GtkWidget* window() const { return preloaded_display[SCREEN_SYSTEM_SETTINGS].window; }
    GtkWidget* widget(const char* name) const { return func_test_find_widget(window(), name); }
    std::string text(const char* name) const { return func_test_label_text(widget(name)); }
    void press(const char* name)
    {
        func_test_release(widget(name));
        func_test_run_loop(30);
    }
    // Opens the button's entry, types into the named fields, saves.
    void type(const char* button, const std::vector<std::pair<const char*, std::string>>& fields)
    {
        press(button);
        ASSERT_NE(nullptr, data_entry_window()) << button;
        for (const auto& [name, typed] : fields)
            gtk_entry_set_text(GTK_ENTRY(func_test_find_widget(data_entry_window(), name)), typed.c_str());
        gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
        func_test_run_loop(30);
    }
    void close_dialog()
    {
        func_close_active_dialog();
        func_test_run_loop(10);
    }
};

TEST_F(settings_screen_gui_test, passwords_are_set_enabled_and_disabled_and_never_written_out)
{
    ASSERT_EQ(func_current_screen_code(), SCREEN_SYSTEM_SETTINGS);
    func_test_save_screenshot(window(), "system_settings_passwords");

    // Enabling a password that is not set asks for one.
    press("btn_configure_enabled_#000");
    ASSERT_NE(nullptr, data_entry_window());
    func_test_save_screenshot(data_entry_window(), "system_settings_password_entry");
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_cancel")));
    // (Which passwords are refused: passwords_test.)
    const std::string secret = "Laundry7";
    type("btn_configure_password", {{"entry_new_password", secret}, {"entry_verify_password", "LAUNDRY7"}});
    EXPECT_EQ(dialog_text(), p[206]);
    close_dialog();
    EXPECT_EQ(text("btn_configure_password"), "******");
    EXPECT_EQ(sandbox.read_file("data/password.dat").substr(0, secret.size() + 1), secret + '\0');
    press("btn_configure_enabled_#000");
    EXPECT_EQ(text("btn_configure_enabled_#000"), p[26]);

    press("btn_cancel");
    EXPECT_EQ(func_current_screen_code(), SCREEN_CONFIGURATION);
    EXPECT_EQ(change_log().size(), 3u) << "a heading, the new password and its switch";
    for (const char* log : {CHANGE_LOG, SYSERROR_LOG, "log/03-2018-error.log"})
        EXPECT_EQ(sandbox.read_file(log).find(secret), std::string::npos) << log;
}

TEST_F(settings_screen_gui_test, clock_network_and_recalibration_act_on_the_machine_only)
{
    press("btn_page_down");
    EXPECT_TRUE(gtk_widget_get_visible(widget("tbl_date_time")));
    if (PC_MODE) {
        for (const char* name : {"btn_date", "btn_time", "btn_dhcp_enabled_#000", "btn_ip_address", "btn_recalibrate"})
            EXPECT_FALSE(gtk_widget_get_sensitive(widget(name))) << name;
        func_test_save_screenshot(window(), "system_settings_clock_network");
        EXPECT_TRUE(sandbox.programs_run.empty());
        return;
    }
    // (Impossible dates are refused by the entry dialog: value_limits_test.)
    type("btn_date", {{"entry_hour", "4"}, {"entry_minute", "2"}, {"entry_second", "2018"}});
    type("btn_time", {{"entry_hour", "7"}, {"entry_minute", "45"}, {"entry_second", "0"}});
    EXPECT_EQ(text("btn_time"), "07:45:00");

    // DHCP off, then a static address: a refused one first.
    press("btn_dhcp_enabled_#000");
    ASSERT_TRUE(gtk_widget_get_sensitive(widget("btn_ip_address")));
    type("btn_ip_address",
         {{"entry_ip_address", "192.168.1.300"}, {"entry_subnet", "255.255.255.0"}, {"entry_gateway", "0.0.0.0"}});
    EXPECT_EQ(dialog_text(), p[945]);
    func_test_save_screenshot(dialog_window, "system_settings_address_refused");
    close_dialog();
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_cancel")));
    type("btn_ip_address", {{"entry_ip_address", "192.168.1.30"}, {"entry_subnet", "255.255.255.0"}});
    func_test_run_loop(50);
    EXPECT_NE(func_read_whole_file(interfaces_path()).find("address 192.168.1.30\n"), std::string::npos);
    EXPECT_EQ(text("btn_ip_address"), "192.168.1.30");
    func_test_save_screenshot(window(), "system_settings_clock_network");

    press("btn_recalibrate");
    EXPECT_EQ(dialog_text(), p[400] + "?");
    func_test_release(dialog_button(0));
    func_test_run_loop(30);
    EXPECT_EQ((argv_list{{"date", "-s", "2018-04-02 14:05:00"},
                         {"hwclock", "-w"},
                         {"date", "-s", "2018-04-02 07:45:00"},
                         {"hwclock", "-w"},
                         {"ifdown", "eth0"},
                         {"ifup", "eth0"},
                         {"sync"},
                         {"reboot"}}),
              sandbox.programs_run);
    // Written before the restart, in the month the clock now shows.
    const std::vector<std::string> lines = read_log_texts(sandbox.read_file("log/04-2018-change.log"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "------>  [" + p[195] + "] : 03/26/2018 --> 04/02/2018");
}

TEST_F(settings_screen_gui_test, failures_of_the_clock_and_the_network_are_shown_and_logged)
{
    if (PC_MODE)
        return;
    press("btn_page_down");
    func_set_program_runner([this](const std::vector<std::string>& argv) {
        sandbox.programs_run.push_back(argv);
        return argv[0] == "ifup" ? 1 : 0;
    });
    // "date" that leaves the clock as it was.
    type("btn_time", {{"entry_hour", "9"}, {"entry_minute", "0"}, {"entry_second", "0"}});
    EXPECT_EQ(dialog_text(), p[947]);
    close_dialog();
    EXPECT_EQ(text("btn_time"), "14:05:00");
    // (A restart that fails: network_settings_test.)
    press("btn_dhcp_enabled_#000");
    type("btn_ip_address", {{"entry_ip_address", "10.0.0.9"}, {"entry_subnet", "255.0.0.0"}});
    func_test_run_loop(50);
    EXPECT_EQ(dialog_text(), p[949]);
    // (The lines logged: system_clock_test and network_settings_test.)
}
}  // namespace
