// Build switches. Each executable (and each test binary) defines these
// once, so the same library serves the machine and the desktop variant.
#pragma once

// 0: machine variant (full screen, hidden pointer, sync after writes).
// 1: desktop programming station.
extern const int PC_MODE;
// With PC_MODE 1 and this 0 the pointer is the hand pointer.
extern const int PC_MODE_TOUCHSCREEN;
// Non-zero when the machine has no programmable speed (the speed of a
// step is then an option, not a number).
extern const int NO_PROGRAMMABLE_RPM;
