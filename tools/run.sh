#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and starts the program on
# the embedded default catalogue (the program folder is build/src).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec build/src/trakvella "$@"
fi
echo "No display to show the main window on: the catalogue through trakvella-cli instead."
build/src/trakvella-cli info
build/src/trakvella-cli tree
