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
import os, resource, struct, subprocess, sys, time

cli, work, demo = sys.argv[1:4]
failures = []

def sauce(data_type, file_type, width):
    record = b"SAUCE00" + b" " * 75 + b"20261208" + bytes(4)
    record += bytes([data_type, file_type]) + struct.pack("<H", width) + bytes(8) + bytes(22)
    return b"\x1a" + record

def idf(cells, width=1):
    return b"\x041.4" + struct.pack("<4H", 0, 0, width - 1, 0) + cells + bytes(4096 + 48)

def tundra(*commands):
    return b"\x18TUNDRA24" + b"".join(commands)

def at(row, column):
    return b"\x01" + struct.pack(">II", row, column)

xbin = b"XBIN\x1a" + struct.pack("<HH", 2, 2) + b"\x10"
run = b"\x01\x00" + struct.pack("<H", 65535) + b"X\x07"
# name: (file, extra arguments, exit code, what stderr says)
cases = {
    "far.tnd": (tundra(b"A", at(2097151, 0), b"B") + sauce(1, 8, 1), [], 0,
                "rows past 100000 are dropped"),
    "dropped.tnd": (tundra(at(0xFFFFFFF, 0), b"A", at(1, 0), b"B"), [], 0, "reaches row"),
    "narrow.idf": (idf(run * 200), [], 0, "--max-rows shows more"),
    "tall.idf": (idf(run * 200), ["--max-rows", "70000", "--png", "out.png"], 1,
                 "8 x 1120000 pixels; a PNG file holds at most 1000000"),
    "params.ans": (b"\x1b[" + b"1;" * 10_000_000 + b"mX", [], 0, ""),
    "empty.adf": (b"", ["--png", "out.png"], 1, "an ArtWorx file has 4289 bytes"),
    "xbin.adf": (xbin + bytes(8), ["--png", "out.png"], 1, "version byte is 88, not 1"),
    "cut.idf": (b"\x041.4" + bytes(200), ["--png", "out.png"], 1, "a header, a font and a palette"),
    "palette.xb": (xbin[:-1] + b"\x10\x01" + bytes(20), ["--png", "out.png"], 1,
                   "truncated in the XBin palette"),
    "font.xb": (xbin[:-1] + b"\x10\x02" + bytes(300), ["--png", "out.png"], 1,
                "truncated in the XBin font"),
    "cells.xb": (xbin[:-1] + b"\x10\x00" + b"A\x07B\x07C\x07", ["--png", "out.png"], 0,
                 "truncated: 3 of 4 cells"),
    "nothing.bin": (b"", [], 1, "no picture"),
}

def measure(args):
    """Exit code, stdout, stderr, peak memory (KB) and CPU seconds of one run."""
    out, err = open(f"{work}/stdout", "wb"), open(f"{work}/stderr", "wb")
    child = subprocess.Popen([cli, "ansi", *args], stdout=out, stderr=err, cwd=work)
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    out.close(), err.close()
    return (child.returncode, open(f"{work}/stdout", "rb").read(),
            open(f"{work}/stderr").read(), usage.ru_maxrss, usage.ru_utime + usage.ru_stime)

_, _, _, base_memory, base_time = measure([demo])
for name, (data, extra, code, message) in cases.items():
    path = f"{work}/{name}"
    open(path, "wb").write(data)
    if os.path.exists(f"{work}/out.png"):
        os.remove(f"{work}/out.png")
    rc, out, err, memory, cpu = measure([*extra, "--", path])
    allowed_memory = 3 * base_memory + 2 * len(data) // 1024
    allowed_time = 10 * base_time + 5 + len(data) / 2e6
    if rc != code or message not in err:
        failures.append(f"{name}: exit {rc}, stderr {err[:200]!r}; wanted {code} and {message!r}")
    if memory > allowed_memory or cpu > allowed_time or len(out) > 4_000_000:
        failures.append(f"{name}: {memory} KB, {cpu:.2f} s, {len(out)} bytes out; at most "
                        f"{allowed_memory} KB, {allowed_time:.2f} s, 4 MB")
    if rc != 0 and os.path.exists(f"{work}/out.png"):
        failures.append(f"{name}: refused, yet out.png was written")
    if name == "dropped.tnd" and b"B" not in out:
        failures.append(f"{name}: the cell after the one out of reach is missing")

for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
PY
cli_finish "cli crafted art"
