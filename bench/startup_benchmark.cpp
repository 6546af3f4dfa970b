// Start-up of the desktop console to its home screen against a bare GTK 2
// program with one window: CPU time (user and system, waiting on timers
// costs none) and peak memory of each, taken from the finished child.
// Both run on the display in DISPLAY (under Xvfb in the script), turn
// about, RUNS times each; the console is told to end once its home
// screen is drawn and idle (LUMEX6_QUIT_AT_HOME) and works in ROOT.
//   startup_benchmark ROOT CONSOLE BARE_PROGRAM [RUNS]
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"

namespace {
double cpu_milliseconds(const struct rusage& usage)
{
    const auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: startup_benchmark ROOT CONSOLE BARE_PROGRAM [RUNS]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int runs = argc == 5 ? std::atoi(argv[4]) : 5;
    if (runs < 1 || runs > 1000) {
        std::fprintf(stderr, "startup_benchmark: RUNS must be 1 to 1000\n");
        return 2;
    }
    setenv("LUMEX6_QUIT_AT_HOME", "1", 1);
    std::vector<double> console_cpu, bare_cpu, console_memory, bare_memory;
    for (int run = 0; run < runs; ++run) {
        struct rusage usage;
        if (!func_bench_run_program({argv[2], "--root", root}, &usage)) {
            std::fprintf(stderr, "startup_benchmark: %s did not start and end\n", argv[2]);
            return 1;
        }
        console_cpu.push_back(cpu_milliseconds(usage));
        console_memory.push_back(static_cast<double>(usage.ru_maxrss));
        if (!func_bench_run_program({argv[3]}, &usage)) {
            std::fprintf(stderr, "startup_benchmark: %s did not start and end\n", argv[3]);
            return 1;
        }
        bare_cpu.push_back(cpu_milliseconds(usage));
        bare_memory.push_back(static_cast<double>(usage.ru_maxrss));
    }
    // Peak memory in KiB in the same columns.
    func_bench_print_result("startup_cpu", func_bench_median(console_cpu), func_bench_median(bare_cpu), 2.0);
    func_bench_print_result("startup_peak_kib", func_bench_median(console_memory), func_bench_median(bare_memory),
                            1.3);
    return 0;
}
