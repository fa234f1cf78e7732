#!/usr/bin/env bash
# Checks every C++ file of the tree against .clang-format; with --fix,
# formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${sources[@]}"
else
    clang-format --dry-run -Werror "${sources[@]}"
fi
