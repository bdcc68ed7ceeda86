#!/usr/bin/env bash
# Runs the real program on an X server with a window manager and checks what a
# user sees there and the offscreen tests cannot: the titles the window
# manager shows, the program's icon on its windows, the digit keys with Shift
# and on an AZERTY keyboard, and a help window's frame on the screen.
# Usage: desktop_test.sh <selvanor binary> <atlas folder>
set -uo pipefail
program="$1"
atlas="$2"
source "$(dirname "$0")/../common/xdesktop.sh"
need_x_tools setxkbmap

work=$(mktemp -d)
trap 'stop_x_desktop; rm -rf "$work"' EXIT
start_x_desktop "$work"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }

mkdir "$work/data"
for f in maan_ek.bmp maan_vm.bmp maan_lk.bmp maan_ek.dat maan_vm.dat maan_lk.dat maanhelp.rtf woordhelp.rtf \
         titelmaan.bmp kaarten.txt atlasindex.jpg; do
  [ -e "$atlas/$f" ] && cp "$atlas/$f" "$work/data/"
done
(cd "$work/data" && LANG=nl_NL.UTF-8 exec "$program") >"$work/program.log" 2>&1 &
program_pid=$!
x_pids+=($program_pid)

# The title screen takes any typed key.
sleep 2
xdotool key Return
fullmoon='Korviden *** Topografie van de maan  ***  Volle maan       Schaal bij maancentrum:  1 cm # 160 km'
main=$(window_named 'Korviden') || { fail "the main window did not appear"; cat "$work/program.log"; exit 1; }
wait_title "$main" 'Volle maan'
title=$(title_of "$main")
[ "$title" = "$fullmoon" ] && pass "main window title as the window manager shows it" \
  || fail "main window title: «$title»"

# The program's own icon in the window manager's property, pixel for pixel
# the installed one.
icon_matches() {
  xprop -id "$1" -notype 32c _NET_WM_ICON | /usr/bin/python3 -c '
import subprocess, sys
values = [int(v) for v in sys.stdin.read().split("=", 1)[1].replace(",", " ").split()]
raw = subprocess.run(["convert", sys.argv[1], "-depth", "8", "rgba:-"], capture_output=True).stdout
width, height, pixels = values[0], values[1], values[2:]
if (width, height) != (128, 128) or len(raw) != 4 * width * height or len(pixels) < width * height:
    sys.exit(1)
for i in range(width * height):
    r, g, b, a = raw[4 * i:4 * i + 4]
    p = pixels[i] & 0xFFFFFFFF
    if abs((p >> 24) - a) > 1 or (a and max(abs((p >> 16 & 255) - r), abs((p >> 8 & 255) - g), abs((p & 255) - b)) > 1):
        sys.exit(1)
' "$icons"
}
icons="$(dirname "$0")/../../resources/selvanor.png"
icon_matches "$main" && pass "the main window carries the program's icon" || fail "main window icon: $(xprop -id "$main" _NET_WM_ICON | head -c 80)"

# Shift + 1 on the top row: the first quarter.
xdotool windowactivate --sync "$main" 2>/dev/null
xdotool key shift+1
wait_title "$main" 'Eerste kwartier' && pass "Shift + 1 switches to the first quarter" || fail "Shift + 1: «$(title_of "$main")»"

# An AZERTY keyboard: the key that carries 2 types "é" without Shift.
setxkbmap -layout be
xdotool key eacute
wait_title "$main" 'Volle maan' && pass "AZERTY 2 switches to the full moon" || fail "AZERTY 2: «$(title_of "$main")»"
xdotool key ampersand
wait_title "$main" 'Eerste kwartier' && pass "AZERTY 1 switches to the first quarter" || fail "AZERTY 1: «$(title_of "$main")»"
setxkbmap -layout us
xdotool key 2
wait_title "$main" 'Volle maan'

# F1: the help beside the atlas, its title as given, its frame on the screen.
xdotool key F1
help=$(window_named 'Toelichting') || fail "F1 showed no help window"
if [ -n "${help:-}" ]; then
  sleep 0.5
  [ "$(title_of "$help")" = "Toelichting" ] && pass "help window title" || fail "help window title: «$(title_of "$help")»"
  icon_matches "$help" && pass "the help window carries the program's icon" || fail "help window icon"
  y=$(xwininfo -id "$help" | sed -n 's/.*Absolute upper-left Y: *//p')
  h=$(xwininfo -id "$help" | sed -n 's/.*Height: *//p')
  top=$(xprop -id "$help" _NET_FRAME_EXTENTS | sed -n 's/.*= *[0-9]*, *[0-9]*, *\([0-9]*\), *\([0-9]*\)/\1/p')
  bottom=$(xprop -id "$help" _NET_FRAME_EXTENTS | sed -n 's/.*= *[0-9]*, *[0-9]*, *\([0-9]*\), *\([0-9]*\)/\2/p')
  if [ -n "$y" ] && [ -n "$top" ] && [ $((y - top)) -ge 0 ] && [ $((y + h + bottom)) -le 1024 ]; then
    pass "help window frame on the screen (top $((y - top)), bottom $((y + h + bottom)))"
  else
    fail "help window frame: client top ${y:-?}, height ${h:-?}, frame ${top:-?}/${bottom:-?}"
  fi
  xdotool key Escape
fi

# Esc asks; the default answer closes, and the index is saved.
xdotool windowactivate --sync "$main" 2>/dev/null
xdotool key Escape
sleep 1
xdotool key Return
for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$program_pid" 2>/dev/null; then
  fail "the program did not end after Esc and Yes"
else
  [ "$(stat -c %s "$work/data/maan_vm.dat")" = 91200 ] && pass "closing saved the index" || fail "index after closing"
fi

[ $failures -eq 0 ] || { echo "--- program output"; cat "$work/program.log"; exit 1; }
exit 0
