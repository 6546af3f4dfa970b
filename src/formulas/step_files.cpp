#include "formulas/step_files.h"

#include <cerrno>
#include <cstdio>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/shell_runner.h"
#include "files/write_failures.h"
#include "formulas/formula_list.h"
#include "formulas/step_rules.h"
#include "logs/log_file.h"

namespace {
std::string temporary_chemicals_path(int formula, int step)
{
    char name[32];
    std::snprintf(name, sizeof name, "s-%03d_chems", step);
    return func_get_formula_folder(formula) + name;
}

// A step without chemicals has no file; any other failure is reported
// but does not stop the renumbering.
void move_file(const std::string& from, const std::string& to)
{
    if (func_file_io_ops().rename_file(from.c_str(), to.c_str()) != 0 && errno != ENOENT) {
        func_report_write_failure(to, errno);
        func_write_log(LOG_SYSERROR, "func_rename_step_chemicals : Can't rename file " + from + " to " + to + ".",
                       0);
    }
}

void move_chemicals(int formula, int from, int to)
{
    move_file(func_get_step_chemicals_path(formula, from), func_get_step_chemicals_path(formula, to));
}

// Rows from first_row on move one number up, last row first, so no
// chemical file is renamed onto one that is still in use.
void renumber_up(int formula, int first_row)
{
    for (int row = func_get_step_row_count() - 1; row >= first_row; --row) {
        step_record record = func_get_step_row(row);
        if (record.number <= 0 || record.number >= STEP_LIST_MAX)
            continue;
        move_chemicals(formula, record.number, record.number + 1);
        record.number += 1;
        func_set_step_row(row, record);
    }
}

// Rows from first_row on move one number down, front to back.
void renumber_down(int formula, int first_row)
{
    const int rows = func_get_step_row_count();
    for (int row = first_row; row < rows; ++row) {
        step_record record = func_get_step_row(row);
        if (record.number <= 1 || record.number > STEP_LIST_MAX)
            continue;
        move_chemicals(formula, record.number, record.number - 1);
        record.number -= 1;
        func_set_step_row(row, record);
    }
}

void copy_chemicals(int formula, int from, const std::string& to)
{
    const std::string source = func_get_step_chemicals_path(formula, from);
    if (file_exists(source))
        func_copy_file(source, to);
}
}  // namespace

int func_get_next_free_step_number()
{
    int highest = 0;
    const int rows = func_get_step_row_count();
    for (int row = 0; row < rows; ++row) {
        const int number = func_get_step_row(row).number;
        if (number > highest && number <= STEP_LIST_MAX)
            highest = number;
    }
    int number = highest + 1;
    while (number <= STEP_LIST_MAX && func_find_step_row(number) >= 0)
        ++number;
    return number;
}

bool func_step_list_full() { return func_get_step_row_count() >= STEP_LIST_MAX; }

void func_insert_step_at(int formula, int row, const step_record& record, int copy_chemicals_from)
{
    func_insert_step_row(row, record);
    if (copy_chemicals_from < 0) {
        renumber_up(formula, row + 1);
    } else {
        // The copy waits under a name no step uses while the others move up.
        const std::string parked = temporary_chemicals_path(formula, record.number);
        func_file_io_ops().unlink_file(parked.c_str());
        copy_chemicals(formula, copy_chemicals_from, parked);
        renumber_up(formula, row + 1);
        move_file(parked, func_get_step_chemicals_path(formula, record.number));
    }
    func_sync_after_write();
}

void func_append_step(int formula, const step_record& record, int copy_chemicals_from)
{
    func_append_step_row(record);
    if (copy_chemicals_from >= 0) {
        copy_chemicals(formula, copy_chemicals_from, func_get_step_chemicals_path(formula, record.number));
        func_sync_after_write();
    }
}

void func_remove_step_at(int formula, int row)
{
    const step_record record = func_get_step_row(row);
    func_delete_step_chemicals(formula, record.number);
    func_remove_step_row(row);
    renumber_down(formula, row);
    func_sync_after_write();
}
