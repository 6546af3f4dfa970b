#!/usr/bin/env bash
# Builds everything and runs every test; window tests run under Xvfb on
# a screen the size of the machine's. Then the same tests once more in a
# clang build under AddressSanitizer and UndefinedBehaviorSanitizer, and
# each reader's fuzz program for 30 s. Any failure or report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_packages.sh
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-tests -j2
(cd build-tests && xvfb-run -a -s "-screen 0 800x480x24" ctest --output-on-failure -j2)

# Leak checking stays off: GTK keeps its allocations until the end.
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLUMEX_FUZZ=ON
cmake --build build-sanitize -j2
# The packages were built and checked above; here the code is.
(cd build-sanitize && xvfb-run -a -s "-screen 0 800x480x24" ctest --output-on-failure -j2 -E '^packaging\.')
bash fuzz/run_fuzzers.sh build-sanitize 30
