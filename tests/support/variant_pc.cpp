// Test binaries built as the desktop variant.
extern const int PC_MODE = 1;
extern const int PC_MODE_TOUCHSCREEN = 0;
extern const int NO_PROGRAMMABLE_RPM = 0;
