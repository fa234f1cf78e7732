#!/usr/bin/env bash
# Installs what is missing, builds a release in build/release (the tree
# scripts/run.sh uses) and makes the Debian package from it, copied into the
# current folder: `apt install ./quillmoor_<version>_<arch>.deb` installs it.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."

scripts/build-release.sh
build=build/release
rm -f "$build"/package/quillmoor_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/package/quillmoor_*.deb)
cp "$deb" "$here/"
echo "Made $here/$(basename "$deb")"
