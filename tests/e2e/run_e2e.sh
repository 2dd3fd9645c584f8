#!/usr/bin/env bash
# Drives the real Tolvane.exe the way a user does: on a private X display, in a
# Wine virtual desktop, with real key presses and mouse clicks from xdotool.
# A small Windows helper in the same prefix reads back what the window shows.
#
# Usage: run_e2e.sh TOLVANE_EXE DRIVER_EXE WORK_DIR [32|64]
# WORK_DIR gets the Wine prefix, the logs and the screenshots.
set -euo pipefail

exe=$1
driver_exe=$2
work=$3
bits=${4:-64}
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../cmake/wine-run.sh"
prefix="$work/prefix"
mkdir -p "$work"
rm -f "$work"/*.png "$work"/*.log

# Windows' ANSI code page 1252: the byte view of Thai is U+00A0..U+00FF.
export LC_ALL=C.UTF-8

xvfb_pid=
app_pid=
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then
    WINEPREFIX="$prefix" "/usr/lib/wine/wineserver$bits" -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

step() { echo "-- $*"; }
fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$work/failure.png" 2>/dev/null && echo "screen at failure: $work/failure.png" >&2
  exit 1
}
drive() { "$wine_run" "$prefix" "$bits" "$driver_exe" "$@"; }

# A display of our own: other tests on the caller's display cannot get in the
# way of the clicks.
rm -f "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start ($(cat "$work/xvfb.log"))"
export DISPLAY=":$(head -n 1 "$work/display")"
step "display $DISPLAY"

# The prefix: a 1024x768 virtual desktop (it has real frames and takes
# xdotool's input) and the text box's face mapped to an installed Thai font.
step "preparing the Wine prefix $prefix"
cat >"$work/settings.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"DB ThaiText"="Garuda"
REG
reg_file="$work/settings.reg"
"$wine_run" "$prefix" "$bits" regedit /S "Z:${reg_file//\//\\}" >"$work/regedit.log" 2>&1 \
  || fail "could not write the prefix's settings ($(tail -n 3 "$work/regedit.log"))"
# Wine reads the desktop setting when its first program starts: let the
# programs that regedit started end before the real run.
WINEPREFIX="$prefix" "/usr/lib/wine/wineserver$bits" -w

step "starting $exe"
"$wine_run" "$prefix" "$bits" "$exe" >"$work/tolvane.log" 2>&1 &
app_pid=$!
drive wait-main 60000 || fail "the main window did not appear"

desk=
for _ in $(seq 100); do
  desk=$(xdotool search --name 'Wine desktop' 2>/dev/null | head -n 1) && [ -n "$desk" ] && break
  sleep 0.1
done
[ -n "$desk" ] || fail "no Wine virtual desktop window on $DISPLAY"

# Clicks the middle of a control of the main window, given its id.
click() {
  local l t r b
  read -r l t r b < <(drive control "$1") || fail "control $1 not found"
  xdotool mousemove --window "$desk" $(((l + r) / 2)) $(((t + b) / 2)) click 1
}
expect_text() {
  local what=$1
  shift
  drive wait-text 15000 "$@" || fail "$what: expected $*"
  echo "ok: $what"
}

IDC_TEXT=1000 IDC_TO_UNICODE=1001 IDC_TO_TIS620=1002 IDC_SMART_TONE=1005 IDC_ABOUT=4

[ "$(drive focus)" = "$IDC_TEXT" ] || fail "the text box does not have the focus at start"
echo "ok: the text box has the focus at start"

# Keys typed on a US keyboard go through the Kedmanee filter into the byte view.
step "typing dk"
click $IDC_TEXT
xdotool type --delay 80 dk
expect_text "typed dk gives the byte view" 00A1 00D2
click $IDC_TO_UNICODE
expect_text "dk then --> Unicode" 0E01 0E32
# Enter starts no new line (the box does not want it, and the dialog has no
# default button): the next key lands right after the text.
click $IDC_TEXT
xdotool key Return
xdotool type d
expect_text "Enter adds nothing to the box" 0E01 0E32 00A1

# The check box changes what "--> TIS-620" writes: MAI EK after KO KAI is
# raised to 0x88, which code page 1252 shows as U+02C6.
step "smart tone mark elevation"
drive set-text 0E01 0E48
click $IDC_TO_TIS620
expect_text "--> TIS-620 unticked" 00A1 00E8
drive wait-checked 0 $IDC_SMART_TONE 0 || fail "the check box starts ticked"
click $IDC_SMART_TONE
drive wait-checked 15000 $IDC_SMART_TONE 1 || fail "a click did not tick the check box"
expect_text "ticking the check box changes nothing in the box" 00A1 00E8
drive set-text 0E01 0E48
click $IDC_TO_TIS620
expect_text "--> TIS-620 ticked" 00A1 02C6
click $IDC_SMART_TONE
drive wait-checked 15000 $IDC_SMART_TONE 0 || fail "a second click did not untick the check box"

# Thai for the picture: "phasa thai" typed on the keys 4kKkwmp.
step "typing a Thai word"
drive set-text
click $IDC_TEXT
xdotool type --delay 80 4kKkwmp
click $IDC_TO_UNICODE
expect_text "4kKkwmp then --> Unicode" 0E20 0E32 0E29 0E32 0E44 0E17 0E22
sleep 0.5
read -r ml mt mr mb < <(drive rect main)
read -r dx dy _ < <(xdotool getwindowgeometry --shell "$desk" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}')
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "$((mr - ml))x$((mb - mt))+$((dx + ml))+$((dy + mt))" +repage "$work/main-window.png"
echo "screenshot: $work/main-window.png"

# The About box opens centered over the main window, kept on the screen, and
# closes on Enter; tried with the main window in three places. Where the main
# window lies partly off the screen its button is pressed by a message.
read -r _ _ sw sh < <(drive rect screen)
about_at() {
  local place=$1 x y
  read -r x y <<<"$place"
  drive move "$x" "$y"
  read -r ml mt mr mb < <(drive rect main)
  if [ "$place" = "0 0" ]; then click $IDC_ABOUT; else drive press $IDC_ABOUT; fi
  drive wait-about 15000 || fail "About/Help opened no About box"
  local al at ar ab w h ex ey
  read -r al at ar ab < <(drive rect about)
  w=$((ar - al)) h=$((ab - at))
  ex=$((ml + (mr - ml - w) / 2)) ey=$((mt + (mb - mt - h) / 2))
  if [ $ex -lt 0 ]; then ex=0; elif [ $((ex + w)) -gt "$sw" ]; then ex=$((sw - w)); fi
  if [ $ey -lt 0 ]; then ey=0; elif [ $((ey + h)) -gt "$sh" ]; then ey=$((sh - h)); fi
  [ "$al $at" = "$ex $ey" ] || fail "About box at $al,$at, expected $ex,$ey (main $ml $mt $mr $mb, box ${w}x$h, screen ${sw}x$sh)"
  echo "ok: About box at $al,$at over the main window at $ml,$mt (${w}x$h, screen ${sw}x$sh)"
}
step "About box"
about_at "0 0"
sleep 0.5
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "1024x768+$dx+$dy" +repage "$work/about.png"
echo "screenshot: $work/about.png"
xdotool key Return
drive wait-no-about 15000 || fail "Enter did not close the About box"
echo "ok: Enter closes the About box"
# Main window partly off the left and top edges, then off the right and bottom.
about_at "-300 -200"
xdotool key Return
drive wait-no-about 15000 || fail "Enter did not close the About box"
about_at "$((sw - 200)) $((sh - 100))"
xdotool key Return
drive wait-no-about 15000 || fail "Enter did not close the About box"
drive move 0 0

# Escape in the text box ends the program with exit code 0.
step "Escape"
click $IDC_TEXT
xdotool key Escape
for _ in $(seq 200); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "Escape did not end the program"
status=0
wait "$app_pid" || status=$?
app_pid=
[ $status -eq 0 ] || fail "the program ended with exit code $status"
echo "ok: Escape ends the program with exit code 0"
echo "PASS"
