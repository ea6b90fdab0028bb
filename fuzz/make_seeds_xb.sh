#!/usr/bin/env bash
# make_seeds_xb.sh DIR: writes the seed corpus of the xb reader's fuzzer.
set -euo pipefail
exec python3 "$(dirname "$0")/make_art_seeds.py" xb "${1:?usage: make_seeds_xb.sh DIR}"
