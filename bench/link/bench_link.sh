#!/usr/bin/env bash
# Times a full read and a full write through trk5120-cli against the radio simulator:
# unpaced (the program's own cost per block) and paced at 9600 baud 8N1 (total against the
# line's limit: a read moves 1,024 x 26 bytes, a write 1,012 x 23 bytes, at 960 bytes/s).
# The last line measures the pseudo-terminal floor that any program pays on this machine.
# Usage: bench/link/bench_link.sh [STAGE_DIR]   (default: build/stage)
set -euo pipefail
stage=${1:-build/stage}
bin=$stage/V200
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

now() { date +%s%N; }

run() { # $1 label, $2 paced flag, $3 read|write
  local label=$1 paced=$2 op=$3 sim_pid dev start end
  "$bin/trk5120-radio-sim" --image "$work/radio.img" --link "$work/radio" $paced > "$work/sim.out" &
  sim_pid=$!
  for _ in $(seq 100); do [ -e "$work/radio" ] && break; sleep 0.05; done
  start=$(now)
  if [ "$op" = read ]; then
    "$bin/trk5120-cli" read --port "$work/radio" "$work/read.dat" >/dev/null
  else
    "$bin/trk5120-cli" write --port "$work/radio" "$work/doc.dat" >/dev/null
  fi
  end=$(now)
  kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true
  rm -f "$work/radio"
  local ms=$(( (end - start) / 1000000 ))
  local blocks bytes
  if [ "$op" = read ]; then blocks=1024; bytes=$((1024 * 26)); else blocks=1012; bytes=$((1012 * 23)); fi
  local limit_ms=$(( bytes * 1000 / 960 ))
  if [ -z "$paced" ]; then
    awk -v l="$label" -v ms="$ms" -v b="$blocks" 'BEGIN { printf "%-14s %7d ms  %.3f ms per block (process start-up included)\n", l, ms, ms / b }'
  else
    awk -v l="$label" -v ms="$ms" -v lim="$limit_ms" 'BEGIN { printf "%-14s %7d ms  line limit %d ms  (+%.2f%%)\n", l, ms, lim, (ms - lim) * 100 / lim }'
  fi
}

"$bin/trk5120-cli" new "$work/doc.dat" >/dev/null
run "read unpaced" "" read
run "write unpaced" "" write
run "read paced" "--paced" read
run "write paced" "--paced" write
# The same exchange with neither the program nor Qt in it: the machine's own floor.
python3 "$(dirname "$0")/pty_floor.py" read 300
python3 "$(dirname "$0")/pty_floor.py" write 300
