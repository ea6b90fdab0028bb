#!/usr/bin/env bash
# make_assets.sh [BUILD_DIR]: regenerates every file in assets/.
# Runs tools/make_assets.py (glyph sheets, sounds, icon and the demo font's
# bitmaps in tools/demo_glyphs.txt), builds tools/make_demo_font in BUILD_DIR
# (default build/assets) and writes assets/demo.tdf with it, then draws
# assets/demo.ans with tools/make_demo_ans.py.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/assets}
mkdir -p "$(dirname "$build")"

# Debian's python3 has python3-fonttools; another python3 may come first on PATH.
/usr/bin/python3 tools/make_assets.py

cmake -S . -B "$build" -DBRIXEL_TESTS=OFF -DBRIXEL_BENCH=OFF > "$build.configure.log" 2>&1 ||
  { cat "$build.configure.log"; exit 1; }
cmake --build "$build" --target make_demo_font -j "${JOBS:-2}"
"$build/tools/make_demo_font" tools/demo_glyphs.txt assets/demo.tdf
python3 tools/make_demo_ans.py assets/demo.ans
echo "assets regenerated; 'git status assets tools' shows what changed"
