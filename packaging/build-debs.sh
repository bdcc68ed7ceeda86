#!/usr/bin/env bash
# Builds the two Debian packages: selvanor (the program, its launcher, menu
# entry, icons, metainfo and manual pages) and selvanor-data (the data set,
# the same on every architecture). The program is built on its own, with the
# distribution's compiler and linker flags (dpkg-buildflags, all hardening
# on); each package is a staged `cmake --install` of its component, finished
# and checked by dpkg's own tools as debhelper would.
# Usage: build-debs.sh [output folder, default build]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-build}
case $out in /*) ;; *) out=$root/$out ;; esac
work=$out/deb
meta=$root/packaging/debian

# The flags map the source folder out of debug paths, so take them from there.
cd "$root"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S "$root" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$work/build" --target selvanor -j "${JOBS:-2}"

# dpkg-gencontrol and dpkg-shlibdeps read debian/ from where they run.
rm -rf "$work/debian"
mkdir -p "$work/debian"
cp "$meta/control" "$meta/changelog" "$work/debian/"
cd "$work"
# Files carry the time of the last changelog entry, so that the packages are
# the same from one build to the next.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -STimestamp)
export SOURCE_DATE_EPOCH

stage() {
  local package=$1 component=$2
  local dir=debian/$package
  mkdir -p "$dir/DEBIAN"
  DESTDIR=$work/$dir cmake --install build --component "$component" >/dev/null
  install -D -m 644 "$meta/copyright" "$dir/usr/share/doc/$package/copyright"
  gzip -9nc "$meta/changelog" > "$dir/usr/share/doc/$package/changelog.Debian.gz"
  if [ -f "$meta/$package.lintian-overrides" ]; then
    install -D -m 644 "$meta/$package.lintian-overrides" "$dir/usr/share/lintian/overrides/$package"
  fi
  if [ -d "$dir/usr/share/man" ]; then
    find "$dir/usr/share/man" -type f -name '*.[1-9]' -exec gzip -9n {} +
  fi
  # Owner-writable files and folders, readable by all; executables stay so.
  find "$dir" -type d -exec chmod 0755 {} +
  find "$dir" -type f -exec chmod u+w,go-w,a+r {} +
}
stage selvanor program
stage selvanor-data data

# As dh_strip does: no symbols, no compiler notes.
strip --remove-section=.comment --remove-section=.note --strip-unneeded \
  debian/selvanor/usr/libexec/selvanor/selvanor

dpkg-shlibdeps -Tdebian/selvanor.substvars debian/selvanor/usr/libexec/selvanor/selvanor
for package in selvanor selvanor-data; do
  dir=debian/$package
  find "$dir" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
  (cd "$dir" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0r md5sum) > "$dir/DEBIAN/md5sums"
  chmod 0644 "$dir/DEBIAN/md5sums"
  substvars=()
  [ -f "debian/$package.substvars" ] && substvars=(-T"debian/$package.substvars")
  dpkg-gencontrol -p"$package" -P"$dir" "${substvars[@]}"
  dpkg-deb --root-owner-group -Zxz --build "$dir" "$out" >/dev/null
done
version=$(dpkg-parsechangelog -SVersion)
echo "Built $out/selvanor_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb and $out/selvanor-data_${version}_all.deb"
