#include "logs/log_file.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/shell_runner.h"
#include "frame/app_state.h"
#include "language/language.h"
#include "language/time_source.h"

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

std::string slot_text(int slot) { return p[slot]; }
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
    if (func_append_file_record(func_get_log_file_path(base_name), record, sizeof record))
        func_sync_after_write();
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

void func_begin_log_transaction()
{
    if (log_transaction_store)
        gtk_list_store_clear(log_transaction_store);
}

void func_add_log_transaction(const std::string& text, int code)
{
    if (!log_transaction_store)
        return;
    GtkTreeIter iter;
    gtk_list_store_append(log_transaction_store, &iter);
    gtk_list_store_set(log_transaction_store, &iter, 0, code, 1, text.c_str(), -1);
}

namespace {
// Heading of the queued lines, by the screen being left; empty for none.
std::string transaction_heading(int screen)
{
    char text[512];
    const page_list_info* formulas = page_info ? &page_info[SCREEN_FORMULAS].list : nullptr;
    const page_list_info* steps = page_info ? &page_info[SCREEN_STEPS].list : nullptr;
    switch (screen) {
    case SCREEN_CONFIGURATION:
        snprintf(text, sizeof text, "%s %s", slot_text(184).c_str(), slot_text(177).c_str());
        return text;
    case SCREEN_FORMULAS:
        snprintf(text, sizeof text, "%s %s", slot_text(184).c_str(), slot_text(186).c_str());
        return text;
    case SCREEN_STEPS:
        if (!formulas || formulas->selected_number == -1)
            return "";
        snprintf(text, sizeof text, "%s %s : F-%03d (%s)", slot_text(184).c_str(),
                 slot_text(187).c_str(), formulas->selected_number, formulas->selected_text);
        return text;
    case SCREEN_SELECTED_STEP:
    case SCREEN_CHEMICALS:
        if (!formulas || !steps || formulas->selected_number == -1 || steps->selected_number == -1)
            return "";
        snprintf(text, sizeof text, "%s F-%03d (%s): S-%03d (%s)", slot_text(184).c_str(),
                 formulas->selected_number, formulas->selected_text, steps->selected_number,
                 steps->selected_text);
        return text;
    case SCREEN_RUN:
        return "";
    default:
        return slot_text(184) + " ";
    }
}
}  // namespace

void func_end_log_transaction()
{
    if (!log_transaction_store)
        return;
    GtkTreeModel* model = GTK_TREE_MODEL(log_transaction_store);
    GtkTreeIter iter;
    if (!gtk_tree_model_get_iter_first(model, &iter)) {
        gtk_list_store_clear(log_transaction_store);
        return;
    }
    const int screen = func_current_screen_code();
    std::string heading = transaction_heading(screen);
    if (!heading.empty())
        func_write_log(LOG_CHANGE, heading, 0);
    const char* target = screen == SCREEN_RUN ? LOG_PRODUCTION : LOG_CHANGE;
    do {
        int code = 0;
        gchar* text = nullptr;
        gtk_tree_model_get(model, &iter, 0, &code, 1, &text, -1);
        func_write_log(target, text ? text : "", code);
        g_free(text);
    } while (gtk_tree_model_iter_next(model, &iter));
    gtk_list_store_clear(log_transaction_store);
}
