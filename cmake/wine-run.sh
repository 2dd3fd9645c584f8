#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, making the prefix on
# first use. Usage: wine-run.sh PREFIX 32|64 PROGRAM [ARGS...]
# A 64-bit program runs on Wine's 64-bit loader directly (Debian's wine script
# would pick the 32-bit one whenever it is installed).
set -euo pipefail
prefix=$1
bits=$2
shift 2
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ "$bits" = 64 ]; then
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
else
  export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
fi
# A program that crashes ends at once with a failing status: no debugger is
# started for it. Wine's own (winedbg --auto) would open a crash dialog on the
# display and wait for somebody to close it, and where it only writes its
# report, a 64-bit program it has looked at often ends with status 0.
ready=$prefix/.tolvane-ready-3
if [ ! -f "$ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$ready" ]; then
      "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
      "$WINELOADER" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1
      "$WINESERVER" -w || true
      touch "$ready"
    fi
  ) 9>"$prefix.lock"
fi
exec "$WINELOADER" "$@"
