#!/usr/bin/env bash
# Installs what building and testing Tolvane needs on Debian 12, as root.
# Idempotent: when everything is there it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev libicu-dev pkg-config
  libthai-dev libthai-data libdatrie-dev wamerican
  # message catalogues, real Thai, English and other text for the tests
  # (tests/corpus/); dpkg, apt and grep bring theirs in any case
  libglib2.0-data libgtk2.0-common libgdk-pixbuf2.0-common iso-codes
  shared-mime-info xdg-user-dirs
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine64 wine32:i386
  xvfb xauth xdotool x11-apps imagemagick fonts-thai-tlwg locales
  time
  python3
  dpkg-dev lintian desktop-file-utils mandoc bash-completion  # the packages and their checks
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "setup: run as root to install the packages above" >&2
  exit 1
fi
# Wine's 32-bit half comes from the i386 architecture.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
