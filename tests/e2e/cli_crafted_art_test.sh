#!/usr/bin/env bash
# Crafted art files, a few bytes that ask for millions of rows, one control
# sequence of megabytes, files cut before their picture or of another
# format: brixel-cli ansi ends on each with the exit code and message its
# row names, within a small multiple of the memory and time the demo art
# takes (plus the file's own size) and with at most 4 MB of text, and writes
# no PNG for a file it refuses.
source "$(dirname "$0")/cli_lib.sh"
src=${BRIXEL_SOURCE_DIR:?run through ctest}

python3 - "$cli" "$work" "$src/assets/demo.ans" <<'PY' || fail "see above"
import os, struct, subprocess, sys

cli, work, demo = sys.argv[1:4]
sauce = b"\x1aSAUCE00" + b" " * 75 + b"20261208" + bytes(4) + b"\x01\x08\x01" + bytes(31)
idf = b"\x041.4" + bytes(8) + (b"\x01\x00\xff\xffX\x07" * 200) + bytes(4096 + 48)  # width 1
at = lambda row: b"\x01" + struct.pack(">II", row, 0)
xbin = b"XBIN\x1a\x02\x00\x02\x00\x10"
# name, content, options, exit code, what stderr says; a refused file is asked for a PNG.
cases = [
    ("far.tnd", b"\x18TUNDRA24A" + at(2097151) + b"B" + sauce, [], 0, "rows past 100000 are"),
    ("dropped.tnd", b"\x18TUNDRA24" + at(0xFFFFFFF) + b"A" + at(1) + b"B", [], 0, "reaches row"),
    ("narrow.idf", idf, [], 0, "--max-rows shows more"),
    ("tall.idf", idf, ["--max-rows", "70000"], 1, "8 x 1120000 pixels; a PNG file holds at most"),
    ("params.ans", b"\x1b[" + b"1;" * 10_000_000 + b"mX", [], 0, ""),
    ("empty.adf", b"", [], 1, "an ArtWorx file has 4289 bytes"),
    ("xbin.adf", xbin + bytes(9), [], 1, "version byte is 88, not 1"),
    ("cut.idf", b"\x041.4" + bytes(200), [], 1, "a header, a font and a palette"),
    ("palette.xb", xbin + b"\x01" + bytes(20), [], 1, "truncated in the XBin palette"),
    ("font.xb", xbin + b"\x02" + bytes(300), [], 1, "truncated in the XBin font"),
    ("cells.xb", xbin + b"\x00A\x07B\x07C\x07", [], 0, "truncated: 3 of 4 cells"),
    ("nothing.bin", b"", [], 1, "no picture"),
]
failures = []
def measure(*args):  # exit code, stdout, stderr, peak memory (KB), CPU seconds
    with open(f"{work}/stdout", "wb") as out, open(f"{work}/stderr", "wb") as err:
        child = subprocess.Popen([cli, "ansi", *args], stdout=out, stderr=err, cwd=work)
        _, status, use = os.wait4(child.pid, 0)
    return (os.waitstatus_to_exitcode(status), open(f"{work}/stdout", "rb").read(),
            open(f"{work}/stderr").read(), use.ru_maxrss, use.ru_utime + use.ru_stime)
_, _, _, base_memory, base_time = measure(demo)
for name, data, options, code, message in cases:
    open(f"{work}/{name}", "wb").write(data)
    png = ["--png", f"{work}/{name}.png"] if code else []
    rc, out, err, memory, cpu = measure(*options, *png, "--", f"{work}/{name}")
    memory_limit = 3 * base_memory + 2 * len(data) // 1024
    time_limit = 10 * base_time + 5 + len(data) / 2e6
    if rc != code or message not in err:
        failures.append(f"{name}: exit {rc}, stderr {err[:200]!r}; wanted {code}, {message!r}")
    if memory > memory_limit or cpu > time_limit or len(out) > 4_000_000:
        failures.append(f"{name}: {memory} KB, {cpu:.2f} s, {len(out)} bytes out; at most "
                        f"{memory_limit} KB, {time_limit:.2f} s, 4 MB")
    if png and os.path.exists(png[1]):
        failures.append(f"{name}: refused, yet the PNG was written")
    if name == "dropped.tnd" and b"B" not in out:
        failures.append(f"{name}: the cell after the one out of reach is missing")
for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
PY
cli_finish "cli crafted art"
