// Printing the machine configuration and the VEZ configuration to a text
// file in the folder the file screen chose. The text is built from the
// two records alone; the file is written by the formula printout's
// writer. Display-free: the screen shows the dialog the result names.
#pragma once
#include <string>

#include "configuration/configuration_record.h"
#include "configuration/vez_configuration.h"
#include "formulas/formula_printout.h"

constexpr int PRINT_CONFIGURATION_LINES = 49;
constexpr int PRINT_VEZ_LINES = 11;

// "#" line, "<Configuration> ", "#" line, blank line, one line for each
// printed configuration item, then a blank line, "#" line, "VEZ
// <Configuration>", "#" line and VEZ items 0 to 10. Labels from the
// language in force; values truncated toward zero.
std::string func_build_configuration_printout(const machine_configuration& configuration,
                                              const vez_configuration& vez);

// Reads the VEZ file, prints current_machine_configuration with it and
// writes "<Configuration>-(<configuration file name>).txt" into
// destination_folder (fallback_name when there is no configuration file).
print_result func_print_configuration(const std::string& destination_folder, const std::string& fallback_name);

extern const char* const PRINT_CONFIGURATION_DONE_TEXT;
extern const char* const PRINT_CONFIGURATION_FAILED_TEXT;
