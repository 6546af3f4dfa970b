#include "settings/system_clock.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "files/build_switches.h"
#include "files/shell_runner.h"
#include "files/time_source.h"
#include "logs/log_file.h"

namespace {
constexpr int SLOT_DATE_NOT_SET = 946;
constexpr int SLOT_TIME_NOT_SET = 947;
constexpr int SLOT_HARDWARE_CLOCK = 948;
// How far the clock may read from what was set: the time "date" takes.
constexpr long ALLOWED_DRIFT_SECONDS = 60;

struct tm local_now()
{
    const time_t now = func_get_current_time();
    struct tm local = {};
    localtime_r(&now, &local);
    return local;
}

settings_result set_clock_to(struct tm wanted, const char* who, int failure_slot)
{
    if (PC_MODE)
        return {false, failure_slot};
    char argument[64];
    snprintf(argument, sizeof argument, "%04d-%02d-%02d %02d:%02d:%02d", wanted.tm_year + 1900, wanted.tm_mon + 1,
             wanted.tm_mday, wanted.tm_hour, wanted.tm_min, wanted.tm_sec);
    wanted.tm_isdst = -1;
    const time_t expected = mktime(&wanted);
    const int status = func_run_program({"date", "-s", argument});
    if (status != 0) {
        func_log_system_error(who, std::string("date -s ") + argument + " failed (status " + std::to_string(status) +
                                       ")");
        return {false, failure_slot};
    }
    const long difference = static_cast<long>(func_get_current_time() - expected);
    if (expected == static_cast<time_t>(-1) || difference > ALLOWED_DRIFT_SECONDS ||
        difference < -ALLOWED_DRIFT_SECONDS) {
        func_log_system_error(who, std::string("the clock did not change to ") + argument);
        return {false, failure_slot};
    }
    const int hardware = func_run_program({"hwclock", "-w"});
    if (hardware != 0) {
        func_log_system_error(who, "hwclock -w failed (status " + std::to_string(hardware) + ")");
        return {false, SLOT_HARDWARE_CLOCK};
    }
    return {};
}
}  // namespace

int func_days_in_month(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool func_valid_clock_date(int year, int month, int day)
{
    return year >= CLOCK_FIRST_YEAR && year <= CLOCK_LAST_YEAR && day >= 1 && day <= func_days_in_month(year, month);
}

settings_result func_set_system_date(int year, int month, int day)
{
    if (!func_valid_clock_date(year, month, day))
        return {false, SLOT_DATE_NOT_SET};
    struct tm wanted = local_now();
    wanted.tm_year = year - 1900;
    wanted.tm_mon = month - 1;
    wanted.tm_mday = day;
    return set_clock_to(wanted, "func_set_system_date", SLOT_DATE_NOT_SET);
}

settings_result func_set_system_time(int hours, int minutes, int seconds)
{
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return {false, SLOT_TIME_NOT_SET};
    struct tm wanted = local_now();
    wanted.tm_hour = hours;
    wanted.tm_min = minutes;
    wanted.tm_sec = seconds;
    return set_clock_to(wanted, "func_set_system_time", SLOT_TIME_NOT_SET);
}
