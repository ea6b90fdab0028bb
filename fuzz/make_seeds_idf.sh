#!/usr/bin/env bash
# make_seeds_idf.sh DIR: writes the seed corpus of the idf reader's fuzzer.
set -euo pipefail
exec python3 "$(dirname "$0")/make_art_seeds.py" idf "${1:?usage: make_seeds_idf.sh DIR}"
