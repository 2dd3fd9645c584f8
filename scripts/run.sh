#!/usr/bin/env bash
# Builds Tolvane.exe (build/win32/Tolvane.exe) and, where the window exists,
# opens it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/common.sh
build_preset win32
echo "built build/win32/Tolvane.exe"
