#!/usr/bin/env bash
# Builds and installs the console, then starts the desktop variant
# (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DLUMEX_BUILD_TESTS=OFF
cmake --build build -j2
run_as_root=()
[ "$(id -u)" -eq 0 ] || run_as_root=(sudo)
"${run_as_root[@]}" cmake --install build
if [ -n "${DISPLAY:-}" ]; then
    exec "${run_as_root[@]}" /usr/bin/lumex6-pc
else
    exec "${run_as_root[@]}" xvfb-run -a -s "-screen 0 800x480x24" /usr/bin/lumex6-pc
fi
