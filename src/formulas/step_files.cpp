#include "formulas/step_files.h"

#include <vector>

#include "formulas/formula_changes.h"

namespace {
// The step number each row had before the change: its chemicals.
std::vector<int> row_numbers()
{
    std::vector<int> numbers;
    const int rows = func_get_step_row_count();
    for (int row = 0; row < rows; ++row)
        numbers.push_back(func_get_step_row(row).number);
    return numbers;
}

// Rows from first_row on move one number up (numbers outside 1..98 stay).
void renumber_up(int first_row)
{
    for (int row = func_get_step_row_count() - 1; row >= first_row; --row) {
        step_record record = func_get_step_row(row);
        if (record.number <= 0 || record.number >= STEP_LIST_MAX)
            continue;
        record.number += 1;
        func_set_step_row(row, record);
    }
}

// Rows from first_row on move one number down (numbers outside 2..99 stay).
void renumber_down(int first_row)
{
    const int rows = func_get_step_row_count();
    for (int row = first_row; row < rows; ++row) {
        step_record record = func_get_step_row(row);
        if (record.number <= 1 || record.number > STEP_LIST_MAX)
            continue;
        record.number -= 1;
        func_set_step_row(row, record);
    }
}
}  // namespace

int func_new_step_number(int selected, int where)
{
    if (where == 0)
        return selected >= 1 && selected <= STEP_LIST_MAX ? selected : (selected <= 0 ? 1 : -1);
    return selected >= 1 && selected < STEP_LIST_MAX ? selected + 1 : -1;
}

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

int func_insert_step_at(int formula, bool metric, int row, const step_record& record, int copy_chemicals_from)
{
    if (row < 0 || row > func_get_step_row_count())
        return 0;
    std::vector<int> origins = row_numbers();
    origins.insert(origins.begin() + row, copy_chemicals_from);
    func_insert_step_row(row, record);
    renumber_up(row + 1);
    return func_save_step_change(formula, metric, &origins);
}

int func_append_step(int formula, bool metric, const step_record& record, int copy_chemicals_from)
{
    std::vector<int> origins = row_numbers();
    origins.push_back(copy_chemicals_from);
    func_append_step_row(record);
    return func_save_step_change(formula, metric, &origins);
}

int func_remove_step_at(int formula, bool metric, int row)
{
    if (row < 0 || row >= func_get_step_row_count())
        return 0;
    std::vector<int> origins = row_numbers();
    origins.erase(origins.begin() + row);
    func_remove_step_row(row);
    renumber_down(row);
    return func_save_step_change(formula, metric, &origins);
}
