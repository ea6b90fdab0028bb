#!/usr/bin/env bash
# brixel-cli ansi and text: the demo art as the viewer sees it, exact cells
# and text for a small file, and clean failures for bad input.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?run through ctest}
demo="$src/assets/demo.ans"

# The committed demo art is what its script draws.
python3 "$src/tools/make_demo_ans.py" "$work/demo.ans"
cmp -s "$work/demo.ans" "$demo" || fail "assets/demo.ans is not what tools/make_demo_ans.py draws"

run python3 "$src/tests/e2e/cli_ansi_check.py" "$cli" "$demo"
expect_rc 0 "the demo art in both forms"
rows=$(sed -n 's/^demo.ans: \([0-9]*\) rows$/\1/p' "$work/out")
[ "${rows:-0}" -gt 25 ] || fail "the demo art is not taller than a screen (${rows:-?} rows)"

# Colours carry over the line end; the end-of-file byte ends the picture.
printf '\033[1;33;44mHi\r\nthere\033[0m!\032 after\r\n' >"$work/small.ans"
run "$cli" ansi --json "$work/small.ans"
expect_rc 0 "ansi --json"
python3 - "$work/out" <<'PY' || fail "ansi --json cells are wrong"
import json, sys
rows = json.load(open(sys.argv[1]))
want = [[(ord(c), 0x1E) for c in "Hi"], [(ord(c), 0x1E) for c in "there"] + [(ord("!"), 7)]]
assert len(rows) == 2, len(rows)
for row, cells in zip(rows, want):
    assert [tuple(c) for c in row[:len(cells)]] == cells, row[:8]
    assert all(c == [0, 0] for c in row[len(cells):]), "cells after the text are empty"
PY

run "$cli" text "$work/small.ans" "$work/small.txt"
expect_rc 0 "text"
# The rows as the viewer shows them: nothing after the end-of-file byte.
printf 'Hi\nthere!\n' | cmp -s - "$work/small.txt" || fail "text export is '$(cat -v "$work/small.txt")'"
cp "$work/small.ans" "$work/before.ans"
run "$cli" text "$work/small.ans" "$work/small.ans"
expect_rc 1 "text onto its input"
cmp -s "$work/small.ans" "$work/before.ans" || fail "text overwrote its input"
grep -q "is the input" "$work/err" || fail "text onto its input: not explained"

# Bad input is explained and never waited on.
run "$cli" ansi
expect_rc 1 "ansi without a file"
grep -q "missing FILE" "$work/err" || fail "ansi without a file: not explained"
run "$cli" text "$work/small.ans"
expect_rc 1 "text without OUT"
grep -q "missing OUT" "$work/err" || fail "text without OUT: not explained"
run "$cli" ansi "$work/missing.ans"
expect_rc 1 "a missing file"
grep -q "no such file" "$work/err" || fail "a missing file: not explained"
mkfifo "$work/fifo.ans"
run timeout 20 "$cli" ansi "$work/fifo.ans"
expect_rc 1 "a FIFO"
grep -q "not a regular file" "$work/err" || fail "a FIFO: not explained"
run "$cli" --help
grep -q "ansi \[--json\] FILE" "$work/out" && grep -q "text FILE OUT" "$work/out" ||
  fail "--help does not mention ansi and text"

cli_finish "cli ansi"
