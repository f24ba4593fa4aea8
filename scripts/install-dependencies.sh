#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need;
# does nothing when all are there already.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libqt6sql6-sqlite libgl-dev
  qt6-charts-dev libqt6opengl6-dev  # the charts; their CMake files ask for Qt OpenGL's
  libsqlite3-dev libjpeg62-turbo zlib1g-dev
  libsodium-dev  # the encryption of protected database files
  libqt6sql6-psql libpq-dev postgresql  # the server store; the tests start a private cluster
  libgtest-dev libbenchmark-dev
  pxlib-dev
  fonts-liberation2
  # packing and checking the Debian package
  dpkg-dev file lintian appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Se instaleaza: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
