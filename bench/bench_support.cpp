#include "bench_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "files/atomic_file.h"
#include "files/paths.h"
#include "files/record_file.h"
#include "formulas/chemicals.h"
#include "formulas/formula_list.h"
#include "formulas/step_list.h"
#include "language/language.h"
#include "logs/log_file.h"
#include "logs/log_reader.h"

extern "C" char** environ;

// The desktop variant: no system-wide sync after each write.
extern const int PC_MODE = 1;
extern const int PC_MODE_TOUCHSCREEN = 0;
extern const int NO_PROGRAMMABLE_RPM = 0;

const char* const BENCH_LOG_DAY = "03/15/2024";
const char* const BENCH_SET_NAME = "Benchmark";

namespace {
int no_fsync(int) { return 0; }

bool make_folder(const std::string& path)
{
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

// A wash of every kind of setting; names of the length operators give.
step_record make_step(int number, int chemicals)
{
    step_record step;
    step.number = number;
    step.name = "Main wash " + std::to_string(number) + " bath";
    const int values[] = {2, 300 + number, 140, 1, 1, 0, 650, 1, chemicals, 45, 0, 0, 1, 20, 3};
    std::copy(std::begin(values), std::end(values), step.items);
    return step;
}

bool make_formula(int number, const bench_set_size& size)
{
    if (!make_folder(func_get_formula_folder(number)))
        return false;
    std::vector<step_record> steps;
    std::vector<chemical_record> chemicals(CHEMICAL_COUNT);
    for (int i = 0; i < CHEMICAL_COUNT; ++i)
        chemicals[static_cast<size_t>(i)] = {i + 1, "", i < size.chemicals ? 1 : 0, i % 3, 30 + i, i % 2};
    const record_format chemical_file = {CHEMICAL_RECORD_SIZE, CHEMICAL_COUNT, "chemicals"};
    const record_format step_file = {STEP_RECORD_SIZE, STEP_LIST_MAX, "steps"};
    for (int step = 1; step <= size.steps; ++step) {
        steps.push_back(make_step(step, size.chemicals));
        if (size.chemicals > 0 && !func_write_records(func_get_step_chemicals_path(number, step), chemical_file,
                                                      chemicals, func_encode_chemical_record))
            return false;
    }
    return func_write_records(func_get_step_file_path(number), step_file, steps, func_encode_step_record) == 1;
}

bool make_month_log(int records)
{
    const std::string path = func_get_month_log_path(LOG_KIND_CHANGE, BENCH_LOG_MONTH, BENCH_LOG_YEAR);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(records) * LOG_RECORD_SIZE);
    struct tm moment = {};
    moment.tm_year = BENCH_LOG_YEAR - 1900;
    moment.tm_mon = BENCH_LOG_MONTH - 1;
    moment.tm_isdst = -1;
    unsigned char record[LOG_RECORD_SIZE];
    constexpr int DAYS = 31;
    for (int n = 0; n < records; ++n) {
        // Spread over the month in writing order, texts of every length.
        moment.tm_mday = 1 + static_cast<int>(static_cast<long long>(n) * DAYS / records);
        moment.tm_hour = n % 24;
        const std::string text = "------>  [Item " + std::to_string(n) + "] : " + std::string(n % 220, 'v');
        func_build_log_record(record, mktime(&moment), text, n);
        bytes.append(reinterpret_cast<const char*>(record), sizeof record);
    }
    return func_write_file_atomic(path, bytes) == 1;
}
}  // namespace

bench_set_size func_bench_full_size() { return bench_set_size(); }

bench_set_size func_bench_tiny_size()
{
    bench_set_size size;
    size.formulas = 3;
    size.steps = 4;
    size.chemicals = 2;
    size.log_records = 600;
    return size;
}

std::string func_bench_make_data(const std::string& root, const bench_set_size& size)
{
    func_set_install_root(root);
    func_set_resource_root(root);
    func_set_system_root(root);
    for (const char* folder : {"", "formulas", "configuration", "data", "log", "hd", "update"})
        if (!make_folder(root + folder))
            return "cannot create " + root + folder;
    // Thousands of files: one sync at the end instead of one per file.
    func_file_io_ops().fsync_file = no_fsync;
    std::vector<formula_record> formulas;
    for (int number = 1; number <= size.formulas; ++number) {
        formulas.push_back({number, "Formula set entry " + std::to_string(number), 1, size.steps,
                            size.steps * 300});
        if (!make_formula(number, size))
            return "cannot write formula " + std::to_string(number);
    }
    const record_format formula_file = {FORMULA_RECORD_SIZE, FORMULA_LIST_MAX, "formulas"};
    bool done = func_write_records(func_get_formula_list_path(), formula_file, formulas, func_encode_formula_record) &&
                func_write_file_atomic(func_formulas_dir() + BENCH_SET_NAME + ".set", "") &&
                make_month_log(size.log_records);
    func_reset_file_io_ops();
    sync();
    return done ? "" : "cannot write the formula list, the set marker or the month log";
}

std::string func_bench_take_root(int argc, char** argv, const char* usage)
{
    struct stat info;
    if (argc < 2 || argv[1][0] == '-' || stat(argv[1], &info) != 0 || !S_ISDIR(info.st_mode)) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return "";
    }
    std::string root = argv[1];
    if (root.back() != '/')
        root += '/';
    func_set_install_root(root);
    func_set_resource_root(root);
    func_set_system_root(root);
    return root;
}

void func_bench_set_language_slots()
{
    const std::pair<int, const char*> slots[] = {
        {83, "HOT Water"}, {84, "COLD Water"}, {88, "Steam"}, {127, "Type"}, {143, "Extra Water"},
        {144, "Reuse Drain"}, {152, "Time"}, {153, "Temp"}, {154, "Level"}, {155, "Chemical"}, {156, "RPM"},
        {157, "Drain Type"}, {159, "How to End"}, {186, "Formula"}, {187, "Step"}, {406, "On Time"},
        {407, "Off Time"}, {451, "Fill From Tank"}, {452, "Recirculate Water"}};
    for (const auto& [slot, text] : slots)
        p[slot] = text;
}

bool func_bench_run_program(const std::vector<std::string>& argv, struct rusage* usage)
{
    std::vector<std::string> copies = argv;
    std::vector<char*> pointers;
    for (std::string& argument : copies)
        pointers.push_back(&argument[0]);
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    struct rusage ignored;
    if (wait4(child, &status, 0, usage ? usage : &ignored) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double func_bench_median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool func_bench_print_result(const std::string& name, double median_ms, double floor_ms, double target)
{
    if (median_ms < 0 || floor_ms <= 0) {
        std::printf("RESULT %s not measured\n", name.c_str());
        return false;
    }
    const double ratio = median_ms / floor_ms;
    const bool met = ratio <= target;
    std::printf("RESULT %-22s median %10.2f floor %10.2f ratio %6.2f target %4.1f %s\n", name.c_str(), median_ms,
                floor_ms, ratio, target, met ? "met" : "MISSED");
    std::fflush(stdout);
    return met;
}

void bench_median_reporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median") {
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            milliseconds[name] = run.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

double bench_median_reporter::time(const std::string& name) const
{
    const auto found = milliseconds.find(name);
    return found == milliseconds.end() ? -1 : found->second;
}
