// The language array p: every operator text is slot n of it, loaded from
// data/L<n>.lng. English (L0) is loaded first, then the configured one.
#pragma once
#include <string>
#include <vector>

constexpr int LANGUAGE_SLOT_COUNT = 1000;
// Longest line a language file read takes (a longer line counts as more).
constexpr int LANGUAGE_LINE_MAX = 199;
// Languages are numbered 0 (English) to this.
constexpr int LANGUAGE_NUMBER_MAX = 10;
// The slot in which each language file gives its own name.
constexpr int LANGUAGE_NAME_SLOT = 902;

// Slots hold their text; a slot no file has filled is empty.
extern std::string p[LANGUAGE_SLOT_COUNT];
extern int default_language;

// Loads data/<name>.lng and applies it (tables, font, locale). Every load
// starts from empty slots and the compiled tables, then English (L0), then
// for another language its file on top: a blank translated line shows the
// English text. 0 when the file cannot be read (nothing changes then): the
// caller tells the operator with func_missing_language_text().
int func_init_language(const char* name);
// Own names of the installed languages (slot LANGUAGE_NAME_SLOT of each
// file), L0 up to the highest installed; "L<n>" for a file that is missing
// or names nothing. Fills the Language option row at each load.
std::vector<std::string> func_installed_language_names();
std::string func_missing_language_text();
// Copies the slots into the option and label tables.
void func_init_language_array();
// The font name the toolkit gets for the variant and language.
std::string func_get_language_font_name(double language_number);
// The locale chosen for a language number.
std::string func_get_language_locale(int language_number);

struct machine_configuration;
// The copying part of func_init_language_array, for a given configuration
// (item 0 picks the analog units, item 2 the text of output 111; none
// counts as all items 0). Empty slots leave their entries as they are.
void func_copy_language_to_tables(const machine_configuration* configuration);
