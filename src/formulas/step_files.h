// Changes to the steps of a formula that move files: inserting, pasting
// and deleting a step keep the numbers 1..n in the list and each step's
// chemical file ("s-%03d_chems.dat") with its step. The list is the one
// in the step rows; saving it is the caller's next step.
#pragma once
#include "formulas/step_list.h"

// One past the highest step number in the list (numbers read from a file
// outside 1..99 are not counted), raised while taken.
int func_get_next_free_step_number();
// True when the list holds the most steps a formula may have.
bool func_step_list_full();

// Puts record into the list at row; the steps from that row on move one
// number up, their chemical files first (last step first, so no file is
// renamed onto one still in use). With copy_chemicals_from >= 0 the
// chemicals of that step are copied to the new step.
void func_insert_step_at(int formula, int row, const step_record& record, int copy_chemicals_from);
// Appends record; its chemicals copied from copy_chemicals_from when >= 0.
void func_append_step(int formula, const step_record& record, int copy_chemicals_from);
// Removes the step at row and its chemical file; the later steps move one
// number down, with their files.
void func_remove_step_at(int formula, int row);
