#include "files/update.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/shell_runner.h"
#include "language/language.h"
#include "logs/log_file.h"

const char* const UPDATER_PROGRAM = "usr/sbin/quorilexupdate";

namespace {
constexpr const char* ARCHIVE_TOOL = "unpack";
constexpr const char* ARCHIVE_PASSWORD = "quillet";
constexpr const char* NEW_UPDATER = "updater/quorilexupdate";

int replace_for_real(const std::string& program, const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& argument : argv)
        args.push_back(const_cast<char*>(argument.c_str()));
    args.push_back(nullptr);
    std::fflush(nullptr);
    return execv(program.c_str(), args.data());
}

process_replacer current_replacer = replace_for_real;

void log_failure(const char* function, const std::string& message) { func_log_system_error(function, message); }

void log_errno(const char* function, const std::string& what, const std::string& path)
{
    log_failure(function, what + " " + func_printable_name(path) + ": " + std::strerror(errno));
}

bool is_plain_file(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// nftw hands no context to its callback.
bool clear_failed = false;

int remove_entry(const char* path, const struct stat*, int type, struct FTW*)
{
    const file_io_ops& ops = func_file_io_ops();
    const int result = type == FTW_DP ? ops.remove_folder(path) : ops.unlink_file(path);
    if (result != 0 && errno != ENOENT) {
        log_errno("func_clear_update_folder", "can't remove", path);
        clear_failed = true;
    }
    return 0;  // go on: remove what can be removed
}

// Puts the package's updater in place: copied beside the installed one,
// made executable, then renamed over it, so a cut leaves one whole
// updater or the other.
bool install_new_updater()
{
    const std::string folder = func_update_dir() + "updater";
    const std::string fresh = func_update_dir() + NEW_UPDATER;
    struct stat folder_info, file_info;
    if (lstat(folder.c_str(), &folder_info) != 0 || lstat(fresh.c_str(), &file_info) != 0)
        return true;  // the package brings no updater
    // Through a link any file of the system could become the updater.
    if (!S_ISDIR(folder_info.st_mode) || !S_ISREG(file_info.st_mode)) {
        log_failure("func_process_update", "the package's updater is no plain file");
        return false;
    }
    const std::string target = func_system_path(UPDATER_PROGRAM);
    const std::string staged = target + ".new";
    if (!func_copy_file(fresh, staged)) {
        log_failure("func_process_update", "can't copy the updater to " + func_printable_name(staged));
        return false;
    }
    if (chmod(staged.c_str(), 0755) != 0 || func_file_io_ops().rename_file(staged.c_str(), target.c_str()) != 0) {
        log_errno("func_process_update", "can't install", target);
        func_file_io_ops().unlink_file(staged.c_str());
        return false;
    }
    func_sync_folder(target.substr(0, target.find_last_of('/') + 1));
    func_sync_after_write();
    return true;
}

update_result failed(update_outcome outcome, int dialog_kind, int first_slot)
{
    return {outcome, dialog_kind, first_slot, 306};
}
}  // namespace

void func_set_process_replacer(process_replacer replacer)
{
    current_replacer = replacer ? replacer : replace_for_real;
}

int func_clear_update_folder()
{
    const std::string folder = func_without_slash(func_update_dir());
    struct stat info;
    if (lstat(folder.c_str(), &info) == 0) {
        clear_failed = false;
        // Depth first, links not followed, never into another file system.
        if (nftw(folder.c_str(), remove_entry, 16, FTW_PHYS | FTW_DEPTH | FTW_MOUNT) != 0) {
            log_errno("func_clear_update_folder", "can't read", folder);
            return 0;
        }
        if (clear_failed)
            return 0;
    }
    if (!func_create_directory(func_update_dir())) {
        log_errno("func_clear_update_folder", "can't create", folder);
        return 0;
    }
    return 1;
}

int func_unzip_update(const std::string& source_folder, const std::string& package_file_name)
{
    if (func_update_package_version(package_file_name).empty()) {
        log_failure("func_unzip_update", "not an update package name: " + func_printable_name(package_file_name));
        return 0;
    }
    const std::string source =
        (source_folder.empty() || source_folder.back() != '/' ? source_folder + "/" : source_folder) +
        package_file_name;
    if (!is_plain_file(source)) {
        log_failure("func_unzip_update", "no package file " + func_printable_name(source));
        return 0;
    }
    if (!func_clear_update_folder())
        return 0;
    func_sync_after_write();
    if (!func_copy_file(source, func_update_dir() + package_file_name)) {
        log_failure("func_unzip_update", "can't copy " + func_printable_name(source));
        return 0;
    }
    // The tool unpacks into the working folder.
    if (chdir(func_update_dir().c_str()) != 0) {
        log_errno("func_unzip_update", "can't enter", func_update_dir());
        return 0;
    }
    const int status = func_run_program({ARCHIVE_TOOL, "-o", "-q", "-P", ARCHIVE_PASSWORD, package_file_name});
    func_reset_default_directory();
    func_sync_after_write();
    if (status != 0) {
        log_failure("func_unzip_update",
                    "unpacking " + package_file_name + " failed (status " + std::to_string(status) + ")");
        return 0;
    }
    return 1;
}

std::string func_update_message(const update_result& result)
{
    return p[result.first_slot] + "   \n   " + p[result.second_slot];
}

update_result func_process_update(const std::string& package_version, const std::string& source_folder,
                                  const std::function<void()>& before_handover)
{
    const std::string package = package_version + ".upt";
    if (func_update_package_version(package).empty() || !func_ok_to_update(package_version)) {
        log_failure("func_process_update", "no newer update package: " + func_printable_name(package));
        return failed(update_outcome::no_package, 2, 305);
    }
    if (!func_unzip_update(source_folder, package))
        return failed(update_outcome::unpack_failed, 1, 304);
    if (!install_new_updater())
        return failed(update_outcome::updater_failed, 1, 303);
    const std::string updater = func_system_path(UPDATER_PROGRAM);
    if (access(updater.c_str(), X_OK) != 0) {
        log_errno("func_process_update", "can't run", updater);
        return failed(update_outcome::updater_failed, 1, 303);
    }
    if (before_handover)
        before_handover();
    func_reset_default_directory();
    if (current_replacer(updater, {updater, func_update_dir(), package_version}) == 0)
        return {update_outcome::handed_over, 0, 0, 0};
    log_errno("func_process_update", "can't start", updater);
    return failed(update_outcome::updater_failed, 1, 303);
}
