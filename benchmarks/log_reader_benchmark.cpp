// Reading one day out of a full month's log (100 000 records, about 29 MB)
// against "cat" of the same file: the logs screen should wait at most
// about three times what merely copying the file costs. The file lies in
// a throw-away root under the temporary folder; both read it from the
// page cache after the first round.
//   log_reader_benchmark [--benchmark_... options]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "files/paths.h"
#include "logs/log_file.h"
#include "logs/log_reader.h"

extern "C" char** environ;

// The desktop variant: nothing here writes, but the library wants a variant.
extern const int PC_MODE = 1;
extern const int PC_MODE_TOUCHSCREEN = 0;
extern const int NO_PROGRAMMABLE_RPM = 0;

namespace {
constexpr int RECORDS = 100000;
constexpr int DAYS = 31;
const char* const DAY = "03/15/2024";
std::string log_path;
bool failed = false;

// Records of March 2024 spread over its days in writing order, with texts
// of every length up to the field's.
void make_month_log()
{
    log_path = func_get_month_log_path(LOG_KIND_CHANGE, 3, 2024);
    std::filesystem::create_directories(func_log_dir());
    std::ofstream out(log_path, std::ios::binary);
    struct tm moment = {};
    moment.tm_year = 2024 - 1900;
    moment.tm_mon = 2;
    moment.tm_isdst = -1;
    unsigned char record[LOG_RECORD_SIZE];
    for (int n = 0; n < RECORDS; ++n) {
        moment.tm_mday = 1 + n * DAYS / RECORDS;
        moment.tm_hour = n % 24;
        const std::string text = "------>  [Item " + std::to_string(n) + "] : " + std::string(n % 220, 'v');
        func_build_log_record(record, mktime(&moment), text, n);
        out.write(reinterpret_cast<const char*>(record), sizeof record);
    }
}

void cat_the_file(benchmark::State& state)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char program[] = "cat";
    std::vector<char*> argv = {program, &log_path[0], nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, "cat", &actions, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            failed = true;
            state.SkipWithError("cat did not run");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * RECORDS * LOG_RECORD_SIZE);
}

void read_one_day(benchmark::State& state)
{
    size_t found = 0;
    for (auto _ : state) {
        std::vector<log_entry> entries;
        if (func_read_log_day(log_path, DAY, entries) != LOG_READ_DONE || entries.empty()) {
            failed = true;
            state.SkipWithError("the day was not read");
            break;
        }
        found = entries.size();
    }
    state.counters["records"] = static_cast<double>(found);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * RECORDS * LOG_RECORD_SIZE);
}

BENCHMARK(cat_the_file)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(read_one_day)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each benchmark's time so the two can be compared.
class ratio_reporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::string base = (std::filesystem::temp_directory_path() / "lumex6_logs_XXXXXX").string();
    if (!mkdtemp(&base[0])) {
        std::perror("log_reader_benchmark: temporary folder");
        return 1;
    }
    func_set_install_root(base + "/");
    func_set_system_root(base + "/");
    make_month_log();

    ratio_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);

    const auto cat = reporter.times.find("cat_the_file");
    const auto read = reporter.times.find("read_one_day");
    if (cat != reporter.times.end() && read != reporter.times.end() && cat->second > 0)
        std::printf("one day / cat of the month's file = %.2f (aim: at most 3)\n", read->second / cat->second);
    return failed ? 1 : 0;
}
