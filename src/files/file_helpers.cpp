#include "files/file_helpers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <glib.h>
#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/shell_runner.h"
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
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string with_slash(const std::string& folder) { return func_with_slash(folder); }
}  // namespace

namespace {
unsigned copy_counter = 0;

// Streams source into a temporary name beside destination, flushes it and
// renames it over destination, so the final name only ever holds a whole
// copy; into a staged folder it is written straight under its name and
// left for the one flush of the folder. *error_number gets the errno of a
// destination failure.
copy_outcome copy_streamed(const std::string& source, const std::string& destination, bool follow_links,
                           bool staged, int* error_number)
{
    file_io_ops& ops = func_file_io_ops();
    // O_NONBLOCK: a FIFO on a stick must not hang the console.
    const int source_flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (follow_links ? 0 : O_NOFOLLOW);
    int in = ::open(source.c_str(), source_flags);
    if (in < 0) {
        log_copy_failure("Can't open source file : ", source);
        return copy_outcome::source_failed;
    }
    struct stat info;
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(in);
        log_copy_failure("Error reading source file : ", source);
        return copy_outcome::source_failed;
    }
    const std::string temporary = staged ? destination
                                         : folder_of(destination) + TEMPORARY_FILE_PREFIX + "copy_" +
                                               std::to_string(getpid()) + "_" + std::to_string(copy_counter++);
    int out = ops.open_file(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (out < 0) {
        *error_number = errno;
        ::close(in);
        log_copy_failure("Can't open destination file : ", destination);
        return copy_outcome::destination_failed;
    }
    const char* failure = nullptr;
    copy_outcome outcome = copy_outcome::done;
    char buffer[16384];
    for (;;) {
        ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            failure = "Error reading source file : ";
            outcome = copy_outcome::source_failed;
            break;
        }
        if (got == 0)
            break;
        if (!func_write_all(out, buffer, static_cast<size_t>(got))) {
            failure = "Error writing destination file : ";
            break;
        }
    }
    if (!failure && !staged && ops.fsync_file(out) != 0)
        failure = "Error writing destination file : ";
    if (failure && outcome == copy_outcome::done)
        outcome = copy_outcome::destination_failed;
    if (outcome == copy_outcome::destination_failed)
        *error_number = errno;
    if (::close(in) != 0 && !failure) {
        failure = "Error closing source file : ";
        outcome = copy_outcome::source_failed;
    }
    if (ops.close_file(out) != 0 && !failure) {
        *error_number = errno;
        failure = "Error closing destination file : ";
        outcome = copy_outcome::destination_failed;
    }
    if (!failure && !staged && ops.rename_file(temporary.c_str(), destination.c_str()) != 0) {
        *error_number = errno;
        failure = "Error writing destination file : ";
        outcome = copy_outcome::destination_failed;
    }
    if (failure) {
        ops.unlink_file(temporary.c_str());
        log_copy_failure(failure, outcome == copy_outcome::source_failed ? source : destination);
        return outcome;
    }
    if (!staged && !func_sync_folder(folder_of(destination))) {
        *error_number = errno;
        log_copy_failure("Error writing destination file : ", destination);
        return copy_outcome::destination_failed;
    }
    return copy_outcome::done;
}
}  // namespace

int func_copy_file(const std::string& source, const std::string& destination)
{
    int error_number = 0;
    const copy_outcome outcome = copy_streamed(source, destination, true, false, &error_number);
    if (outcome == copy_outcome::destination_failed)
        func_report_write_failure(destination, error_number);
    if (outcome != copy_outcome::done)
        return 0;
    func_sync_after_write();
    return 1;
}

copy_outcome func_copy_outside_file(const std::string& source, const std::string& destination)
{
    int error_number = 0;
    return copy_streamed(source, destination, false, false, &error_number);
}

copy_outcome func_copy_into_staging(const std::string& source, const std::string& destination)
{
    int error_number = 0;
    const copy_outcome outcome = copy_streamed(source, destination, false, true, &error_number);
    errno = error_number;
    return outcome;
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

namespace {
// Reads until size bytes or the end; false on a read error.
bool read_up_to(int fd, char* data, size_t size, size_t& got)
{
    got = 0;
    while (got < size) {
        const ssize_t count = ::read(fd, data + got, size - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0)
            break;
        got += static_cast<size_t>(count);
    }
    return true;
}
}  // namespace

long func_read_file_start(const std::string& path, void* data, size_t size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    size_t got = 0;
    read_up_to(fd, static_cast<char*>(data), size, got);
    ::close(fd);
    return static_cast<long>(got);
}

int func_read_small_file(const std::string& path, size_t limit, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    // One byte past the limit tells a longer file; the size is only a hint.
    struct stat info {};
    const size_t hint = fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 4096;
    bytes.resize(std::min(hint, limit) + 1);
    size_t got = 0;
    bool read = true;
    for (;;) {
        size_t more = 0;
        read = read_up_to(fd, &bytes[got], bytes.size() - got, more);
        got += more;
        if (!read || got < bytes.size() || got > limit)
            break;
        bytes.resize(std::min(bytes.size() * 2, limit + 1));
    }
    ::close(fd);
    if (!read || got > limit) {
        bytes.clear();
        return read ? -1 : 0;
    }
    bytes.resize(got);
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

std::string func_with_slash(const std::string& folder)
{
    return (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
}

std::string func_without_slash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string func_printable_name(const std::string& name)
{
    gchar* valid = g_utf8_make_valid(name.c_str(), static_cast<gssize>(name.size()));
    std::string text = valid;
    g_free(valid);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return func_cut_text_utf8(text, 120);
}
