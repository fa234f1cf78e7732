#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer (the bounded fuzz run
# included), and with GCC in Release, as users' builds are; the Debian package
# is then made from the Release build and checked (tests/app/check_package.sh).
# Warnings are errors in both builds. A file that differs from .clang-format,
# or an include that crosses the libraries' layering (scripts/check-layers.py),
# fails the run before anything is built.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh
scripts/check-layers.py

build=build/test
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DQUILL_SANITIZE=ON -DQUILL_WERROR=ON
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

release=build/test-gcc
cmake -S . -B "$release" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_COMPILER=g++ \
  -DQUILL_WERROR=ON -DQUILL_BUILD_BENCH=OFF -DQUILL_BUILD_FUZZ=OFF
cmake --build "$release"
ctest --test-dir "$release" --output-on-failure -j "$(nproc)"
tests/app/check_package.sh "$release"
