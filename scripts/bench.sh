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
  build_preset bench-window
  LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" \
    cmake/wine-run.sh "$root/build/bench-window/wineprefix" 64 build/bench-window/bench/window_bench.exe "$@"
  exit
fi

build_preset release
json=build/release/bench/results.json
build/release/bench/core_bench --benchmark_format=json --benchmark_out="$json" \
  --benchmark_out_format=json "$@" >/dev/null
python3 bench/ratios.py "$json"
# The repair of garbled Thai (fix) on real catalogue lines, beside iconv and
# memcpy over the same bytes.
if [ -x build/release/bench/repair_bench ] && [ $# -eq 0 ]; then
  echo
  build/release/bench/repair_bench
fi
