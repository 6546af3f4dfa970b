#include "formulas/level_unit.h"

#include <cerrno>
#include <cmath>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "configuration/configuration_lookup.h"
#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/write_failures.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "logs/log_file.h"

namespace {
// Neither name holds an extension or prefix the console searches for.
const char* const JOURNAL_NAME = "level-unit.journal";
const char* const STAGED_NAME = "steps.level-unit";
constexpr size_t LEVEL_OFFSET = 56 + 4 * STEP_LEVEL;
// A steps.dat this long is not one the console wrote; it is left alone.
constexpr size_t STEP_FILE_LIMIT = 1 << 22;
const char* const WHO = "func_change_level_unit";

// First line of the journal while converted files are being staged; the
// new unit ("0" or "1") once the change is decided.
constexpr const char* JOURNAL_STAGING = "staging";

std::string journal_path() { return func_formulas_dir() + JOURNAL_NAME; }
std::string staged_path(int formula) { return func_get_formula_folder(formula) + STAGED_NAME; }

bool read_step_file(const std::string& path, std::string& bytes)
{
    const int read = func_read_small_file(path, STEP_FILE_LIMIT, bytes);
    if (read < 0)
        func_log_system_error(WHO, path + " is too long to be a step file; its levels are left as they are");
    return read > 0;
}

// The level of every whole record, in place: every other byte stays as the
// controller wrote it. True when a level changed.
bool convert_levels(std::string& bytes, int new_unit, int metric)
{
    bool changed = false;
    for (size_t at = 0; at + STEP_RECORD_SIZE <= bytes.size(); at += STEP_RECORD_SIZE) {
        auto* level = reinterpret_cast<unsigned char*>(&bytes[at + LEVEL_OFFSET]);
        const int32_t old_level = func_get_int32_le(level);
        const int32_t new_level = func_convert_level_to_unit(old_level, new_unit, metric);
        if (new_level != old_level) {
            func_put_int32_le(level, new_level);
            changed = true;
        }
    }
    return changed;
}

std::vector<int> formula_numbers()
{
    func_load_formula_list_from_file();
    std::unique_ptr<formula_snapshot> list(func_get_formula_list_from_liststore());
    std::vector<int> numbers;
    if (list)
        for (const formula_record& record : list->records)
            if (record.number >= 1 && record.number <= FORMULA_LIST_MAX)
                numbers.push_back(record.number);
    return numbers;
}

void remove_file(const std::string& path)
{
    if (func_file_io_ops().unlink_file(path.c_str()) != 0 && errno != ENOENT)
        func_log_system_error(WHO, "Can't remove " + path);
}

void remove_staged_files()
{
    for (int formula = 1; formula <= FORMULA_LIST_MAX; ++formula)
        if (file_exists(staged_path(formula)))
            remove_file(staged_path(formula));
}

// Staged files first: the journal goes only when none is left.
void drop_staged_change()
{
    remove_staged_files();
    remove_file(journal_path());
}

// Every converted file takes its old file's place. True when all did.
bool put_staged_files_in_place()
{
    bool all = true;
    for (int formula = 1; formula <= FORMULA_LIST_MAX; ++formula) {
        const std::string staged = staged_path(formula);
        if (!file_exists(staged))
            continue;
        if (func_file_io_ops().rename_file(staged.c_str(), func_get_step_file_path(formula).c_str()) != 0) {
            func_report_write_failure(func_get_step_file_path(formula), errno);
            func_log_system_error(WHO, "Can't put " + staged + " in place");
            all = false;
        }
    }
    // The renames are in the formula folders: one flush covers them all.
    func_sync_staged_folder(func_formulas_dir());
    return all;
}

int configuration_unit(const machine_configuration& record)
{
    return func_truncate_to_int(record.items[0], 0) == 1 ? 1 : 0;
}
}  // namespace

void func_convert_configuration_levels(machine_configuration& record, int new_unit)
{
    const int old_unit = configuration_unit(record);
    if (old_unit != new_unit) {
        for (int item = 26; item <= 29; ++item) {
            const double level = record.items[item];
            const double converted = new_unit == 1 ? level * 2.54 : level / 2.54;
            record.items[item] = static_cast<float>(std::trunc(converted));
        }
    }
    record.items[0] = static_cast<float>(new_unit);
}

int func_change_level_unit(int new_unit, bool metric_in_force, const std::function<int()>& save_configuration)
{
    // A change an earlier power cut left half done is finished first.
    func_finish_level_unit_change();
    if (file_exists(journal_path())) {
        func_log_system_error(WHO, "An earlier change of level unit could not be finished; no level was changed");
        return 0;
    }
    // The journal says staging has begun, so that a start-up needs to look
    // for staged files only when it is there.
    if (!func_write_file_atomic(journal_path(), std::string(JOURNAL_STAGING) + "\n"))
        return 0;
    const int metric = metric_in_force ? 1 : 0;
    for (int formula : formula_numbers()) {
        std::string bytes;
        if (!read_step_file(func_get_step_file_path(formula), bytes) || !convert_levels(bytes, new_unit, metric))
            continue;
        if (!func_write_staged_file(staged_path(formula), bytes)) {
            func_log_system_error(WHO, "Can't write " + staged_path(formula) + "; no level was changed");
            drop_staged_change();
            return 0;
        }
    }
    // Every staged file is on the disk before the change is decided.
    if (!func_sync_staged_folder(func_formulas_dir())) {
        func_report_write_failure(func_formulas_dir(), errno);
        func_log_system_error(WHO, "Can't flush the converted steps; no level was changed");
        drop_staged_change();
        return 0;
    }
    // The point of no return: from here a start-up completes the change.
    if (!func_write_file_atomic(journal_path(), std::to_string(new_unit) + "\n")) {
        drop_staged_change();
        return 0;
    }
    if (!save_configuration()) {
        drop_staged_change();
        func_log_system_error(WHO, "The configuration could not be saved; no level was changed");
        return 0;
    }
    // Past the point of no return a failed rename is tried once more, so
    // that a passing fault does not leave the change to the next start.
    const bool placed = put_staged_files_in_place() || put_staged_files_in_place();
    if (placed)
        remove_file(journal_path());
    // Files not put in place stay with the journal for the next start.
    return placed ? 1 : 0;
}

int func_finish_level_unit_change()
{
    // A journal is one short line; nothing longer can match it.
    char start[64];
    const long got = func_read_file_start(journal_path(), start, sizeof start);
    if (got < 0)
        return 0;
    std::string text(start, static_cast<size_t>(got));
    text.erase(std::min(text.find('\n'), text.size()));
    if (text == JOURNAL_STAGING) {
        drop_staged_change();
        func_write_log(LOG_SYSERROR, std::string(WHO) + " : a change of level unit cut short was dropped.", 0);
        return 0;
    }
    if (text != "0" && text != "1") {
        func_log_system_error(WHO, journal_path() + " is damaged; the change of level unit is dropped");
        remove_staged_files();
        remove_file(journal_path());
        return 0;
    }
    const int new_unit = text == "1" ? 1 : 0;
    if (!put_staged_files_in_place())
        return 0;
    if (current_machine_configuration && configuration_unit(*current_machine_configuration) != new_unit) {
        machine_configuration record = *current_machine_configuration;
        func_convert_configuration_levels(record, new_unit);
        if (!func_save_configuration(record))
            return 0;
    }
    remove_file(journal_path());
    func_write_log(LOG_SYSERROR, std::string(WHO) + " : a change of level unit cut short was finished.", 0);
    return 1;
}
