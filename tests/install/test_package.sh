#!/usr/bin/env bash
# Checks the two Debian packages that `make package` built, as a packager
# would: their names and fields, the exact-version dependency of the program
# on its data, what each holds, the hardened program, the copyright file,
# changelog and checksums, and lintian, which must report no error and no
# warning that is not overridden with its reason.
# Usage: test_package.sh <build folder>
set -uo pipefail
build="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { local what="$1"; shift; "$@" || fail "$what"; }

changelog="$root/packaging/debian/changelog"
version=$(dpkg-parsechangelog -l "$changelog" -SVersion)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
program="$build/selvanor_${version}_${arch}.deb"
data="$build/selvanor-data_${version}_all.deb"
for deb in "$program" "$data"; do
  [ -f "$deb" ] || { echo "FAIL: $deb was not built (make package)" >&2; exit 1; }
done

# --- Versions agree ----------------------------------------------------------
upstream=${version%-*}
check "the changelog's version $upstream is the project's" \
  grep -q "project(Selvanor VERSION $upstream " "$root/CMakeLists.txt"
check "and the metainfo's latest release" \
  grep -q "<release version=\"$upstream\"" "$root/resources/nl.selvanor.selvanor.metainfo.xml"

# --- Fields ----------------------------------------------------------------
field() { dpkg-deb -f "$1" "$2"; }
check "selvanor is for $arch" test "$(field "$program" Architecture)" = "$arch"
check "selvanor-data is for all architectures" test "$(field "$data" Architecture)" = all
check "selvanor-data serves every architecture" test "$(field "$data" Multi-Arch)" = foreign
depends=$(field "$program" Depends)
check "selvanor needs exactly its own version of the data" grep -qF "selvanor-data (= $version)" <<<"$depends"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libqt6printsupport6 libjpeg62-turbo; do
  check "selvanor depends on $library" grep -qE "(^|, )${library//+/\\+}( |,|$)" <<<"$depends"
done
check "selvanor depends on the fonts it asks for" grep -qE "(^|, )fonts-liberation( |,|$)" <<<"$depends"
check "the Dutch dialog texts are recommended, not required" \
  test "$(field "$program" Recommends)" = qt6-translations-l10n
check "nor are they a dependency" eval '! grep -q qt6-translations-l10n <<<"$depends"'
check "selvanor-data needs nothing" test -z "$(field "$data" Depends)"
for deb in "$program" "$data"; do
  check "$(basename "$deb"): an English description" grep -q '^educational atlas of the Moon' <<<"$(field "$deb" Description)"
  check "$(basename "$deb"): its maintainer" test -n "$(field "$deb" Maintainer)"
  check "$(basename "$deb"): its installed size" test "$(field "$deb" Installed-Size)" -gt 0
done

# --- Contents ------------------------------------------------------------------
dpkg-deb -x "$program" "$tmp/program"
dpkg-deb -e "$program" "$tmp/program/DEBIAN"
dpkg-deb -x "$data" "$tmp/data"
dpkg-deb -e "$data" "$tmp/data/DEBIAN"
files() { (cd "$1" && find usr \( -type f -o -type l \) | LC_ALL=C sort); }
expected_program="usr/bin/selvanor
usr/libexec/selvanor/selvanor
usr/share/applications/selvanor.desktop
usr/share/doc/selvanor/changelog.Debian.gz
usr/share/doc/selvanor/copyright
usr/share/icons/hicolor/128x128/apps/selvanor.png
usr/share/icons/hicolor/scalable/apps/selvanor.svg
usr/share/lintian/overrides/selvanor
usr/share/man/man1/selvanor.1.gz
usr/share/man/nl/man1/selvanor.1.gz
usr/share/metainfo/nl.selvanor.selvanor.metainfo.xml"
check "selvanor holds the program, its launcher, menu entry, icons, metainfo, manual pages and documents" \
  test "$(files "$tmp/program")" = "$expected_program"
expected_data="$(cd "$root/atlas" && ls | sed 's|^|usr/share/selvanor/|')
usr/share/doc/selvanor-data/changelog.Debian.gz
usr/share/doc/selvanor-data/copyright
usr/share/lintian/overrides/selvanor-data"
check "selvanor-data holds the whole data set and its documents" \
  test "$(files "$tmp/data" | LC_ALL=C sort)" = "$(LC_ALL=C sort <<<"$expected_data")"
check "the data set is the committed one" diff -rq "$root/atlas" "$tmp/data/usr/share/selvanor"
check "the launcher finds the data where the other package puts it" \
  grep -qx "atlas='../share/selvanor'" "$tmp/program/usr/bin/selvanor"
for dir in "$tmp/program" "$tmp/data"; do
  check "$(basename "$dir"): the checksums hold" eval '(cd "$dir" && md5sum --quiet -c DEBIAN/md5sums)'
  check "$(basename "$dir"): every file is in the checksums" \
    test "$(wc -l < "$dir/DEBIAN/md5sums")" -eq "$(cd "$dir" && find usr -type f | wc -l)"
done

# The program: stripped, with the distribution's hardening.
binary="$tmp/program/usr/libexec/selvanor/selvanor"
check "the program is stripped" eval '! readelf -S "$binary" | grep -q "\.symtab"'
check "the program is position-independent" eval 'readelf -h "$binary" | grep -q "DYN "'
check "the program binds now (-z now)" eval 'readelf -d "$binary" | grep -q "BIND_NOW\|FLAGS.*NOW"'
check "the program has read-only relocations (-z relro)" eval 'readelf -l "$binary" | grep -q GNU_RELRO'
flags=$(cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
check "the program is compiled with the distribution's flags" \
  grep -qxF "CMAKE_CXX_FLAGS:STRING=$flags $(cd "$root" && dpkg-buildflags --get CPPFLAGS)" "$build/deb/build/CMakeCache.txt"
check "the program has a non-executable stack" eval '! readelf -l "$binary" | grep -A1 GNU_STACK | grep -q RWE'

# --- Documents -------------------------------------------------------------------
for package in selvanor selvanor-data; do
  dir="$tmp/program"; [ "$package" = selvanor-data ] && dir="$tmp/data"
  doc="$dir/usr/share/doc/$package"
  check "$package: the copyright file is machine-readable" \
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright"
  check "$package: the changelog is compressed without a time stamp" \
    eval 'gzip -t "$doc/changelog.Debian.gz" && test "$(od -An -tx1 -j4 -N4 "$doc/changelog.Debian.gz" | tr -d " \n")" = 00000000'
  check "$package: the changelog's entry is this version" \
    test "$(gzip -dc "$doc/changelog.Debian.gz" | dpkg-parsechangelog -l- -SVersion)" = "$version"
done
copyright="$tmp/data/usr/share/doc/selvanor-data/copyright"
for source in moon_4k.jpg moon_normals.png "Gazetteer of Planetary Nomenclature" espeak-ng "Liberation Sans" \
              "License: GPL-3+" "License: public-domain" /usr/share/common-licenses/GPL-3; do
  check "the copyright file names $source" grep -qF "$source" "$copyright"
done
check "the metainfo names the program's licence, as the copyright file" \
  grep -q '<project_license>GPL-3.0-or-later</project_license>' "$tmp/program/usr/share/metainfo/nl.selvanor.selvanor.metainfo.xml"

# --- Lintian ---------------------------------------------------------------------
if command -v lintian >/dev/null; then
  lintian -I -E --pedantic --tag-display-limit 0 "$program" "$data" > "$tmp/lintian" 2>&1
  echo "--- lintian -I -E --pedantic"
  grep -v 'running with root privileges' "$tmp/lintian"
  check "lintian reports no error" eval '! grep -q "^E:" "$tmp/lintian"'
  check "lintian reports no warning that is not overridden" eval '! grep -q "^W:" "$tmp/lintian"'
  # An override that no longer matches anything is a tag of its own
  # (unused-override), so every override above still has its reason.
  lintian -I --show-overrides --tag-display-limit 0 "$program" "$data" 2>/dev/null | grep '^O:' | cut -d' ' -f2-3 | sort | uniq -c \
    > "$tmp/overridden"
  echo "--- overridden, with the reasons in packaging/debian/*.lintian-overrides"
  cat "$tmp/overridden"
  check "the Windows-1252 texts are overridden, not converted" grep -q "selvanor-data: national-encoding" "$tmp/overridden"
else
  fail "lintian is not installed (scripts/install-deps.sh installs it)"
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "Debian packages: all checks passed"
