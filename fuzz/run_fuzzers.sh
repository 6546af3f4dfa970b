#!/usr/bin/env bash
# Runs each libFuzzer program of a LUMEX_FUZZ build for a while (30 s by
# default), starting from its seed corpus; new inputs go to a working
# corpus in the build folder, never into the source tree. Any report (a
# crash, a sanitizer report, a leak-free timeout or memory limit) fails
# the run; the input that made it is left in <build>/fuzz-artifacts/.
#   bash fuzz/run_fuzzers.sh BUILD_DIR [SECONDS]
set -uo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-30}
source_dir=$(cd "$(dirname "$0")" && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$build/fuzz-corpus" "$build/fuzz-artifacts"
failed=()
found=0
for program in "$build"/fuzz/*_fuzz; do
    [ -x "$program" ] || continue
    target=$(basename "$program" _fuzz)
    found=$((found + 1))
    mkdir -p "$build/fuzz-corpus/$target"
    log="$build/fuzz-artifacts/$target.log"
    "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$target-" \
        "$build/fuzz-corpus/$target" "$source_dir/corpus/$target" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    printf '%-16s %10s executions  %s\n' "$target" "${runs:-?}" "$([ $status -eq 0 ] && echo ok || echo "REPORT (status $status)")"
    if [ $status -ne 0 ]; then
        failed+=("$target")
        grep -E -m 5 'ERROR|runtime error|SUMMARY|Test unit written' "$log"
    fi
done
if [ "$found" -eq 0 ]; then
    echo "no fuzz programs in $build/fuzz (configure with -DLUMEX_FUZZ=ON and clang)" >&2
    exit 1
fi
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz reports: ${failed[*]} (logs and inputs in $build/fuzz-artifacts/)" >&2
    exit 1
fi
