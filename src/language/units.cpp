// Temperatures, water units and limits, times of day, dates and
// durations as the operator reads and types them.
#include "language/units.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "configuration/configuration_record.h"
#include "files/time_source.h"

namespace {

constexpr int FAHRENHEIT_MIN = 50, FAHRENHEIT_MAX = 205;
constexpr int CELSIUS_MIN = 0, CELSIUS_MAX = 96;

// Item 0 of the configuration: 0 imperial, 1 metric. No configuration
// counts as imperial.
float temperature_unit_item()
{
    return current_machine_configuration ? current_machine_configuration->items[0] : 0.0f;
}

bool is_metric()
{
    float unit = temperature_unit_item();
    // Truncation toward zero equals 1 for values in [1, 2).
    return unit >= 1.0f && unit < 2.0f;
}

// Round half to even (the default rounding mode), then clamp; the clamp
// is done on the double so huge inputs never overflow the int.
int round_and_clamp(double value, int low, int high)
{
    double rounded = std::nearbyint(value);
    if (!(rounded >= low))
        return low;
    if (rounded > high)
        return high;
    return static_cast<int>(rounded);
}

std::string format_moment(time_t when, const char* format)
{
    struct tm local = {};
    if (!localtime_r(&when, &local))
        return "";
    char text[64];
    size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

struct water_limits {
    int item_code;
    double imperial_min, imperial_max, metric_min, metric_max;
};

// Levels of the items that hold water levels, in inches or centimetres.
const water_limits WATER_LIMITS[] = {
    {6, 1, 9999, 1, 9999},  {7, 1, 9999, 1, 9999}, {13, 4, 6, 10, 15},
    {14, 4, 30, 15, 25},    {15, 10, 30, 25, 75},  {63, 0, 38, 0, 99},
};

// A two-character piece of a time text as a decimal number.
int piece_value(const std::string& piece)
{
    std::string cut = piece.substr(0, 2);
    return static_cast<int>(std::strtol(cut.c_str(), nullptr, 10));
}

}  // namespace

int func_convert_temperature_to_F(int celsius)
{
    return round_and_clamp(9.0 * celsius / 5.0 + 32.0, FAHRENHEIT_MIN, FAHRENHEIT_MAX);
}

int func_convert_temperature_to_C(int fahrenheit)
{
    return round_and_clamp((fahrenheit - 32.0) * 5.0 / 9.0, CELSIUS_MIN, CELSIUS_MAX);
}

std::string func_get_temperature_unit_string() { return temperature_unit_item() == 0.0f ? "F" : "C"; }

std::string func_get_water_unit_string(int volume)
{
    if (volume)
        return is_metric() ? "liters" : "gallons";
    return is_metric() ? "cm" : "in";
}

double func_get_water_value_min_max(int want_maximum, int item_code)
{
    const bool metric = is_metric();
    for (const water_limits& limits : WATER_LIMITS) {
        if (limits.item_code != item_code)
            continue;
        if (metric)
            return want_maximum ? limits.metric_max : limits.metric_min;
        return want_maximum ? limits.imperial_max : limits.imperial_min;
    }
    return want_maximum ? 9999.0 : 0.0;
}

std::string func_format_time(time_t when, int style)
{
    switch (style) {
    case 1:
        return format_moment(when, "%H:%M:%S");
    case 2:
        return format_moment(when, "%H%M");
    default:
        return format_moment(when, "%I:%M %p");
    }
}

std::string func_format_date(time_t when, int style)
{
    switch (style) {
    case 1:
        return format_moment(when, "%m:%d:%Y");
    case 2:
        return format_moment(when, "%Y%m%d");
    case 3:
        return format_moment(when, "%m-%Y-");
    case 4:
        return format_moment(when, "%Y");
    default:
        return format_moment(when, "%m/%d/%Y");
    }
}

std::string func_get_time(int style) { return func_format_time(func_get_current_time(), style); }

std::string func_get_date(int style) { return func_format_date(func_get_current_time(), style); }

std::string func_convert_seconds_to_time(int seconds)
{
    // A negative duration has no text of its own; show it as nothing elapsed.
    if (seconds < 0)
        seconds = 0;
    char text[32];
    if (seconds < 3600)
        std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

int func_convert_time_to_seconds(const std::string& text)
{
    if (text.empty())
        return 0;
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        size_t colon = text.find(':', start);
        pieces.push_back(text.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    if (pieces.size() >= 3)
        return piece_value(pieces[0]) * 3600 + piece_value(pieces[1]) * 60 + piece_value(pieces[2]);
    int minutes = piece_value(pieces[0]);
    int seconds = pieces.size() > 1 ? piece_value(pieces[1]) : 0;
    return minutes * 60 + seconds;
}
