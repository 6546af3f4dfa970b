// The three access passwords: their records, files in data/ and the
// encoded form service staff can read back.
#pragma once
#include <cstddef>
#include <string>

constexpr size_t PASSWORD_RECORD_SIZE = 104;
constexpr size_t PASSWORD_TEXT_SIZE = 50;
constexpr size_t PASSWORD_SECOND_OFFSET = 50;
constexpr size_t PASSWORD_ENABLED_OFFSET = 100;

// Kinds; any other number means the configure password.
enum password_kind { PASSWORD_CONFIGURE = 1, PASSWORD_PROGRAM = 2, PASSWORD_MANUAL = 3 };

// In memory the texts are whole; on disk each is cut to 49 bytes at a
// character boundary. second_text is empty in the records kept in memory;
// in a record from func_get_encoded_password it holds the whole encoded
// password, which for passwords over 22 characters is longer than its
// 50-byte field and therefore exists only in memory.
struct password_record {
    std::string password;
    std::string second_text;
    int enabled = 0;
};

extern password_record* configure_password;
extern password_record* program_password;
extern password_record* manual_password;

// Allocates the three records once (empty, disabled). Returns 1.
int func_allocate_password_records();

// Record and full file path (in data/) of a kind.
password_record* func_get_password_record(int kind);
std::string func_get_password_file_path(int kind);

void func_encode_password_record(const password_record& record, unsigned char* bytes);
void func_decode_password_record(const unsigned char* bytes, password_record& record);

// Reads the kind's file into its record. Missing file: texts emptied,
// flag 0, returns 0. Short file: the same, but returns 1. Otherwise 1.
int func_load_password_from_file(int kind);
// Replaces the kind's file with the record. 1, or 0 after logging.
int func_save_password_to_file(int kind, const password_record* record);

// The display form: "%X" of 49, of each byte minus 13 (signed byte, shown
// as unsigned 32-bit) and of 47; surrounding white space is ignored and
// an empty password gives "".
std::string func_encode_password_text(const std::string& password);
// New record read from the kind's file (not the one in memory) with the
// encoded password in second_text; the caller deletes it.
password_record* func_get_encoded_password(int kind);
