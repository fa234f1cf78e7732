#!/usr/bin/env bash
# Installs what is missing, builds Quillmoor and starts it on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-release.sh
build=build/release

module=examples/bestiary/bestiary.qlm
rom=examples/bestiary/bestiary.rom
if [ -x "$build/app/quillmoor" ]; then
  exec "$build/app/quillmoor" "$module"
fi
"$build/cli/qlm" check "$module"
"$build/cli/qlm" dump "$module" "$rom"
