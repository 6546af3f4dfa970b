// Printing the working formula set against writing the same bytes the same
// way: the printout should cost little more than its own write.
//   printout_benchmark ROOT [--benchmark_... options]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/shell_runner.h"
#include "formulas/chemicals.h"
#include "formulas/formula_printout.h"

namespace {
bool failed = false;

void print_all_formulas(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        const print_result result = func_print_all_formulas(func_hd_dir(), "");
        if (!result.ok) {
            failed = true;
            state.SkipWithError("the printout was not written");
            break;
        }
        bytes = std::filesystem::file_size(result.path);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// Reading and formatting alone, to see where the time goes.
void build_printout_text(benchmark::State& state)
{
    std::string text;
    for (auto _ : state) {
        if (!func_build_formulas_printout(text)) {
            failed = true;
            state.SkipWithError("no printout was built");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void write_same_bytes(benchmark::State& state)
{
    std::string text;
    if (!func_build_formulas_printout(text)) {
        failed = true;
        state.SkipWithError("no printout to measure");
        return;
    }
    for (auto _ : state) {
        if (!func_write_file_atomic(func_hd_dir() + "same_bytes.txt", text)) {
            failed = true;
            state.SkipWithError("the file was not written");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Reading every file of the formula folders (steps and chemicals), each
// opened, read whole and closed: what the printout cannot do without.
void read_same_files(benchmark::State& state)
{
    std::vector<char> buffer(1 << 16);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const auto& folder : std::filesystem::directory_iterator(func_formulas_dir())) {
            if (!folder.is_directory())
                continue;
            for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
                const int fd = open(file.path().c_str(), O_RDONLY | O_CLOEXEC);
                if (fd < 0)
                    continue;
                ssize_t got;
                while ((got = read(fd, buffer.data(), buffer.size())) > 0)
                    bytes += static_cast<size_t>(got);
                close(fd);
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

BENCHMARK(print_all_formulas)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(build_printout_text)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(write_same_bytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(read_same_files)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::string root = func_bench_take_root(argc, argv, "printout_benchmark ROOT [--benchmark_...]");
    if (root.empty())
        return 2;
    func_set_program_runner([](const std::vector<std::string>&) { return 0; });
    func_bench_set_language_slots();
    func_load_default_chemical_names_from_file(0);

    bench_median_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove(func_hd_dir() + "same_bytes.txt", ignored);
    func_bench_print_result("printout", reporter.time("print_all_formulas"), reporter.time("write_same_bytes"), 1.5);
    // For reading the figure above: the same against opening and reading
    // its 100 000 files as well.
    func_bench_print_result("printout_with_reads", reporter.time("print_all_formulas"),
                            reporter.time("write_same_bytes") + reporter.time("read_same_files"), 1.5);
    return failed ? 1 : 0;
}
