// Which settings of a step may be edited for its type and the machine, the
// values the locked ones are forced to, the checks before a step is
// saved, and the text of each value on its button. Display-free: the
// selected-step screen reads its buttons back through
// func_step_value_from_text, hands the values in and shows what comes back.
#pragma once
#include <string>

#include "formulas/step_list.h"

constexpr int STEP_FORM_ITEMS = 19;  // items 0 to 18 are shown

// The values of the step being edited, as the selected-step screen shows them.
struct step_form {
    int values[STEP_FORM_ITEMS] = {};  // step_record.items; temperature in the units shown
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

// Text of an item's value on its button ("%03d° F", times, option texts,
// levels in units, speeds) and the value such a text stands for. The
// speed is kept within the machine's limits for the step's type.
std::string func_step_value_text(int value, int item, int type, const step_rules_context& context);
int func_step_value_from_text(const std::string& text, int item, int type, const step_rules_context& context);

// Applies the lockout for a step type to the form. Returns true when the
// step can no longer carry chemicals (its chemical file must go).
bool func_apply_step_lockout(step_form& form, int type, const step_rules_context& context);

// The checks before saving, on the values the form holds. previous/next
// are the neighbouring steps in the list (null when none or unreadable).
// Returns 1 when the step may be saved; otherwise 0 with message set.
int func_check_step_form(const step_form& form, int step_number, int step_count, const step_record* previous,
                         const step_record* next, const step_rules_context& context, std::string& message);

// The previous step's temperature when this cooldown step follows a
// hotter one, else -1 (the run screen uses it).
int func_cooldown_step_adjustment(const step_record& step);
// Removes the step's chemical file in the formula's folder. 1 when it is
// gone (or there was none).
int func_delete_step_chemicals(int formula, int step_number);

// How many leading options of a step item's row the selection dialog
// offers (the full count when the rule does not limit): step types by the
// step's place and neighbours (types -1 when none), water choices by the
// temperature probe, drain types, Re-Use Drain by the configuration.
int func_limit_step_type_options(int count, int step_number, int previous_type, int next_type);
int func_limit_probe_options(int count, float temp_probe_item);
int func_limit_drain_type_options(int count);
int func_limit_reuse_drain_options(int count, float reuse_drain_item);
