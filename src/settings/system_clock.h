// The system clock: its date or its time of day set through "date", then
// kept in the hardware clock through "hwclock -w". Each step is checked;
// a clock that did not move to what was asked is a failure.
#pragma once
#include "settings/system_commands.h"

// Years the clock takes: before 1970 there is no system time, and the
// hardware clock counts years within one century.
constexpr int CLOCK_FIRST_YEAR = 1970;
constexpr int CLOCK_LAST_YEAR = 2099;

// Days of a month of a year (leap years counted); 0 for a month outside 1 to 12.
int func_days_in_month(int year, int month);
// True for a day that exists, in the years the clock takes.
bool func_valid_clock_date(int year, int month, int day);

// The date, keeping the time of day.
settings_result func_set_system_date(int year, int month, int day);
// The time of day, keeping the date.
settings_result func_set_system_time(int hours, int minutes, int seconds);
