// Loading every formula's steps.dat through the step loader (what the
// steps screen does on opening a formula) against reading the same bytes
// in-process.
//   step_loader_benchmark ROOT [--benchmark_... options]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"

namespace {
std::vector<int> formulas;
bool failed = false;

void load_all_steps(benchmark::State& state)
{
    size_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (int formula : formulas) {
            if (!func_load_step_list_from_file(formula, false)) {
                failed = true;
                state.SkipWithError("a step file was not loaded");
                return;
            }
            rows += static_cast<size_t>(func_get_step_row_count());
        }
    }
    state.counters["steps"] = static_cast<double>(rows);
}

void read_same_bytes(benchmark::State& state)
{
    std::string bytes;
    char buffer[1 << 16];
    for (auto _ : state) {
        for (int formula : formulas) {
            const int file = open(func_get_step_file_path(formula).c_str(), O_RDONLY | O_CLOEXEC);
            if (file < 0) {
                failed = true;
                state.SkipWithError("a step file was not read");
                return;
            }
            bytes.clear();
            ssize_t got = 0;
            while ((got = read(file, buffer, sizeof buffer)) > 0)
                bytes.append(buffer, static_cast<size_t>(got));
            close(file);
            benchmark::DoNotOptimize(bytes.data());
        }
    }
}

BENCHMARK(load_all_steps)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(read_same_bytes)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (func_bench_take_root(argc, argv, "step_loader_benchmark ROOT [--benchmark_...]").empty())
        return 2;
    func_create_formula_list_store();
    func_create_step_list_store();
    func_load_formula_list_from_file();
    std::unique_ptr<formula_snapshot> list(func_get_formula_list_from_liststore());
    if (list)
        for (const formula_record& record : list->records)
            formulas.push_back(record.number);

    bench_median_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    func_bench_print_result("step_loader", reporter.time("load_all_steps"), reporter.time("read_same_bytes"), 1.5);
    return failed || formulas.empty() ? 1 : 0;
}
