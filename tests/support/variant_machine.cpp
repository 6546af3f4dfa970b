// Test binaries built as the machine variant.
extern const int PC_MODE = 0;
extern const int PC_MODE_TOUCHSCREEN = 0;
extern const int NO_PROGRAMMABLE_RPM = 0;
