#include "formulas/formula_printout.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "configuration/configuration_record.h"
#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "files/record_file.h"
#include "language/language.h"
#include "language/option_tables.h"
#include "language/units.h"
#include "logs/log_file.h"

const char* const PRINT_NO_FORMULAS_TEXT = "There are no Formula(s) defined.";
const char* const PRINT_FORMULAS_DONE_TEXT = "Formula successfully printed to file.";
const char* const PRINT_FORMULAS_FAILED_TEXT = "There was a problem printing formulas to file.";

const int PRINT_STEP_ITEMS[PRINT_STEP_SETTING_COUNT] = {
    STEP_TYPE, STEP_TIME, STEP_TEMPERATURE, STEP_HOT, STEP_COLD, STEP_THIRD_WATER, STEP_LEVEL, STEP_STEAM, STEP_RPM,
    STEP_DRAIN_TYPE, STEP_REUSE_DRAIN, STEP_HOW_TO_END, STEP_ON_TIME, STEP_OFF_TIME, STEP_FILL_FROM_TANK,
    STEP_RECIRCULATE,
};

namespace {
constexpr record_format FORMULA_FILE = {FORMULA_RECORD_SIZE, FORMULA_LIST_MAX, "formulas"};
constexpr record_format STEP_FILE = {STEP_RECORD_SIZE, STEP_LIST_MAX, "steps"};
constexpr record_format CHEMICAL_FILE = {CHEMICAL_RECORD_SIZE, CHEMICAL_COUNT, "chemicals"};

constexpr int SLOT_CHEMICAL = 155;
constexpr int SLOT_FORMULA = 186;
constexpr int SLOT_STEP = 187;
// Language slots of the setting labels, in the order of PRINT_STEP_ITEMS.
constexpr int STEP_LABEL_SLOTS[PRINT_STEP_SETTING_COUNT] = {127, 152, 153, 83,  84,  143, 154, 88,
                                                            156, 157, 144, 159, 406, 407, 451, 452};
constexpr int CHEMICAL_INJECT_ITEM = 3, CHEMICAL_SIGNAL_ITEM = 5;

// Bytes of a file name taken from each part; with the fixed characters
// the name stays far below the 255 a folder entry may hold.
constexpr size_t FILE_WORD_MAX = 64, FILE_NAME_PART_MAX = 160;
// Rough bytes of a printed formula and of a step's values, to size the
// buffer once (a short guess only costs a regrowth).
constexpr size_t FORMULA_BYTES_GUESS = 200, VALUE_BYTES_GUESS = 8;
// A chemical line without its name and option texts: number, separators,
// a time of up to 8 characters and the line feed.
constexpr size_t CHEMICAL_LINE_FIXED_BYTES = 2 + 6 + 3 + 3 + 8 + 3 + 1;

// printf's "%0<width>d" into out (room for 24 bytes); returns the length.
// Without printf: a full set has two million such numbers.
size_t format_int(char* out, long long value, int width)
{
    char digits[24];
    int count = 0;
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    size_t length = 0;
    if (value < 0) {
        out[length++] = '-';
        --width;
    }
    for (int zeros = width - count; zeros > 0; --zeros)
        out[length++] = '0';
    while (count > 0)
        out[length++] = digits[--count];
    return length;
}

// The text func_convert_seconds_to_time gives, into out (room for 24 bytes).
size_t format_time(char* out, int seconds)
{
    if (seconds < 0)
        seconds = 0;
    size_t length = 0;
    if (seconds >= 3600) {
        length += format_int(out, seconds / 3600, 2);
        out[length++] = ':';
        length += format_int(out + length, seconds / 60 % 60, 2);
    } else {
        length += format_int(out, seconds / 60, 2);
    }
    out[length++] = ':';
    return length + format_int(out + length, seconds % 60, 2);
}

void append_int(std::string& text, long long value, int width)
{
    char number[24];
    text.append(number, format_int(number, value, width));
}

void append_time(std::string& text, int seconds)
{
    char time[24];
    text.append(time, format_time(time, seconds));
}

void append_option(std::string& text, const std::vector<std::string>& options, int value)
{
    // A value outside the row has no text, as on the screens.
    if (value >= 0 && static_cast<size_t>(value) < options.size())
        text += options[static_cast<size_t>(value)];
}

const std::string& level_text(int level, const formula_print_texts& texts)
{
    const int slot = level % formula_print_texts::LEVEL_CACHE_SIZE;
    if (texts.cached_level[slot] != level) {
        char made[32];
        std::snprintf(made, sizeof made, "%1.1f", level / 100.0);
        texts.cached_level[slot] = level;
        texts.cached_level_text[slot] = made;
    }
    return texts.cached_level_text[slot];
}

// One setting line: label column, value text, line feed, in one copy.
void append_line(std::string& text, const std::string& label, const char* value, size_t length)
{
    char line[256];
    if (label.size() + length + 1 > sizeof line) {
        text += label;
        text.append(value, length);
        text += '\n';
        return;
    }
    std::memcpy(line, label.data(), label.size());
    std::memcpy(line + label.size(), value, length);
    line[label.size() + length] = '\n';
    text.append(line, label.size() + length + 1);
}

void append_setting(std::string& text, int line, int value, const formula_print_texts& texts)
{
    const std::string& label = texts.setting_labels[line];
    char made[48];
    switch (PRINT_STEP_ITEMS[line]) {
    case STEP_TIME:
    case STEP_ON_TIME:
    case STEP_OFF_TIME:
        append_line(text, label, made, format_time(made, value));
        return;
    case STEP_TEMPERATURE: {
        if (texts.metric && value != 0)
            value = func_convert_temperature_to_C(value);
        size_t length = format_int(made, value, 3);
        const char* unit = texts.metric ? "\u00b0 C" : "\u00b0 F";
        std::memcpy(made + length, unit, std::strlen(unit));
        append_line(text, label, made, length + std::strlen(unit));
        return;
    }
    case STEP_LEVEL:
        if (value > 100) {
            const std::string& level = level_text(value, texts);
            append_line(text, label, level.data(), level.size());
            return;
        }
        break;
    case STEP_RPM:
        append_line(text, label, made, format_int(made, value, 2));
        return;
    default:
        break;
    }
    const std::vector<std::string>& lines = texts.option_lines[line];
    if (lines.empty()) {
        append_line(text, label, made, format_int(made, value, 0));
    } else if (value >= 0 && static_cast<size_t>(value) < lines.size()) {
        text += lines[static_cast<size_t>(value)];
    } else {
        // A value outside the row has no text, as on the screens.
        append_line(text, label, made, 0);
    }
}

void append_chemical_line(std::string& text, const chemical_record& chemical, size_t position,
                          const formula_print_texts& texts)
{
    append_int(text, chemical.number, 2);
    text += " -  : ";
    if (position < static_cast<size_t>(CHEMICAL_COUNT))
        text += texts.chemical_names[position];
    text += " : ";
    append_option(text, texts.inject_options, chemical.inject_when);
    text += " : ";
    append_time(text, chemical.duration);
    text += " : ";
    append_option(text, texts.signal_options, chemical.signal);
    text += '\n';
}

const std::string& step_rule()
{
    static const std::string rule = std::string(PRINT_STEP_RULE_WIDTH, '=') + "\n";
    return rule;
}

void append_step(std::string& text, const step_record& step, const std::vector<chemical_record>* chemicals,
                 const formula_print_texts& texts)
{
    text += texts.step_word;
    text += " : ";
    append_int(text, step.number, 2);
    text += " - ";
    text += step.name;
    text += '\n';
    text += step_rule();
    text += '\n';
    for (int line = 0; line < PRINT_STEP_SETTING_COUNT; ++line)
        append_setting(text, line, step.items[PRINT_STEP_ITEMS[line]], texts);
    // The count decides, not the file: a step without chemicals may
    // still have a file from before.
    if (step.items[STEP_CHEMICALS] > 0) {
        text += step_rule();
        text += texts.chemical_heading;
        text += '\n';
        if (chemicals)
            for (size_t position = 0; position < chemicals->size(); ++position)
                if ((*chemicals)[position].active == 1)
                    append_chemical_line(text, (*chemicals)[position], position, texts);
    }
    text += step_rule();
    text += "\n\n";
}

std::vector<std::string> option_texts(int width, std::string (*lookup)(int, int), int item)
{
    std::vector<std::string> texts;
    for (int value = 0; value < width; ++value)
        texts.push_back(lookup(value, item));
    return texts;
}

// A name part of a file name: one folder entry, whatever the text held,
// and one a USB stick's FAT file system takes too.
std::string clean_name_part(const std::string& part, size_t max_bytes)
{
    std::string cut = func_cut_text_utf8(part.substr(0, part.find('\0')), max_bytes);
    for (size_t at = 0; at < cut.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(cut[at]);
        if (c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) || (c == '.' && at > 0 && cut[at - 1] == '.'))
            cut[at] = '_';
    }
    return cut;
}

// Asks for large pages under the reserved buffer: filling tens of
// megabytes one small page fault at a time costs more than formatting
// them. Advice only; where it is refused the buffer works as usual.
void advise_large_pages(std::string& text)
{
#ifdef MADV_HUGEPAGE
    const long page_size = sysconf(_SC_PAGESIZE);
    if (page_size <= 0)
        return;
    const uintptr_t page = static_cast<uintptr_t>(page_size);
    const uintptr_t start = reinterpret_cast<uintptr_t>(text.data());
    const uintptr_t first = (start + page - 1) / page * page;
    const uintptr_t end = (start + text.capacity()) / page * page;
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)text;
#endif
}

// Steps and chemicals that could not be read: one syserror line for the
// whole printout, not one for each of up to 999 formulas.
struct unread_files {
    int count = 0;
    std::string first;
    void add(const std::string& path)
    {
        if (count++ == 0)
            first = path;
    }
};
}  // namespace

// --- lines and files -------------------------------------------------------------------

std::string func_print_label_column(const std::string& label)
{
    size_t characters = 0, end = 0;
    for (; end < label.size(); ++end) {
        if ((static_cast<unsigned char>(label[end]) & 0xC0) == 0x80)
            continue;  // inside a character
        if (characters == PRINT_LABEL_WIDTH)
            break;
        ++characters;
    }
    std::string column(label, 0, end);
    column.append(PRINT_LABEL_WIDTH - characters, ' ');
    column += " : ";
    return column;
}

void func_format_print_line(std::string& text, const std::string& label, const std::string& value)
{
    text += func_print_label_column(label);
    text += value;
    text += '\n';
}

void func_append_print_rule(std::string& text, char c, size_t width)
{
    text.append(width, c);
    text += '\n';
}

std::string func_print_file_name(const std::string& word, const std::string& name)
{
    return clean_name_part(word, FILE_WORD_MAX) + "-(" + clean_name_part(name, FILE_NAME_PART_MAX) + ").txt";
}

int func_save_print_buffer_to_file(const std::string& text, const std::string& folder, const std::string& file_name,
                                   const char* who, std::string& path)
{
    path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += file_name;
    if (folder.empty() || !func_write_file_atomic(path, text)) {
        func_log_system_error(who, "Can't open file " + path + ".");
        return 0;
    }
    return 1;
}

// --- the formula printout -------------------------------------------------------------

formula_print_texts func_get_formula_print_texts()
{
    formula_print_texts texts;
    texts.formula_word = p[SLOT_FORMULA];
    texts.step_word = p[SLOT_STEP];
    texts.chemical_heading = p[SLOT_CHEMICAL];
    for (int line = 0; line < PRINT_STEP_SETTING_COUNT; ++line) {
        texts.setting_labels[line] = func_print_label_column(p[STEP_LABEL_SLOTS[line]]);
        const int item = PRINT_STEP_ITEMS[line];
        if (func_get_step_item_row(item) >= 0)
            for (const std::string& option : option_texts(STP_LOOKUP_WIDTH, func_lookup_step_name, item))
                texts.option_lines[line].push_back(texts.setting_labels[line] + option + "\n");
    }
    texts.metric = func_metric_units();
    for (int i = 0; i < CHEMICAL_COUNT; ++i)
        texts.chemical_names[i] = default_chemical_names[i];
    texts.inject_options = option_texts(CHM_LOOKUP_WIDTH, func_lookup_chemical_name, CHEMICAL_INJECT_ITEM);
    texts.signal_options = option_texts(CHM_LOOKUP_WIDTH, func_lookup_chemical_name, CHEMICAL_SIGNAL_ITEM);
    return texts;
}

void func_append_formula_printout(std::string& text, const formula_record& formula,
                                  const std::vector<step_record>& steps,
                                  const std::vector<std::vector<chemical_record>>& chemicals,
                                  const formula_print_texts& texts)
{
    func_append_print_rule(text, '#', PRINT_FORMULA_RULE_WIDTH);
    text += texts.formula_word;
    text += ' ';
    append_int(text, formula.number, 3);
    text += " : ";
    text += formula.name;
    text += '\n';
    func_append_print_rule(text, '#', PRINT_FORMULA_RULE_WIDTH);
    text += '\n';
    for (size_t i = 0; i < steps.size(); ++i)
        append_step(text, steps[i], i < chemicals.size() ? &chemicals[i] : nullptr, texts);
}

void func_append_printout_end(std::string& text)
{
    text += '\n';
    func_append_print_rule(text, '#', PRINT_FORMULA_RULE_WIDTH);
    text += '\n';
}

int func_build_formulas_printout(std::string& text)
{
    static const char* const who = "func_print_all_formulas";
    text.clear();
    const std::string list_path = func_get_formula_list_path();
    std::vector<formula_record> formulas;
    if (!func_read_records(list_path, FORMULA_FILE, who, func_decode_formula_record, formulas)) {
        func_log_system_error(who, "Can't open file " + list_path + ".");
        return 0;
    }
    if (formulas.empty())
        return 0;
    std::stable_sort(formulas.begin(), formulas.end(),
                     [](const formula_record& a, const formula_record& b) { return a.number < b.number; });

    const formula_print_texts texts = func_get_formula_print_texts();
    // The step counts in the list are only a hint for the buffer's size.
    size_t steps_hint = 0;
    for (const formula_record& formula : formulas)
        steps_hint += static_cast<size_t>(std::clamp(formula.step_count, 0, STEP_LIST_MAX));
    size_t step_bytes = 3 * (PRINT_STEP_RULE_WIDTH + 1) + texts.step_word.size() + STEP_NAME_SIZE;
    for (const std::string& label : texts.setting_labels)
        step_bytes += label.size() + VALUE_BYTES_GUESS;
    // As if every step printed all its chemicals: a guess too short makes
    // the buffer grow, copying all that was built; room never filled is
    // never touched.
    size_t longest_inject = 0, longest_signal = 0;
    for (const std::string& option : texts.inject_options)
        longest_inject = std::max(longest_inject, option.size());
    for (const std::string& option : texts.signal_options)
        longest_signal = std::max(longest_signal, option.size());
    step_bytes += PRINT_STEP_RULE_WIDTH + 1 + texts.chemical_heading.size() + 1;
    for (const std::string& name : texts.chemical_names)
        step_bytes += name.size() + longest_inject + longest_signal + CHEMICAL_LINE_FIXED_BYTES;
    text.reserve(formulas.size() * FORMULA_BYTES_GUESS + steps_hint * step_bytes);
    advise_large_pages(text);

    unread_files unread_steps, unread_chemicals;
    // Up to 99 000 chemical files: each is opened in its formula's open
    // folder and read in one go into one buffer and kept vectors.
    std::string bytes;
    std::vector<step_record> steps;
    std::vector<std::vector<chemical_record>> chemicals;
    for (const formula_record& formula : formulas) {
        const std::string folder_path = func_get_formula_folder(formula.number);
        const int folder = open(folder_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const std::string step_path = func_get_step_file_path(formula.number);
        if (!func_read_records_at(AT_FDCWD, step_path.c_str(), step_path, STEP_FILE, "func_print_steps",
                                  func_decode_step_record, steps, bytes))
            unread_steps.add(step_path);
        if (chemicals.size() < steps.size())
            chemicals.resize(steps.size());
        for (size_t i = 0; i < steps.size(); ++i) {
            chemicals[i].clear();
            if (steps[i].items[STEP_CHEMICALS] <= 0)
                continue;
            const std::string chemical_path = func_get_step_chemicals_path(formula.number, steps[i].number);
            // Without the folder open, the path as usual (and its failure).
            const bool in_folder = folder >= 0 && chemical_path.compare(0, folder_path.size(), folder_path) == 0;
            const char* name = in_folder ? chemical_path.c_str() + folder_path.size() : chemical_path.c_str();
            if (!func_read_records_at(in_folder ? folder : AT_FDCWD, name, chemical_path, CHEMICAL_FILE,
                                      "func_print_steps", func_decode_chemical_record, chemicals[i], bytes))
                unread_chemicals.add(chemical_path);
        }
        if (folder >= 0)
            close(folder);
        func_append_formula_printout(text, formula, steps, chemicals, texts);
    }
    func_append_printout_end(text);

    if (unread_steps.count > 0)
        func_log_system_error("func_print_steps", "Can't open the steps of " + std::to_string(unread_steps.count) +
                                                      " formula(s), first " + unread_steps.first + ".");
    if (unread_chemicals.count > 0)
        func_log_system_error("func_print_steps", "Can't open " + std::to_string(unread_chemicals.count) +
                                                      " chemical file(s), first " + unread_chemicals.first + ".");
    return 1;
}

print_result func_print_all_formulas(const std::string& destination_folder, const std::string& fallback_name)
{
    print_result result;
    std::string text;
    try {
        if (!func_build_formulas_printout(text)) {
            func_log_system_error("func_print_all_formulas", PRINT_NO_FORMULAS_TEXT);
            result.message = PRINT_NO_FORMULAS_TEXT;
            return result;
        }
    } catch (const std::bad_alloc&) {
        func_log_system_error("func_print_all_formulas", "Not enough memory for the printout.");
        result.message = PRINT_FORMULAS_FAILED_TEXT;
        return result;
    }
    std::string set_name = func_remove_filename_extension(func_get_formula_set_filename(func_formulas_dir()));
    if (set_name.empty())
        set_name = fallback_name;
    result.ok = func_save_print_buffer_to_file(text, destination_folder, func_print_file_name(p[SLOT_FORMULA], set_name),
                                               "func_save_print_formula_buffer", result.path);
    result.dialog_kind = result.ok ? PRINT_DIALOG_DONE : PRINT_DIALOG_PROBLEM;
    result.message = result.ok ? PRINT_FORMULAS_DONE_TEXT : PRINT_FORMULAS_FAILED_TEXT;
    return result;
}
