#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test,
# then builds the Debian package, installs it, starts the installed programs
# and removes the package again (tools/package-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build
ctest --test-dir build --output-on-failure -j2
bash tools/package-test.sh
