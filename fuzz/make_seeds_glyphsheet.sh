#!/usr/bin/env bash
# make_seeds_glyphsheet.sh DIR: the seed corpus of the glyph sheet fuzzer:
# the three sheets in assets/ (one 16 and two 8 pixels high).
set -euo pipefail
dir=${1:?usage: make_seeds_glyphsheet.sh DIR}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$dir"
cp "$root"/assets/80x25.png "$root"/assets/80x50.png "$root"/assets/132x50.png "$dir"/
