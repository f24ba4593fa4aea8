#!/usr/bin/env bash
# Builds the program with its tests and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/scripts/install-dependencies.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
