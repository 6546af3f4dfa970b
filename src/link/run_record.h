// The run record the controller sends while a formula runs, and what the
// run screen makes of it. Display-free: every value from the controller
// is outside data, so each reading is bounded here once.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

constexpr int RUN_OUTPUT_COUNT = 192;
constexpr int RUN_STATUS_MAX = 17;
constexpr int RUN_CHEMICAL_SLOTS = 5;

struct run_record {
    int formula = 0, step = 0;
    int formula_total = 0, formula_left = 0, step_total = 0, step_left = 0;  // seconds
    int temperature_desired = 0, temperature_actual = 0;                     // whole °F
    int level_desired = 0, level_actual = 0;                                 // hundredths of the level unit
    int rotation = 0, speed = 0, status = 0;
    unsigned char outputs[RUN_OUTPUT_COUNT] = {};
};

// False unless size is exactly a run record's (a remote run record is
// one too: its first bytes are the same).
bool func_decode_run_record(const unsigned char* bytes, size_t size, run_record& record);
// The one the demonstration run and the simulator build.
void func_encode_run_record(const run_record& record, unsigned char* bytes);

bool func_run_formula_valid(int formula);
// Formula progress: 1 - left / total, within 0..1; 0 without a total.
double func_run_progress(int left, int total);
// A bar: actual / desired within 0..1; 0 when nothing is desired.
double func_run_bar_fraction(int actual, int desired);
// "" for 0, "RS" for 999, else the number.
std::string func_basket_speed_text(int speed);
// The basket picture (0..5) after one record: rotation 2 forwards, 1 back,
// anything else resets to 0.
int func_next_basket_picture(int index, int rotation);
// Chemicals (1..15) whose output is on, lowest first, at most the five slots.
std::vector<int> func_chemicals_on(const unsigned char outputs[RUN_OUTPUT_COUNT]);
// The ten marks of the temperature scale up to top.
std::vector<int> func_temperature_scale(int top);
