#!/usr/bin/env bash
# Whole-process speed of tolvane-cli against iconv on the same 64 MiB of
# Thai-heavy text, in the same run: to-unicode against iconv -f CP874 -t UTF-8,
# to-tis620 against iconv -f UTF-8 -t CP874, fix on clean text against
# iconv -f UTF-8 -t UTF-8. Prints the best wall time of
# several runs, the throughput (MiB of input per second), the peak memory and
# the ratios. Uses the optimised build without sanitizers (preset "release").
# Usage: bash scripts/bench_cli.sh [RUNS]   (BUILD_DIR=... to use another build)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
runs=${1:-5}
build=${BUILD_DIR:-build/release}

if [ "$build" = build/release ] && cmake --list-presets 2>/dev/null | grep -q '"release"'; then
  cmake --preset release >/dev/null
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
    -DTOLVANE_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build" --target tolvane-cli >/dev/null
cli=$build/tolvane-cli

# The input: Thai words with tone marks and upper vowels, Thai digits, some
# ASCII, picked at random (a fixed seed) into lines of about 70 bytes, so that
# no short pattern repeats; 64 MiB of UTF-8, and 64 MiB of code page 874 made
# from more of the same by to-tis620.
data=$build/bench-cli
mkdir -p "$data"
utf8=$data/thai-64m.utf8.txt
tis=$data/thai-64m.cp874.txt
thai_lines() {  # thai_lines BYTES: at least BYTES bytes of UTF-8
  awk -v want="$1" 'BEGIN {
    srand(874)
    n = split("ภาษา ไทย เป็น ที่ มี วรรณยุกต์ ก่อน หน้า นี้ ผู้คน เขียน ด้วย รหัส ใน ไฟล์ เก่า " \
              "น้ำใจ ที่นี่ ปี๊บ ๑๒๓ ข้อความ สวัสดี ครับ ค่ะ กิ่งไม้ ต้นไม้ เด็ก ๆ โรงเรียน ประเทศ " \
              "จังหวัด เชียงใหม่ กรุงเทพ ฯ อำเภอ ตำบล หนังสือ พิมพ์ คอมพิวเตอร์ TIS-620 2024 , . \"", w, " ")
    total = 0; line = ""
    while (total < want) {
      line = line w[int(rand() * n) + 1] ((rand() < 0.3) ? " " : "")
      if (length(line) > 70) { print line; total += length(line) + 1; line = "" }
    }
  }'
}
if [ ! -f "$utf8" ] || [ ! -f "$tis" ]; then
  # mawk counts bytes: the UTF-8 file is 64 MiB and a few bytes.
  LC_ALL=C thai_lines $((64 << 20)) >"$utf8"
  # Thai takes 3 bytes in UTF-8 and 1 in code page 874: about 2.6 times the text.
  # head ends the pipe early, and the writers before it stop on a broken pipe.
  (set +o pipefail; LC_ALL=C thai_lines $((180 << 20)) | "$cli" to-tis620 2>/dev/null |
     head -c $((64 << 20)) >"$tis")
fi
size_utf8=$(stat -c %s "$utf8")
size_tis=$(stat -c %s "$tis")

# best_of NAME INPUT_SIZE COMMAND... : the best wall time of $runs runs (output
# to /dev/null, the file already in the page cache), then the peak memory.
declare -A seconds memory
best_of() {
  local name=$1 size=$2
  shift 2
  "$@" >/dev/null
  local best=
  for _ in $(seq "$runs"); do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  seconds[$name]=$best
  memory[$name]=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1)
  printf '%-34s %7.3f s %8.1f MiB/s %8s KiB peak\n' "$name" "$best" \
    "$(awk -v s="$size" -v t="$best" 'BEGIN { print s / 1048576 / t }')" "${memory[$name]}"
}

echo "input: $size_tis bytes of code page 874, $size_utf8 bytes of UTF-8; best of $runs runs"
best_of "tolvane-cli to-unicode" "$size_tis" "$cli" to-unicode "$tis"
best_of "iconv -f CP874 -t UTF-8" "$size_tis" iconv -f CP874 -t UTF-8 "$tis"
best_of "tolvane-cli to-tis620" "$size_utf8" "$cli" to-tis620 "$utf8"
best_of "iconv -f UTF-8 -t CP874" "$size_utf8" iconv -f UTF-8 -t CP874 "$utf8"
best_of "tolvane-cli fix" "$size_utf8" "$cli" fix "$utf8"
best_of "iconv -f UTF-8 -t UTF-8" "$size_utf8" iconv -f UTF-8 -t UTF-8 "$utf8"

ratio() { awk -v a="${seconds[$2]}" -v b="${seconds[$1]}" 'BEGIN { print a / b }'; }
printf 'to-unicode: %.2f times the throughput of iconv\n' \
  "$(ratio "tolvane-cli to-unicode" "iconv -f CP874 -t UTF-8")"
printf 'to-tis620:  %.2f times the throughput of iconv\n' \
  "$(ratio "tolvane-cli to-tis620" "iconv -f UTF-8 -t CP874")"
printf 'fix:        %.2f times the throughput of iconv -f UTF-8 -t UTF-8\n' \
  "$(ratio "tolvane-cli fix" "iconv -f UTF-8 -t UTF-8")"
