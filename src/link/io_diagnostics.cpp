#include "link/io_diagnostics.h"

#include <cstdio>

#include "files/record_bytes.h"

std::string func_input_terminal_name(int input)
{
    if (input < 0 || input >= IO_INPUT_COUNT)
        return "";
    const int place = input % 16;
    const int terminal = place < 8 ? place + 1 : place + 3;
    return std::to_string(input / 16 + 1) + "KPB4-" + std::to_string(terminal);
}

std::string func_output_number_text(int output)
{
    if (!func_output_in_table(output))
        return "";
    char text[8];
    std::snprintf(text, sizeof text, "%02d", output);
    return text;
}

bool func_output_in_table(int output) { return output >= 0 && output < IO_OUTPUT_COUNT; }

std::vector<int> func_changed_points(const unsigned char* record, const unsigned char* previous, int count,
                                     bool dirty, int first, int end)
{
    std::vector<int> points;
    if (!record || count <= 0)
        return points;
    for (int point = first < 0 ? 0 : first; point < end && point < count; ++point)
        if (dirty || !previous || record[point] != previous[point])
            points.push_back(point);
    return points;
}

void func_decode_analog_record(const unsigned char* bytes, int32_t values[IO_ANALOG_COUNT])
{
    for (int channel = 0; channel < IO_ANALOG_COUNT; ++channel)
        values[channel] = func_get_int32_le(bytes + 4 * channel);
}

namespace {
std::string formatted(const char* format, int32_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, format, static_cast<long>(value));
    return text;
}
}  // namespace

std::vector<analog_cell> func_changed_analog_cells(const int32_t values[IO_ANALOG_COUNT],
                                                   const int32_t previous[IO_ANALOG_COUNT], bool dirty)
{
    // Counts, actual and desired values of a bank of channels lie in three
    // runs of the record, one run per column.
    struct bank {
        bool da;
        int channels;
        int first;  // index of channel 0's count
        int stride; // channels in the bank's runs
        const char* counts;
        const char* values;
    };
    const bank banks[] = {{false, IO_AD_CHANNELS, 0, 8, "%04ld", "%ld"},
                          {true, IO_DA_CHANNELS_SHOWN, 24, 4, "%04ld", "%04ld"}};
    std::vector<analog_cell> cells;
    for (const bank& each : banks)
        for (int channel = 0; channel < each.channels; ++channel)
            for (int run = 0; run < 3; ++run) {
                const int index = each.first + run * each.stride + channel;
                if (!dirty && previous && values[index] == previous[index])
                    continue;
                cells.push_back({each.da, channel, 2 + run,
                                 formatted(run == 0 ? each.counts : each.values, values[index])});
            }
    return cells;
}

spray_down_view func_spray_down_view(const unsigned char record[3])
{
    return {record[0] == 0, record[1] != 0, record[2] != 0};
}

const char* func_sewer_picture(bool open)
{
    return open ? "icon_spray_down_drain_sewer_open.png" : "icon_spray_down_drain_sewer_closed.png";
}
const char* func_reuse_picture(bool open)
{
    return open ? "icon_spray_down_drain_reuse_open.png" : "icon_spray_down_drain_reuse_closed.png";
}
const char* func_spray_picture(bool on) { return on ? "icon_spray_down_on.png" : "icon_spray_down_off.png"; }
