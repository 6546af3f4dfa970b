// Units, times and dates as the operator sees them.
#pragma once
#include <ctime>
#include <string>

int func_convert_temperature_to_F(int celsius);
int func_convert_temperature_to_C(int fahrenheit);
std::string func_get_temperature_unit_string();
std::string func_get_water_unit_string(int volume);
double func_get_water_value_min_max(int want_maximum, int item_code);

// Styles: 1 "%H:%M:%S", 2 "%H%M", other "%I:%M %p".
std::string func_get_time(int style);
// Styles: 1 "%m:%d:%Y", 2 "%Y%m%d", 3 "%m-%Y-", 4 "%Y", other "%m/%d/%Y".
std::string func_get_date(int style);
// Both for a given moment (what func_get_time/func_get_date use).
std::string func_format_time(time_t when, int style);
std::string func_format_date(time_t when, int style);

std::string func_convert_seconds_to_time(int seconds);
int func_convert_time_to_seconds(const std::string& text);

