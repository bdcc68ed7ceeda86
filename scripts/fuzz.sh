#!/usr/bin/env bash
# Builds every fuzz/fuzz_*.cpp as a libFuzzer target (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) in a build directory of its own and runs each for
# FUZZ_SECONDS seconds (default 300), one after the other, from a small seed
# corpus made here. Prints executions and findings per target; fails when any
# target found something.
#
#   FUZZ_SECONDS   run time per target (default 300)
#   FUZZ_TARGETS   only these targets, e.g. "fuzz_jpeg fuzz_indexfile"
#   FUZZ_BUILD     build directory (default fuzz-build)
#   FUZZ_JOBS      parallel compile jobs (default: number of cores)
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-300}"
build="${FUZZ_BUILD:-fuzz-build}"
jobs="${FUZZ_JOBS:-$(nproc)}"

# --- toolchain -------------------------------------------------------------
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" || exit 1
fi

# --- build -----------------------------------------------------------------
if [ -n "${FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
else
  targets=()
  for src in fuzz/fuzz_*.cpp; do
    [ -e "$src" ] && targets+=("$(basename "$src" .cpp)")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets in fuzz/" >&2
  exit 1
fi

# One run at a time in a build directory: a second one waits for the first.
# From here on the folder is known by its absolute path, however it was given.
mkdir -p "$build" && build=$(cd "$build" && pwd -P) || exit 1
exec 9>"$build/.fuzz.lock"
flock 9

# Everything is instrumented, so that the libraries under test report too; the
# targets themselves add -fsanitize=fuzzer (fuzz/CMakeLists.txt).
sanitize="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE= \
  -DCMAKE_C_FLAGS="-O1 -g $sanitize" -DCMAKE_CXX_FLAGS="-O1 -g $sanitize" \
  -DSELVANOR_FUZZ=ON >/dev/null || exit 1
cmake --build "$build" -j "$jobs" --target "${targets[@]}" || exit 1

# --- seeds -----------------------------------------------------------------
# A w x h greyscale (P5) or colour (P6) picture with a ramp and a few edges.
make_pnm() {
  local kind=$1 w=$2 h=$3 x y v
  printf 'P%s\n%d %d\n255\n' "$kind" "$w" "$h"
  for ((y = 0; y < h; y++)); do
    for ((x = 0; x < w; x++)); do
      v=$(( (x * 255 / (w - 1) + ((x / 4 + y / 4) % 2) * 40) % 256 ))
      if [ "$kind" = 5 ]; then printf "\\$(printf %03o "$v")"
      else printf "\\$(printf %03o "$v")\\$(printf %03o $((255 - v)))\\$(printf %03o $((y * 8 % 256)))"
      fi
    done
  done
}

seeds_fuzz_jpeg() {
  local dir=$1 tmp
  tmp=$(mktemp -d)
  make_pnm 5 32 24 >"$tmp/grey.pgm"
  make_pnm 6 24 16 >"$tmp/colour.ppm"
  cjpeg -quality 75 -outfile "$dir/grey.jpg" "$tmp/grey.pgm"
  cjpeg -quality 90 -progressive -outfile "$dir/grey-progressive.jpg" "$tmp/grey.pgm"
  cjpeg -quality 50 -restart 1 -outfile "$dir/grey-restart.jpg" "$tmp/grey.pgm"
  cjpeg -arithmetic -outfile "$dir/grey-arithmetic.jpg" "$tmp/grey.pgm"
  cjpeg -quality 80 -sample 2x2 -outfile "$dir/colour.jpg" "$tmp/colour.ppm"
  cjpeg -quality 80 -progressive -sample 2x1 -outfile "$dir/colour-progressive.jpg" "$tmp/colour.ppm"
  cjpeg -quality 10 -optimize -outfile "$dir/colour-optimized.jpg" "$tmp/colour.ppm"
  rm -rf "$tmp"
}

# One 114-byte index record: name, padding, then two 6-byte reals.
index_record() {
  local name=$1 x=$2 y=$3 pad
  printf "\\$(printf %03o ${#name})%s" "$name"
  pad=$((101 - ${#name}))
  head -c "$pad" /dev/zero
  printf "%b%b" "$x" "$y"
}

seeds_fuzz_indexfile() {
  local dir=$1
  {
    index_record "Plato *" '\x8C\x00\x00\x00\x00\x0F' '\x8B\x00\x00\x00\x40\x08'
    index_record "Mare Imbrium" '\x81\x00\x00\x00\x00\x00' '\x82\x00\x00\x00\x00\x20'
  } >"$dir/two-records.dat"
  {
    index_record "Copernicus *" '\x8B\x00\x00\x00\x00\x0F' '\x00\xFF\xFF\xFF\xFF\xFF'
    index_record "" '\x81\x00\x00\x00\x00\x80' '\x81\x00\x00\x00\x00\x00'
    index_record "Sinus Iridum" '\x8B\x00\x00\x00\x40\x08' '\x80\x00\x00\x00\x00\x00'
  } >"$dir/gap.dat"
  head -c 150 "$dir/two-records.dat" >"$dir/cut.dat"
}

seeds_fuzz_rtf() {
  local dir=$1
  printf '%s' '{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern Courier New;}}{\colortbl;\red255\green0\blue0;}\pard\qc\b Maan\b0\par\pard\li360\fi-360\f1\fs20\cf1 caf\'"'"'e9 \u8364?\tab einde\line\par}' >"$dir/basic.rtf"
  printf '%s' '{\rtf1{\*\unknown skip}{\info{\title x}}{\field{\*\fldinst HYPERLINK "x"}{\fldrslt zichtbaar}}\ul onder\ulnone\strike door\strike0\i schuin\i0\par}' >"$dir/groups.rtf"
  printf '%s' 'Gewone tekst met <b>tekens</b>.' >"$dir/plain.txt"
}

seeds_fuzz_bmp() {
  local dir=$1 tmp
  tmp=$(mktemp -d)
  make_pnm 5 12 6 >"$tmp/grey.pgm"
  make_pnm 6 5 3 >"$tmp/colour.ppm"
  convert "$tmp/grey.pgm" -type palette -compress RLE "BMP3:$dir/rle8.bmp"
  convert "$tmp/grey.pgm" -colors 16 -type palette -compress RLE "BMP3:$dir/rle16.bmp"
  convert "$tmp/grey.pgm" -type palette -compress None "BMP3:$dir/palette.bmp"
  convert "$tmp/colour.ppm" -compress None "BMP3:$dir/colour.bmp"
  convert "$tmp/grey.pgm" -monochrome "BMP3:$dir/mono.bmp"
  rm -rf "$tmp"
}

# Marker bytes for the JPEG target: libjpeg itself is the distribution's
# uninstrumented build, so the search gets no coverage hints from inside it.
dict_fuzz_jpeg() {
  printf '%s\n' '"\xFF\xD8"' '"\xFF\xD9"' '"\xFF\xC0"' '"\xFF\xC1"' '"\xFF\xC2"' \
    '"\xFF\xC9"' '"\xFF\xC4"' '"\xFF\xCC"' '"\xFF\xDB"' '"\xFF\xDA"' '"\xFF\xDD"' \
    '"\xFF\xD0"' '"\xFF\xE0"' '"\xFF\xEE"' '"JFIF\x00"' '"Adobe"'
}

# --- run -------------------------------------------------------------------
mkdir -p "$build/logs"
# fontconfig (under Qt's font database) keeps its caches for the life of the
# process; LeakSanitizer would report them when a target exits.
printf '%s\n' 'leak:libfontconfig.so' >"$build/lsan.supp"
export LSAN_OPTIONS="suppressions=$build/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
summary=()
failed=0
for t in "${targets[@]}"; do
  bin="$build/fuzz/$t"
  seeds="$build/seeds/$t"
  corpus="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  log="$build/logs/$t.log"
  rm -rf "$seeds" "$artifacts"
  mkdir -p "$seeds" "$corpus" "$artifacts"
  if declare -F "seeds_$t" >/dev/null; then "seeds_$t" "$seeds"; fi
  dict=()
  if declare -F "dict_$t" >/dev/null; then
    "dict_$t" >"$build/$t.dict"
    dict=(-dict="$build/$t.dict")
  fi
  echo "== $t: ${seconds} s"
  # New inputs go to the first directory; the seeds are read only.
  "$bin" -max_total_time="$seconds" -print_final_stats=1 -timeout=30 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/" "${dict[@]}" "$corpus" "$seeds" >"$log" 2>&1
  rc=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  units=$(find "$corpus" -type f | wc -l)
  findings=$(find "$artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  if [ "$rc" -ne 0 ] && [ "$findings" -eq 0 ]; then findings=1; fi
  result="ok"
  if [ "$findings" -gt 0 ]; then
    result="FAILED (see $log and $artifacts)"
    failed=1
    grep -m1 -A25 -E '^==[0-9]+==ERROR|runtime error|deadly signal' "$log" || tail -30 "$log"
    echo "reproduce: $bin $artifacts/<file>"
  fi
  summary+=("$(printf '%-18s %12s executions %8s/s %6s corpus  %s findings  %s' \
    "$t" "${execs:-0}" "${rate:-0}" "$units" "$findings" "$result")")
done

echo
echo "== fuzzing summary (${seconds} s per target)"
printf '%s\n' "${summary[@]}"
exit $failed
