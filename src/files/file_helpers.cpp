#include "files/file_helpers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/write_failures.h"
#include "logs/log_file.h"

namespace {
void log_copy_failure(const char* message, const std::string& path)
{
    func_write_log(LOG_SYSERROR, std::string("func_copy_file : ") + message + path, 0);
}

bool is_directory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool is_temporary(const char* name)
{
    return std::strncmp(name, TEMPORARY_FILE_PREFIX, std::strlen(TEMPORARY_FILE_PREFIX)) == 0;
}

bool is_dot_entry(const char* name) { return !std::strcmp(name, ".") || !std::strcmp(name, ".."); }

std::string folder_of(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

std::string with_slash(const std::string& folder)
{
    return (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
}
}  // namespace

int func_copy_file(const std::string& source, const std::string& destination)
{
    int fd = ::open(source.c_str(), O_RDONLY);
    if (fd < 0) {
        log_copy_failure("Can't open source file : ", source);
        return 0;
    }
    std::string content;
    char buffer[16384];
    bool read_ok = true;
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            read_ok = false;
            break;
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<size_t>(got));
    }
    if (!read_ok) {
        ::close(fd);
        log_copy_failure("Error reading source file : ", source);
        return 0;
    }
    if (::close(fd) != 0) {
        log_copy_failure("Error closing source file : ", source);
        return 0;
    }
    if (!func_write_file_atomic(destination, content)) {
        // The atomic writer does not say which step failed; a folder we
        // cannot write to means the file could not even be created.
        if (access(folder_of(destination).c_str(), W_OK | X_OK) != 0)
            log_copy_failure("Can't open destination file : ", destination);
        else
            log_copy_failure("Error writing destination file : ", destination);
        return 0;
    }
    return 1;
}

int func_copy_directory_files(const std::string& source_folder,
                              const std::string& destination_folder)
{
    DIR* dir = opendir(source_folder.c_str());
    if (!dir)
        return 0;
    // Every file counts: one that failed early is not hidden by a later success.
    int result = 1;
    while (dirent* entry = readdir(dir)) {
        if (is_dot_entry(entry->d_name) || is_temporary(entry->d_name))
            continue;
        const std::string source = source_folder + entry->d_name;
        // A folder would come out as an empty or unreadable file.
        if (is_directory(source))
            continue;
        if (!func_copy_file(source, destination_folder + entry->d_name))
            result = 0;
    }
    closedir(dir);
    return result;
}

int func_delete_directory_files(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 1;
    const std::string base = with_slash(folder);
    std::vector<std::string> doomed;
    while (dirent* entry = readdir(dir))
        if (!is_dot_entry(entry->d_name))
            doomed.push_back(base + entry->d_name);
    closedir(dir);
    int removed_all = 1;
    for (const std::string& path : doomed) {
        // An empty folder goes too; one with files in it stays.
        if (is_directory(path)) {
            func_file_io_ops().remove_folder(path.c_str());
            continue;
        }
        if (func_file_io_ops().unlink_file(path.c_str()) != 0 && errno != ENOENT) {
            func_report_write_failure(path, errno);
            removed_all = 0;
        }
    }
    return removed_all;
}

int func_remove_directory(const std::string& folder)
{
    if (!is_directory(folder))
        return 1;
    if (!func_delete_directory_files(folder))
        return 0;
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();  // rmdir wants the name without the final "/"
    if (func_file_io_ops().remove_folder(path.c_str()) != 0 && errno != ENOENT) {
        func_report_write_failure(path, errno);
        return 0;
    }
    return 1;
}

int func_create_directory(const std::string& path)
{
    if (path.empty() || is_directory(path))
        return 1;
    // Parents first, each through the seam so tests can refuse any step.
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        if (!is_directory(parent) && func_file_io_ops().make_folder(parent.c_str(), 0755) != 0 && errno != EEXIST)
            return 0;
    }
    if (!is_directory(path) && func_file_io_ops().make_folder(path.c_str(), 0755) != 0 && errno != EEXIST)
        return 0;
    return is_directory(path) ? 1 : 0;
}

int func_reset_default_directory()
{
    return chdir(func_get_install_root().c_str()) == 0 ? 1 : 0;
}

int file_exists(const std::string& path)
{
    if (path.empty() || is_directory(path))
        return 0;
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return 0;
    ::close(fd);
    return 1;
}

std::string func_remove_filename_extension(const std::string& name)
{
    if (name.size() < 4)
        return "";
    return name.substr(0, name.size() - 4);
}

std::string func_find_first_entry_containing(const std::string& folder, const char* pattern,
                                             bool include_folders)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return "";
    const std::string base = with_slash(folder);
    // The first in name order, not directory order: with two candidates
    // the same one is chosen on every machine and after every copy.
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (is_dot_entry(entry->d_name) || is_temporary(entry->d_name) ||
            !std::strstr(entry->d_name, pattern))
            continue;
        if (!found.empty() && std::strcmp(entry->d_name, found.c_str()) >= 0)
            continue;
        if (!include_folders && is_directory(base + entry->d_name))
            continue;
        found = entry->d_name;
    }
    closedir(dir);
    return found;
}

std::string func_get_formula_set_filename(const std::string& folder)
{
    return func_find_first_entry_containing(folder, ".set", true);
}

std::string func_get_configuration_set_filename(const std::string& folder)
{
    return func_find_first_entry_containing(folder, ".cfs", true);
}
