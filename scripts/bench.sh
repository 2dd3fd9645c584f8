#!/usr/bin/env bash
# Builds the release preset and runs the throughput benchmark: the core beside
# ICU, glibc iconv and memcpy on 16 MiB of Thai and of ASCII prose, then prints
# the table of ratios. Extra arguments go to the benchmark
# (e.g. --benchmark_filter=Decode).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/common.sh

build_preset release
json=build/release/bench/results.json
build/release/bench/core_bench --benchmark_format=json --benchmark_out="$json" \
  --benchmark_out_format=json "$@" >/dev/null
python3 bench/ratios.py "$json"
