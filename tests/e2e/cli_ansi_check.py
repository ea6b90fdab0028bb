#!/usr/bin/env python3
"""Checks `brixel-cli ansi` on ANSI art files, used by the e2e shell tests.

  cli_ansi_check.py BRIXEL_CLI FILE...

For each file: both forms end by themselves with exit code 0 and no
sanitizer report; the --json form is rows of 80 [code, attr] pairs, between
1 and 5000 of them; the terminal form shows the same cells (a cell holding 0
as a blank). Prints the number of rows of each file; exit code 0 when every
check holds, otherwise the reasons go to stderr.
"""

import json
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from cli_render_check import SANITIZER, CheckError, compare_rows, decode_terminal  # noqa: E402


def run(cli, args, what):
    p = subprocess.run([cli, "ansi", *args], capture_output=True, timeout=120)
    err = p.stderr.decode("utf-8", "replace")
    if p.returncode != 0 or SANITIZER.search(err):
        raise CheckError(f"{what}: exit code {p.returncode}: {err.strip()[:800]}")
    return p.stdout.decode("utf-8")


def check(cli, path):
    rows = json.loads(run(cli, ["--json", "--", path], "--json"))
    if not 1 <= len(rows) <= 5000:
        raise CheckError(f"{len(rows)} rows")
    for y, row in enumerate(rows, 1):
        if len(row) != 80 or not all(len(c) == 2 and all(0 <= v <= 255 for v in c) for c in row):
            raise CheckError(f"row {y} is not 80 [code, attr] pairs")
    want = [[(32 if c == 0 else c, a) for c, a in row] for row in rows]
    compare_rows(decode_terminal(run(cli, ["--", path], "terminal form")), want, "terminal form")
    return len(rows)


def main():
    cli, files = sys.argv[1], sys.argv[2:]
    failed = 0
    for path in files:
        try:
            print(f"{Path(path).name}: {check(cli, path)} rows")
        except (CheckError, ValueError, subprocess.TimeoutExpired) as e:
            print(f"FAIL: {path}: {e}", file=sys.stderr)
            failed += 1
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
