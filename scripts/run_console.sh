#!/usr/bin/env bash
# Builds the Debian packages, installs the desktop station's (the only step
# that needs root: apt-get through sudo), and starts it as the invoking
# user, under Xvfb when there is no display. A user who cannot write
# /usr/share/lumex6 works in ~/.local/share/lumex6.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DLUMEX_BUILD_TESTS=OFF
cmake --build build -j2
rm -f build/packages/*.deb
(cd build && cpack -B packages)
run_as_root=()
[ "$(id -u)" -eq 0 ] || run_as_root=(sudo)
"${run_as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall \
    "$PWD"/build/packages/lumex6-data_*_all.deb "$PWD"/build/packages/lumex6-pc_*.deb
if [ -n "${DISPLAY:-}" ]; then
    exec /usr/bin/lumex6-pc
else
    exec xvfb-run -a -s "-screen 0 800x480x24" /usr/bin/lumex6-pc
fi
