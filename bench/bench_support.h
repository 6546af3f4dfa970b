// What the benchmark programs share: the data root they are pointed at,
// the full and tiny data sets, programs started with an argument vector
// and timed as children, and the one result line each comparison prints.
//
// Every program takes the data root made by make_bench_data as its first
// argument that is not a --benchmark_ option, and prints lines
//   RESULT <name> median <ms> floor <ms> ratio <r> target <t> <met|MISSED>
// that scripts/run_benchmarks.sh gathers.
#pragma once
#include <sys/resource.h>

#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

// Sizes of a generated data set.
struct bench_set_size {
    int formulas = 999;
    int steps = 99;
    int chemicals = 15;  // enabled chemicals of each step (each step has a chemical file)
    int log_records = 100000;
};
bench_set_size func_bench_full_size();
bench_set_size func_bench_tiny_size();

// The month log and the day the log benchmark reads out of it.
constexpr int BENCH_LOG_MONTH = 3;
constexpr int BENCH_LOG_YEAR = 2024;
extern const char* const BENCH_LOG_DAY;  // "03/15/2024"
// Name of the working set's marker (formulas/<name>.set).
extern const char* const BENCH_SET_NAME;

// Writes the data set into root (ending in "/") with the console's own
// record writers: formulas.dat, every steps.dat and chemical file, the set
// marker and the month log. Per-file flushing is left to one sync at the
// end. An error text, or "".
std::string func_bench_make_data(const std::string& root, const bench_set_size& size);

// The root argument (made to end in "/"), after benchmark::Initialize took
// its own options; every root of the library points at it. "" with a
// usage line printed when it is missing or not a folder.
std::string func_bench_take_root(int argc, char** argv, const char* usage);

// The English texts the printout and lists use, without reading a
// language file.
void func_bench_set_language_slots();

// Runs a program (argv[0] looked up in PATH) with its output thrown away
// and waits for it; usage gets the child's resources. True when it exited
// with status 0.
bool func_bench_run_program(const std::vector<std::string>& argv, struct rusage* usage = nullptr);

// One comparison's result line; true when the target is met.
bool func_bench_print_result(const std::string& name, double median_ms, double floor_ms, double target);
double func_bench_median(std::vector<double> values);

// Keeps each benchmark's median (or its only run) in milliseconds, by
// the full benchmark name ("load_all_steps", "print/4").
class bench_median_reporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> milliseconds;
    void ReportRuns(const std::vector<Run>& runs) override;
    // The time of a benchmark, or -1 when it did not run.
    double time(const std::string& name) const;
};
