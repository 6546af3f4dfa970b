// Language files: plain text, one slot a line. English ("L0") lists the
// slots in order; every other language gives each slot as a pair of
// lines, the English text and then its translation.
#include "language/language.h"

#include <gtk/gtk.h>
#include <sys/stat.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "configuration/configuration_record.h"
#include "files/paths.h"
#include "files/build_switches.h"
#include "language/option_tables.h"
#include "logs/log_file.h"

std::string p[LANGUAGE_SLOT_COUNT];
int default_language = 0;

namespace {

// Row of the Language item in cfg_lookup_table.
constexpr int CFG_LANGUAGE_ROW = 1;

const char* const MISSING_LANGUAGE_TEXT = "Selected language is not available, defaulting to English.";

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string trimmed(const std::string& text)
{
    size_t first = 0;
    while (first < text.size() && is_blank(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && is_blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// One read of at most LANGUAGE_LINE_MAX characters, ending after a line
// end. A line end that directly follows a full read belongs to it, so a
// text of exactly the maximum length is still one line. Like a C string,
// the text ends at a NUL byte. Returns false at the end of the file.
bool read_language_line(FILE* file, std::string& line)
{
    line.clear();
    int c = std::fgetc(file);
    if (c == EOF)
        return false;
    bool after_nul = false;
    int taken = 0;
    for (;;) {
        if (c == EOF || c == '\n')
            return true;
        if (c == '\0')
            after_nul = true;
        else if (!after_nul)
            line.push_back(static_cast<char>(c));
        if (++taken >= LANGUAGE_LINE_MAX)
            break;
        c = std::fgetc(file);
    }
    // A full read: a line end right after it ("\n" or "\r\n") is its own.
    int next = std::fgetc(file);
    if (next == '\r') {
        int after = std::fgetc(file);
        // A lone "\r" is dropped; it would only be trimmed from the next line.
        if (after != '\n' && after != EOF)
            std::ungetc(after, file);
    } else if (next != '\n' && next != EOF) {
        std::ungetc(next, file);
    }
    return true;
}

std::string language_name(int number) { return "L" + std::to_string(number); }
std::string language_path(int number) { return func_language_dir() + language_name(number) + ".lng"; }

// The file of a language name, or none when it cannot be read.
FILE* open_language_file(const std::string& name)
{
    // The name comes from the configuration; keep it inside the data folder.
    if (name.empty() || name.find('/') != std::string::npos)
        return nullptr;
    FILE* file = std::fopen((func_language_dir() + name + ".lng").c_str(), "rb");
    struct stat status;
    if (file && (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode))) {
        std::fclose(file);  // a folder of that name is no language file
        file = nullptr;
    }
    return file;
}

// Hands each non-blank text to take(slot, text), slot by slot from 0 up
// to slot_count - 1. English lists one slot a line; in a translation the
// odd lines are the English source texts and are skipped.
template <class Take>
void read_slots(FILE* file, bool pairs, int slot_count, Take take)
{
    std::string line;
    int slot = 0;
    long long line_number = 0;
    while (slot < slot_count && read_language_line(file, line)) {
        ++line_number;
        if (pairs && line_number % 2 == 1)
            continue;
        std::string text = trimmed(line);
        if (!text.empty())
            take(slot, text);
        ++slot;
    }
}

// Language number of a name "L<n>" ("l" also accepted); 0 when it has none.
double language_number_of(const char* name)
{
    if (!name || (name[0] != 'L' && name[0] != 'l'))
        return 0.0;
    char* end = nullptr;
    double number = std::strtod(name + 1, &end);
    if (end == name + 1 || !std::isfinite(number) || number < -1.0e6 || number > 1.0e6)
        return 0.0;
    return number;
}

bool is_english(const char* name)
{
    return name && (name[0] == 'L' || name[0] == 'l') && name[1] == '0' && name[2] == '\0';
}

void apply_font(double language_number)
{
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings)
        return;
    std::string font = func_get_language_font_name(language_number);
    g_object_set(G_OBJECT(settings), "gtk-font-name", font.c_str(), nullptr);
}

// The Language option row: one entry a language file, L0 up to the
// highest installed. Without any file the compiled row stays.
void fill_language_name_row()
{
    std::vector<std::string> names = func_installed_language_names();
    if (names.empty())
        return;
    const size_t first = static_cast<size_t>(CFG_LANGUAGE_ROW) * CFG_LOOKUP_WIDTH;
    for (size_t index = 0; index < static_cast<size_t>(CFG_LOOKUP_WIDTH); ++index)
        cfg_lookup_table[first + index] = index < names.size() ? names[index] : std::string();
}

// entry <- slot, for a run of entries and slots.
template <size_t N>
void copy_slots(std::string (&table)[N], size_t first_entry, int first_slot, int count)
{
    for (int k = 0; k < count; ++k) {
        size_t entry = first_entry + static_cast<size_t>(k);
        int slot = first_slot + k;
        if (entry >= N || slot < 0 || slot >= LANGUAGE_SLOT_COUNT)
            return;
        // A slot no file filled keeps the table's current text, so a short
        // translation never cuts an option row short.
        if (!p[slot].empty())
            table[entry] = p[slot];
    }
}

// Runs of slots into a table: {first entry, first slot, count} each.
struct slot_run {
    size_t entry;
    int slot;
    int count;
};

template <size_t N>
void copy_runs(std::string (&table)[N], std::initializer_list<slot_run> runs)
{
    for (const slot_run& run : runs)
        copy_slots(table, run.entry, run.slot, run.count);
}

template <size_t N>
void set_entries(std::string (&table)[N], std::initializer_list<size_t> entries, const char* text)
{
    for (size_t entry : entries)
        if (entry < N)
            table[entry] = text;
}

}  // namespace

std::string func_get_language_font_name(double language_number)
{
    if (PC_MODE == 1)
        return "Tahoma Narrow 12";
    if (language_number == 1.0)
        return "Arial 16";
    if (language_number == 2.0)
        return "Arial bold 12";
    return "Arial bold 14";
}

std::string func_get_language_locale(int language_number)
{
    return language_number == 1 ? "zh_CN.UTF-8" : "en_US.UTF-8";
}

int func_init_language(const char* name)
{
    FILE* file = open_language_file(name ? name : "");
    if (!file)
        return 0;

    // Every load starts from nothing but English, so no text of the
    // language loaded before survives a switch.
    std::vector<std::string> slots(LANGUAGE_SLOT_COUNT);
    const bool english = is_english(name);
    if (!english) {
        if (FILE* base = open_language_file("L0")) {
            read_slots(base, false, LANGUAGE_SLOT_COUNT, [&](int slot, std::string& text) { slots[slot].swap(text); });
            std::fclose(base);
        } else {
            // The translation still reads; its blank lines stay empty.
            func_log_system_error("func_init_language", "Can't read the English texts " + language_path(0));
        }
    }
    read_slots(file, !english, LANGUAGE_SLOT_COUNT, [&](int slot, std::string& text) { slots[slot].swap(text); });
    std::fclose(file);
    for (int slot = 0; slot < LANGUAGE_SLOT_COUNT; ++slot)
        p[slot].swap(slots[slot]);

    func_reset_option_tables();
    fill_language_name_row();
    func_init_language_array();

    double number = language_number_of(name);
    default_language = static_cast<int>(number);
    apply_font(number);
    // A missing locale leaves the previous one in force.
    std::setlocale(LC_ALL, func_get_language_locale(default_language).c_str());
    return 1;
}

std::vector<std::string> func_installed_language_names()
{
    int highest = -1;
    for (int number = LANGUAGE_NUMBER_MAX; number >= 0 && highest < 0; --number) {
        struct stat status;
        if (stat(language_path(number).c_str(), &status) == 0 && S_ISREG(status.st_mode))
            highest = number;
    }
    std::vector<std::string> names;
    for (int number = 0; number <= highest; ++number) {
        std::string own_name;
        if (FILE* file = open_language_file(language_name(number))) {
            // Only as far as the name: a long or broken file costs no more.
            read_slots(file, number != 0, LANGUAGE_NAME_SLOT + 1, [&](int slot, std::string& text) {
                if (slot == LANGUAGE_NAME_SLOT)
                    own_name.swap(text);
            });
            std::fclose(file);
        }
        // A broken file's bytes are no name to draw.
        const bool readable = !own_name.empty() && g_utf8_validate(own_name.c_str(), -1, nullptr);
        names.push_back(readable ? own_name : language_name(number));
    }
    return names;
}

std::string func_missing_language_text() { return p[394].empty() ? std::string(MISSING_LANGUAGE_TEXT) : p[394]; }

void func_init_language_array()
{
    func_refresh_current_configuration();
    func_copy_language_to_tables(current_machine_configuration);
}

void func_copy_language_to_tables(const machine_configuration* configuration)
{
    const float temperature_unit = configuration ? configuration->items[0] : 0.0f;
    const float machine_type = configuration ? configuration->items[2] : 0.0f;

    copy_runs(cfg_lookup_table, {{0, 18, 2}, {44, 20, 4}, {55, 24, 1}, {56, 21, 2}, {58, 25, 1}, {66, 448, 1},
                                 {67, 337, 1}, {77, 26, 2}, {88, 576, 3}});

    copy_runs(vez_lookup_table, {{0, 177, 1}, {1, 583, 2}, {9, 594, 8}, {18, 26, 2}});

    copy_runs(vez_batch_lookup_table, {{0, 646, 2}, {4, 26, 2}});

    copy_runs(frm_lookup_table, {{0, 28, 2}});

    copy_runs(stp_lookup_table, {{0, 30, 6}, {9, 28, 2}, {11, 36, 1}, {18, 28, 2}, {21, 37, 1}, {27, 28, 2},
                                 {29, 36, 2}, {36, 38, 3}, {39, 389, 1}, {45, 20, 1}, {46, 44, 6}, {54, 50, 4},
                                 {63, 54, 1}, {64, 32, 1}, {65, 55, 5}, {72, 60, 2}, {81, 62, 8}, {90, 26, 2},
                                 {99, 70, 4}, {108, 74, 3}, {111, 73, 1}});

    copy_runs(chm_lookup_table, {{0, 77, 3}, {4, 28, 2}, {8, 26, 2}});

    // Manual groups of five: two or three choices, then the cancel text.
    copy_runs(manual_btn_lookup_table, {{0, 80, 3}, {3, 73, 1}, {5, 83, 3}, {8, 73, 1}, {10, 86, 2}, {12, 73, 1},
                                        {15, 88, 2}, {17, 73, 1}, {20, 90, 2}, {22, 73, 1}, {25, 92, 2}, {27, 73, 1},
                                        {30, 94, 2}, {32, 73, 1}});

    copy_runs(machine_error_table, {{0, 96, 17}, {17, 652, 12}, {29, 672, 8}, {37, 681, 2}});

    copy_runs(machine_status_table, {{0, 113, 14}, {14, 960, 1}, {15, 560, 1}, {16, 961, 1}, {17, 684, 1}});

    copy_runs(vez_warning_table, {{0, 639, 4}});

    // Generic 1 to 4 (items 56 to 59) take the titles of their own typed
    // values; slots 553 to 556 are the batch-data screen's words.
    std::string (&labels)[64] = config_selections_label_value;
    copy_runs(labels, {{0, 140, 1}, {1, 130, 1}, {2, 127, 1}, {3, 540, 1}, {5, 680, 1}, {6, 543, 1},
                       {7, 141, 1}, {8, 147, 1}, {9, 142, 3}, {12, 544, 2}, {14, 571, 2}, {16, 548, 1},
                       {18, 550, 1}, {19, 139, 1}, {20, 573, 1}, {22, 574, 1}, {26, 133, 3}, {29, 560, 2},
                       {31, 558, 2}, {33, 128, 1}, {34, 557, 1}, {35, 565, 2}, {37, 562, 1}, {38, 546, 1},
                       {39, 564, 1}, {40, 478, 1}, {41, 567, 1}, {42, 186, 1}, {43, 568, 2}, {45, 489, 2},
                       {47, 488, 1}, {48, 491, 2}, {50, 671, 1}, {56, 527, 3},
                       {59, 526, 1}});
    // Items that are not offered read "---" in every language.
    set_entries(labels, {4, 17, 21, 23, 24, 25, 51, 52, 53, 54, 55}, "---");

    copy_runs(vez_selections_label_value, {{0, 611, 13}, {13, 683, 1}});

    copy_runs(post_dry_selections_label_value, {{0, 186, 1}, {1, 628, 2}});

    std::string (&step_labels)[24] = step_item_selections_label_value;
    // Start and End Liquor (13, 14) keep their own labels: with flow meters
    // they are edited like any other setting, and "---" would hide what they are.
    copy_runs(step_labels, {{0, 127, 1}, {1, 152, 2}, {3, 83, 3}, {6, 154, 1}, {7, 88, 1}, {8, 155, 5},
                            {13, 406, 2}, {17, 451, 2}});

    copy_runs(a2d_selections_header, {{0, 502, 2}, {2, 328, 4}});

    copy_runs(a2d_selections_value, {{18, 154, 1}, {24, 342, 1}, {30, 508, 1}});
    a2d_selections_value[29] = "mVolts";
    a2d_selections_value[23] = temperature_unit == 1.0f ? "Cm" : "In";
    a2d_selections_value[35] = temperature_unit != 0.0f ? "C" : "F";

    copy_runs(d2a_selections_value, {{0, 510, 1}, {5, 337, 1}});

    copy_runs(input_label, {{0, 687, 64}});

    copy_runs(output_label, {{0, 752, 111}, {111, machine_type == 2.0f ? 863 : 864, 1}, {112, 865, 16}});
}
