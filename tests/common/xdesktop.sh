# Shell helpers for the tests that run the real program on an X server of
# their own with a window manager (Xvfb and openbox). Source this file.

SKIP=77
x_pids=()

# Skips the test (exit 77) unless the X tools and any further named ones are there.
need_x_tools() {
  local tool
  for tool in Xvfb openbox xdotool xprop xwininfo "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"; exit $SKIP; }
  done
}

# Starts Xvfb on a free display (it picks the number and tells it) and openbox
# on it, with their logs in folder $1; points DISPLAY there. Skips the test
# when no X server can be started.
start_x_desktop() {
  local work="$1" number
  exec 3<> "$work/displayfd"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  x_pids+=($!)
  for _ in $(seq 50); do
    [ -s "$work/displayfd" ] && break
    sleep 0.1
  done
  number=$(head -n 1 "$work/displayfd" | tr -dc '0-9')
  [ -n "$number" ] || { echo "SKIP: no X server could be started: $(cat "$work/xvfb.log")"; exit $SKIP; }
  export DISPLAY=":$number"
  unset QT_QPA_PLATFORM
  openbox >"$work/openbox.log" 2>&1 &
  x_pids+=($!)
  sleep 1
}

# Ends what the test started (the programs it added to x_pids too).
stop_x_desktop() {
  local p
  for p in "${x_pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
}

# The visible window whose title matches ^$1, waiting up to 10 s.
window_named() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | tail -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

title_of() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }

# Waits up to 10 s until the title of window $1 contains $2.
wait_title() {
  for _ in $(seq 100); do
    [[ "$(title_of "$1")" == *"$2"* ]] && return 0
    sleep 0.1
  done
  return 1
}
