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
// flag 0, returns 0. A file that is not one whole record (short, long),
// or whose flag is neither 0 nor 1 or whose text is not UTF-8: the same,
// logged, but returns 1, so a damaged file never locks anyone out.
// Otherwise 1.
int func_load_password_from_file(int kind);
// Replaces the kind's file (mode 0600) with the record. 1, or 0 after
// logging.
int func_save_password_to_file(int kind, const password_record* record);

// The longest password of letters and digits whose encoded form fits the
// record's second field.
constexpr size_t PASSWORD_MAX_CHARACTERS = 22;
// True when the password and its encoded form both fit their fields.
bool func_password_fits_record(const std::string& password);

enum password_change {
    PASSWORD_CHANGED,
    PASSWORD_MISMATCH,   // the two typed texts differ
    PASSWORD_TOO_LONG,   // func_password_fits_record refused it
    PASSWORD_NOT_SAVED   // the file could not be replaced (logged)
};
// Sets and enables the kind's password when the two typed texts agree
// (without regard to case). Anything but PASSWORD_CHANGED leaves the file
// and the record as they were.
password_change func_change_password(int kind, const std::string& typed, const std::string& verify);
// Saves the kind's password as asked for (1) or not (0). 1 on success;
// 0 leaves the file and the record as they were.
int func_set_password_enabled(int kind, int enabled);

// The display form: "%X" of 49, of each byte minus 13 (signed byte, shown
// as unsigned 32-bit) and of 47; surrounding white space is ignored and
// an empty password gives "".
std::string func_encode_password_text(const std::string& password);
// New record read from the kind's file (not the one in memory) with the
// encoded password in second_text; the caller deletes it.
password_record* func_get_encoded_password(int kind);
