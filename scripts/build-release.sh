#!/usr/bin/env bash
# Installs what is missing and builds the release tree, build/release, that
# scripts/run.sh starts and scripts/package.sh packages: one configuration
# for both.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF -DQUILL_BUILD_FUZZ=OFF
cmake --build build/release
