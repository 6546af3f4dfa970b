// The desktop variant: a programming station on an ordinary PC.
#include "files/command_line.h"
#include "frame/startup.h"

extern const int PC_MODE = 1;
extern const int PC_MODE_TOUCHSCREEN = 0;
extern const int NO_PROGRAMMABLE_RPM = 0;

int main(int argc, char** argv) { return func_run_console(argc, argv, true, func_main); }
