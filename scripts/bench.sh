#!/usr/bin/env bash
# Builds the release preset and runs the throughput benchmark: the core beside
# ICU, glibc iconv and memcpy on 16 MiB of Thai and of ASCII prose, then prints
# the table of ratios. Extra arguments go to the benchmark
# (e.g. --benchmark_filter=Decode).
#
# bash scripts/bench.sh --window [KiB [encoder KiB]] instead times each
# command of the window in a real text box under Wine (the 64-bit build)
# against a plain WM_SETTEXT of its result.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/common.sh

if [ "${1:-}" = --window ]; then
  shift
  dir=build/bench-win64
  echo "== build $dir"
  { cmake --preset win64 -B "$dir" -DTOLVANE_BENCH=ON -DBUILD_TESTING=OFF &&
    cmake --build "$dir" --target window_bench; } >"$dir.log" 2>&1 || { tail -n 40 "$dir.log"; exit 1; }
  LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" \
    cmake/wine-run.sh "$root/$dir/wineprefix" 64 "$dir/bench/window_bench.exe" "$@"
  exit
fi

build_preset release
json=build/release/bench/results.json
build/release/bench/core_bench --benchmark_format=json --benchmark_out="$json" \
  --benchmark_out_format=json "$@" >/dev/null
python3 bench/ratios.py "$json"
