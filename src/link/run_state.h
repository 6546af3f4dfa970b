// What the console knows about the machine's run: whether a formula runs,
// how long it has run, the manual and automatic modes, and the
// controller's version. Set by the home and run screens and the link.
#pragma once

extern int in_run_mode, in_remote_run_mode;
extern int resume_formula_number, resume_formula_flag;
extern int formula_ended;
extern double formula_elapse_time;
extern int in_vez_automatic_mode, vez_power_up_mode;
// 1 when the controller's version file could be read.
extern int VALID_COM_VERSION;
extern int manual_mode;
// Where the diagnostics screen goes back to: the run screen (set when the
// run screen's diagnostics button leads there) or the VEZ state screen.
extern int return_to_run_screen, return_to_vez_state_screen;

extern "C" {
// 1 s timer of a running formula: counts until the formula has ended.
int func_update_formula_elapse_time(void* data);
}
