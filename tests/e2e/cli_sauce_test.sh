#!/usr/bin/env bash
# brixel-cli sauce: a record written onto art, rewritten without stacking,
# read back in both forms; refusals write nothing; every corpus file reads
# cleanly, with the corpus' known records, when the corpus is there.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?run through ctest}
art="$work/art.ans"
cp "$src/assets/demo.ans" "$art"
size=$(stat -c %s "$art")

run "$cli" sauce --json "$art"
expect_rc 0 "a file without a record"
[ "$(cat "$work/out")" = "null" ] || fail "a file without a record prints '$(head -c 100 "$work/out")'"

run "$cli" sauce --title "Démo ☺" --author Me --date 19991231 --comment "line one" --comment two "$art"
expect_rc 0 "first write"
run "$cli" sauce --group Crew --date 20240229 "$art"
expect_rc 0 "second write"
run "$cli" sauce --json "$art"
expect_rc 0 "read back"
python3 - "$work/out" "$art" "$src/assets/demo.ans" <<'PY' || fail "the record read back is wrong"
import json, sys
rec = json.load(open(sys.argv[1]))
data, content = open(sys.argv[2], "rb").read(), open(sys.argv[3], "rb").read()
assert data.startswith(content + b"\x1aCOMNT"), "content changed or trailer not right after it"
assert len(data) == len(content) + 1 + 5 + 2 * 64 + 128, "one trailer, not two"
assert rec["title"] == "Démo ☺" and rec["author"] == "Me" and rec["group"] == "Crew", rec
assert rec["date"] == "20240229" and rec["comments"] == ["line one", "two"], rec
assert rec["file_size"] == len(content), rec["file_size"]
assert (rec["data_type"], rec["file_type"], rec["tinfo1"]) == (1, 1, 80), rec
PY
rows=$("$cli" ansi --json "$src/assets/demo.ans" | python3 -c 'import json, sys; print(len(json.load(sys.stdin)))')
grep -q "\"tinfo2\": $rows," "$work/out" || fail "tinfo2 is not the $rows rows of the picture"

run "$cli" sauce "$art"
expect_rc 0 "text form"
grep -qx "Title:      Démo ☺" "$work/out" && grep -qx "Group:      Crew" "$work/out" &&
  grep -qx "            two" "$work/out" || fail "text form: $(head -c 400 "$work/out")"

# Refusals leave the file as it was.
cp "$art" "$work/before"
run "$cli" sauce --title "$(printf 'x%.0s' {1..36})" "$art"
expect_rc 1 "a title of 36 characters"
grep -q "at most 35" "$work/err" || fail "a long title: not explained"
run "$cli" sauce --json --title T "$art"
expect_rc 1 "--json with a write"
while IFS='|' read -r option value says; do
  run "$cli" sauce "$option" "$value" "$art"
  expect_rc 1 "sauce $option $value"
  grep -qF -- "$says" "$work/err" || fail "sauce $option $value: $(cat "$work/err")"
done <<'ROWS'
--author|Price 5€|--author holds '€' (U+20AC), which code page 437 cannot store
--date|20991332|no day of the calendar
--date|20230229|no day of the calendar
ROWS
cmp -s "$art" "$work/before" || fail "a refused write changed the file"

corpus="$src/../shared/corpus"
if [ -d "$corpus" ]; then
  for f in "$corpus"/ans/* "$corpus"/tdf/*; do
    run "$cli" sauce --json "$f"
    expect_rc 0 "corpus ${f##*/}"
    mkdir -p "$work/corpus"
    cp "$work/out" "$work/corpus/${f##*/}.json"
  done
  python3 - "$work/corpus" <<'PY' || fail "corpus records are not JSON or not as known"
import json, os, sys
records = {n[:-5]: json.load(open(os.path.join(sys.argv[1], n))) for n in os.listdir(sys.argv[1])}
rec = records.get
assert rec("ROY-DGZN.ANS") is None  # a cut-off record is none
assert rec("logo.ans")["title"] == "SadConsole Logo" and rec("logo.ans")["comments"] == []
assert len(rec("zO-flyingEagleTutorial.ANS")["comments"]) == 3
assert rec("guardf2.tdf") is not None  # font files carry records too
PY
else
  echo "no corpus at $corpus: its files were not read"
fi

cli_finish "cli sauce"
