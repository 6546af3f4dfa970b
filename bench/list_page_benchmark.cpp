// One page of the home, formulas and steps lists with the full set, from
// the screen's show call until the page is drawn (the X server included),
// against the 16 ms of one frame at 60 Hz. The console runs in this
// process on the display in DISPLAY.
//   list_page_benchmark ROOT [--benchmark_... options]
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <chrono>
#include <string>

#include "bench_support.h"
#include "files/shell_runner.h"
#include "formulas/formula_list.h"
#include "frame/app_state.h"
#include "frame/screen_table.h"
#include "frame/startup.h"

namespace {
constexpr double FRAME_MS = 16.0;
// The formula in the middle of the list (500 of the full set).
int opened_formula = 1;

void until_drawn()
{
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
    gdk_window_process_all_updates();
    gdk_display_sync(gdk_display_get_default());
}

// Shows screen `code` coming from screen `from`, timing only the former.
void show_page(benchmark::State& state, int from, int code)
{
    for (auto _ : state) {
        func_show_screen(from);
        until_drawn();
        const auto start = std::chrono::steady_clock::now();
        func_show_screen(code);
        until_drawn();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
    }
}

void home_page(benchmark::State& state) { show_page(state, SCREEN_FORMULAS, SCREEN_HOME); }
void formulas_page(benchmark::State& state) { show_page(state, SCREEN_HOME, SCREEN_FORMULAS); }
void steps_page(benchmark::State& state)
{
    page_info[SCREEN_FORMULAS].list.selected_number = opened_formula;
    show_page(state, SCREEN_FORMULAS, SCREEN_STEPS);
}

BENCHMARK(home_page)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(formulas_page)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(steps_page)->Unit(benchmark::kMillisecond)->UseManualTime();
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (func_bench_take_root(argc, argv, "list_page_benchmark ROOT [--benchmark_...]").empty())
        return 2;
    func_set_program_runner([](const std::vector<std::string>&) { return 0; });
    int console_argc = 1;
    char* console_argv[] = {argv[0], nullptr};
    char** arguments = console_argv;
    if (func_prepare_console(&console_argc, &arguments) != 0)
        return 1;
    func_load_formula_list_from_file();
    opened_formula = func_get_formula_count() / 2 + 1;
    func_show_screen(SCREEN_HOME);
    until_drawn();

    bench_median_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    // Against one frame: the floor column holds the frame.
    func_bench_print_result("home_page", reporter.time("home_page"), FRAME_MS, 1.0);
    func_bench_print_result("formulas_page", reporter.time("formulas_page"), FRAME_MS, 1.0);
    func_bench_print_result("steps_page", reporter.time("steps_page"), FRAME_MS, 1.0);
    return 0;
}
