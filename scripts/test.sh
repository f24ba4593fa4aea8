#!/usr/bin/env bash
# Builds the program with its tests and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/scripts/install-dependencies.sh"
# A quick build: the same code and tests, compiled in batches without debug
# information (see LUMIVARET_QUICK_BUILD in CMakeLists.txt).
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVARET_QUICK_BUILD=ON >/dev/null
cmake --build "$root/build"
cd "$root/build"
# The store tests run against both SQLite and a private PostgreSQL server.
QT_QPA_PLATFORM=offscreen bash "$root/scripts/test-server.sh" ctest --output-on-failure
