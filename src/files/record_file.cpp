#include "files/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/atomic_file.h"
#include "logs/log_file.h"

namespace {
// Files up to this size are read without asking for their size first.
constexpr size_t SMALL_RECORD_FILE = 64 * 1024;
}  // namespace

bool func_read_record_bytes(const std::string& path, const record_format& format, const char* who,
                            std::string& bytes)
{
    return func_read_record_bytes_at(AT_FDCWD, path.c_str(), path, format, who, bytes);
}

bool func_read_record_bytes_at(int folder, const char* name, const std::string& path, const record_format& format,
                               const char* who, std::string& bytes)
{
    bytes.clear();
    if (format.record_size == 0)
        return false;
    const int file = openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    // One record past the cap tells a longer file from a full one.
    const size_t limit = (format.max_records + 1) * format.record_size;
    // A small file is read into room for the most it may hold; a larger
    // one into its size. The size is a hint (the file may change):
    // reading goes on to the end.
    size_t expected = limit;
    struct stat info;
    if (limit > SMALL_RECORD_FILE)
        expected = fstat(file, &info) == 0 && info.st_size > 0 ? static_cast<size_t>(info.st_size) : format.record_size;
    bytes.resize(expected < limit ? expected : limit);
    size_t got = 0;
    bool failed = false;
    while (got < limit) {
        if (got == bytes.size())
            bytes.resize(bytes.size() * 2 < limit ? bytes.size() * 2 : limit);
        const ssize_t count = read(file, &bytes[got], bytes.size() - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            failed = count < 0;
            break;
        }
        got += static_cast<size_t>(count);
        // A file read gives less than asked only at its end: no second
        // call to hear it (a printout reads 100 000 small files).
        if (got < bytes.size())
            break;
    }
    close(file);
    if (failed) {
        bytes.clear();
        return false;
    }
    size_t records = got / format.record_size;
    if (records > format.max_records) {
        const std::string most = std::to_string(format.max_records);
        func_write_log(LOG_SYSERROR,
                       std::string(who) + " : more than " + most + " " + format.plural + " in " + path +
                           ", only the first " + most + " are used.",
                       0);
        records = format.max_records;
    }
    bytes.resize(records * format.record_size);
    return true;
}

bool func_read_record_file(const std::string& path, const record_format& format, const char* who,
                           std::vector<std::string>& records)
{
    records.clear();
    std::string bytes;
    const bool opened = func_read_record_bytes(path, format, who, bytes);
    for (size_t at = 0; at < bytes.size(); at += format.record_size)
        records.push_back(bytes.substr(at, format.record_size));
    return opened;
}

int func_write_record_bytes(const std::string& path, const std::string& bytes)
{
    return func_write_file_atomic(path, bytes);
}
