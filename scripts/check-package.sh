#!/usr/bin/env bash
# Packs the program of a build tree into a Debian package, copies it into the
# given folder and checks it: lintian (no error), the desktop entry and the
# AppStream metadata. Usage: check-package.sh BUILD_TREE DIST_FOLDER
set -euo pipefail
build="$1"
dist="$2"

(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/lumivaret_*.deb | head -n 1)"
mkdir -p "$dist"
cp -f "$deb" "$dist/"
deb="$dist/$(basename "$deb")"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
desktop-file-validate "$scratch"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$scratch"/usr/share/metainfo/*.metainfo.xml >/dev/null
# Errors fail the package; warnings are listed for the reader.
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" || {
  echo "lintian a gasit erori in $deb" >&2
  exit 1
}
echo "Pachetul: $deb"
