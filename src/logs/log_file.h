// Monthly binary log files and the change-log transaction queue.
#pragma once
#include <gtk/gtk.h>

#include <string>

// Record layout: 292 bytes, date (15) time (17) code (int32 LE) text (256).
constexpr size_t LOG_RECORD_SIZE = 292;
constexpr size_t LOG_DATE_OFFSET = 0, LOG_DATE_SIZE = 15;
constexpr size_t LOG_TIME_OFFSET = 15, LOG_TIME_SIZE = 17;
constexpr size_t LOG_CODE_OFFSET = 32;
constexpr size_t LOG_TEXT_OFFSET = 36, LOG_TEXT_SIZE = 256;

extern const char* const LOG_PRODUCTION;  // "production.log"
extern const char* const LOG_CHANGE;      // "change.log"
extern const char* const LOG_ERROR;       // "error.log"
extern const char* const LOG_SYSERROR;    // "syserror.log"

// Full path of this month's file of a log ("<log dir>%m-%Y-<base>").
std::string func_get_log_file_path(const char* base_name);

// Builds one record for the given moment (used by the writer and tests).
void func_build_log_record(unsigned char* record, time_t when, const std::string& text, int code);

// Appends one record to this month's file. A file that cannot be opened
// is skipped silently.
void func_write_log(const char* base_name, const std::string& text, int code);

// Shorthand for internal failures: "<function> : <message>" to syserror.log.
void func_log_system_error(const char* function, const std::string& message);

// Deletes log files of two, three and four years back (by the year in
// their names). Called when the program ends.
void func_clear_old_log_file();

// Transaction queue (log_transaction_store, created on first use).
extern GtkListStore* log_transaction_store;
void func_begin_log_transaction();
void func_add_log_transaction(const std::string& text, int code);
// Writes the queued lines to `target` (change.log, or production.log for
// the run screen), after the heading in change.log unless it is empty.
void func_end_log_transaction(const std::string& heading, const char* target = LOG_CHANGE);
