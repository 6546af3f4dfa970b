#include "link/run_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "files/record_bytes.h"
#include "link/ipc_frame.h"

namespace {
// Output of chemical n (1..15), the controller's wiring.
constexpr int CHEMICAL_OUTPUT[16] = {0, 4, 6, 5, 3, 7, 50, 51, 52, 41, 48, 45, 53, 42, 40, 44};

double clamp_unit(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }
}  // namespace

bool func_decode_run_record(const unsigned char* bytes, size_t size, run_record& record)
{
    if (!bytes || (size != IPC_RUN_RECORD_SIZE && size != IPC_REMOTE_RUN_RECORD_SIZE))
        return false;
    record.formula = func_get_int32_le(bytes);
    record.step = func_get_int32_le(bytes + 4);
    record.formula_total = func_get_int32_le(bytes + 8);
    record.formula_left = func_get_int32_le(bytes + 12);
    record.step_total = func_get_int32_le(bytes + 16);
    record.step_left = func_get_int32_le(bytes + 20);
    record.temperature_desired = bytes[24];
    record.temperature_actual = bytes[25];
    record.level_desired = func_get_int32_le(bytes + 28);
    record.level_actual = func_get_int32_le(bytes + 32);
    record.rotation = bytes[36];
    record.speed = func_get_int32_le(bytes + 40);
    record.status = bytes[44];
    std::memcpy(record.outputs, bytes + 45, RUN_OUTPUT_COUNT);
    return true;
}

void func_encode_run_record(const run_record& record, unsigned char* bytes)
{
    std::memset(bytes, 0, IPC_RUN_RECORD_SIZE);
    func_put_int32_le(bytes, record.formula);
    func_put_int32_le(bytes + 4, record.step);
    func_put_int32_le(bytes + 8, record.formula_total);
    func_put_int32_le(bytes + 12, record.formula_left);
    func_put_int32_le(bytes + 16, record.step_total);
    func_put_int32_le(bytes + 20, record.step_left);
    bytes[24] = static_cast<unsigned char>(std::clamp(record.temperature_desired, 0, 255));
    bytes[25] = static_cast<unsigned char>(std::clamp(record.temperature_actual, 0, 255));
    func_put_int32_le(bytes + 28, record.level_desired);
    func_put_int32_le(bytes + 32, record.level_actual);
    bytes[36] = static_cast<unsigned char>(record.rotation);
    func_put_int32_le(bytes + 40, record.speed);
    bytes[44] = static_cast<unsigned char>(record.status);
    std::memcpy(bytes + 45, record.outputs, RUN_OUTPUT_COUNT);
}

bool func_run_formula_valid(int formula) { return formula >= 1 && formula <= 1000; }

double func_run_progress(int left, int total)
{
    if (total <= 0)
        return 0.0;
    return clamp_unit(1.0 - static_cast<double>(left) / static_cast<double>(total));
}

double func_run_bar_fraction(int actual, int desired)
{
    if (desired <= 0)
        return 0.0;
    return clamp_unit(static_cast<double>(actual) / static_cast<double>(desired));
}

std::string func_basket_speed_text(int speed)
{
    if (speed == 0)
        return "";
    return speed == 999 ? "RS" : std::to_string(speed);
}

int func_next_basket_picture(int index, int rotation)
{
    index = std::clamp(index, 0, 5);
    if (rotation == 2)
        return (index + 1) % 6;
    if (rotation == 1)
        return (index + 5) % 6;
    return 0;
}

std::vector<int> func_chemicals_on(const unsigned char outputs[RUN_OUTPUT_COUNT])
{
    std::vector<int> on;
    for (int chemical = 1; chemical <= 15 && static_cast<int>(on.size()) < RUN_CHEMICAL_SLOTS; ++chemical)
        if (outputs[CHEMICAL_OUTPUT[chemical]] == 1)
            on.push_back(chemical);
    return on;
}

std::vector<int> func_temperature_scale(int top)
{
    std::vector<int> marks;
    for (int i = 1; i <= 10; ++i)
        marks.push_back(static_cast<int>(std::lround(i * 0.1 * top)));
    return marks;
}
