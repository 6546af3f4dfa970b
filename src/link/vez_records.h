// The loading cycle of the VEZ variant without a display: the table of
// states and their help texts (read from data/L<n>_vez_states.dat), the
// controller's state, recovery and manual records, and the batch-data
// record the controller reads from data/vez_batch_data.dat. Every byte
// from a file or the controller is outside data and bounded here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// --- states table ------------------------------------------------------------

constexpr size_t VEZ_STATE_LINE_MAX = 1000;
constexpr size_t VEZ_STATE_TEXT_MAX = 499;
constexpr size_t VEZ_STATE_HELP_MAX = 1999;
// The word "State" before a number.
constexpr int SLOT_VEZ_STATE = 637;

struct vez_state_entry {
    int number = 0;
    std::string display_text;  // "%02d : %s"
    bool has_help = false;     // the help child
    std::string help_text;     // "State NN : \n" and the help lines
};

// What a state is shown with; number -1 when the table has no such state.
struct vez_state_record {
    int number = -1;
    std::string display_text;
    std::string help_text;
};

extern std::vector<vez_state_entry> vez_states_table;

// Parses the text of a states file. A translated file (any language but
// English) has a line of English before each of its own lines. Lines are
// cut at VEZ_STATE_LINE_MAX bytes; a state line whose number is not a
// number is skipped with its help lines; a negative help count counts as
// none; the table ends at "[END]" or the end of the text.
std::vector<vez_state_entry> func_parse_vez_states(const std::string& text, bool translated);
// data/L<language>_vez_states.dat of the installation, into
// vez_states_table (emptied first). False, after a syserror.log line,
// when the file cannot be read.
bool func_load_vez_states_from_file(int language);
// The state of that number in vez_states_table.
vez_state_record func_get_vez_state_from_liststore(int number);

// --- controller records ------------------------------------------------------

// Which VEZ screen the loading cycle needs (byte 1 of the state record).
enum vez_screen_wanted { VEZ_WANTS_STATE = 0, VEZ_WANTS_RECOVERY = 1, VEZ_WANTS_BATCH_DATA = 2 };

struct vez_state_reply {
    int state = 0;
    int wanted = VEZ_WANTS_STATE;  // an unknown byte reads as the state screen
    int load = 0;                  // the load whose batch data is asked for
    int32_t formula = 0;
};
// False unless the payload is a whole state record (8 bytes).
bool func_decode_vez_state(const unsigned char* payload, size_t size, vez_state_reply& reply);

constexpr int VEZ_CONDITIONS = 3;
// The warning the recovery screen shows: 1 load position, 2 bifold door,
// 3 chute (the first condition not met), 0 when all three are met.
int func_vez_recovery_warning(const unsigned char conditions[VEZ_CONDITIONS]);

// Manual record: F1 to F5 and the sixth entry (0 there clears the choice).
constexpr int VEZ_MANUAL_ENTRIES = 6;

// --- batch data --------------------------------------------------------------

constexpr size_t VEZ_BATCH_RECORD_SIZE = 36;
constexpr int VEZ_BATCH_FIELDS = 8;  // formula, work order, goods, customer, employee, weight, pieces, lot
constexpr const char* VEZ_BATCH_FILE = "vez_batch_data.dat";

struct vez_batch_data {
    bool have_load = false;
    bool loading = true;
    int32_t fields[VEZ_BATCH_FIELDS] = {};
};

// The 36-byte record: have load, loading, two zero bytes, the eight
// numbers little-endian; all zero from offset 4 without a load.
void func_encode_vez_batch_data(const vez_batch_data& data, unsigned char bytes[VEZ_BATCH_RECORD_SIZE]);
bool func_decode_vez_batch_data(const unsigned char* bytes, size_t size, vez_batch_data& data);
// The number a button's text stands for: its leading digits, 0 for none,
// held within 0..INT32_MAX.
int32_t func_vez_batch_number(const std::string& text);
// Replaces data/vez_batch_data.dat atomically. False after a syserror.log
// line when it could not be written.
bool func_save_vez_batch_data_to_file(const vez_batch_data& data);
