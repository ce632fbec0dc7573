#!/usr/bin/env bash
# Builds the program, installs it into ./out and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
cmake --install build --prefix out >/dev/null
if [ -x out/V200/trk5120 ]; then
  exec out/V200/trk5120 "$@"
fi
exec out/V200/trk5120-cli show out/V200/Init/1_MH5120_New.dat
