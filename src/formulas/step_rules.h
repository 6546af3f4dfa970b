// Which settings of a step may be edited for its type and the machine, the
// values the locked ones are forced to, and the checks before a step is
// saved. Display-free: the selected-step screen hands in the labels of its
// value buttons and applies what comes back.
#pragma once
#include <string>

#include "formulas/step_list.h"

constexpr int STEP_FORM_ITEMS = 19;  // items 0 to 18 are shown

// The value buttons of the selected-step screen as texts.
struct step_form {
    std::string labels[STEP_FORM_ITEMS];
    bool editable[STEP_FORM_ITEMS] = {};
    // Data entry item code the speed button opens (10 wash, 11 extract);
    // 0 when the speed is an option of the selection dialog.
    int speed_item_code = 0;
};

// The machine facts the rules read.
struct step_rules_context {
    bool programmable_speed = true;
    int machine_type = 0;  // index into the machine-type speed tables
    bool metric = false;
    float temp_probe = 0, flow_meters = 0, reuse_drain = 0, overhead_tank = 0, recirculation = 0;
};

// From current_machine_configuration and NO_PROGRAMMABLE_RPM.
step_rules_context func_get_step_rules_context();

// Applies the lockout for a step type to the form. Returns true when the
// step can no longer carry chemicals (its chemical file must go).
bool func_apply_step_lockout(step_form& form, int type, const step_rules_context& context);

// The checks before saving, on the values the form shows. previous/next
// are the neighbouring steps in the list (null when none or unreadable).
// Returns 1 when the step may be saved; otherwise 0 with message set.
int func_check_step_form(const step_form& form, int step_number, int step_count, const step_record* previous,
                         const step_record* next, const step_rules_context& context, std::string& message);

// The previous step's temperature when this cooldown step follows a
// hotter one, else -1 (the run screen uses it).
int func_cooldown_step_adjustment(const step_record& step);
// Removes the step's chemical file in the selected formula's folder.
void func_delete_step_chemicals(int step_number);
