#!/usr/bin/env bash
# Builds the Debian package dist/lumivaret_<version>_amd64.deb from a release
# build of the program alone, then checks it as a distribution would.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/scripts/install-dependencies.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON \
      -DLUMIVARET_TESTS=OFF -DLUMIVARET_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build-release" --target Lumivaret manual packaging_files
bash "$root/scripts/check-package.sh" "$root/build-release" "$root/dist"
