#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and starts the program on
# the embedded default catalogue, with the local library servers (demo previews,
# web site) running on loopback for it. The program folder is build/src.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
home=build/src
# The servers write servers.ini into the program folder, print "ready", and end
# with their parent (this shell, which becomes the program below).
ready=$(mktemp)
python3 tools/library_servers.py --home "$home" > "$ready" &
for _ in $(seq 1 100); do grep -q '^ready$' "$ready" && break; sleep 0.1; done
cat "$ready"; rm -f "$ready"
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec build/src/trakvella "$@"
fi
echo "No display to show the main window on: the catalogue through trakvella-cli instead."
build/src/trakvella-cli info
build/src/trakvella-cli tree
