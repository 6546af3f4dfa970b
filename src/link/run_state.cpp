#include "link/run_state.h"

int in_run_mode = 0, in_remote_run_mode = 0;
int resume_formula_number = -1, resume_formula_flag = 0;
int formula_ended = 0;
double formula_elapse_time = 0.0;
int in_vez_automatic_mode = 0, vez_power_up_mode = 0;
int VALID_COM_VERSION = 0;
int manual_mode = 0;
int return_to_run_screen = 0, return_to_vez_state_screen = 0;

int func_update_formula_elapse_time(void*)
{
    if (formula_ended)
        return 0;
    formula_elapse_time += 1.0;
    return 1;
}
