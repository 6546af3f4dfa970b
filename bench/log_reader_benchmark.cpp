// Reading one day out of the month's change log against "cat" of the same
// file: the logs screen should wait at most about three times what merely
// copying the file costs. Both read it from the page cache after the
// first round.
//   log_reader_benchmark ROOT [--benchmark_... options]
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "logs/log_file.h"
#include "logs/log_reader.h"

namespace {
std::string log_path;
bool failed = false;

void cat_the_file(benchmark::State& state)
{
    for (auto _ : state) {
        if (!func_bench_run_program({"cat", log_path})) {
            failed = true;
            state.SkipWithError("cat did not run");
            break;
        }
    }
}

void read_one_day(benchmark::State& state)
{
    size_t found = 0;
    for (auto _ : state) {
        std::vector<log_entry> entries;
        if (func_read_log_day(log_path, BENCH_LOG_DAY, entries) != LOG_READ_DONE || entries.empty()) {
            failed = true;
            state.SkipWithError("the day was not read");
            break;
        }
        found = entries.size();
    }
    state.counters["records"] = static_cast<double>(found);
}

BENCHMARK(cat_the_file)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(read_one_day)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (func_bench_take_root(argc, argv, "log_reader_benchmark ROOT [--benchmark_...]").empty())
        return 2;
    log_path = func_get_month_log_path(LOG_KIND_CHANGE, BENCH_LOG_MONTH, BENCH_LOG_YEAR);

    bench_median_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    func_bench_print_result("log_day", reporter.time("read_one_day"), reporter.time("cat_the_file"), 3.0);
    return failed ? 1 : 0;
}
