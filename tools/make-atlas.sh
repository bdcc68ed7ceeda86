#!/usr/bin/env bash
# Regenerates the atlas data set in atlas/ from Debian's stellarium-data: the
# albedo mosaic, the surface normals and the IAU/USGS gazetteer. The package is
# downloaded and unpacked once into the build directory (never installed).
# Running it twice gives the same files.
set -euo pipefail
build="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
case "$build" in /*) ;; *) build="$root/$build" ;; esac
cache="$build/stellarium"
share="$cache/root/usr/share/stellarium"
mkdir -p "$cache"

if [ ! -f "$share/textures/moon_4k.jpg" ] || [ ! -f "$share/textures/moon_normals.png" ] \
   || [ ! -f "$share/data/nomenclature.dat" ]; then
  if ! ls "$cache"/stellarium-data_*.deb >/dev/null 2>&1; then
    (cd "$cache" && apt-get download stellarium-data) || {
      echo "make-atlas: cannot download stellarium-data (run 'apt-get update' first?)" >&2; exit 1; }
  fi
  rm -rf "$cache/root"
  dpkg -x "$(ls "$cache"/stellarium-data_*.deb | head -n 1)" "$cache/root"
fi
gzip -dc "$share/data/nomenclature.dat" > "$cache/nomenclature.txt"

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target atlasgen -j "${JOBS:-2}"

QT_QPA_PLATFORM=offscreen "$build/tools/atlasgen" \
  "$share/textures" "$cache/nomenclature.txt" "$root/tools/atlas-photos.txt" "$root/atlas"

bash "$root/tools/artwork/make-artwork.sh" "$build"
