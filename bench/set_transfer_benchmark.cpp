// Exporting the working formula set to hd/ and importing it back against
// copying the same folder there and back with "cp -r": a set on the
// stick should cost little more than the copies themselves.
//   set_transfer_benchmark ROOT [--benchmark_... options]
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_support.h"
#include "files/paths.h"
#include "files/sets.h"
#include "files/shell_runner.h"

namespace {
bool failed = false;

void export_and_import(benchmark::State& state)
{
    for (auto _ : state) {
        const set_result exported = func_export_formulas_set(func_hd_dir(), true);
        const set_result imported =
            exported.ok ? func_import_formulas_set(func_hd_dir(), BENCH_SET_NAME, true) : exported;
        if (!imported.ok) {
            failed = true;
            state.SkipWithError("the set was not exported and imported");
            break;
        }
    }
}

void copy_there_and_back(benchmark::State& state)
{
    const std::string there = func_hd_dir() + "copy";
    const std::string back = func_get_install_root() + "formulas-copy";
    for (auto _ : state) {
        if (!func_bench_run_program({"cp", "-r", func_formulas_dir(), there}) ||
            !func_bench_run_program({"cp", "-r", there, back})) {
            failed = true;
            state.SkipWithError("cp did not run");
            break;
        }
        state.PauseTiming();
        std::error_code ignored;
        std::filesystem::remove_all(there, ignored);
        std::filesystem::remove_all(back, ignored);
        state.ResumeTiming();
    }
}

BENCHMARK(export_and_import)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(copy_there_and_back)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (func_bench_take_root(argc, argv, "set_transfer_benchmark ROOT [--benchmark_...]").empty())
        return 2;
    func_set_program_runner([](const std::vector<std::string>&) { return 0; });

    bench_median_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    func_bench_print_result("set_export_import", reporter.time("export_and_import"),
                            reporter.time("copy_there_and_back"), 1.5);
    return failed ? 1 : 0;
}
