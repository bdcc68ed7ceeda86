#!/usr/bin/env bash
# Installs Selvanor into a temporary prefix and checks what a user gets: the
# files in their places, desktop entry and metainfo that the validators
# accept, and the launcher that prepares the user's data folder (first copy,
# new and updated data brought over, the user's index files never replaced)
# and starts the program there, from any folder.
set -euo pipefail
build="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { local what="$1"; shift; "$@" || fail "$what"; }

cmake --install "$build" --prefix "$prefix" >/dev/null

# --- Files in their places -------------------------------------------------
for f in bin/selvanor libexec/selvanor/selvanor \
         share/selvanor/maan_vm.bmp share/selvanor/maan_vm.dat share/selvanor/titelmaan.bmp \
         share/selvanor/vokman.wav share/selvanor/maanhelp.rtf \
         share/applications/selvanor.desktop share/metainfo/nl.selvanor.selvanor.metainfo.xml \
         share/icons/hicolor/scalable/apps/selvanor.svg share/icons/hicolor/128x128/apps/selvanor.png; do
  check "$f is installed" test -f "$prefix/$f"
done
check "the launcher is executable" test -x "$prefix/bin/selvanor"
check "the program is executable" test -x "$prefix/libexec/selvanor/selvanor"
check "only the launcher is on PATH" test "$(ls "$prefix/bin")" = selvanor
check "the data set is complete" diff -rq "$(dirname "$0")/../../atlas" "$prefix/share/selvanor"
# PNG header: width and height, 4 bytes each from offset 16.
check "the PNG icon is 128 x 128" test "$(od -An -tx1 -j16 -N8 "$prefix/share/icons/hicolor/128x128/apps/selvanor.png" | tr -d ' \n')" = 0000008000000080

# --- Desktop entry and metainfo --------------------------------------------
desktop="$prefix/share/applications/selvanor.desktop"
check "desktop-file-validate accepts the entry" desktop-file-validate "$desktop"
check "appstreamcli accepts the metainfo" appstreamcli validate --no-net "$prefix/share/metainfo/nl.selvanor.selvanor.metainfo.xml"
check "the entry starts the launcher" grep -qx 'Exec=selvanor' "$desktop"
check "the entry's categories" grep -qx 'Categories=Education;Science;Astronomy;' "$desktop"
check "the entry's Dutch comment" grep -qx 'Comment=Educatieve atlas van de maan.*' "$desktop"

# --- The launcher ------------------------------------------------------------
# The program is replaced by a stand-in that notes the folder it starts in.
real="$tmp/selvanor.real"
mv "$prefix/libexec/selvanor/selvanor" "$real"
cat > "$prefix/libexec/selvanor/selvanor" <<'STANDIN'
#!/bin/sh
pwd > "$STARTED_IN"
STANDIN
chmod +x "$prefix/libexec/selvanor/selvanor"
export HOME="$tmp/home" STARTED_IN="$tmp/started"
mkdir -p "$HOME"
data="$prefix/share/selvanor"
launch() { rm -f "$STARTED_IN"; (cd "$1" && PATH="$prefix/bin:$PATH" selvanor); }

# First start, from another folder: the whole data set is copied.
export XDG_DATA_HOME="$tmp/xdg"
user="$XDG_DATA_HOME/selvanor"
launch /
check "started in the user's data folder" test "$(cat "$STARTED_IN")" = "$user"
check "the first start copies the data set" diff -rq "$data" "$user"

# The user's work, then a newer data set.
printf 'my features' > "$user/maan_vm.dat"
rm "$user/maan_ek.dat"
printf 'my notes' > "$user/eigen.txt"
printf 'newer help' > "$data/maanhelp.rtf"
printf 'newer index' > "$data/maan_vm.dat"
printf 'newer index' > "$data/maan_lk.dat"
printf 'new file' > "$data/nieuw.txt"
touch -d '2001-01-01' "$data/titelmaan.bmp"   # a data file older than the copy
launch "$tmp"
check "a user's index file is never replaced" test "$(cat "$user/maan_vm.dat")" = 'my features'
check "nor is an index file the data set changed" test "$(cat "$user/maan_lk.dat")" != 'newer index'
check "a removed index file comes back" cmp -s "$data/maan_ek.dat" "$user/maan_ek.dat"
check "an updated data file is brought over" test "$(cat "$user/maanhelp.rtf")" = 'newer help'
check "a new data file is brought over" test -f "$user/nieuw.txt"
check "a data file of another date is brought over" cmp -s "$data/titelmaan.bmp" "$user/titelmaan.bmp"
check "the user's own files stay" test "$(cat "$user/eigen.txt")" = 'my notes'

# Without XDG_DATA_HOME, or with a relative one, the folder is in the home folder.
for value in unset relative/path; do
  if [ "$value" = unset ]; then unset XDG_DATA_HOME; else export XDG_DATA_HOME="$value"; fi
  launch "$tmp"
  check "XDG_DATA_HOME $value: ~/.local/share/selvanor" test "$(cat "$STARTED_IN")" = "$HOME/.local/share/selvanor"
done
check "no folder is made from a relative XDG_DATA_HOME" test ! -e "$tmp/relative"

# The installed program itself starts with the installed data (it waits on its
# title screen until stopped).
set +e
(cd "$user" && QT_QPA_PLATFORM=offscreen timeout 3 "$real" >/dev/null 2>&1)
status=$?
set -e
check "the installed program starts and keeps running" test "$status" -eq 124

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "install and launcher: all checks passed"
