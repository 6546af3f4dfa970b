#include "settings/passwords.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <new>
#include <set>

#include <glib.h>

#include "files/atomic_file.h"
#include "files/file_helpers.h"
#include "files/paths.h"
#include "files/record_bytes.h"
#include "logs/log_file.h"

password_record* configure_password = nullptr;
password_record* program_password = nullptr;
password_record* manual_password = nullptr;

namespace {
std::set<std::string> damaged_files_reported;

int known_kind(int kind)
{
    return (kind == PASSWORD_PROGRAM || kind == PASSWORD_MANUAL) ? kind : PASSWORD_CONFIGURE;
}

void clear_record(password_record& record)
{
    record.password.clear();
    record.second_text.clear();
    record.enabled = 0;
}

// 1 with a sound record, 0 when the file is missing, -1 when it is damaged.
int read_password_file(int kind, password_record& record)
{
    const std::string path = func_get_password_file_path(kind);
    // One byte more than a record tells a long file from a whole one.
    unsigned char bytes[PASSWORD_RECORD_SIZE + 1];
    const long size = func_read_file_start(path, bytes, sizeof bytes);
    if (size < 0) {
        clear_record(record);
        return 0;
    }
    if (size == static_cast<long>(PASSWORD_RECORD_SIZE)) {
        func_decode_password_record(bytes, record);
        if ((record.enabled == 0 || record.enabled == 1) && g_utf8_validate(record.password.c_str(), -1, nullptr))
            return 1;
    }
    clear_record(record);
    // Said once, not at every showing of the settings screen.
    if (damaged_files_reported.insert(path).second)
        func_log_system_error("func_load_password_from_file",
                              path + " is damaged; the password is taken as not set.");
    return -1;
}

// The record as the file holds it, whatever happened to the one in memory.
void reload_record(int kind) { read_password_file(kind, *func_get_password_record(kind)); }
}  // namespace

int func_allocate_password_records()
{
    if (!configure_password)
        configure_password = new password_record();
    if (!program_password)
        program_password = new password_record();
    if (!manual_password)
        manual_password = new password_record();
    return 1;
}

password_record* func_get_password_record(int kind)
{
    func_allocate_password_records();
    switch (known_kind(kind)) {
    case PASSWORD_PROGRAM:
        return program_password;
    case PASSWORD_MANUAL:
        return manual_password;
    default:
        return configure_password;
    }
}

std::string func_get_password_file_path(int kind)
{
    switch (known_kind(kind)) {
    case PASSWORD_PROGRAM:
        return func_data_dir() + "p_password.dat";
    case PASSWORD_MANUAL:
        return func_data_dir() + "m_password.dat";
    default:
        return func_data_dir() + "password.dat";
    }
}

void func_encode_password_record(const password_record& record, unsigned char* bytes)
{
    func_put_text_field(bytes, PASSWORD_TEXT_SIZE, record.password);
    func_put_text_field(bytes + PASSWORD_SECOND_OFFSET, PASSWORD_TEXT_SIZE, record.second_text);
    func_put_int32_le(bytes + PASSWORD_ENABLED_OFFSET, record.enabled);
}

void func_decode_password_record(const unsigned char* bytes, password_record& record)
{
    record.password = func_get_text_field(bytes, PASSWORD_TEXT_SIZE);
    record.second_text = func_get_text_field(bytes + PASSWORD_SECOND_OFFSET, PASSWORD_TEXT_SIZE);
    record.enabled = func_get_int32_le(bytes + PASSWORD_ENABLED_OFFSET);
}

int func_load_password_from_file(int kind)
{
    return read_password_file(kind, *func_get_password_record(kind)) == 0 ? 0 : 1;
}

int func_save_password_to_file(int kind, const password_record* record)
{
    const std::string path = func_get_password_file_path(kind);
    if (!record) {
        func_write_log(LOG_SYSERROR, "func_update_password : no password record for " + path, 0);
        return 0;
    }
    unsigned char bytes[PASSWORD_RECORD_SIZE];
    func_encode_password_record(*record, bytes);
    if (!func_write_file_atomic(path, bytes, sizeof bytes, 0600)) {
        func_write_log(LOG_SYSERROR,
                       "func_update_password :can't create/open file " + path + " not found.", 0);
        return 0;
    }
    damaged_files_reported.erase(path);
    return 1;
}

std::string func_encode_password_text(const std::string& password)
{
    const char* const blanks = " \t\n\v\f\r";
    size_t first = password.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    size_t last = password.find_last_not_of(blanks);
    std::string text = password.substr(first, last - first + 1);

    char piece[16];
    std::snprintf(piece, sizeof piece, "%x", 49u);
    std::string encoded = piece;
    for (char c : text) {
        uint32_t shifted = static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)) - 13);
        std::snprintf(piece, sizeof piece, "%x", static_cast<unsigned>(shifted));
        encoded += piece;
    }
    std::snprintf(piece, sizeof piece, "%x", 47u);
    encoded += piece;
    for (char& c : encoded)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return encoded;
}

password_record* func_get_encoded_password(int kind)
{
    auto* record = new (std::nothrow) password_record();
    if (!record)
        return nullptr;
    if (read_password_file(kind, *record) == 1)
        record->second_text = func_encode_password_text(record->password);
    return record;
}

bool func_password_fits_record(const std::string& password)
{
    return password.size() < PASSWORD_TEXT_SIZE && func_encode_password_text(password).size() < PASSWORD_TEXT_SIZE;
}

password_change func_change_password(int kind, const std::string& typed, const std::string& verify)
{
    if (g_ascii_strcasecmp(typed.c_str(), verify.c_str()) != 0)
        return PASSWORD_MISMATCH;
    if (!func_password_fits_record(typed))
        return PASSWORD_TOO_LONG;
    password_record* record = func_get_password_record(kind);
    password_record changed = *record;
    changed.password = typed;
    changed.second_text.clear();
    changed.enabled = 1;
    if (!func_save_password_to_file(kind, &changed)) {
        reload_record(kind);
        return PASSWORD_NOT_SAVED;
    }
    *record = changed;
    return PASSWORD_CHANGED;
}

int func_set_password_enabled(int kind, int enabled)
{
    password_record* record = func_get_password_record(kind);
    password_record changed = *record;
    changed.enabled = enabled ? 1 : 0;
    if (!func_save_password_to_file(kind, &changed)) {
        reload_record(kind);
        return 0;
    }
    *record = changed;
    return 1;
}
