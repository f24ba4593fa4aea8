#!/usr/bin/env bash
# Builds the program and starts it from its own program folder, outside the
# build tree, so that a rebuild never touches the parish's data.
# The folder is ~/Lumivaret unless LUMIVARET_FOLDER names another.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="${LUMIVARET_FOLDER:-$HOME/Lumivaret}"

bash "$root/scripts/install-dependencies.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON \
      -DLUMIVARET_TESTS=OFF -DLUMIVARET_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build-release" --target Lumivaret manual

mkdir -p "$folder"
# Replace the program file without touching the data beside it.
install -m 755 "$root/build-release/src/Lumivaret" "$folder/Lumivaret.new"
mv -f "$folder/Lumivaret.new" "$folder/Lumivaret"
install -m 644 "$root/build-release/src/ManualLumivaret.html" "$folder/ManualLumivaret.html"
echo "Dosarul programului: $folder"
# Amounts and dates are typed and shown in the system's notation. A machine
# with no language set (C or POSIX, as a fresh server or container has)
# would show 1234.50 and "01 03 2026": the parish's is the Romanian one.
case "${LC_ALL:-${LC_NUMERIC:-${LANG:-}}}" in
  "" | C | C.* | POSIX)
    unset LC_ALL LC_NUMERIC LC_TIME
    export LANG=ro_RO.UTF-8
    ;;
esac
exec "$folder/Lumivaret"
