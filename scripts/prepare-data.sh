#!/usr/bin/env bash
# Prepares the per-user data directory: the atlas data set is copied on first
# use; later runs add files that are new but never replace a user's index files.
set -euo pipefail
dest="$1"
src="$(cd "$(dirname "$0")/.." && pwd)/atlas"
mkdir -p "$dest"
for f in "$src"/*; do
  name=$(basename "$f")
  case "$name" in
    *.dat) [ -e "$dest/$name" ] || cp "$f" "$dest/$name" ;;
    *)     [ -e "$dest/$name" ] && cmp -s "$f" "$dest/$name" || cp "$f" "$dest/$name" ;;
  esac
done
