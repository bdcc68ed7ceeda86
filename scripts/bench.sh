#!/usr/bin/env bash
# Prints the performance figures of every benchmark program.
set -uo pipefail
build="$1"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
status=0
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
exit $status
