#!/usr/bin/env bash
# Makes the program's own artwork: the pictures in resources/ (drawn by the
# artwork tool) and the mascot's spoken message atlas/vokman.wav (espeak-ng's
# Dutch voice, installed here when missing). Running it twice gives the same
# files.
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

if ! command -v espeak-ng >/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends espeak-ng
fi

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target artwork -j "${JOBS:-2}"
QT_QPA_PLATFORM=offscreen "$build/tools/artwork/artwork" "$root/resources"

espeak-ng -v nl -s 145 -b 1 -w "$root/atlas/vokman.wav" \
  "Hallo! Ik ben het Vokmannetje. Welkom bij Selvanor, de atlas van de maan. \
Klik op de maan om te beginnen, en ontdek de kraters, zeeën en bergen. Veel plezier!"
