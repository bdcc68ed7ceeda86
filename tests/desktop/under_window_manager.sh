#!/usr/bin/env bash
# Runs a window test program on an X server of its own with a window manager,
# on the platform users have (xcb): what holds only offscreen fails here.
# Usage: under_window_manager.sh <test program> [arguments]
set -uo pipefail
source "$(dirname "$0")/../common/xdesktop.sh"
need_x_tools
work=$(mktemp -d)
trap 'stop_x_desktop; rm -rf "$work"' EXIT
start_x_desktop "$work"
QT_QPA_PLATFORM=xcb "$@"
