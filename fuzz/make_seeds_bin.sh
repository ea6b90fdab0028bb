#!/usr/bin/env bash
# make_seeds_bin.sh DIR: writes the seed corpus of the bin reader's fuzzer.
set -euo pipefail
exec python3 "$(dirname "$0")/make_art_seeds.py" bin "${1:?usage: make_seeds_bin.sh DIR}"
