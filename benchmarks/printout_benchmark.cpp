// Printing a full formula set (999 formulas of 99 steps) against writing
// the same bytes the same way: the printout should cost little more than
// its own write. Two sets, in throw-away roots under the temporary folder:
// argument 0 has no chemicals, argument 4 injects three chemicals every
// fourth step (a chemical file each: 24 000 more files to read).
//   printout_benchmark [--benchmark_... options]
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/shell_runner.h"
#include "formulas/chemicals.h"
#include "formulas/formula_list.h"
#include "formulas/formula_printout.h"
#include "formulas/step_list.h"
#include "language/language.h"

// The desktop variant: no system-wide sync after each write.
extern const int PC_MODE = 1;
extern const int PC_MODE_TOUCHSCREEN = 0;
extern const int NO_PROGRAMMABLE_RPM = 0;

namespace {
constexpr int FORMULAS = FORMULA_LIST_MAX;
constexpr int STEPS = STEP_LIST_MAX;
const int CHEMICAL_EVERY[] = {0, 4};
bool failed = false;
std::map<int, std::string> roots;  // by chemical_every

void write_bytes(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

template <class Record, class Encode>
std::string encode_all(const std::vector<Record>& records, size_t size, Encode encode)
{
    std::string bytes(records.size() * size, '\0');
    for (size_t i = 0; i < records.size(); ++i)
        encode(records[i], reinterpret_cast<unsigned char*>(&bytes[i * size]));
    return bytes;
}

// English labels of the lines, as the language file gives them.
void set_language_slots()
{
    const std::pair<int, const char*> slots[] = {
        {83, "HOT Water"}, {84, "COLD Water"}, {88, "Steam"}, {127, "Type"}, {143, "Extra Water"},
        {144, "Reuse Drain"}, {152, "Time"}, {153, "Temp"}, {154, "Level"}, {155, "Chemical"}, {156, "RPM"},
        {157, "Drain Type"}, {159, "How to End"}, {186, "Formula"}, {187, "Step"}, {406, "On Time"},
        {407, "Off Time"}, {451, "Fill From Tank"}, {452, "Recirculate Water"}};
    for (const auto& [slot, text] : slots)
        p[slot] = text;
}

// Every formula full; with chemical_every n, every n-th step injects three
// chemicals. The console's roots point at root.
void make_formula_set(const std::string& root, int chemical_every)
{
    func_set_install_root(root);
    func_set_system_root(root);
    std::vector<formula_record> formulas;
    for (int number = 1; number <= FORMULAS; ++number) {
        formulas.push_back({number, "Formula set entry " + std::to_string(number), 1, STEPS, STEPS * 300});
        std::vector<step_record> steps;
        for (int step_number = 1; step_number <= STEPS; ++step_number) {
            step_record step;
            step.number = step_number;
            step.name = "Wash step " + std::to_string(step_number);
            const int values[] = {2, 300 + step_number, 140, 1, 1, 0, 650, 1, 0, 45, 0, 0, 1, 20, 3};
            std::copy(std::begin(values), std::end(values), step.items);
            if (chemical_every > 0 && step_number % chemical_every == 0) {
                step.items[STEP_CHEMICALS] = 3;
                std::vector<chemical_record> chemicals(CHEMICAL_COUNT);
                for (int i = 0; i < CHEMICAL_COUNT; ++i)
                    chemicals[static_cast<size_t>(i)] = {i + 1, "", i < 3 ? 1 : 0, i % 3, 30 + i, i % 2};
                write_bytes(func_get_step_chemicals_path(number, step_number),
                            encode_all(chemicals, CHEMICAL_RECORD_SIZE, func_encode_chemical_record));
            }
            steps.push_back(step);
        }
        write_bytes(func_get_step_file_path(number), encode_all(steps, STEP_RECORD_SIZE, func_encode_step_record));
    }
    write_bytes(func_get_formula_list_path(), encode_all(formulas, FORMULA_RECORD_SIZE, func_encode_formula_record));
    write_bytes(root + "formulas/Benchmark.set", "");
    std::filesystem::create_directories(root + "hd");
}

void use_set(int chemical_every)
{
    func_set_install_root(roots[chemical_every]);
    func_set_system_root(roots[chemical_every]);
}

void print_all_formulas(benchmark::State& state)
{
    use_set(static_cast<int>(state.range(0)));
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
    use_set(static_cast<int>(state.range(0)));
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
    use_set(static_cast<int>(state.range(0)));
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

BENCHMARK(print_all_formulas)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(build_printout_text)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(write_same_bytes)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each run's mean time so the printout and the write can be compared.
class ratio_reporter : public benchmark::ConsoleReporter {
public:
    std::map<std::pair<std::string, std::string>, double> times;  // (function, argument)
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions the median stands for the runs.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                times[{run.run_name.function_name, run.run_name.args}] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::string base = (std::filesystem::temp_directory_path() / "lumex6_printout_XXXXXX").string();
    if (!mkdtemp(&base[0])) {
        std::perror("printout_benchmark: temporary folder");
        return 1;
    }
    func_set_program_runner([](const std::vector<std::string>&) { return 0; });
    set_language_slots();
    func_load_default_chemical_names_from_file(0);
    for (int every : CHEMICAL_EVERY) {
        roots[every] = base + "/set" + std::to_string(every) + "/";
        make_formula_set(roots[every], every);
    }

    ratio_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);

    for (int every : CHEMICAL_EVERY) {
        const std::string argument = std::to_string(every);
        const auto printout = reporter.times.find({"print_all_formulas", argument});
        const auto write = reporter.times.find({"write_same_bytes", argument});
        if (printout == reporter.times.end() || write == reporter.times.end() || write->second <= 0)
            continue;
        std::printf("set %s: printout / write of the same bytes = %.2f (aim: at most 1.5)\n", argument.c_str(),
                    printout->second / write->second);
    }
    return failed ? 1 : 0;
}
