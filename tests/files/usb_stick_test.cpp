#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "files/paths.h"
#include "files/shell_runner.h"
#include "files/usb_stick.h"
#include "support/core_data_fixture.h"

namespace fs = std::filesystem;

namespace {
const std::vector<std::string> MOUNT_START = {"mount", "-t", "vfat,exfat", "-o", "rw,nosuid,nodev,noexec,noatime,sync"};
}  // namespace

class UsbStickTest : public core_data_test {
protected:
    void write_system(const std::string& relative, const std::string& content)
    {
        fs::create_directories(fs::path(func_system_path(relative)).parent_path());
        std::ofstream(func_system_path(relative), std::ios::binary) << content;
    }
    // A disk link as the system makes it, and the device it leads to.
    void add_link(const std::string& name, const std::string& device)
    {
        write_system("dev/" + device, "");
        fs::create_directories(func_system_path("dev/disk/by-id"));
        fs::create_symlink("../../" + device, func_system_path("dev/disk/by-id/" + name));
    }
    void mount_table(const std::string& device)
    {
        write_system("proc/mounts", "sysfs /sys sysfs rw 0 0\n" + device + " " + folder() + " vfat rw 0 0\n");
    }
    std::string folder() const { return func_usb_folder().substr(0, func_usb_folder().size() - 1); }
    std::string device(const std::string& name) const { return func_system_path("dev/" + name); }
    // The program fails with status (a lazy unmount still works).
    void fail(const std::string& program, int status)
    {
        func_set_program_runner([this, program, status](const std::vector<std::string>& argv) {
            sandbox.programs_run.push_back(argv);
            return argv[0] == program && argv[1] != "-l" ? status : 0;
        });
    }
};

TEST_F(UsbStickTest, FindsTheFirstPartitionOrAWholeDiskWithMedium)
{
    EXPECT_EQ(func_usb_device(), "");
    add_link("ata-SSD_1", "sdz");
    add_link("usb-Kingston_B-0:0", "sdb");
    add_link("usb-Kingston_B-0:0-part10", "sdb10");
    add_link("usb-Kingston_B-0:0-part2", "sdb2");
    fs::create_symlink("../../../../etc/passwd", func_system_path("dev/disk/by-id/usb-Odd-0:0"));
    fs::create_symlink("../../gone", func_system_path("dev/disk/by-id/usb-Gone-0:0"));
    EXPECT_EQ(func_usb_device(), device("sdb2"));
    add_link("usb-Card_A-0:0", "sda");
    EXPECT_EQ(func_usb_device(), device("sda"));
    write_system("sys/class/block/sda/size", "0\n");  // the reader has no card
    EXPECT_EQ(func_usb_device(), device("sdb2"));
}

TEST_F(UsbStickTest, StateComesFromTheLinksAndTheMountTable)
{
    EXPECT_EQ(func_usb_state(), usb_state::absent);
    add_link("usb-Stick-0:0-part1", "sd a;x");
    EXPECT_EQ(func_usb_state(), usb_state::inserted);
    write_system("proc/mounts", std::string(300000, 'x') + "\n \n\\\\\\0\n");
    EXPECT_EQ(func_usb_state(), usb_state::inserted);
    mount_table(func_system_path("dev/sd\\040a;x"));  // the table escapes spaces
    EXPECT_EQ(func_usb_state(), usb_state::mounted);
    fs::remove(device("sd a;x"));
    mount_table(device("sd a;x"));
    EXPECT_EQ(func_usb_state(), usb_state::absent);
    EXPECT_TRUE(sandbox.programs_run.empty());
}

TEST_F(UsbStickTest, MountPassesTheDeviceLiterallyAndReleasesAStaleMount)
{
    add_link("usb-Stick-0:0-part1", "sd b; reboot");
    std::vector<std::string> expected = MOUNT_START;
    expected.insert(expected.end(), {device("sd b; reboot"), folder()});
    EXPECT_TRUE(func_mount_usb_stick());
    EXPECT_TRUE(fs::is_directory(folder()));
    mount_table(device("sdq1"));
    EXPECT_TRUE(func_mount_usb_stick());
    EXPECT_EQ(sandbox.programs_run,
              (std::vector<std::vector<std::string>>{expected, {"umount", "-l", folder()}, expected}));
    mount_table(device("sd\\040b;\\040reboot"));
    EXPECT_TRUE(func_mount_usb_stick());  // already there: nothing runs
    EXPECT_EQ(sandbox.programs_run.size(), 3u);
    EXPECT_TRUE(syserror_lines().empty());
}

TEST_F(UsbStickTest, MountFailuresAreLogged)
{
    EXPECT_FALSE(func_mount_usb_stick());
    add_link("usb-Stick-0:0", "sdc");
    fail("mount", 32);
    EXPECT_FALSE(func_mount_usb_stick());
    fs::create_directories(func_system_path("elsewhere"));
    fs::remove(folder());
    fs::create_directory_symlink(func_system_path("elsewhere"), folder());
    EXPECT_FALSE(func_mount_usb_stick());
    EXPECT_EQ(sandbox.programs_run.size(), 1u);
    const std::vector<std::string> lines = syserror_lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "func_mount_usb_stick : no USB stick found");
    EXPECT_NE(lines[1].find("mount -t vfat,exfat"), std::string::npos);
    EXPECT_NE(lines[1].find("failed (status 32)"), std::string::npos);
    EXPECT_NE(lines[2].find("is not a folder"), std::string::npos);
}

TEST_F(UsbStickTest, UnmountFlushesAndGoesLazyOnlyForAStickThatIsGone)
{
    EXPECT_TRUE(func_unmount_usb_stick());  // nothing mounted: nothing to do
    EXPECT_TRUE(sandbox.programs_run.empty());
    add_link("usb-Stick-0:0-part1", "sdd1");
    mount_table(device("sdd1"));
    EXPECT_TRUE(func_unmount_usb_stick());
    EXPECT_EQ(sandbox.sync_calls, 1);
    fail("umount", 16);
    EXPECT_FALSE(func_unmount_usb_stick());  // busy while the stick is in: never lazy
    fs::remove(device("sdd1"));
    EXPECT_TRUE(func_unmount_usb_stick());
    const std::vector<std::string> plain = {"umount", folder()};
    EXPECT_EQ(sandbox.programs_run, (std::vector<std::vector<std::string>>{
                                        plain, plain, plain, {"umount", "-l", folder()}}));
    EXPECT_EQ(syserror_lines().size(), 2u);
}
