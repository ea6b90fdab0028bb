#!/usr/bin/env bash
# make_readme_picture.sh [BUILD_DIR]: draws doc/banner.png, the picture at the
# top of README.md: the word Brixel in the demo Color font, as brixel-cli
# render --png draws the 80x25 screen. Builds brixel-cli in BUILD_DIR (default
# build/debug) when it is not there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/debug}
if [ ! -x "$build/brixel-cli" ]; then bash tools/build.sh debug "$build" brixel-cli; fi
"$build/brixel-cli" render --font 2 --x 20 --y 9 --png doc/banner.png assets/demo.tdf Brixel
echo "doc/banner.png drawn"
