#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and starts the program on
# the embedded default catalogue, with the local library servers (demo previews,
# web site) running on loopback for it. The program folder is build/src unless
# --home names another.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  # The servers write servers.ini into the program folder the program uses
  # (build/src, or the one --home names) and end with the program.
  exec bash tools/run_with_servers.sh build/src/trakvella "$@"
fi
echo "No display to show the main window on: the catalogue through trakvella-cli instead."
build/src/trakvella-cli info
build/src/trakvella-cli tree
