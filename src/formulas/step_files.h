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

// Where "Add Before" (where 0) and "Add After" (1) put a new step next to
// step selected; -1 when selected is not a step number (a number read from
// a file outside 1..99 never reaches arithmetic).
int func_new_step_number(int selected, int where);

// Each of these changes the rows and saves them (func_save_step_change):
// steps.dat, the formula's totals in formulas.dat and the chemical files
// change together. 1 when saved; 0 after reporting, with the files as
// before (the caller reads the rows back).
//
// Puts record into the list at row; the steps from that row on move one
// number up with their chemicals. With copy_chemicals_from >= 0 the
// chemicals of that step are copied to the new step.
int func_insert_step_at(int formula, bool metric, int row, const step_record& record, int copy_chemicals_from);
// Appends record; its chemicals copied from copy_chemicals_from when >= 0.
int func_append_step(int formula, bool metric, const step_record& record, int copy_chemicals_from);
// Removes the step at row and its chemicals; the later steps move one
// number down, with theirs.
int func_remove_step_at(int formula, bool metric, int row);
