#!/usr/bin/env bash
# A bundle of more than 3,500 fonts made from the corpus with brixel-cli merge
# (every file 17 times) is listed completely and its last font renders.
# Without the corpus the test exits 77, which CTest counts as skipped.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?BRIXEL_SOURCE_DIR must point at the source tree}
corpus="$src/../shared/corpus/tdf"
if [ ! -d "$corpus" ]; then
  echo "skipped: no corpus at $corpus"
  exit 77
fi

# The files go in as they are: merge copies only their fonts, so a trailer
# (guardf2.tdf ends in a SAUCE record) never lands between two fonts.
run "$cli" create "$work/bundle.tdf" Seed block
expect_rc 0 "create"
for round in $(seq 17); do
  for part in "$corpus"/*; do
    "$cli" merge "$work/bundle.tdf" "$part" >/dev/null || fail "merge $part in round $round"
  done
done
run "$cli" list --json "$work/bundle.tdf"
expect_rc 0 "list the bundle"
python3 - "$work/out" "$cli" "$corpus" <<'PY' || fail "the bundle is not listed completely"
import json, os, subprocess, sys
got = [f["name"] for f in json.load(open(sys.argv[1]))["fonts"]]
one_round = []
for name in sorted(os.listdir(sys.argv[3])):
    listing = subprocess.run([sys.argv[2], "list", "--json", os.path.join(sys.argv[3], name)],
                             capture_output=True, check=True)
    one_round += [f["name"] for f in json.loads(listing.stdout)["fonts"]]
want = ["Seed        "] + one_round * 17
assert len(want) > 3500, len(want)
assert got == want, (len(got), len(want))
print(f"bundle: {len(got)} fonts listed")
PY
last=$(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))["fonts"]))' "$work/out")
run "$cli" render --font "$last" --json "$work/bundle.tdf" adf1
expect_rc 0 "render the last font ($last)"
cli_finish "cli bundle from the corpus"
