#!/bin/sh
# Remakes the pictures of the user's guide, Doc/images/*.png, from the running program:
# the windows headless (offscreen) and the game under the real luaplayer, headless.
#   tools/screenshots/make-shots.sh [BUILD_DIR]     (default: build)
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$repo/build}
cmake -S "$repo" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target quendal_shots luaplayer
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/quendal_shots" "$repo" "$out" "$build/app/luaplayer"
# Smaller files when optipng is at hand; the pictures are the same either way.
if command -v optipng >/dev/null 2>&1; then
  optipng -quiet -o2 "$out"/*.png
fi
mkdir -p "$repo/Doc/images"
cp "$out"/*.png "$repo/Doc/images/"
echo "Pictures written to $repo/Doc/images"
