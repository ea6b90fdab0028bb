#!/usr/bin/env bash
# brixel-cli ansi on every real ANSI art file of the corpus: each run ends by
# itself with exit code 0, the JSON form holds sane rows and the terminal form
# shows the same cells. Without the corpus folder the test exits 77, which
# CTest counts as skipped.
set -euo pipefail

cli=${BRIXEL_CLI:?BRIXEL_CLI must point at brixel-cli}
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
corpus="$src/../shared/corpus/ans"

if [ ! -d "$corpus" ]; then
  echo "skipped: no corpus at $corpus"
  exit 77
fi
shopt -s nullglob
files=("$corpus"/*)
[ "${#files[@]}" -gt 0 ] || { echo "FAIL: $corpus is empty"; exit 1; }
python3 "$src/tests/e2e/cli_ansi_check.py" "$cli" "${files[@]}"
echo "ansi corpus: ${#files[@]} files, all checks passed"
