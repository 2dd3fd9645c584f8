#!/usr/bin/env bash
# Builds Tolvane.exe (build/win32/Tolvane.exe) and opens it. On Linux it runs
# under Wine in a prefix of its own, build/run-prefix, where the text box's face
# "DB ThaiText" is mapped to an installed Thai font, so Thai shows as letters.
set -euo pipefail
cd "$(dirname "$0")/.."

case "$(uname -s)" in
  MINGW* | MSYS* | CYGWIN*)
    # On Windows the program is simply Tolvane.exe.
    source scripts/common.sh
    build_preset win32
    exec build/win32/Tolvane.exe
    ;;
esac

bash scripts/setup.sh
source scripts/common.sh
build_preset win32
echo "built build/win32/Tolvane.exe"

if wine32_works; then
  bits=32 exe=build/win32/Tolvane.exe
else
  build_preset win64
  bits=64 exe=build/win64/Tolvane.exe
  echo "note: this kernel runs no 32-bit code, so Wine runs the 64-bit build of the same program, $exe"
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "no X display (DISPLAY is unset): run this from a desktop session, or under a virtual one with: xvfb-run -a bash scripts/run.sh" >&2
  exit 1
fi

prefix=$root/build/run-prefix
"$root/cmake/wine-run.sh" "$prefix" "$bits" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
  /v 'DB ThaiText' /t REG_SZ /d Garuda /f >/dev/null 2>&1
echo "running $exe under Wine (prefix $prefix)"
exec "$root/cmake/wine-run.sh" "$prefix" "$bits" "$root/$exe"
