#include "support/sandbox.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/shell_runner.h"
#include "files/time_source.h"

namespace fs = std::filesystem;

std::string func_read_whole_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

sandbox_root::sandbox_root(bool with_installed_data)
{
    char pattern[] = "/tmp/lumex-test-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot create sandbox folder");
    base_ = pattern;
    root_ = base_ + "/usr/share/lumex6/";
    system_ = base_ + "/system/";
    fs::create_directories(root_);
    fs::create_directories(system_ + "etc/network");
    if (with_installed_data) {
        for (const char* folder : {"image", "data", "splash"}) {
            fs::path from = fs::path(LUMEX_STAGE_DIR) / folder;
            if (fs::exists(from))
                fs::copy(from, fs::path(root_) / folder, fs::copy_options::recursive);
        }
    }
    func_set_install_root(root_);
    func_set_system_root(system_);
    func_reset_file_io_ops();
    func_set_program_runner([this](const std::vector<std::string>& argv) {
        programs_run.push_back(argv);
        return 0;
    });
    func_set_sync_call([this] { ++sync_calls; });
}

namespace {
std::vector<std::string> refused_folders;

bool refused(const char* path)
{
    for (const std::string& folder : refused_folders)
        if (std::string(path).compare(0, folder.size(), folder) == 0)
            return true;
    return false;
}

template <class... Arguments>
int refuse(int (*real)(const char*, Arguments...), const char* path, Arguments... arguments)
{
    if (refused(path)) {
        errno = EROFS;
        return -1;
    }
    return real(path, arguments...);
}
}  // namespace

void sandbox_root::refuse_writes_under(const std::vector<std::string>& folders)
{
    refused_folders.clear();
    for (const std::string& folder : folders)
        refused_folders.push_back(root_ + folder);
    file_io_ops& ops = func_file_io_ops();
    ops.open_file = [](const char* path, int flags, mode_t mode) {
        if ((flags & (O_WRONLY | O_RDWR | O_CREAT)) && refused(path)) {
            errno = EROFS;
            return -1;
        }
        return ::open(path, flags, mode);
    };
    ops.rename_file = [](const char* from, const char* to) {
        if (refused(from) || refused(to)) {
            errno = EROFS;
            return -1;
        }
        return ::rename(from, to);
    };
    ops.unlink_file = [](const char* path) { return refuse<>(::unlink, path); };
    ops.make_folder = [](const char* path, mode_t mode) { return refuse<mode_t>(::mkdir, path, mode); };
    ops.remove_folder = [](const char* path) { return refuse<>(::rmdir, path); };
}

sandbox_root::~sandbox_root()
{
    func_reset_file_io_ops();
    refused_folders.clear();
    func_set_program_runner([](const std::vector<std::string>&) { return 0; });
    func_set_sync_call([] {});
    func_set_time_source(nullptr);
    std::error_code ignored;
    fs::remove_all(base_, ignored);
}

void sandbox_root::write_file(const std::string& relative, const std::string& content) const
{
    fs::path target = fs::path(root_) / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << content;
}

std::string sandbox_root::read_file(const std::string& relative) const
{
    return func_read_whole_file(root_ + relative);
}

bool sandbox_root::exists(const std::string& relative) const { return fs::exists(root_ + relative); }

std::vector<std::string> sandbox_root::list_folder(const std::string& relative) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root_ + relative, error))
        names.push_back(entry.path().filename().string());
    return names;
}

void sandbox_root::let_date_move_the_clock(int hwclock_status)
{
    func_set_program_runner([this, hwclock_status](const std::vector<std::string>& argv) {
        programs_run.push_back(argv);
        if (argv[0] == "hwclock")
            return hwclock_status;
        struct tm wanted = {};
        if (argv[0] == "date" && argv.size() == 3 && strptime(argv[2].c_str(), "%Y-%m-%d %H:%M:%S", &wanted)) {
            wanted.tm_isdst = -1;
            const time_t moment = mktime(&wanted);
            func_set_time_source([moment] { return moment; });
        }
        return 0;
    });
}

void sandbox_root::set_clock(int year, int month, int day, int hour, int minute)
{
    struct tm when = {};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_isdst = -1;
    time_t moment = mktime(&when);
    func_set_time_source([moment] { return moment; });
}
