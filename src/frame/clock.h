// The clock labels of the shown screen.
#pragma once

extern "C" {
// Writes the time and date into the shown screen's clock labels (home,
// run screen); the 60 s timer. Returns 1 to keep the timer.
int func_update_clock(void* data);
}
