#include "link/error_solutions.h"

#include <glib.h>

#include <cstdio>
#include <cstdlib>

#include "files/paths.h"
#include "files/record_bytes.h"
#include "logs/log_file.h"

namespace {
const char* const LOADER = "func_load_errors_solutions_from_file";
// The shipped files are a few kilobytes; anything this big is not one.
constexpr size_t FILE_BYTES_MAX = 4u << 20;
// Numbers in the file: codes and counts.
constexpr long NUMBER_MAX = 9999;
// A garbage file should not flood the log.
constexpr int LOGGED_FAULTS_MAX = 20;

struct listed_error {
    int code = 0;
    std::string name;
    std::vector<error_solution> solutions;  // picture names, not paths
};
std::vector<listed_error> table;

struct numbered_line {
    long number;
    std::string text;
};

class fault_log {
public:
    explicit fault_log(std::string path) : path_(std::move(path)) {}
    ~fault_log()
    {
        if (count_ > LOGGED_FAULTS_MAX)
            func_log_system_error(LOADER, path_ + ": " + std::to_string(count_ - LOGGED_FAULTS_MAX) +
                                              " more faults not listed");
    }
    void add(long line, const std::string& what)
    {
        if (++count_ <= LOGGED_FAULTS_MAX)
            func_log_system_error(LOADER, path_ + " line " + std::to_string(line) + ": " + what);
    }

private:
    std::string path_;
    int count_ = 0;
};

// One line without its end; false at the end of the file. Bytes past
// ERROR_SOLUTIONS_LINE_MAX are dropped (cut says so).
bool read_line(FILE* file, std::string& line, bool& cut, size_t& budget)
{
    line.clear();
    cut = false;
    int c = 0;
    bool any = false;
    while (budget > 0 && (c = std::getc(file)) != EOF) {
        --budget;
        any = true;
        if (c == '\n')
            break;
        if (line.size() < ERROR_SOLUTIONS_LINE_MAX)
            line.push_back(static_cast<char>(c));
        else
            cut = true;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    // Labels need valid UTF-8 without control characters.
    std::string kept;
    for (char byte : line)
        if (static_cast<unsigned char>(byte) >= 0x20 || byte == '\t')
            kept.push_back(byte);
    gchar* valid = g_utf8_make_valid(kept.data(), static_cast<gssize>(kept.size()));
    line = valid;
    g_free(valid);
    return any;
}

std::vector<std::string> split_fields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tilde = line.find('~', start);
        fields.push_back(line.substr(start, tilde == std::string::npos ? std::string::npos : tilde - start));
        if (tilde == std::string::npos)
            return fields;
        start = tilde + 1;
    }
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole decimal number 0..NUMBER_MAX; -1 otherwise.
long read_number(const std::string& field)
{
    const std::string digits = trimmed(field);
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const long value = std::strtol(digits.c_str(), nullptr, 10);
    return value <= NUMBER_MAX ? value : -1;
}

bool is_end(const std::string& line)
{
    return g_ascii_strcasecmp(trimmed(split_fields(line)[0]).c_str(), "[END]") == 0;
}

// A text field, cut at a character boundary to the record's room.
std::string bounded(const std::string& text, int room) { return func_cut_text_utf8(trimmed(text), static_cast<size_t>(room)); }

// The lines the language reads: all of them for English, the second of
// each pair for a translation (an unpaired last line is dropped).
std::vector<numbered_line> read_lines(FILE* file, bool translated, fault_log& faults)
{
    std::vector<numbered_line> lines;
    std::string line;
    bool cut = false;
    size_t budget = FILE_BYTES_MAX;
    for (long number = 1; read_line(file, line, cut, budget); ++number) {
        if (translated && number % 2 == 1)
            continue;
        if (cut)
            faults.add(number, "longer than " + std::to_string(ERROR_SOLUTIONS_LINE_MAX) + " bytes, the rest dropped");
        lines.push_back({number, line});
    }
    if (budget == 0)
        faults.add(static_cast<long>(lines.size()), "file larger than " + std::to_string(FILE_BYTES_MAX) +
                                                        " bytes, the rest not read");
    return lines;
}

// The remedies of one error from lines[at] on; `at` ends past them. Stops
// early at "[END]" or the end of the lines.
void read_solutions(const std::vector<numbered_line>& lines, size_t& at, long count, long error_line,
                    listed_error& error, fault_log& faults)
{
    for (long s = 0; s < count; ++s) {
        if (at >= lines.size() || is_end(lines[at].text)) {
            faults.add(error_line, "error " + std::to_string(error.code) + " announces " + std::to_string(count) +
                                       " remedies, the file has " + std::to_string(s));
            return;
        }
        const numbered_line& line = lines[at++];
        const std::vector<std::string> fields = split_fields(line.text);
        error_solution solution;
        solution.index = static_cast<int>(s);
        solution.title = bounded(fields[0], ERROR_SOLUTION_TITLE_MAX);
        solution.text = fields.size() > 1 ? bounded(fields[1], ERROR_SOLUTION_TEXT_MAX) : std::string();
        long pictures = fields.size() > 2 ? read_number(fields[2]) : -1;
        if (pictures < 0) {
            faults.add(line.number, "no number of pictures, none taken");
            pictures = 0;
        }
        for (long n = 0; n < pictures; ++n) {
            if (at >= lines.size() || is_end(lines[at].text)) {
                faults.add(line.number, "announces " + std::to_string(pictures) + " pictures, the file has " +
                                            std::to_string(n));
                break;
            }
            const numbered_line& picture = lines[at++];
            const std::string name = trimmed(split_fields(picture.text)[0]);
            if (!func_safe_picture_name(name))
                faults.add(picture.number, "picture name refused");
            else if (solution.pictures.size() < ERROR_PICTURES_MAX)
                solution.pictures.push_back(name);
            else
                faults.add(picture.number, "more than " + std::to_string(ERROR_PICTURES_MAX) + " pictures");
        }
        if (error.solutions.size() < ERROR_SOLUTIONS_MAX)
            error.solutions.push_back(solution);
        else
            faults.add(line.number, "more than " + std::to_string(ERROR_SOLUTIONS_MAX) + " remedies");
    }
}
}  // namespace

std::string func_errors_solutions_path(int language)
{
    return func_language_dir() + "L" + std::to_string(language) + "_errors_solutions.dat";
}

bool func_safe_picture_name(const std::string& name)
{
    if (name.empty() || name.size() > ERROR_PICTURE_NAME_MAX || name[0] == '.')
        return false;
    for (char c : name)
        if (!g_ascii_isalnum(c) && c != '.' && c != '_' && c != '-')
            return false;
    return true;
}

bool func_load_errors_solutions_from_file(int language)
{
    table.clear();
    const std::string path = func_errors_solutions_path(language);
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        func_log_system_error(LOADER, "Can't open file " + path + ".");
        return false;
    }
    fault_log faults(path);
    const std::vector<numbered_line> lines = read_lines(file, language != 0, faults);
    std::fclose(file);

    size_t at = 0;
    while (at < lines.size()) {
        const numbered_line& line = lines[at++];
        if (is_end(line.text))
            break;
        if (trimmed(line.text).empty())
            continue;
        const std::vector<std::string> fields = split_fields(line.text);
        const long code = read_number(fields[0]);
        const long count = fields.size() > 2 ? read_number(fields[2]) : -1;
        if (fields.size() < 3 || code < 0 || count < 0) {
            // Its remedies cannot be told from the next errors: skip lines
            // until one reads as an error.
            faults.add(line.number, "not an error line \"<code>~<name>~<remedies>\"");
            continue;
        }
        listed_error error;
        error.code = static_cast<int>(code);
        error.name = bounded(fields[1], ERROR_NAME_MAX);
        read_solutions(lines, at, count, line.number, error, faults);
        table.push_back(error);
    }
    return true;
}

error_record func_get_error_from_liststore(int code)
{
    error_record record;
    for (const listed_error& error : table) {
        if (error.code != code)
            continue;
        record.found = true;
        record.code = code;
        record.name = error.name;
        record.solutions = error.solutions;
        for (error_solution& solution : record.solutions)
            for (std::string& picture : solution.pictures)
                picture = func_image_dir() + picture;
        break;
    }
    return record;
}

std::vector<int> func_listed_error_codes()
{
    std::vector<int> codes;
    for (const listed_error& error : table)
        codes.push_back(error.code);
    return codes;
}
