// Reading a monthly log file back: the records of one day, whole records
// only. A file is outside data here: any size, any bytes.
#pragma once
#include <string>
#include <vector>

// The logs an operator can read, in the order of their buttons.
enum log_kind { LOG_KIND_PRODUCTION = 0, LOG_KIND_CHANGE = 1, LOG_KIND_ERROR = 2, LOG_KIND_SYSERROR = 3 };

struct log_entry {
    std::string date;
    std::string time;
    int code = 0;
    std::string text;
};

// Base name of a kind ("production.log", ...); null for an unknown kind.
const char* func_get_log_base_name(int kind);
// "<log dir>%02d-%04d-<base name>" of a month; "" for an unknown kind.
std::string func_get_month_log_path(int kind, int month, int year);
// The date text a record of that day holds: "%02d/%02d/%04d".
std::string func_format_log_date(int month, int day, int year);

enum log_read {
    LOG_READ_DONE,
    LOG_READ_MISSING,  // no file for that month
    LOG_READ_FAILED    // the file could not be read (logged); what was read is kept
};
// Appends to entries, in file order, every whole record whose date field
// holds date (without regard to case). A partial record at the end is
// left out; texts end at their NUL or at their field's end, and keep only
// their valid UTF-8 start.
log_read func_read_log_day(const std::string& path, const std::string& date, std::vector<log_entry>& entries);
