#!/usr/bin/env bash
# Starts the installed Selvanor through its launcher as the menu does: on an X
# server with a window manager, with no terminal. With a home folder that does
# not exist the user reads why in a message box; with a usable one the atlas
# opens in a data folder of links and saves its index there.
# Usage: test_launcher_desktop.sh <build folder>
# SELVANOR_SCREENSHOTS=<folder> keeps a screenshot of each case there.
set -uo pipefail
build="$1"
source "$(dirname "$0")/../common/xdesktop.sh"
need_x_tools xclip setsid

work=$(mktemp -d)
trap 'stop_x_desktop; rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null || { echo "FAIL: cannot install"; exit 1; }
start_x_desktop "$work"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }
screenshot() { [ -n "${SELVANOR_SCREENSHOTS:-}" ] && import -window root "$SELVANOR_SCREENSHOTS/$1.png"; }

# As from the menu: a session of its own, no terminal, nothing to read or write.
start() {
  setsid env -u XDG_DATA_HOME HOME="$1" "$work/prefix/bin/selvanor" </dev/null >/dev/null 2>&1 &
  program=$!
  x_pids+=("$program")
}
# Waits up to 10 s for the program to end and gives its exit status.
ended() {
  for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program" 2>/dev/null && return 255
  wait "$program"
}

# --- A home folder that does not exist: the reason in a message box ----------
home="$work/geen-thuismap"
start "$home"
if box=$(window_named 'Selvanor$'); then
  pass "a message box appears"
  xprop -id "$box" _NET_FRAME_EXTENTS | grep -q '=' && pass "the window manager frames it" \
    || fail "the box has no frame"
  screenshot launcher-message
  # The text can be selected and copied: a click into it, Ctrl+A, Ctrl+C.
  xdotool windowactivate --sync "$box" 2>/dev/null
  eval "$(xdotool getwindowgeometry --shell "$box")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 20)) click 1
  sleep 0.2
  xdotool key ctrl+a ctrl+c
  sleep 0.5
  text=$(xclip -o -selection clipboard 2>/dev/null)
  for words in "Selvanor kan zijn gegevensmap niet klaarzetten" "$home/.local/share/selvanor" \
               "De thuismap $home bestaat niet"; do
    grep -qF -- "$words" <<<"$text" && pass "the box says «$words»" || fail "«$words» not in the box: «$text»"
  done
  xdotool key Return
  ended; status=$?
  [ "$status" -eq 1 ] && pass "the program ends with status 1 when the box is closed" \
    || fail "exit status after the box: $status"
else
  fail "no message box for a home folder that does not exist"
fi
[ ! -e "$home" ] && pass "no home folder is made" || fail "a home folder was made"

# --- A usable home folder: the atlas reads its data through the links ---------
home="$work/home"
mkdir -p "$home"
data="$home/.local/share/selvanor"
start "$home"
# The title screen takes any key.
window_named 'Selvanor$' >/dev/null && sleep 0.5 && xdotool key Return
if main=$(window_named 'Korviden') && wait_title "$main" 'Volle maan'; then
  pass "the atlas shows the full moon from a data folder of links"
  screenshot launcher-atlas
  [ -L "$data/maan_vm.bmp" ] && pass "the view image is a link" || fail "maan_vm.bmp is no link"
  xdotool windowactivate --sync "$main" 2>/dev/null
  xdotool key Escape
  sleep 1
  xdotool key Return
  ended; status=$?
  [ "$status" -eq 0 ] && pass "the atlas closes normally" || fail "exit status of the atlas: $status"
  if [ -f "$data/maan_vm.dat" ] && [ ! -L "$data/maan_vm.dat" ] && [ "$(stat -c %s "$data/maan_vm.dat")" = 91200 ]; then
    pass "closing saved the index in the user's own copy"
  else
    fail "the index was not saved in the user's copy"
  fi
  cmp -s "$work/prefix/share/selvanor/maan_vm.dat" "$(dirname "$0")/../../atlas/maan_vm.dat" \
    && pass "the installed data set is untouched" || fail "the installed index changed"
else
  fail "the atlas did not show the full moon"
fi

[ "$failures" -eq 0 ] || exit 1
exit 0
