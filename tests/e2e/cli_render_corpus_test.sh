#!/usr/bin/env bash
# brixel-cli render with every font of every real font file in the corpus:
# each run ends by itself (exit code 0 or 1, never a signal or a sanitizer
# report), the terminal form shows the same cells as the JSON form, Block and
# Color fonts with glyphs draw something and Outline fonts are refused.
# Without the corpus folder the test exits 77, which CTest counts as skipped.
set -euo pipefail

cli=${BRIXEL_CLI:?BRIXEL_CLI must point at brixel-cli}
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
corpus="$src/../shared/corpus/tdf"

if [ ! -d "$corpus" ]; then
  echo "skipped: no corpus at $corpus"
  exit 77
fi
python3 "$src/tests/e2e/cli_render_check.py" corpus "$cli" "$corpus"
echo "cli render corpus: all checks passed"
