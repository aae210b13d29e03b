#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs the program's
# main job on the embedded default catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
cli=build/src/trakvella-cli
echo "== trakvella-cli info"
"$cli" info
echo "== trakvella-cli tree"
"$cli" tree
