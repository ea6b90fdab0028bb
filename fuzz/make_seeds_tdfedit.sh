#!/usr/bin/env bash
# make_seeds_tdfedit.sh DIR: the font files the tdf fuzzer starts from.
set -euo pipefail
exec bash "$(dirname "$0")/make_seeds_tdf.sh" "${1:?usage: make_seeds_tdfedit.sh DIR}"
