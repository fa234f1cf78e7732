#!/usr/bin/env bash
# Installs what is missing, builds a release in build/release (the tree
# scripts/run.sh uses) and makes the Debian package from it, copied into the
# current folder: `apt install ./quillmoor_<version>_<arch>.deb` installs it.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF -DQUILL_BUILD_FUZZ=OFF
cmake --build "$build"
rm -f "$build"/package/quillmoor_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/package/quillmoor_*.deb)
cp "$deb" "$here/"
echo "Made $here/$(basename "$deb")"
