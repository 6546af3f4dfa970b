// Changing the level unit of every formula against reading and writing
// the same steps.dat bytes the same way. Each round goes the other way
// (inches, centimetres, inches...), so every level changes every time.
//   level_unit_benchmark ROOT [--benchmark_... options]
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "files/atomic_file.h"
#include "formulas/formula_list.h"
#include "formulas/level_unit.h"
#include "formulas/step_list.h"

namespace {
std::vector<int> formulas;
bool failed = false;

void change_level_unit(benchmark::State& state)
{
    int new_unit = 1;
    for (auto _ : state) {
        // The configuration is not part of the formulas' conversion.
        if (!func_change_level_unit(new_unit, new_unit == 0, [] { return 1; })) {
            failed = true;
            state.SkipWithError("the levels were not converted");
            break;
        }
        new_unit = 1 - new_unit;
    }
}

void read_and_write_same_bytes(benchmark::State& state)
{
    for (auto _ : state) {
        for (int formula : formulas) {
            const std::string path = func_get_step_file_path(formula);
            std::ifstream in(path, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in || !func_write_file_atomic(path, bytes)) {
                failed = true;
                state.SkipWithError("a step file was not rewritten");
                return;
            }
        }
    }
}

BENCHMARK(change_level_unit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(read_and_write_same_bytes)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (func_bench_take_root(argc, argv, "level_unit_benchmark ROOT [--benchmark_...]").empty())
        return 2;
    func_create_formula_list_store();
    func_load_formula_list_from_file();
    std::unique_ptr<formula_snapshot> list(func_get_formula_list_from_liststore());
    if (list)
        for (const formula_record& record : list->records)
            formulas.push_back(record.number);

    bench_median_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    func_bench_print_result("level_unit", reporter.time("change_level_unit"),
                            reporter.time("read_and_write_same_bytes"), 1.5);
    return failed || formulas.empty() ? 1 : 0;
}
