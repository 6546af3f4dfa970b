// The clock the console reads. Tests set a fixed moment so dates, log
// file names and the old-log clean-up can be checked.
#pragma once
#include <ctime>
#include <functional>

time_t func_get_current_time();
// An empty function restores the system clock.
void func_set_time_source(std::function<time_t()> source);
