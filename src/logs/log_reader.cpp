#include "logs/log_reader.h"

#include <fcntl.h>
#include <glib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "files/paths.h"
#include "files/record_bytes.h"
#include "logs/log_file.h"

namespace {
// Whole records per read: large reads keep the file's cost near what
// copying it costs.
constexpr size_t RECORDS_PER_READ = 4096;

bool date_matches(const unsigned char* record, const std::string& date)
{
    // The field holds the text and its NUL within 15 bytes, or it is not this date.
    if (date.size() >= LOG_DATE_SIZE || record[LOG_DATE_OFFSET + date.size()] != '\0')
        return false;
    return g_ascii_strncasecmp(reinterpret_cast<const char*>(record + LOG_DATE_OFFSET), date.c_str(), date.size()) ==
           0;
}

log_entry decode_entry(const unsigned char* record)
{
    log_entry entry;
    entry.date = func_get_utf8_text_field(record + LOG_DATE_OFFSET, LOG_DATE_SIZE);
    entry.time = func_get_utf8_text_field(record + LOG_TIME_OFFSET, LOG_TIME_SIZE);
    entry.code = func_get_int32_le(record + LOG_CODE_OFFSET);
    entry.text = func_get_utf8_text_field(record + LOG_TEXT_OFFSET, LOG_TEXT_SIZE);
    return entry;
}
}  // namespace

const char* func_get_log_base_name(int kind)
{
    switch (kind) {
    case LOG_KIND_PRODUCTION: return LOG_PRODUCTION;
    case LOG_KIND_CHANGE: return LOG_CHANGE;
    case LOG_KIND_ERROR: return LOG_ERROR;
    case LOG_KIND_SYSERROR: return LOG_SYSERROR;
    default: return nullptr;
    }
}

std::string func_get_month_log_path(int kind, int month, int year)
{
    const char* base = func_get_log_base_name(kind);
    if (!base)
        return "";
    char prefix[32];
    snprintf(prefix, sizeof prefix, "%02d-%04d-", month, year);
    return func_log_dir() + prefix + base;
}

std::string func_format_log_date(int month, int day, int year)
{
    char text[32];
    snprintf(text, sizeof text, "%02d/%02d/%04d", month, day, year);
    return text;
}

log_read func_read_log_day(const std::string& path, const std::string& date, std::vector<log_entry>& entries)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return LOG_READ_MISSING;
        func_log_system_error("func_load_log", "can't open " + path + ": " + strerror(errno));
        return LOG_READ_FAILED;
    }
    const size_t capacity = RECORDS_PER_READ * LOG_RECORD_SIZE;
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[capacity]);
    size_t held = 0;  // bytes in buffer, a partial record at most after each pass
    log_read result = LOG_READ_DONE;
    for (;;) {
        const ssize_t got = read(fd, buffer.get() + held, capacity - held);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            func_log_system_error("func_load_log", "can't read " + path + ": " + strerror(errno));
            result = LOG_READ_FAILED;
            break;
        }
        if (got == 0)
            break;  // what is held now is a partial last record: left out
        held += static_cast<size_t>(got);
        const size_t whole = held / LOG_RECORD_SIZE * LOG_RECORD_SIZE;
        for (size_t at = 0; at < whole; at += LOG_RECORD_SIZE)
            if (date_matches(buffer.get() + at, date))
                entries.push_back(decode_entry(buffer.get() + at));
        memmove(buffer.get(), buffer.get() + whole, held - whole);
        held -= whole;
    }
    close(fd);
    return result;
}
