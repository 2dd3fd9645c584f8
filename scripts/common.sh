# Shared by the scripts: where the builds are and how Wine is run here.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# True when this machine can run 32-bit Wine: some kernels have 32-bit
# emulation switched off, and then only 64-bit Windows programs run.
wine32_works() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Configures and builds one preset; on failure prints the end of its log.
build_preset() {
  local preset=$1
  local log="$root/build/$preset.log"
  mkdir -p "$root/build"
  echo "== build $preset"
  if ! { cmake --preset "$preset" -S "$root" && cmake --build --preset "$preset"; } >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "build $preset failed (whole log: $log)" >&2
    return 1
  fi
}
