#include "formulas/formula_changes.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/atomic_file.h"
#include "files/change_journal.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_file.h"
#include "files/write_failures.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "language/units.h"
#include "logs/log_file.h"

namespace {
const char* const LIST_NAME = "formulas.dat";

std::string folder_name(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "f-%03d", number);
    return name;
}

std::string chemicals_name(int step)
{
    char name[40];
    std::snprintf(name, sizeof name, "s-%03d_chems.dat", step);
    return name;
}

bool is_chemicals_name(const std::string& name)
{
    const std::string tail = "_chems.dat";
    return name.rfind("s-", 0) == 0 && name.size() > tail.size() &&
           name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

std::string staged(const std::string& name) { return func_staged_change_path(func_formulas_dir(), name); }

bool copy_one(const std::string& from, const std::string& to)
{
    if (func_copy_outside_file(from, to) == copy_outcome::done)
        return true;
    func_report_write_failure(to, errno);
    return false;
}

// A staged formula folder holding the plain files of the formula's
// folder (when there is one); chemical files and steps.dat are left to
// the caller when only_others.
bool stage_folder(int formula, const std::string& name, bool only_others)
{
    const std::string target = staged(name);
    if (func_file_io_ops().make_folder(target.c_str(), 0755) != 0) {
        func_report_write_failure(target, errno);
        return false;
    }
    const std::string source = func_get_formula_folder(formula);
    DIR* dir = opendir(source.c_str());
    if (!dir)
        return true;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        const std::string entry_name = entry->d_name;
        if (entry_name[0] == '.' || (only_others && (entry_name == "steps.dat" || is_chemicals_name(entry_name))))
            continue;
        struct stat info;
        if (lstat((source + entry_name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(entry_name);
    }
    closedir(dir);
    for (const std::string& entry_name : names)
        if (!copy_one(source + entry_name, target + "/" + entry_name))
            return false;
    return true;
}

bool stage_list() { return func_save_formula_list_to_path(staged(LIST_NAME)) != 0; }

// The folder of formula `from` staged as formula `to`'s (empty when
// `from` has none).
bool stage_copy(int from, int to, std::vector<change_entry>& entries)
{
    entries.push_back({change_kind::replace, folder_name(to)});
    return stage_folder(from, folder_name(to), false);
}

// The file the operator knows the change by, and its syserror.log line.
struct saved_file {
    std::string path;
    const char* saver;
};
saved_file list_file() { return {func_get_formula_list_path(), "func_save_formula_list"}; }

void log_not_saved(const saved_file& file)
{
    func_write_log(LOG_SYSERROR, std::string(file.saver) + " : Can't open file " + file.path + ".", 0);
}

int commit(bool staged_ok, std::vector<change_entry> entries, const char* who, const saved_file& file = list_file())
{
    if (!staged_ok) {
        // What failed was reported under its own name.
        func_log_system_error(who, "The change could not be prepared; nothing was changed.");
        log_not_saved(file);
        func_abandon_data_change(func_formulas_dir());
        return 0;
    }
    if (func_commit_data_change(func_formulas_dir(), entries, who))
        return 1;
    log_not_saved(file);
    return 0;
}

bool begin(const saved_file& file = list_file())
{
    if (func_begin_data_change(func_formulas_dir()))
        return true;
    func_report_write_failure(file.path, errno);
    log_not_saved(file);
    return false;
}
}  // namespace

int func_save_formula_list_with_new(int number)
{
    if (!begin())
        return 0;
    return commit(stage_list(), {{change_kind::remove, folder_name(number)}, {change_kind::replace, LIST_NAME}},
                  "func_add_formula");
}

int func_save_formula_list_with_copy(int from, int to)
{
    if (!begin())
        return 0;
    std::vector<change_entry> entries;
    const bool ok = stage_copy(from, to, entries) && stage_list();
    entries.push_back({change_kind::replace, LIST_NAME});
    return commit(ok, entries, "func_copy_formula");
}

int func_save_formula_list_without(int number)
{
    if (!begin())
        return 0;
    return commit(stage_list(), {{change_kind::remove, folder_name(number)}, {change_kind::replace, LIST_NAME}},
                  "func_delete_formula");
}

int func_save_formula_list_renumbered(int from, int to)
{
    if (!begin())
        return 0;
    std::vector<change_entry> entries = {{change_kind::remove, folder_name(from)}};
    const bool ok = stage_copy(from, to, entries) && stage_list();
    entries.push_back({change_kind::replace, LIST_NAME});
    return commit(ok, entries, "func_process_change_formula_number");
}

int func_save_step_change(int formula, bool metric, const std::vector<int>* chemical_origins)
{
    const char* who = "func_save_step_list";
    if (formula < 1 || formula > FORMULA_LIST_MAX)
        return 0;
    const int rows = func_get_step_row_count();
    std::string bytes(static_cast<size_t>(rows) * STEP_RECORD_SIZE, '\0');
    long long total = 0;
    for (int row = 0; row < rows; ++row) {
        step_record record = func_get_step_row(row);
        total += record.items[STEP_TIME];
        if (metric && record.items[STEP_TEMPERATURE] != 0)
            record.items[STEP_TEMPERATURE] = func_convert_temperature_to_F(record.items[STEP_TEMPERATURE]);
        func_encode_step_record(record, reinterpret_cast<unsigned char*>(&bytes[row * STEP_RECORD_SIZE]));
    }
    const int32_t time = static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : (total < INT32_MIN ? INT32_MIN : total));
    const bool listed = func_set_formula_row_totals(formula, rows, time);
    const saved_file steps_file = {func_get_step_file_path(formula), "func_save_step_list"};
    if (!begin(steps_file)) {
        func_load_formula_list_from_file();
        return 0;
    }

    const std::string folder = folder_name(formula);
    std::vector<change_entry> entries;
    bool ok = true;
    if (chemical_origins) {
        // The whole folder is staged: chemical files under their new numbers.
        entries.push_back({change_kind::replace, folder});
        ok = stage_folder(formula, folder, true) &&
             func_write_record_bytes(staged(folder) + "/steps.dat", bytes) != 0;
        for (int row = 0; ok && row < rows && row < static_cast<int>(chemical_origins->size()); ++row) {
            const int origin = (*chemical_origins)[row];
            const std::string source = func_get_step_chemicals_path(formula, origin);
            if (origin >= 0 && file_exists(source))
                ok = copy_one(source, staged(folder) + "/" + chemicals_name(func_get_step_row(row).number));
        }
    } else {
        entries.push_back({change_kind::replace, folder + "/steps.dat"});
        ok = func_write_record_bytes(staged(folder + "/steps.dat"), bytes) != 0;
    }
    if (listed) {
        entries.push_back({change_kind::replace, LIST_NAME});
        ok = ok && stage_list();
    }
    if (!commit(ok, entries, who, steps_file)) {
        // The totals as the file has them.
        func_load_formula_list_from_file();
        return 0;
    }
    return listed ? 1 : 0;
}

int func_finish_formula_change() { return func_finish_data_change(func_formulas_dir()); }
