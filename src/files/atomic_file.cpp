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

const file_io_ops real_ops = {real_open, ::write,  ::fsync, ::close, ::rename,
                              ::unlink,  ::mkdir, ::rmdir, ::fchmod, ::syncfs};
file_io_ops ops = real_ops;
std::atomic<unsigned> temporary_counter{0};
// Names taken by someone else before giving up.
constexpr int TEMPORARY_NAME_ATTEMPTS = 100;

std::string folder_of(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// A signal arriving during a call is not a failure of the disk.
template <class Call>
auto retried(Call call) -> decltype(call())
{
    for (;;) {
        auto result = call();
        if (result >= 0 || errno != EINTR)
            return result;
    }
}

bool sync_folder(const std::string& folder)
{
    int fd = retried([&] { return ops.open_file(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0); });
    if (fd < 0)
        return false;
    const bool synced = retried([&] { return ops.fsync_file(fd); }) == 0;
    const int failure = errno;
    ops.close_file(fd);
    errno = failure;
    return synced;
}

// The mode files get from the umask, for the mode set on the temporary
// file before its rename.
mode_t masked(mode_t mode)
{
    const mode_t mask = umask(0);
    umask(mask);
    return mode & ~mask;
}

// A new temporary file beside path that nobody else could have prepared:
// created here, never through a link. -1 with errno set.
int open_temporary(const std::string& folder, std::string& temporary)
{
    for (int attempt = 0; attempt < TEMPORARY_NAME_ATTEMPTS; ++attempt) {
        temporary = folder + TEMPORARY_FILE_PREFIX + std::to_string(getpid()) + "_" +
                    std::to_string(temporary_counter++);
        int fd = retried([&] {
            return ops.open_file(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        });
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}
}  // namespace

bool func_write_all(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = retried([&] { return ops.write_file(fd, data, size); });
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}


file_io_ops& func_file_io_ops() { return ops; }
int func_sync_folder(const std::string& folder) { return sync_folder(folder) ? 1 : 0; }

int func_write_staged_file(const std::string& path, const std::string& content)
{
    int fd = retried([&] {
        return ops.open_file(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    });
    bool ok = fd >= 0 && func_write_all(fd, content.data(), content.size());
    int failure = errno;
    if (fd >= 0 && ops.close_file(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok)
        return 1;
    if (fd >= 0)
        ops.unlink_file(path.c_str());
    func_report_write_failure(path, failure);
    return 0;
}

int func_sync_staged_folder(const std::string& folder)
{
    int fd = retried([&] { return ops.open_file(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0); });
    if (fd < 0)
        return 0;
    const bool synced = retried([&] { return ops.sync_filesystem(fd); }) == 0;
    const int failure = errno;
    ops.close_file(fd);
    errno = failure;
    return synced ? 1 : 0;
}
void func_reset_file_io_ops() { ops = real_ops; }

int func_write_file_atomic(const std::string& path, const void* data, size_t size, mode_t mode)
{
    const std::string folder = folder_of(path);
    std::string temporary;
    int fd = open_temporary(folder, temporary);
    if (fd < 0) {
        func_report_write_failure(path, errno);
        return 0;
    }
    int failure = 0;
    bool ok = func_write_all(fd, static_cast<const char*>(data), size) &&
              retried([&] { return ops.fsync_file(fd); }) == 0 && ops.change_mode(fd, masked(mode)) == 0;
    if (!ok)
        failure = errno;
    // close is not repeated after EINTR: the descriptor is gone either way.
    if (ops.close_file(fd) != 0 && ok && errno != EINTR) {
        ok = false;
        failure = errno;
    }
    if (ok && retried([&] { return ops.rename_file(temporary.c_str(), path.c_str()); }) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ops.unlink_file(temporary.c_str());
        func_report_write_failure(path, failure);
        return 0;
    }
    // Until the folder is flushed the rename may not survive a power cut.
    if (!sync_folder(folder)) {
        func_report_write_failure(path, errno);
        return 0;
    }
    func_sync_after_write();
    return 1;
}

int func_write_file_atomic(const std::string& path, const std::string& content)
{
    return func_write_file_atomic(path, content.data(), content.size());
}

int func_append_file_record(const std::string& path, const void* data, size_t size)
{
    if (size == 0)
        return 1;
    int fd = retried([&] { return ops.open_file(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644); });
    if (fd < 0)
        return 0;
    // An append cut short earlier leaves part of a record at the end: it
    // goes, so that this record starts where a record belongs.
    struct stat info;
    bool ok = fstat(fd, &info) == 0;
    const off_t whole = ok ? info.st_size - info.st_size % static_cast<off_t>(size) : 0;
    if (ok && whole != info.st_size)
        ok = ftruncate(fd, whole) == 0;
    // One write call: a record is appended whole or, when the disk fills
    // up part way, the part is taken back.
    ssize_t written = ok ? retried([&] { return ops.write_file(fd, data, size); }) : -1;
    if (ok && written != static_cast<ssize_t>(size)) {
        const int failure = errno;
        if (ftruncate(fd, whole) != 0) {
            // Cut back at the next append.
        }
        errno = written < 0 ? failure : ENOSPC;
        ok = false;
    }
    const int failure = errno;
    if (ops.close_file(fd) != 0 && ok && errno != EINTR)
        ok = false;
    else
        errno = failure;
    return ok ? 1 : 0;
}

int func_remove_stale_temporary_files(const std::string& folder, time_t written_before)
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
        struct stat info;
        if (written_before && (lstat(full.c_str(), &info) != 0 || info.st_mtime >= written_before))
            continue;
        if (ops.unlink_file(full.c_str()) == 0)
            ++removed;
    }
    closedir(dir);
    return removed;
}
