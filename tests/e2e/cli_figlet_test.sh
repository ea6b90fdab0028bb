#!/usr/bin/env bash
# brixel-cli export and import against Debian's figlet and toilet
# (cli_figlet_check.py): every corpus font exported draws in toilet (TLF)
# and figlet (FLF) what render --format text draws, and every font of
# figlet's folder, imported or read directly, draws what figlet -W draws.
# Each part skips without its programs or fonts; with neither, the test
# exits 77, which CTest counts as skipped.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
check="$src/tests/e2e/cli_figlet_check.py"
corpus="$src/../shared/corpus/tdf"
fonts=/usr/share/figlet
ran=0

if [ -d "$corpus" ] && { command -v toilet || command -v figlet; } >/dev/null; then
  mkdir "$work/export"
  python3 "$check" export "$cli" "$corpus" "$work/export" || fail "the exported corpus fonts"
  ran=1
else
  echo "skipped the export: no corpus at $corpus, or neither toilet nor figlet"
fi
if command -v figlet >/dev/null && [ -d "$fonts" ]; then
  mkdir "$work/import"
  python3 "$check" import "$cli" "$fonts" "$work/import" || fail "figlet's fonts imported"
  ran=1
else
  echo "skipped the import: no figlet or no $fonts"
fi

[ "$ran" -eq 1 ] || exit 77
cli_finish "cli figlet"
