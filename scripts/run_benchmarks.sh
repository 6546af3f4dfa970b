#!/usr/bin/env bash
# Builds the benchmark programs in Release, writes the full data set (999
# formulas of 99 steps with their 15 chemicals, a month log of 100 000
# records) into a temporary root, runs each benchmark several times and
# prints one line per benchmark: median, floor, ratio and target.
#   bash scripts/run_benchmarks.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-5}
bash scripts/install_packages.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DLUMEX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target lumex6-pc bare_gtk_window make_bench_data printout_benchmark \
  log_reader_benchmark step_loader_benchmark level_unit_benchmark set_transfer_benchmark list_page_benchmark \
  startup_benchmark
bench=$build/bench

root=$(mktemp -d "${TMPDIR:-/tmp}/lumex6-bench.XXXXXX")
log=$root.log
trap 'rm -rf "$root"' EXIT
echo "Writing the full data set into $root ..."
"$bench/make_bench_data" "$root" --stage "$build/stage"

repeat=(--benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true)
: >"$log"
for program in step_loader level_unit printout set_transfer log_reader; do
  echo "Running $program ..."
  "$bench/${program}_benchmark" "$root" "${repeat[@]}" >>"$log"
done
# The window programs on a display of the machine's size.
echo "Running list_page and startup ..."
xvfb-run -a -s "-screen 0 800x480x24" bash -c '
  "$1/list_page_benchmark" "$2" --benchmark_repetitions="$3" --benchmark_report_aggregates_only=true &&
  "$1/startup_benchmark" "$2" "$4/lumex6-pc" "$1/bare_gtk_window" "$3"' _ "$bench" "$root" "$runs" "$build" >>"$log"

echo
echo "Benchmark (ms, or KiB for peak memory): median, floor, ratio, target (full output in $log)"
grep '^RESULT' "$log" | sed 's/^RESULT //'
