#include "files/time_source.h"

namespace {
std::function<time_t()> time_source;
}

time_t func_get_current_time() { return time_source ? time_source() : time(nullptr); }

void func_set_time_source(std::function<time_t()> source) { time_source = std::move(source); }
