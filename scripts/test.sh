#!/usr/bin/env bash
# Builds and runs every test: the platform-free core natively (with sanitizers
# and a short fuzzing run), then the Windows side under Wine on a virtual X
# display, under both ANSI code pages.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/common.sh

status=0
run_ctest() {
  local preset=$1
  shift
  echo "== test $preset"
  "$@" ctest --preset "$preset" --output-on-failure -j2 || status=1
}

build_preset native
run_ctest native

# The benchmark is built here (optimised, no sanitizers) so that it keeps
# compiling; it runs by its own command, scripts/bench.sh.
build_preset release || status=1

# Windows tests need an X display; xvfb-run gives them one of their own.
build_preset win64
run_ctest win64 xvfb-run -a -s "-screen 0 1280x1024x24"

build_preset win32
if wine32_works; then
  run_ctest win32 xvfb-run -a -s "-screen 0 1280x1024x24"
else
  echo "== test win32: Wine tests skipped, this kernel runs no 32-bit code (the same tests ran on the 64-bit build)"
  # What needs no Wine still runs: the checks of the built Tolvane.exe itself.
  echo "== test win32: checks of the built file"
  ctest --preset win32 --output-on-failure -L host || status=1
fi

exit $status
