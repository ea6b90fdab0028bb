#!/usr/bin/env bash
# make_seeds_adf.sh DIR: writes the seed corpus of the adf reader's fuzzer.
set -euo pipefail
exec python3 "$(dirname "$0")/make_art_seeds.py" adf "${1:?usage: make_seeds_adf.sh DIR}"
