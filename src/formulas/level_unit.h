// Changing the level unit (inches or centimetres) of the machine: the
// levels of every formula's steps.dat and the configuration's own four
// levels change together. Each converted steps.dat is first written
// beside the old one; a journal file is the point of no return; then the
// configuration is saved and the converted files take the old ones'
// places. A power cut at any point leaves all files in the old unit or,
// after the start-up that follows, all in the new one.
#pragma once
#include <functional>

struct machine_configuration;

// Levels of the configuration (items 26 to 29, hundredths) converted from
// the record's unit to new_unit (0 inches, 1 centimetres), and item 0 set.
void func_convert_configuration_levels(machine_configuration& record, int new_unit);

// Converts every formula of formulas.dat from metric_in_force to new_unit
// and calls save_configuration (which writes the configuration in the new
// unit) at the point of no return. 1 when everything is in the new unit;
// 0 when nothing was changed (a file could not be written, or the
// configuration could not be saved), after logging.
int func_change_level_unit(int new_unit, bool metric_in_force, const std::function<int()>& save_configuration);

// At start-up, with the configuration loaded: finishes a change a power
// cut interrupted after its point of no return (the converted files are
// put in place and the configuration follows), or drops one interrupted
// before it. 1 when a change was finished.
int func_finish_level_unit_change();
