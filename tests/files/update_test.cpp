#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "files/paths.h"
#include "files/shell_runner.h"
#include "files/update.h"
#include "support/core_data_fixture.h"
#include "support/part_a_files.h"

namespace fs = std::filesystem;

namespace {
std::vector<std::string> events;  // what ran, in order
int replacer_status = 0;

int record_replacer(const std::string& program, const std::vector<std::string>& argv)
{
    events.push_back("exec " + program);
    events.insert(events.end(), argv.begin(), argv.end());
    return replacer_status;
}

void write(const std::string& path, const std::string& content)
{
    if (fs::path(path).has_parent_path())
        fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << content;
}
}  // namespace

class UpdateTest : public core_data_test {
protected:
    void SetUp() override
    {
        core_data_test::SetUp();
        events.clear();
        replacer_status = 0;
        func_set_process_replacer(record_replacer);
        // The archive tool: does what the test asks, in the folder it runs in.
        func_set_program_runner([this](const std::vector<std::string>& argv) {
            sandbox.programs_run.push_back(argv);
            events.push_back(argv[0] + " in " + current_folder());
            return unpack ? unpack() : 0;
        });
        write(updater(), "OLD");
        fs::permissions(updater(), fs::perms::owner_all);
        sandbox.write_file("usb/6.1.013.upt", "PACKAGE");
    }
    void TearDown() override
    {
        func_set_process_replacer(nullptr);
        core_data_test::TearDown();
    }
    std::string updater() const { return func_system_path("usr/sbin/quorilexupdate"); }
    std::string usb() const { return sandbox.path("usb/"); }

    std::function<int()> unpack;
};

TEST_F(UpdateTest, OnlyPlainVersionNamesArePackages)
{
    for (const char* name : {"1234567890.0.1.upt", "6.2.000;reboot.upt", "-6.2.000.upt", "../6.2.000.upt",
                             "6.2.000.upt.txt", "6.2.upt", ".upt"})
        EXPECT_EQ(func_update_package_version(name), "") << name;
    EXPECT_EQ(func_update_package_version("123456789.0.012.upt"), "123456789.0.012");

    fs::remove(sandbox.path("usb/6.1.013.upt"));
    sandbox.write_file("usb/6.1.012.upt", "");  // not newer
    sandbox.write_file("usb/7.0.000;x.upt", "");
    fs::create_directories(sandbox.path("usb/8.0.000.upt"));
    fs::create_symlink(sandbox.path("usb/7.0.000;x.upt"), sandbox.path("usb/9.0.000.upt"));
    EXPECT_EQ(func_have_update_files(usb()), "");
    sandbox.write_file("usb/6.1.014.upt", "");
    EXPECT_EQ(func_have_update_files(usb()), "6.1.014");
}

TEST_F(UpdateTest, UnpackStartsFromAnEmptyFolderWithoutFollowingLinks)
{
    sandbox.write_file("keep/precious", "mine");
    sandbox.write_file("update/old/updater/quorilexupdate", "stale");
    fs::create_directory_symlink(sandbox.path("keep"), sandbox.path("update/old/into_keep"));
    fs::create_symlink(sandbox.path("keep/precious"), sandbox.path("update/to_file"));
    EXPECT_EQ(func_unzip_update(sandbox.path("usb"), "6.1.013.upt"), 1);
    EXPECT_EQ(sandbox.list_folder("update"), std::vector<std::string>{"6.1.013.upt"});
    EXPECT_EQ(sandbox.read_file("update/6.1.013.upt"), "PACKAGE");
    EXPECT_EQ(sandbox.programs_run,
              (std::vector<std::vector<std::string>>{{"unpack", "-o", "-q", "-P", "quillet", "6.1.013.upt"}}));
    EXPECT_EQ(events, std::vector<std::string>{"unpack in " + sandbox.path("update")});
    EXPECT_EQ(current_folder() + "/", sandbox.root());

    fs::remove_all(sandbox.path("update"));
    fs::create_directory_symlink(sandbox.path("keep"), sandbox.path("update"));
    EXPECT_EQ(func_unzip_update(usb(), "6.1.013.upt"), 1);
    EXPECT_FALSE(fs::is_symlink(sandbox.path("update")));
    EXPECT_EQ(sandbox.list_folder("keep"), std::vector<std::string>{"precious"});
    EXPECT_EQ(sandbox.read_file("keep/precious"), "mine");
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(UpdateTest, HostileNamesRunNothingAndWriteNothing)
{
    for (const std::string name : {"6.2.000;reboot.upt", "6.2.000\nreboot.upt", "-6.2.000.upt"}) {
        sandbox.write_file("usb/" + name, "x");
        EXPECT_EQ(func_unzip_update(usb(), name), 0) << name;
    }
    EXPECT_EQ(func_unzip_update(usb(), "../usb/6.1.013.upt"), 0);
    EXPECT_EQ(func_process_update("6.2.000;reboot", usb()).outcome, update_outcome::no_package);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(sandbox.exists("update"));
    const std::vector<std::string> lines = syserror_lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "func_unzip_update : not an update package name: 6.2.000?reboot.upt");
}

TEST_F(UpdateTest, ANewUpdaterIsInstalledAndStartedWithFolderAndVersion)
{
    unpack = [] {
        write("updater/quorilexupdate", "NEW");
        return 0;
    };
    const update_result result = func_process_update("6.1.013", usb(), [] { events.push_back("dialog closed"); });
    EXPECT_EQ(result.outcome, update_outcome::handed_over);
    EXPECT_EQ(events, (std::vector<std::string>{"unpack in " + sandbox.path("update"), "dialog closed",
                                                "exec " + updater(), updater(), func_update_dir(), "6.1.013"}));
    EXPECT_EQ(func_read_whole_file(updater()), "NEW");
    EXPECT_EQ(access(updater().c_str(), X_OK), 0);
    EXPECT_FALSE(fs::exists(updater() + ".new"));
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(UpdateTest, EachFailureNamesItsDialogAndLeavesTheConsoleRunning)
{
    // Version, the archive tool (run in the update folder), outcome, dialog kind, message slot.
    const std::tuple<const char*, std::function<int()>, update_outcome, int, int> cases[] = {
        {"", nullptr, update_outcome::no_package, 2, 305},
        {"6.1.012", nullptr, update_outcome::no_package, 2, 305},  // not newer
        {"6.1.099", nullptr, update_outcome::unpack_failed, 1, 304},  // not on the stick
        {"6.1.013", [] { return 2; }, update_outcome::unpack_failed, 1, 304},
        {"6.1.013", [this] {  // an updater through a link is never installed
             write(sandbox.path("outside/quorilexupdate"), "EVIL");
             fs::create_directory_symlink(sandbox.path("outside"), "updater");
             return 0;
         }, update_outcome::updater_failed, 1, 303},
        {"6.1.013", [] {
             replacer_status = -1;
             return 0;
         }, update_outcome::updater_failed, 1, 303},
        {"6.1.013", [this] {
             fs::remove(updater());
             return 0;
         }, update_outcome::updater_failed, 1, 303},
    };
    int case_number = 0;
    for (const auto& [version, tool, outcome, kind, slot] : cases) {
        const size_t lines_before = syserror_lines().size();
        unpack = tool;
        replacer_status = 0;
        events.clear();
        const update_result result = func_process_update(version, usb());
        const std::string what = std::string(version) + " case " + std::to_string(case_number++);
        EXPECT_EQ(result.outcome, outcome) << what;
        EXPECT_EQ(result.dialog_kind, kind) << what;
        EXPECT_EQ(func_update_message(result), p[slot] + "   \n   " + p[306]) << what;
        EXPECT_EQ(syserror_lines().size(), lines_before + 1) << what;
        EXPECT_EQ(events.size() > 1, replacer_status == -1) << what;  // started only when all went well
    }
}
