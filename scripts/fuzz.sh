#!/usr/bin/env bash
# Builds the libFuzzer targets (clang 14 with the address and undefined-behaviour sanitizers)
# in build-fuzz and runs each of them for SECONDS (default 60):
#   fuzz_open_data_file  opening a data file pair made of arbitrary bytes
#   fuzz_decode_image    decoding an arbitrary memory image, then saving, reopening and encoding it
#   fuzz_clone_engine    the clone engine fed arbitrary replies, pieces, time-outs and port losses
# Any crash, leak, time-out or running out of memory fails the script; the input that caused it
# is kept as build-fuzz/findings/<target>-crash-... (replay: build-fuzz/tests/fuzz/<target> FILE).
# The corpus grows across runs in build-fuzz/corpus. Seeds are made afresh each run from the
# program itself: the default document's pair and its image (trk5120-cli new/encode), and
# inputs that carry the engine through a whole read and a whole write.
#
# usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(fuzz_open_data_file fuzz_decode_image fuzz_clone_engine)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DTRK_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}" trk5120-cli

# Scratch files of the file targets live in memory where possible: every save syncs to disk.
work=$(mktemp -d /dev/shm/trk5120-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR=$work

seeds=$work/seeds
mkdir -p "$seeds"/fuzz_open_data_file "$seeds"/fuzz_decode_image "$seeds"/fuzz_clone_engine build-fuzz/findings
ASAN_OPTIONS=detect_leaks=0 build-fuzz/stage/V200/trk5120-cli new "$work/new.dat" >/dev/null
ASAN_OPTIONS=detect_leaks=0 build-fuzz/stage/V200/trk5120-cli encode "$work/new.dat" "$work/new.img" >/dev/null
cp "$work/new.img" "$seeds/fuzz_decode_image/new.img"
python3 - "$work" "$seeds" <<'PY'
import os, struct, sys
work, seeds = sys.argv[1], sys.argv[2]
pair = open(os.path.join(work, "new.dat"), "rb").read()
channels = open(os.path.join(work, "new.fre"), "rb").read()
# answers, the data file's length, the data file, the channel file
open(os.path.join(seeds, "fuzz_open_data_file", "new"), "wb").write(
    bytes([0]) + struct.pack("<H", len(pair)) + pair + channels)
# firmware, launcher, operation, the confirmation's answer, then proper replies in bulk
engine = os.path.join(seeds, "fuzz_clone_engine")
open(os.path.join(engine, "read"), "wb").write(bytes([0, 0, 0, 0]) + b"\xff" * 8)
open(os.path.join(engine, "write"), "wb").write(bytes([0, 0, 1, 0]) + b"\xff" * 8)
open(os.path.join(engine, "other-firmware"), "wb").write(bytes([1, 1, 0, 0, 0xff, 0xff, 0]))
PY

failed=()
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s"
  log=$work/$target.log
  if ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
       -artifact_prefix="build-fuzz/findings/$target-" -print_final_stats=1 \
       "$corpus" "$seeds/$target" >"$log" 2>&1; then
    grep -E '^Done [0-9]+ runs' "$log" || true
  else
    tail -n 60 "$log"
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/findings)" >&2
  exit 1
fi
