#!/usr/bin/env bash
# Builds everything and runs every test; window tests run under Xvfb on
# a screen the size of the machine's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_packages.sh
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-tests -j2
cd build-tests
xvfb-run -a -s "-screen 0 800x480x24" ctest --output-on-failure -j2
