#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test the console.
set -euo pipefail
packages=(build-essential cmake pkg-config libgtk2.0-dev libgtest-dev libbenchmark-dev xvfb xauth fonts-dejavu-core fonts-liberation libfontconfig-dev libpng-dev dpkg-dev file lintian desktop-file-utils appstream systemd man-db xinit clang libclang-rt-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    run_as_root=()
    [ "$(id -u)" -eq 0 ] || run_as_root=(sudo)
    "${run_as_root[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${run_as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
