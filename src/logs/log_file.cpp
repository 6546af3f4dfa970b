#include "logs/log_file.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <cerrno>
#include <set>
#include <vector>

#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/shell_runner.h"
#include "files/time_source.h"
#include "files/write_failures.h"

const char* const LOG_PRODUCTION = "production.log";
const char* const LOG_CHANGE = "change.log";
const char* const LOG_ERROR = "error.log";
const char* const LOG_SYSERROR = "syserror.log";

GtkListStore* log_transaction_store = nullptr;

namespace {
std::string format_moment(time_t when, const char* format)
{
    struct tm local = {};
    localtime_r(&when, &local);
    char text[64] = {};
    strftime(text, sizeof text, format, &local);
    return text;
}
}  // namespace

std::string func_get_log_file_path(const char* base_name)
{
    return func_log_dir() + format_moment(func_get_current_time(), "%m-%Y-") + base_name;
}

void func_build_log_record(unsigned char* record, time_t when, const std::string& text, int code)
{
    std::memset(record, 0, LOG_RECORD_SIZE);
    func_put_text_field(record + LOG_DATE_OFFSET, LOG_DATE_SIZE, format_moment(when, "%m/%d/%Y"));
    func_put_text_field(record + LOG_TIME_OFFSET, LOG_TIME_SIZE, format_moment(when, "%I:%M %p"));
    func_put_int32_le(record + LOG_CODE_OFFSET, code);
    func_put_text_field(record + LOG_TEXT_OFFSET, LOG_TEXT_SIZE, text);
}

void func_write_log(const char* base_name, const std::string& text, int code)
{
    // The folder is not part of a fresh installation; the first record makes it.
    mkdir(func_log_dir().c_str(), 0755);
    unsigned char record[LOG_RECORD_SIZE];
    time_t now = func_get_current_time();
    func_build_log_record(record, now, text, code);
    const std::string path = func_get_log_file_path(base_name);
    if (func_append_file_record(path, record, sizeof record)) {
        func_sync_after_write();
        return;
    }
    // A log that cannot be written is said once, not at every line.
    static std::set<std::string> reported;
    if (reported.insert(path).second)
        func_report_write_failure(path, errno);
}

void func_log_system_error(const char* function, const std::string& message)
{
    func_write_log(LOG_SYSERROR, std::string(function) + " : " + message, 0);
}

void func_clear_old_log_file()
{
    int year = std::atoi(format_moment(func_get_current_time(), "%Y").c_str());
    const std::string folder = func_log_dir();
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> doomed;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        for (int back = 2; back <= 4; ++back) {
            if (name.find(std::to_string(year - back)) != std::string::npos) {
                doomed.push_back(name);
                break;
            }
        }
    }
    closedir(dir);
    for (const std::string& name : doomed)
        func_file_io_ops().unlink_file((folder + name).c_str());
    func_sync_after_write();
}

namespace {
GtkListStore* transaction_store()
{
    if (!log_transaction_store)
        log_transaction_store = gtk_list_store_new(2, G_TYPE_INT, G_TYPE_STRING);
    return log_transaction_store;
}
}  // namespace

void func_begin_log_transaction() { gtk_list_store_clear(transaction_store()); }

void func_add_log_transaction(const std::string& text, int code)
{
    GtkTreeIter iter;
    gtk_list_store_append(transaction_store(), &iter);
    gtk_list_store_set(log_transaction_store, &iter, 0, code, 1, text.c_str(), -1);
}

void func_end_log_transaction(const std::string& heading, const char* target)
{
    GtkTreeModel* model = GTK_TREE_MODEL(transaction_store());
    GtkTreeIter iter;
    if (!gtk_tree_model_get_iter_first(model, &iter)) {
        gtk_list_store_clear(log_transaction_store);
        return;
    }
    if (!heading.empty())
        func_write_log(LOG_CHANGE, heading, 0);
    do {
        int code = 0;
        gchar* text = nullptr;
        gtk_tree_model_get(model, &iter, 0, &code, 1, &text, -1);
        func_write_log(target, text ? text : "", code);
        g_free(text);
    } while (gtk_tree_model_iter_next(model, &iter));
    gtk_list_store_clear(log_transaction_store);
}
