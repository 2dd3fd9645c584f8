#!/usr/bin/env bash
# Builds what users get, into build/dist/:
#   Tolvane-<version>-win32.zip     Tolvane.exe, tolvane-cli.exe, README.txt, LICENSE.txt
#   tolvane-cli_<version>_<arch>.deb  the console program, man page, bash completion
#   tolvane_<version>_all.deb       Tolvane.exe under Wine: launcher, menu entry, icon
#   SHA256SUMS                      the checksums of the three
# then shows what lintian says of the packages. The zip comes from the win32
# preset, the packages from the package preset (see CMakePresets.json).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/common.sh

dist=build/dist
rm -rf "$dist"
build_preset win32
echo "== zip"
cpack --preset zip-win32 >build/zip-win32.log 2>&1 || { tail -n 40 build/zip-win32.log; exit 1; }
build_preset package
echo "== Debian packages"
cpack --preset deb >build/deb.log 2>&1 || { tail -n 40 build/deb.log; exit 1; }
rm -rf "$dist/_CPack_Packages"

(cd "$dist" && sha256sum -- *.zip *.deb >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo "== lintian"
lintian -I --pedantic "$dist"/*.deb 2>&1 | grep -v 'running with root privileges' || true
echo "== $dist"
ls -l "$dist"
