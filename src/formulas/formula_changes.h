// Saves of the formula list and of a formula's steps that also change
// folders or chemical files, each made as one step (files/change_journal.h):
// after a failure, and after a power cut and the start-up that follows,
// formulas.dat, the f-NNN folders, steps.dat and the s-NNN_chems.dat files
// agree and are all as before or all as after. A failure is logged and
// reported (func_report_write_failure); the caller then reads the lists
// back from the files.
#pragma once
#include <vector>

// formula_list_store as it now is into formulas.dat, and:
// a folder an earlier formula of that number left behind goes;
int func_save_formula_list_with_new(int number);
// the folder of `to` becomes a copy of the folder of `from`;
int func_save_formula_list_with_copy(int from, int to);
// the formula's folder goes;
int func_save_formula_list_without(int number);
// the folder of `from` becomes the folder of `to`.
int func_save_formula_list_renumbered(int from, int to);

// step_list_store into the formula's steps.dat (temperatures back to
// Fahrenheit when metric) and its step count and total time into
// formula_list_store and formulas.dat. With chemical_origins, the
// chemicals of row i are those step chemical_origins[i] had before (-1:
// none) and chemical files of other numbers go. 1 when everything was
// saved.
int func_save_step_change(int formula, bool metric, const std::vector<int>* chemical_origins);

// Start-up, before anything reads a formula: finishes or drops a change
// a power cut interrupted. 1 when one was finished.
int func_finish_formula_change();
