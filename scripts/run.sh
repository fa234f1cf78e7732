#!/usr/bin/env bash
# Installs what is missing, builds Quillmoor and starts it on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF -DQUILL_BUILD_FUZZ=OFF
cmake --build "$build"

module=examples/bestiary/bestiary.qlm
rom=examples/bestiary/bestiary.rom
if [ -x "$build/app/quillmoor" ]; then
  exec "$build/app/quillmoor" "$module"
fi
"$build/cli/qlm" check "$module"
"$build/cli/qlm" dump "$module" "$rom"
