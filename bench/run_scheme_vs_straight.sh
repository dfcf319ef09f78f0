#!/usr/bin/env bash
# Whole-process time of `tornel-tool run-scheme` on the drive loop (10 s at
# h = 1e-5, 1,000,000 steps, -o out.dta) beside the straight-line program of
# the same loop, both from a Release build, with hyperfine: medians of many
# runs and their ratio. Usage: bench/run_scheme_vs_straight.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/release}"
runs="${2:-40}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target tornel-tool straight_drive_loop >/dev/null
# Both write into memory and run on one processor: the disk's writeback and
# moves between processors vary by tens of milliseconds from run to run,
# more than the difference measured here.
ram=/dev/shm
[ -d "$ram" ] && [ -w "$ram" ] || ram="${TMPDIR:-/tmp}"
work="$(mktemp -d "$ram/tornel-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"
pin=""
command -v taskset >/dev/null && pin="taskset -c 0"
tool="$pin $build/bin/tornel-tool run-scheme $root/resources/examples/drive_speed_loop.str"
hyperfine -N --style basic --warmup 5 --runs "$runs" --export-json "$work/times.json" \
  --command-name straight "$pin $build/bench/straight_drive_loop $work/straight.bin" \
  --command-name run-scheme "$tool --end 10 --step 1e-5 -o $work/out.dta" >&2
python3 - "$work/times.json" <<'PY'
import json, sys
runs = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
straight, tool = runs["straight"]["median"], runs["run-scheme"]["median"]
print(f"straight-line  median {straight * 1000:7.2f} ms")
print(f"run-scheme     median {tool * 1000:7.2f} ms")
print(f"ratio {tool / straight:.2f} (target at most 1.5)")
PY
