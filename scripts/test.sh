#!/usr/bin/env bash
# Builds the project and runs every test: once in a normal build, then each fuzz target for a
# short while (scripts/fuzz.sh), then once with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
# A short run of every fuzz target; the long runs are scripts/fuzz.sh SECONDS.
if [ "${TRK_SKIP_FUZZ:-0}" != 1 ]; then
  bash scripts/fuzz.sh "${TRK_FUZZ_SECONDS:-20}"
fi
if [ "${TRK_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRK_SANITIZE=ON >/dev/null
  cmake --build build-asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
fi
