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

# The Windows tests run under Wine on the real 32-bit program wherever this
# kernel runs 32-bit code; elsewhere on the 64-bit build of the same sources.
# TOLVANE_WINE_BITS=64 forces the 64-bit path, TOLVANE_WINE_BITS=32 the 32-bit one.
case "${TOLVANE_WINE_BITS:-}" in
  32 | 64) bits=$TOLVANE_WINE_BITS ;;
  "") if wine32_works; then bits=32; else bits=64; fi ;;
  *) echo "TOLVANE_WINE_BITS must be 32 or 64, not '$TOLVANE_WINE_BITS'" >&2; exit 2 ;;
esac
if [ "$bits" = 32 ]; then
  tested=win32 built=win64
else
  tested=win64 built=win32
fi

build_preset win32
build_preset win64
# Windows tests need an X display; xvfb-run gives them one of their own.
echo "== Wine runs the $bits-bit build"
run_ctest $tested xvfb-run -a -s "-screen 0 1280x1024x24"
# The other build still compiles, and its files are checked without Wine.
echo "== test $built: checks of the built files only"
ctest --preset $built --output-on-failure -L host || status=1

exit $status
