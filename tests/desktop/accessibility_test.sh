#!/usr/bin/env bash
# Runs the real program on an X server with a window manager and a D-Bus
# session with the accessibility bus, and reads its main window through
# AT-SPI as a screen reader does (tests/desktop/atspi_tree.py).
# Usage: accessibility_test.sh <selvanor binary> <atlas folder>
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program="$(realpath "$1")"
atlas="$(realpath "$2")"
source "$here/../common/xdesktop.sh"
need_x_tools dbus-run-session
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: no AT-SPI bus (Debian package at-spi2-core)"; exit $SKIP; }

# A session bus of its own, so that the accessibility bus is ours alone.
if [ -z "${SELVANOR_OWN_BUS:-}" ]; then
  SELVANOR_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

work=$(mktemp -d)
trap 'stop_x_desktop; rm -rf "$work"' EXIT
start_x_desktop "$work"

mkdir "$work/data"
for f in maan_vm.bmp maan_vm.dat titelmaan.bmp kaarten.txt atlasindex.jpg; do
  [ -e "$atlas/$f" ] && cp "$atlas/$f" "$work/data/"
done
(cd "$work/data" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$program") >"$work/program.log" 2>&1 &
x_pids+=($!)

sleep 2
xdotool key Return
main=$(window_named 'Korviden') || { echo "FAIL: the main window did not appear"; cat "$work/program.log"; exit 1; }
wait_title "$main" 'Volle maan'
# The date panel shown, and a click on the Moon for the read-out.
xdotool windowactivate --sync "$main" 2>/dev/null
xdotool key t
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$main" $((WIDTH / 2)) $((HEIGHT / 2)) click 1
sleep 0.5

/usr/bin/python3 "$here/atspi_tree.py"
status=$?
[ $status -eq 1 ] && { echo "--- program output"; cat "$work/program.log"; }
exit $status
