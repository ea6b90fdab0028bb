#!/usr/bin/env bash
# make_seeds_pcb.sh DIR: writes the seed corpus of the pcb reader's fuzzer.
set -euo pipefail
exec python3 "$(dirname "$0")/make_art_seeds.py" pcb "${1:?usage: make_seeds_pcb.sh DIR}"
