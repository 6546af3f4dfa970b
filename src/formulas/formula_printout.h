// Printing the working formula set to one text file: every formula with
// its steps' settings and chemicals. The text is built from records in
// one buffer, then written atomically into the folder the file screen
// chose. The configuration printout shares the line layout and the
// writer. Display-free: the screen asks, shows the wait dialog and then
// the dialog the result names.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "formulas/chemicals.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"

// Characters of the label column of a setting line.
constexpr size_t PRINT_LABEL_WIDTH = 24;
// "#" line around formulas and the configuration, "=" line around steps.
constexpr size_t PRINT_FORMULA_RULE_WIDTH = 69;
constexpr size_t PRINT_STEP_RULE_WIDTH = 44;
// The settings printed for each step.
constexpr int PRINT_STEP_SETTING_COUNT = 16;

// Dialog kinds of the result: done, and warning or failure.
constexpr int PRINT_DIALOG_DONE = 2;
constexpr int PRINT_DIALOG_PROBLEM = 3;

// What a printout came to, for the screen to show.
struct print_result {
    int ok = 0;  // 1 when the file was written whole
    int dialog_kind = PRINT_DIALOG_PROBLEM;
    std::string message;  // the dialog's text
    std::string path;     // the file written, or the one that could not be
};

// label cut or padded with blanks to exactly 24 characters (UTF-8
// characters, so a translated label is cut whole), then " : ".
std::string func_print_label_column(const std::string& label);
// Appends "<label column><value>\n".
void func_format_print_line(std::string& text, const std::string& label, const std::string& value);
// Appends `width` copies of c and a line feed.
void func_append_print_rule(std::string& text, char c, size_t width);

// "<word>-(<name>).txt" as one entry of a folder: no "/", no "..", no
// control characters, word and name cut at a character boundary so the
// whole stays well within a file name's length.
std::string func_print_file_name(const std::string& word, const std::string& name);

// Writes text as folder + file_name atomically (folder may lack its
// trailing "/"). 1, or 0 after "<who> : Can't open file <path>." in
// syserror.log; no file of that name then appears. path gets the full path.
int func_save_print_buffer_to_file(const std::string& text, const std::string& folder, const std::string& file_name,
                                   const char* who, std::string& path);

// Everything a formula printout takes besides the records, gathered once:
// words and labels of the language in force, option texts, the unit
// system and the chemical names. Lines that only depend on an option
// value are made whole here, so a step costs few copies.
struct formula_print_texts {
    std::string formula_word;      // "Formula"
    std::string step_word;         // "Step"
    std::string chemical_heading;  // "Chemical"
    std::string setting_labels[PRINT_STEP_SETTING_COUNT];  // label columns, " : " included
    // For settings with an option row: the whole line of each value the
    // row can hold; a value outside the row prints the label alone.
    std::vector<std::string> option_lines[PRINT_STEP_SETTING_COUNT];
    bool metric = false;  // temperatures in Celsius ("C")
    std::string chemical_names[CHEMICAL_COUNT];
    std::vector<std::string> inject_options, signal_options;
    // Level texts already made ("%1.1f" follows the locale, so they come
    // from printf), by level modulo the size. A cache only.
    static constexpr int LEVEL_CACHE_SIZE = 64;
    mutable int cached_level[LEVEL_CACHE_SIZE] = {};
    mutable std::string cached_level_text[LEVEL_CACHE_SIZE];
};

// From the language slots, the option tables, the configuration in
// force and default_chemical_names.
formula_print_texts func_get_formula_print_texts();

// Step items of the setting lines, in print order.
extern const int PRINT_STEP_ITEMS[PRINT_STEP_SETTING_COUNT];

// Appends one formula: "#" line, heading, "#" line, blank line, then each
// step with its settings and, when its Chemical setting is above 0, the
// enabled entries of chemicals[i] (the chemicals read for steps[i]).
// Temperatures are taken as the file holds them (Fahrenheit).
void func_append_formula_printout(std::string& text, const formula_record& formula,
                                  const std::vector<step_record>& steps,
                                  const std::vector<std::vector<chemical_record>>& chemicals,
                                  const formula_print_texts& texts);
// The end of the printout: blank line, "#" line, line feed.
void func_append_printout_end(std::string& text);

// The printout of every formula in formulas.dat (ascending number, active
// or not), read straight from the files: the lists the screens edit are
// left alone. 0 when there is no formula (text empty), else 1. Steps or
// chemicals that cannot be read are left out and logged in one line.
int func_build_formulas_printout(std::string& text);

// The file screen's print: builds the printout and writes it into
// destination_folder as "<Formula>-(<set name>).txt", the set name being
// the working formula set's, or fallback_name when there is none.
print_result func_print_all_formulas(const std::string& destination_folder, const std::string& fallback_name);

extern const char* const PRINT_NO_FORMULAS_TEXT;
extern const char* const PRINT_FORMULAS_DONE_TEXT;
extern const char* const PRINT_FORMULAS_FAILED_TEXT;
