// The machine variant: full-screen console beside the controller.
#include "files/command_line.h"
#include "frame/startup.h"

extern const int PC_MODE = 0;
extern const int PC_MODE_TOUCHSCREEN = 0;
extern const int NO_PROGRAMMABLE_RPM = 0;

int main(int argc, char** argv) { return func_run_console(argc, argv, false, func_main); }
