#!/usr/bin/env bash
# make_seeds_tnd.sh DIR: writes the seed corpus of the tnd reader's fuzzer.
set -euo pipefail
exec python3 "$(dirname "$0")/make_art_seeds.py" tnd "${1:?usage: make_seeds_tnd.sh DIR}"
