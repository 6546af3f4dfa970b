#include "files/usb_stick.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <vector>

#include "files/build_switches.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/shell_runner.h"
#include "logs/log_file.h"

namespace {
constexpr const char* DISK_LINKS = "dev/disk/by-id/";
constexpr const char* MOUNT_TABLE = "proc/mounts";
constexpr const char* MOUNT_FOLDER = "media/lumex6-usb/";
// Sticks come formatted FAT32 or exFAT. Only options every file system
// takes, so mount can try each type with the same list. "sync": a stick
// may be pulled at any moment.
constexpr const char* FILE_SYSTEMS = "vfat,exfat";
constexpr const char* MOUNT_OPTIONS = "rw,nosuid,nodev,noexec,noatime,sync";
// The kernel's table is a few kilobytes; more than this is not it.
constexpr size_t MOUNT_TABLE_MAX = 1 << 20;

struct usb_disk_entry {
    std::string disk;  // link name without "-part<N>"
    long partition;    // 0: the whole disk
    std::string device;
};

// "usb-X-part3" -> disk "usb-X", 3; "usb-X" -> "usb-X", 0; -1 for a
// partition number that is no number.
long split_partition(const std::string& name, std::string& disk)
{
    const size_t at = name.rfind("-part");
    disk = name;
    if (at == std::string::npos)
        return 0;
    const std::string number = name.substr(at + 5);
    if (number.empty() || number.size() > 4 ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    disk = name.substr(0, at);
    const long value = std::stol(number);
    return value > 0 ? value : -1;
}

// The device a disk link points to, kept below the system root's dev/;
// "" for a link leading elsewhere or to nothing.
std::string link_device(const std::string& folder, const std::string& name)
{
    char target[PATH_MAX];
    const ssize_t size = readlink((folder + name).c_str(), target, sizeof target - 1);
    if (size <= 0)
        return "";
    const std::string to(target, static_cast<size_t>(size));
    const std::filesystem::path full =
        to[0] == '/' ? std::filesystem::path(func_system_path(to)) : std::filesystem::path(folder) / to;
    const std::string device = full.lexically_normal().string();
    const std::string dev = func_system_path("dev/");
    if (device.size() <= dev.size() || device.compare(0, dev.size(), dev) != 0)
        return "";
    struct stat info;
    if (stat(device.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return "";
    return device;
}

// An empty card reader slot shows up as a disk of size 0.
bool has_no_medium(const std::string& device)
{
    const std::string name = device.substr(device.find_last_of('/') + 1);
    const int fd = ::open(func_system_path("sys/class/block/" + name + "/size").c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    char text[32] = {};
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    return got > 0 && std::string(text, static_cast<size_t>(got)).find_first_not_of("0\n") == std::string::npos;
}

// One field of the mount table, its octal escapes ("\040" a space) undone.
std::string unescape(const std::string& field)
{
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
            field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

// Device mounted on the stick's folder (the top one when several are),
// "" when nothing is.
std::string device_on_folder()
{
    const int fd = ::open(func_system_path(MOUNT_TABLE).c_str(), O_RDONLY);
    if (fd < 0)
        return "";
    std::string table;
    char buffer[8192];
    ssize_t got;
    while (table.size() < MOUNT_TABLE_MAX && (got = ::read(fd, buffer, sizeof buffer)) > 0)
        table.append(buffer, static_cast<size_t>(got));
    ::close(fd);
    const std::string folder = func_without_slash(func_usb_folder());
    std::string device;
    size_t start = 0;
    while (start < table.size()) {
        size_t end = table.find('\n', start);
        if (end == std::string::npos)
            end = table.size();
        const std::string line = table.substr(start, end - start);
        start = end + 1;
        const size_t first = line.find(' ');
        if (first == std::string::npos)
            continue;
        const size_t second = line.find(' ', first + 1);
        if (unescape(line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1)) ==
            folder)
            device = unescape(line.substr(0, first));
    }
    return device;
}

// The same device by name, or by device number when both are devices.
bool same_device(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    if (a == b)
        return true;
    struct stat one, two;
    return stat(a.c_str(), &one) == 0 && stat(b.c_str(), &two) == 0 && S_ISBLK(one.st_mode) &&
           S_ISBLK(two.st_mode) && one.st_rdev == two.st_rdev;
}

bool run_logged(const char* function, const std::vector<std::string>& argv)
{
    const int status = func_run_program(argv);
    if (status == 0)
        return true;
    std::string command;
    for (const std::string& argument : argv)
        command += (command.empty() ? "" : " ") + argument;
    func_log_system_error(function, func_printable_name(command) + " failed (status " + std::to_string(status) + ")");
    return false;
}

// A mount left on the folder by a stick that is gone: nothing can be
// flushed to it any more, so it is let go at once.
bool release_stale_mount()
{
    return run_logged("func_mount_usb_stick", {"umount", "-l", func_without_slash(func_usb_folder())});
}

bool prepare_mount_folder()
{
    const std::string folder = func_without_slash(func_usb_folder());
    struct stat info;
    if (lstat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        // Never mount through a link or onto a file.
        func_log_system_error("func_mount_usb_stick", func_printable_name(folder) + " is not a folder");
        return false;
    }
    if (func_create_directory(folder))
        return true;
    func_log_system_error("func_mount_usb_stick", "can't create " + func_printable_name(folder));
    return false;
}
}  // namespace

std::string func_usb_folder() { return func_system_path(MOUNT_FOLDER); }

std::string func_usb_device()
{
    if (PC_MODE)
        return "";
    const std::string folder = func_system_path(DISK_LINKS);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return "";
    std::vector<usb_disk_entry> entries;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, 4, "usb-") != 0)
            continue;
        usb_disk_entry found;
        found.partition = split_partition(name, found.disk);
        if (found.partition < 0)
            continue;
        found.device = link_device(folder, name);
        if (!found.device.empty() && !has_no_medium(found.device))
            entries.push_back(found);
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const usb_disk_entry& a, const usb_disk_entry& b) {
        return a.disk != b.disk ? a.disk < b.disk : a.partition < b.partition;
    });
    for (size_t i = 0; i < entries.size(); ++i) {
        // A whole disk counts only when none of its partitions is there.
        const bool has_partition = i + 1 < entries.size() && entries[i + 1].disk == entries[i].disk;
        if (entries[i].partition > 0 || !has_partition)
            return entries[i].device;
    }
    return "";
}

usb_state func_usb_state()
{
    const std::string device = func_usb_device();
    if (device.empty())
        return usb_state::absent;
    return same_device(device_on_folder(), device) ? usb_state::mounted : usb_state::inserted;
}

bool func_mount_usb_stick()
{
    const std::string device = func_usb_device();
    if (device.empty()) {
        func_log_system_error("func_mount_usb_stick", "no USB stick found");
        return false;
    }
    const std::string mounted = device_on_folder();
    if (same_device(mounted, device))
        return true;
    if (!mounted.empty() && !release_stale_mount())
        return false;
    if (!prepare_mount_folder())
        return false;
    return run_logged("func_mount_usb_stick", {"mount", "-t", FILE_SYSTEMS, "-o", MOUNT_OPTIONS, device,
                                               func_without_slash(func_usb_folder())});
}

bool func_unmount_usb_stick()
{
    if (device_on_folder().empty())
        return true;
    // The console's own working folder must not hold the stick busy.
    func_reset_default_directory();
    func_sync_after_write();
    const std::string folder = func_without_slash(func_usb_folder());
    if (run_logged("func_unmount_usb_stick", {"umount", folder}))
        return true;
    if (!func_usb_device().empty())
        return false;
    return run_logged("func_unmount_usb_stick", {"umount", "-l", folder});
}
