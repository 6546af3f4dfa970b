// What the diagnostics screen shows, without a display: the names of the
// input terminals and output buttons, which cells a record from the
// controller changes, the texts of the analog cells and the spray-down
// state. The screens (io_screen.cpp) only put these on widgets.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int IO_INPUT_COUNT = 64;
constexpr int IO_OUTPUT_COUNT = 128;
constexpr int IO_ANALOG_COUNT = 48;
// Six cells a row: function, board/channel, counts, actual, desired, units.
constexpr int IO_ANALOG_COLUMNS = 6;
// A/D channels 0-7 and the D/A channels shown (0 and 1).
constexpr int IO_AD_CHANNELS = 8, IO_DA_CHANNELS_SHOWN = 2;

// Modes of the diagnostics screen; NONE while it is not shown.
enum io_mode { IO_MODE_INPUTS = 0, IO_MODE_OUTPUTS = 1, IO_MODE_ANALOGS = 2, IO_MODE_NONE = 3 };

// "1KPB4-1" ... "4KPB4-18": board input / 16 + 1, terminals 1-8 and 11-18
// in order; "" outside the 64 inputs.
std::string func_input_terminal_name(int input);
// The output's number as its button shows it: "00" to "99", then "100" to "127".
std::string func_output_number_text(int output);
// True for the outputs the table has a label and a button for; no other
// number is ever sent to the controller.
bool func_output_in_table(int output);

// The points of [first, end) to repaint from a record of `count` bytes:
// those whose byte differs from the previous record, or all when dirty.
// Points outside 0..count are skipped.
std::vector<int> func_changed_points(const unsigned char* record, const unsigned char* previous, int count,
                                     bool dirty, int first, int end);
// 1 means on; anything else reads off.
inline bool func_point_on(unsigned char state) { return state == 1; }

// The 48 signed 32-bit channels of an analog record (little-endian).
void func_decode_analog_record(const unsigned char* bytes, int32_t values[IO_ANALOG_COUNT]);

// One analog cell to repaint: A/D (da false) or D/A channel, its column
// (2 counts, 3 actual, 4 desired) and its text.
struct analog_cell {
    bool da;
    int channel;
    int column;
    std::string text;
};
// The cells a record changes (all when dirty): A/D counts "%04d", actual
// and desired "%d"; D/A counts, actual and desired "%04d". Any 32-bit value
// is written whole.
std::vector<analog_cell> func_changed_analog_cells(const int32_t values[IO_ANALOG_COUNT],
                                                   const int32_t previous[IO_ANALOG_COUNT], bool dirty);

// What the spray-down screen shows from its three-byte record (sewer
// drain, reuse drain, spray valve). The sewer drain is open while its
// solenoid is off; the reuse drain and the spray valve are open/on while
// theirs is on. Each group's toggle shows the state, like the pictures.
struct spray_down_view {
    bool sewer_open;
    bool reuse_open;
    bool spray_on;
};
spray_down_view func_spray_down_view(const unsigned char record[3]);
// Picture file names (in image/) of each part's state.
const char* func_sewer_picture(bool open);
const char* func_reuse_picture(bool open);
const char* func_spray_picture(bool on);
