#include "files/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "files/shell_runner.h"
#include "files/write_failures.h"

const char* const TEMPORARY_FILE_PREFIX = "._lumex_tmp_";

namespace {
int real_open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

const file_io_ops real_ops = {real_open, ::write, ::fsync, ::close, ::rename, ::unlink, ::mkdir, ::rmdir};
file_io_ops ops = real_ops;
std::atomic<unsigned> temporary_counter{0};

std::string folder_of(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

bool write_all(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ops.write_file(fd, data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

void sync_folder(const std::string& folder)
{
    int fd = ops.open_file(folder.c_str(), O_RDONLY | O_DIRECTORY, 0);
    if (fd < 0)
        return;
    ops.fsync_file(fd);
    ops.close_file(fd);
}
}  // namespace

file_io_ops& func_file_io_ops() { return ops; }
void func_sync_folder(const std::string& folder) { sync_folder(folder); }
void func_reset_file_io_ops() { ops = real_ops; }

int func_write_file_atomic(const std::string& path, const void* data, size_t size, mode_t mode)
{
    const std::string folder = folder_of(path);
    const std::string temporary = folder + TEMPORARY_FILE_PREFIX + std::to_string(getpid()) + "_" +
                                  std::to_string(temporary_counter++);
    int fd = ops.open_file(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0) {
        func_report_write_failure(path, errno);
        return 0;
    }
    int failure = 0;
    bool ok = write_all(fd, static_cast<const char*>(data), size) && ops.fsync_file(fd) == 0;
    if (!ok)
        failure = errno;
    if (ops.close_file(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ops.rename_file(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ops.unlink_file(temporary.c_str());
        func_report_write_failure(path, failure);
        return 0;
    }
    sync_folder(folder);
    func_sync_after_write();
    return 1;
}

int func_write_file_atomic(const std::string& path, const std::string& content)
{
    return func_write_file_atomic(path, content.data(), content.size());
}

int func_append_file_record(const std::string& path, const void* data, size_t size)
{
    int fd = ops.open_file(path.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0)
        return 0;
    // One write call: a record is either appended whole or not at all
    // (short of the disk filling up mid-record).
    ssize_t written = ops.write_file(fd, data, size);
    int closed = ops.close_file(fd);
    return (written == static_cast<ssize_t>(size) && closed == 0) ? 1 : 0;
}

int func_remove_stale_temporary_files(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    const size_t prefix_length = strlen(TEMPORARY_FILE_PREFIX);
    while (dirent* entry = readdir(dir)) {
        if (strncmp(entry->d_name, TEMPORARY_FILE_PREFIX, prefix_length) != 0)
            continue;
        std::string full = folder;
        if (full.empty() || full.back() != '/')
            full += '/';
        full += entry->d_name;
        if (ops.unlink_file(full.c_str()) == 0)
            ++removed;
    }
    closedir(dir);
    return removed;
}
