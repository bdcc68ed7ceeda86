#!/usr/bin/env bash
# Installs Selvanor into a temporary prefix and checks what a user gets: the
# files in their places, desktop entry, metainfo and manual pages that their
# checkers accept, and the launcher that prepares the user's data folder
# (index files copied and never replaced, links to the data set kept up to
# date, a user's own files left alone) and starts the program there, from any
# folder, or says in the program's message box why it cannot.
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
         share/icons/hicolor/scalable/apps/selvanor.svg share/icons/hicolor/128x128/apps/selvanor.png \
         share/man/man1/selvanor.1 share/man/nl/man1/selvanor.1; do
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
check "desktop-file-validate has no hint either" test -z "$(desktop-file-validate "$desktop" 2>&1)"
metainfo="$prefix/share/metainfo/nl.selvanor.selvanor.metainfo.xml"
check "appstreamcli accepts the metainfo, pedantic" appstreamcli validate --pedantic --no-net "$metainfo"
check "the metainfo names the licence" grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo"
check "the metainfo launches the entry" grep -q '<launchable type="desktop-id">selvanor.desktop</launchable>' "$metainfo"
check "the metainfo's Dutch summary" grep -q '<summary xml:lang="nl">Educatieve atlas van de maan</summary>' "$metainfo"
check "the entry starts the launcher" grep -qx 'Exec=selvanor' "$desktop"
check "the entry has one main category" grep -qx 'Categories=Education;Astronomy;' "$desktop"
check "the entry's Dutch comment" grep -qx 'Comment\[nl\]=Educatieve atlas van de maan.*' "$desktop"

# --- Manual pages ------------------------------------------------------------
for page in man1/selvanor.1 nl/man1/selvanor.1; do
  check "$page renders without warnings" test -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$prefix/share/man/$page" 2>&1 >/dev/null)"
  check "$page names the installed data set" grep -qF "$(cmake -L -N "$build" 2>/dev/null | sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p')/share/selvanor" "$prefix/share/man/$page"
done
nl_page=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$prefix/share/man/nl/man1/selvanor.1" 2>/dev/null)
for key in F1 F2 F3 F4 F5 F6 F7 F8 Esc; do
  check "the Dutch page names the key $key" grep -qw "$key" <<<"$nl_page"
done
check "the Dutch page names the data folder" grep -q '~/.local/share/selvanor' <<<"$nl_page"

# --- The launcher ------------------------------------------------------------
# The program is replaced by a stand-in that notes the folder it starts in and
# the message the launcher hands it.
real="$tmp/selvanor.real"
mv "$prefix/libexec/selvanor/selvanor" "$real"
cat > "$prefix/libexec/selvanor/selvanor" <<'STANDIN'
#!/bin/sh
pwd > "$NOTES/started"
printf '%s' "${SELVANOR_LAUNCHER_ERROR-}" > "$NOTES/message"
STANDIN
chmod +x "$prefix/libexec/selvanor/selvanor"
export NOTES="$tmp/notes"
mkdir -m 777 "$NOTES"
data="$prefix/share/selvanor"
launch() { rm -f "$NOTES/started" "$NOTES/message"; (cd "$1" && PATH="$prefix/bin:$PATH" selvanor 2>"$NOTES/terminal"); }
message() { cat "$NOTES/message" 2>/dev/null; }
# A link to the data set's file of the same name.
linked() { [ -L "$1/$2" ] && [ "$1/$2" -ef "$data/$2" ]; }
# A file of its own (no link) with the same bytes as the data set's.
copied() { [ -f "$1/$2" ] && [ ! -L "$1/$2" ] && cmp -s "$data/$2" "$1/$2"; }
all_linked() {
  local file name
  for file in "$data"/*; do
    name=${file##*/}
    case $name in *.dat) copied "$1" "$name" || return 1 ;; *) linked "$1" "$name" || return 1 ;; esac
  done
}

# First start, from another folder: index files copied, everything else linked.
export HOME="$tmp/home"
mkdir -p "$HOME"
export XDG_DATA_HOME="$tmp/xdg"
user="$XDG_DATA_HOME/selvanor"
launch /
check "started in the user's data folder" test "$(cat "$NOTES/started")" = "$user"
check "and with no message" test -z "$(message)"
check "the index files are copies, the rest links to the data set" all_linked "$user"
check "nothing else is in the folder" test "$(ls -A "$user" | wc -l)" -eq "$(ls "$data" | wc -l)"
check "the copied index files are the user's to write" test -w "$user/maan_vm.dat"
check "a new data folder is private" test "$(stat -c %a "$user")" = 700

# The user's work and changes, then a newer data set.
printf 'my features' > "$user/maan_vm.dat"
rm "$user/maan_ek.dat"
printf 'my notes' > "$user/eigen.txt"
rm "$user/Alphonsus.txt" && printf 'eigen uitleg' > "$user/Alphonsus.txt"
ln -sf "$user/eigen.txt" "$user/Ptolemaeus.txt"         # a link of the user's own
ln -s /nergens/foto.jpg "$user/mijn foto.jpg"           # another, broken
mkdir -p "$tmp/other" && printf 'other data set' > "$tmp/other/maan_ek.bmp"
ln -sf "$tmp/other/maan_ek.bmp" "$user/maan_ek.bmp"     # an older data set's link
ln -s "$tmp/gone/verdwenen.jpg" "$user/verdwenen.jpg"   # one whose file is gone
printf 'newer help' > "$data/maanhelp.rtf"
printf 'newer index' > "$data/maan_lk.dat"
printf 'new file' > "$data/nieuw.txt"
rm "$data/Albategnius.txt"
launch "$tmp"
check "a user's index file is never replaced" test "$(cat "$user/maan_vm.dat")" = 'my features'
check "nor is an index file the data set changed" cmp -s "$(dirname "$0")/../../atlas/maan_lk.dat" "$user/maan_lk.dat"
check "a removed index file comes back as a copy" copied "$user" maan_ek.dat
check "a changed data file is seen through its link" test "$(cat "$user/maanhelp.rtf")" = 'newer help'
check "a new data file gets its link" linked "$user" nieuw.txt
check "the link of a dropped data file goes" test ! -e "$user/Albategnius.txt" -a ! -L "$user/Albategnius.txt"
check "a link to another data set is turned to this one" linked "$user" maan_ek.bmp
check "a broken link of the launcher's goes" test ! -L "$user/verdwenen.jpg"
check "the user's own version of a data file stays" test "$(cat "$user/Alphonsus.txt")" = 'eigen uitleg'
check "the user's own files stay" test "$(cat "$user/eigen.txt")" = 'my notes'
check "the user's own links stay" test "$(readlink "$user/Ptolemaeus.txt")" = "$user/eigen.txt"
check "even a broken one" test "$(readlink "$user/mijn foto.jpg")" = /nergens/foto.jpg
check "the other data set is untouched" test "$(cat "$tmp/other/maan_ek.bmp")" = 'other data set'

# A folder made by hand, or by an older launcher, with copies of the data set.
export XDG_DATA_HOME="$tmp/hand"
hand="$XDG_DATA_HOME/selvanor"
mkdir -p "$hand"
cp -p "$data"/* "$hand/"
printf 'aangepast' > "$hand/Plato.txt"
printf 'my features' > "$hand/maan_vm.dat"
rm "$hand/maan_lk.dat" && ln -s "$data/maan_lk.dat" "$hand/maan_lk.dat"
launch "$tmp"
check "a hand-made folder: unchanged copies give way to links" linked "$hand" maan_vm.bmp
check "a hand-made folder: every unchanged copy" test "$(find "$hand" -maxdepth 1 -type f | wc -l)" -eq 4
check "a hand-made folder: a changed copy stays" test "$(cat "$hand/Plato.txt")" = aangepast
check "a hand-made folder: the index files stay" test "$(cat "$hand/maan_vm.dat")" = 'my features'
check "an index file linked to the data set becomes a copy" copied "$hand" maan_lk.dat
check "an unchanged index file copy stays a copy" copied "$hand" maan_ek.dat

# Two starts at the same moment both find a whole folder.
export XDG_DATA_HOME="$tmp/twice"
(cd / && PATH="$prefix/bin:$PATH" selvanor) & first=$!
(cd / && PATH="$prefix/bin:$PATH" selvanor) & second=$!
wait "$first"; status1=$?
wait "$second"; status2=$?
check "two starts at once both succeed" test "$status1$status2" = 00
check "and leave one whole folder" all_linked "$XDG_DATA_HOME/selvanor"
check "with nothing left over" test "$(ls -A "$XDG_DATA_HOME/selvanor" | wc -l)" -eq "$(ls "$data" | wc -l)"

# Without XDG_DATA_HOME, or with a relative one, the folder is in the home folder.
for value in unset relative/path; do
  if [ "$value" = unset ]; then unset XDG_DATA_HOME; else export XDG_DATA_HOME="$value"; fi
  launch "$tmp"
  check "XDG_DATA_HOME $value: ~/.local/share/selvanor" test "$(cat "$NOTES/started")" = "$HOME/.local/share/selvanor"
done
check "no folder is made from a relative XDG_DATA_HOME" test ! -e "$tmp/relative"

# --- A folder that cannot be prepared ----------------------------------------
# The program is started with the reason, in Dutch, and the folder named.
refused() {  # what, expected words...
  local what="$1" word; shift
  for word in "$@"; do
    grep -qF -- "$word" <<<"$(message)" || { fail "$what: «$word» not in the message «$(message)»"; return; }
  done
}
unset XDG_DATA_HOME
(unset HOME; launch "$tmp")
refused "no HOME" "HOME is niet gezet" "~/.local/share/selvanor"
check "a terminal, where there is one, reads it too" grep -q "HOME is niet gezet" "$NOTES/terminal"
(HOME=thuis launch "$tmp")
refused "a relative HOME" "HOME (thuis) is geen volledig pad"
check "no folder is made from a relative HOME" test ! -e "$tmp/thuis"
(HOME="$tmp/nonexistent" launch "$tmp")
refused "a home folder that does not exist" "$tmp/nonexistent/.local/share/selvanor" "De thuismap $tmp/nonexistent bestaat niet"
check "a home folder is never made" test ! -e "$tmp/nonexistent"
printf 'x' > "$tmp/file"
(XDG_DATA_HOME="$tmp/file/sub" launch "$tmp")
refused "a file on the way" "$tmp/file/sub/selvanor" "$tmp/file is geen map"
mkdir -p "$tmp/blocked" && printf 'x' > "$tmp/blocked/selvanor"
(XDG_DATA_HOME="$tmp/blocked" launch "$tmp")
refused "a file in the folder's place" "$tmp/blocked/selvanor" "geen map"
mv "$data" "$data.away"
(XDG_DATA_HOME="$tmp/xdg" launch "$tmp")
refused "no data set" "De gegevens van Selvanor ontbreken"
mv "$data.away" "$data"
# A full disk while an index file is copied (a file size limit stands in for
# it): no half index file is left behind.
(XDG_DATA_HOME="$tmp/full" && export XDG_DATA_HOME && ulimit -f 40 && trap '' XFSZ && launch "$tmp")
refused "a full disk" "$tmp/full/selvanor" "kan niet worden gekopieerd"
check "no half index file is left" test -z "$(find "$tmp/full/selvanor" -name '*.dat*')"
# A home folder the user may not write in, as an ordinary user would have.
mkdir -m 555 "$tmp/readonly"
if [ "$(id -u)" -ne 0 ]; then
  (HOME="$tmp/readonly" launch "$tmp")
  refused "an unwritable home folder" "$tmp/readonly/.local/share/selvanor" "In de map $tmp/readonly mag niet worden geschreven"
elif command -v setpriv >/dev/null; then
  chmod 755 "$tmp"
  rm -f "$NOTES/started" "$NOTES/message"
  (cd "$tmp" && HOME="$tmp/readonly" setpriv --reuid=nobody --regid=nogroup --clear-groups \
     env PATH="$prefix/bin:$PATH" selvanor 2>"$NOTES/terminal")
  refused "an unwritable home folder" "$tmp/readonly/.local/share/selvanor" "In de map $tmp/readonly mag niet worden geschreven"
else
  echo "SKIP: an unwritable home folder (root, and no setpriv to become another user)"
fi

# The installed program itself starts with the installed data (it waits on its
# title screen until stopped).
set +e
(cd "$user" && QT_QPA_PLATFORM=offscreen timeout 3 "$real" >/dev/null 2>&1)
status=$?
set -e
check "the installed program starts and keeps running" test "$status" -eq 124

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "install and launcher: all checks passed"
