// The file screen as an operator uses it: a stick (machine) or a folder
// of the PC (desktop), the console's own set, and the set operations.
#include <gtest/gtest.h>

#include <fstream>

#include "entry/data_entry_dialog.h"
#include "files/build_switches.h"
#include "files/file_screen.h"
#include "files/paths.h"
#include "files/shell_runner.h"
#include "files/usb_stick.h"
#include "files/version_files.h"
#include "frame/dialogs.h"
#include "frame/screen_table.h"
#include "language/language.h"
#include "support/part_a_gui.h"
#include "support/tcc_helpers.h"

namespace fs = std::filesystem;

namespace {
std::string chosen_folder;
std::string choose(const std::string&) { return chosen_folder; }

class file_screen_gui_test : public part_a_gui_test {
protected:
    void TearDown() override
    {
        func_close_active_dialog();
        func_set_folder_chooser(nullptr);
        shown_screens = {SCREEN_FILE};
        part_a_gui_test::TearDown();
    }
    GtkWidget* window() const { return preloaded_display[SCREEN_FILE].window; }
    GtkWidget* widget(const std::string& name) const { return func_test_find_widget(window(), name); }
    void press(const std::string& name) { tap(widget(name)); }
    std::vector<std::string> left() const { return func_test_row_labels(window(), "btn_file_selections_name_#"); }
    std::string right() const { return func_test_label_text(widget("btn_file_selections_name1_#000")); }
    void press_left(const std::string& name)
    {
        for (GtkWidget* row : func_test_find_widgets(window(), "btn_file_selections_name_#"))
            if (func_test_label_text(row) == name)
                func_test_release(row);
        func_test_run_loop(20);
    }
    void answer_yes()
    {
        ASSERT_NE(nullptr, dialog_window);
        tap(dialog_button(0));
    }
    // Home's file button; then the stick put in and mounted (machine), or
    // the PC folder chosen (desktop). The folder the sets go to.
    std::string open_on_own_source()
    {
        const std::string folder = PC_MODE ? sandbox.path("pc/sets/") : func_usb_folder();
        fs::create_directories(folder);
        chosen_folder = folder;
        func_set_folder_chooser(choose);
        prepare_console();
        show_home();
        tap(home_widget("btn_file"), 40);
        EXPECT_EQ(SCREEN_FILE, func_current_screen_code());
        if (PC_MODE) {
            answer_yes();  // the folder question
        } else {
            EXPECT_EQ(func_test_label_text(widget("lbl_message_bar")), p[381]);
            EXPECT_FALSE(gtk_widget_get_sensitive(widget("btn_mount_unmount")));
            fs::create_directories(func_system_path("dev/disk/by-id"));
            std::ofstream(func_system_path("dev/sdb1")).put('\n');
            fs::create_symlink("../../sdb1", func_system_path("dev/disk/by-id/usb-Stick-0:0-part1"));
            // mount and umount change the kernel's table, as they would.
            func_set_program_runner([this](const std::vector<std::string>& argv) {
                sandbox.programs_run.push_back(argv);
                const std::string table = func_system_path("proc/mounts");
                fs::create_directories(fs::path(table).parent_path());
                std::ofstream out(table);
                if (argv[0] == "mount")
                    out << func_system_path("dev/sdb1") << " " << func_usb_folder().substr(0, func_usb_folder().size() - 1)
                        << " vfat rw 0 0\n";
                return 0;
            });
            func_check_4_usb_drive_insert(nullptr);
            func_test_run_loop(20);
            EXPECT_EQ(func_test_label_text(widget("lbl_message_bar")), p[176]);
        }
        return folder;
    }
};

TEST_F(file_screen_gui_test, sets_go_out_come_back_and_are_copied_renamed_and_deleted)
{
    write_formulas(2);
    const std::string folder = open_on_own_source();
    // (What each operation does to the files: sets_test.)
    EXPECT_FALSE(gtk_widget_get_sensitive(widget("btn_export"))) << "nothing chosen yet";
    func_test_release(widget("btn_file_selections_name1_#000"));
    press("btn_export");
    EXPECT_EQ(dialog_text(), p[186] + " " + p[318]);
    func_close_active_dialog();
    EXPECT_EQ(left(), std::vector<std::string>{"default"});

    press_left("default");
    press("btn_clone_file");
    func_close_active_dialog();
    EXPECT_EQ(left(), (std::vector<std::string>{"default", "default[C]"}));
    press_left("default[C]");
    press("btn_rename_file");
    gtk_entry_set_text(GTK_ENTRY(func_test_find_widget(data_entry_window(), "entry_text")), "spring");
    gtk_button_clicked(GTK_BUTTON(func_test_find_widget(data_entry_window(), "btn_save")));
    func_test_run_loop(30);
    func_close_active_dialog();
    EXPECT_EQ(left(), (std::vector<std::string>{"default", "spring"}));
    func_test_save_screenshot(window(), "file_formulas");

    press_left("spring");
    press("btn_import");
    func_close_active_dialog();
    EXPECT_EQ(right(), "spring");

    press_left("spring");
    press("btn_delete_file");
    answer_yes();
    EXPECT_EQ(left(), std::vector<std::string>{"default"});

    // Printouts on a stick are listed, but are no set to pick.
    std::ofstream(folder + "list.txt") << "printed";
    press("btn_configurations");
    EXPECT_EQ(right(), "default");
    func_test_save_screenshot(window(), "file_configurations");
    press("btn_formulas");
    if (!PC_MODE) {
        ASSERT_EQ(left(), (std::vector<std::string>{"default", "list.txt"}));
        EXPECT_FALSE(gtk_widget_get_sensitive(widget("btn_file_selections_name_#001")));
    }
}

TEST_F(file_screen_gui_test, only_newer_packages_are_offered_and_odd_names_are_left_alone)
{
    const std::string folder = open_on_own_source();
    for (const char* name : {"6.1.012.upt", "6.2.000.upt", "6.2.000;reboot.upt", "-rf.upt", "7.0.000.upt"})
        std::ofstream(folder + name) << "package";
    fs::create_directories(folder + "a;touch X.set");
    press("btn_update");
    EXPECT_EQ(left(), (std::vector<std::string>{"6.2.000", "7.0.000"}));
    EXPECT_EQ(right(), CONSOLE_SOFTWARE_VERSION);
    func_test_save_screenshot(window(), "file_update");
    press("btn_formulas");
    EXPECT_EQ(left(), std::vector<std::string>{"a;touch X"});
    // The archive folder of the console itself.
    press("btn_hd");
    EXPECT_EQ(left(), std::vector<std::string>{});
    func_test_save_screenshot(window(), "file_archive");
    press("btn_home");
    EXPECT_EQ(SCREEN_HOME, func_current_screen_code());
    if (!PC_MODE) {
        // Leaving takes the stick out of use: it may be pulled out.
        ASSERT_FALSE(sandbox.programs_run.empty());
        EXPECT_EQ(sandbox.programs_run.back()[0], "umount");
    }
}
}  // namespace
