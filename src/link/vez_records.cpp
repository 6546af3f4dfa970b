#include "link/vez_records.h"

#include <glib.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "language/language.h"
#include "logs/log_file.h"

std::vector<vez_state_entry> vez_states_table;

namespace {
// A states file is small; a bigger one is not ours.
constexpr size_t STATES_FILE_MAX = 1 << 20;

std::vector<std::string> split_lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, std::min(end - start, VEZ_STATE_LINE_MAX));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string field_of(const std::string& line, size_t index)
{
    size_t start = 0;
    for (size_t skipped = 0; skipped < index; ++skipped) {
        start = line.find('~', start);
        if (start == std::string::npos)
            return std::string();
        ++start;
    }
    const size_t end = line.find('~', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Text a label can show: invalid UTF-8 bytes become '?'.
std::string valid_text(const std::string& text)
{
    std::string clean = text;
    const char* end = nullptr;
    while (!g_utf8_validate(clean.c_str(), static_cast<gssize>(clean.size()), &end))
        clean[static_cast<size_t>(end - clean.c_str())] = '?';
    return clean;
}

// A whole number within int range, or false.
bool read_number(const std::string& text, long& value)
{
    const char* start = text.c_str();
    while (*start == ' ' || *start == '\t')
        ++start;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(start, &end, 10);
    if (end == start || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0';
}

bool is_end(const std::string& line) { return g_ascii_strcasecmp(field_of(line, 0).c_str(), "[END]") == 0; }

std::string two_digits(int number)
{
    char text[16];
    snprintf(text, sizeof text, "%02d", number);
    return text;
}
}  // namespace

std::vector<vez_state_entry> func_parse_vez_states(const std::string& text, bool translated)
{
    std::vector<std::string> all = split_lines(text);
    // A translated file: the English line before each line is skipped.
    std::vector<std::string> lines;
    for (size_t index = translated ? 1 : 0; index < all.size(); index += translated ? 2 : 1)
        lines.push_back(all[index]);

    std::vector<vez_state_entry> states;
    size_t at = 0;
    while (at < lines.size() && !is_end(lines[at])) {
        const std::string& line = lines[at++];
        long number = 0, count = 0;
        const bool numbered = read_number(field_of(line, 0), number);
        if (!read_number(field_of(line, 2), count) || count < 0)
            count = 0;
        vez_state_entry entry;
        entry.number = static_cast<int>(number);
        entry.display_text =
            func_cut_text_utf8(valid_text(two_digits(entry.number) + " : " + field_of(line, 1)), VEZ_STATE_TEXT_MAX);
        std::string help;
        // The count is the file's word: the help ends early at [END] or
        // at the end of the file.
        for (long taken = 0; taken < count && at < lines.size() && !is_end(lines[at]); ++taken) {
            if (help.size() < VEZ_STATE_HELP_MAX)
                help += field_of(lines[at], 0);
            ++at;
        }
        if (!numbered)
            continue;
        if (count > 0) {
            entry.has_help = true;
            entry.help_text = func_cut_text_utf8(
                valid_text(p[SLOT_VEZ_STATE] + " " + two_digits(entry.number) + " : \n" + help), VEZ_STATE_HELP_MAX);
        }
        states.push_back(entry);
    }
    return states;
}

bool func_load_vez_states_from_file(int language)
{
    vez_states_table.clear();
    const std::string path = func_language_dir() + "L" + std::to_string(language) + "_vez_states.dat";
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
        func_log_system_error("func_load_vez_states_from_file", "Can't open file " + path + ".");
        return false;
    }
    std::string text;
    char buffer[4096];
    size_t got = 0;
    while (text.size() < STATES_FILE_MAX && (got = fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    fclose(file);
    vez_states_table = func_parse_vez_states(text.substr(0, STATES_FILE_MAX), language != 0);
    return true;
}

vez_state_record func_get_vez_state_from_liststore(int number)
{
    vez_state_record record;
    for (const vez_state_entry& entry : vez_states_table) {
        if (entry.number != number)
            continue;
        record.number = number;
        record.display_text = entry.display_text;
        record.help_text = entry.has_help ? entry.help_text : std::string();
        break;
    }
    return record;
}

bool func_decode_vez_state(const unsigned char* payload, size_t size, vez_state_reply& reply)
{
    if (!payload || size != 8)
        return false;
    reply.state = payload[0];
    reply.wanted = payload[1] <= VEZ_WANTS_BATCH_DATA ? static_cast<int>(payload[1]) : static_cast<int>(VEZ_WANTS_STATE);
    reply.load = payload[2];
    reply.formula = func_get_int32_le(payload + 4);
    return true;
}

int func_vez_recovery_warning(const unsigned char conditions[VEZ_CONDITIONS])
{
    for (int index = 0; index < VEZ_CONDITIONS; ++index)
        if (conditions[index] != 1)
            return index + 1;
    return 0;
}

void func_encode_vez_batch_data(const vez_batch_data& data, unsigned char bytes[VEZ_BATCH_RECORD_SIZE])
{
    std::memset(bytes, 0, VEZ_BATCH_RECORD_SIZE);
    bytes[0] = data.have_load ? 1 : 0;
    bytes[1] = data.loading ? 1 : 0;
    if (!data.have_load)
        return;
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        func_put_int32_le(bytes + 4 + 4 * field, data.fields[field]);
}

bool func_decode_vez_batch_data(const unsigned char* bytes, size_t size, vez_batch_data& data)
{
    if (!bytes || size != VEZ_BATCH_RECORD_SIZE)
        return false;
    data.have_load = bytes[0] == 1;
    data.loading = bytes[1] == 1;
    for (int field = 0; field < VEZ_BATCH_FIELDS; ++field)
        data.fields[field] = func_get_int32_le(bytes + 4 + 4 * field);
    return true;
}

int32_t func_vez_batch_number(const std::string& text)
{
    long long value = 0;
    size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT32_MAX)
            return INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

bool func_save_vez_batch_data_to_file(const vez_batch_data& data)
{
    unsigned char bytes[VEZ_BATCH_RECORD_SIZE];
    func_encode_vez_batch_data(data, bytes);
    const std::string path = func_data_dir() + VEZ_BATCH_FILE;
    if (func_write_file_atomic(path, bytes, sizeof bytes))
        return true;
    func_write_log(LOG_SYSERROR, "func_save_vez_batch_data_to_file :can't create/open file " + path + " not found.", 0);
    return false;
}
