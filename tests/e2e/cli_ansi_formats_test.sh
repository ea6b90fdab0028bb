#!/usr/bin/env bash
# brixel-cli ansi on a small generated file of every format the art archives
# hold: --json gives the picture's cells, --png draws them pixel for pixel as
# ansilove does with -i -S, the printed text (24-bit with --palette) has the
# same characters and colours, and --ice, --palette, --columns, --aspect and
# the record's font, letter spacing and aspect change what they say. Without
# ansilove or ImageMagick's convert the test exits 77 (skipped).
source "$(dirname "$0")/cli_lib.sh"
for tool in ansilove convert; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

python3 - "$cli" "$work" <<'PY' || fail "see above"
import json, re, subprocess, sys

cli, work = sys.argv[1], sys.argv[2]
failures = []

def hexb(text):
    return bytes.fromhex(text.replace(" ", ""))

def block(count, sets):
    b = bytearray(count)
    for at, value in sets:
        b[at] = value
    return bytes(b)

full_block_font = block(4096, [(0xDB * 16 + k, 0xFF) for k in range(16)])

def sauce(data_type, file_type, tinfo1, flags):
    record = b"SAUCE00" + b" " * 75 + b"20261208" + bytes(4)
    record += bytes([data_type, file_type]) + tinfo1.to_bytes(2, "little") + bytes(6)
    record += bytes([0, flags]) + bytes(22)
    assert len(record) == 128
    return b"\x1a" + record

adf_palette = bytearray(192)
for at in (3, 19, 20, 61, 170, 189, 190, 191):
    adf_palette[at] = 0x3F
samples = {
    "sample.bin": hexb("DB 1C 20 9F DB 0E 20 8F") + sauce(5, 1, 2, 1),
    "raw.xb": hexb("58 42 49 4E 1A 02 00 02 00 10 00  DB 1C 20 9F DB 0E 20 8F"),
    "packed.xb": hexb("58 42 49 4E 1A 03 00 03 00 10 04  01 DB 01 20 20  42 DB 02 04 0E"
                      "  81 50 20 DB  C1 DB 0F"),
    "sample.adf": b"\x01" + bytes(adf_palette) + full_block_font
                  + hexb("DB 01 20 60 DB 08 20 F0 DB 06") + bytes(150),
    "sample.idf": hexb("04 31 2E 34 00 00 00 00 4F 00 00 00  01 00 03 00 DB 0C  20 90"
                       "  01 00 4C 00 20 00") + full_block_font + block(48, [(29, 0x3F), (36, 0x3F)]),
    "sample.tnd": b"\x18TUNDRA24" + hexb("06 DB 00 FF 00 00 00 00 00 FF  41  04 20 00 00 FF 00"),
    "sample.pcb": b"@X1F\xdb@X9C \r\nx\xdb@X6E ",
    "sample.ans": b"\x1b[1;31m\xdb\x1b[0;5;44m \x1b[0;33m\xdb\r\n\x1b[1;30m\xdb\xdb",
}

def cli_run(args):
    p = subprocess.run([cli, "ansi", *args], capture_output=True, timeout=60)
    if p.returncode != 0:
        raise RuntimeError(f"ansi {' '.join(args)}: exit {p.returncode}: {p.stderr[:300]!r}")
    return p.stdout

def pixels(png):
    """(width, height, rows of (r, g, b)) of a PNG, through convert's binary PPM."""
    ppm = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], capture_output=True,
                         check=True).stdout
    parts = ppm.split(maxsplit=4)
    w, h = int(parts[1]), int(parts[2])
    data = parts[4]
    return w, h, [[tuple(data[3 * (y * w + x):3 * (y * w + x) + 3]) for x in range(w)]
                  for y in range(h)]

def centre(image, x, y, height=16):
    return image[2][y * height + height // 2][x * 8 + 4]

def differing(a, b):
    """Pixels whose colours differ by more than one level in a channel."""
    if a[:2] != b[:2]:
        return a[0] * a[1] or 1
    return sum(1 for ra, rb in zip(a[2], b[2]) for pa, pb in zip(ra, rb)
               if max(abs(u - v) for u, v in zip(pa, pb)) > 1)

def text_cells(text):
    """Rows of (CP437 byte, foreground, background) from 24-bit text."""
    rows, fg, bg = [], None, None
    for line in text.decode("utf-8").split("\n")[:-1]:
        row = []
        for part in re.split(r"(\x1b\[[0-9;]*m)", line):
            if part.startswith("\x1b["):
                v = [int(n) for n in part[2:-1].split(";")]
                if v[1:2] == [38]:
                    fg, bg = tuple(v[3:6]), tuple(v[8:11])
                continue
            row += [(c, fg, bg) for c in part.encode("cp437")]
        rows.append(row)
    return rows

for name, data in samples.items():
    path = f"{work}/{name}"
    open(path, "wb").write(data)
    try:
        rows = json.loads(cli_run(["--json", path]))
        ours = f"{work}/ours.png"
        cli_run(["--png", ours, "--palette", "vga", "--ice", "on", path])
        subprocess.run(["ansilove", "-i", "-S", "-o", f"{work}/theirs.png", path],
                       capture_output=True, check=True)
        mine, theirs = pixels(ours), pixels(f"{work}/theirs.png")
    except Exception as e:
        failures.append(f"{name}: {e}")
        continue
    if mine[:2] != theirs[:2]:
        failures.append(f"{name}: {mine[0]}x{mine[1]} pixels, ansilove {theirs[0]}x{theirs[1]}")
        continue
    if mine[0] != 8 * len(rows[0]):
        failures.append(f"{name}: --json rows of {len(rows[0])} cells, --png {mine[0]} pixels wide")
    solid = 0
    for y, row in enumerate(rows):
        for x, (ch, attr) in enumerate(row):
            if ch not in (0x20, 0xDB):
                continue
            solid += 1
            if centre(mine, x, y) != centre(theirs, x, y):
                failures.append(f"{name}: cell {x},{y} ({ch:02X} {attr:02X}) is "
                                f"{centre(mine, x, y)}, ansilove {centre(theirs, x, y)}")
    if solid == 0:
        failures.append(f"{name}: no solid cell to compare")
    if differing(mine, theirs):
        failures.append(f"{name}: {differing(mine, theirs)} pixels differ from ansilove's")
    # The printed text in 24-bit colours: the JSON's characters, and each
    # solid cell's colour as the PNG draws it.
    text = text_cells(cli_run(["--palette", "vga", "--ice", "on", path]))
    if [[c[0] or 0x20 for c in r] for r in rows] != [[c[0] for c in r] for r in text]:
        failures.append(f"{name}: the text's characters are not the JSON's")
    for y, row in enumerate(text):
        for x, (ch, fg, bg) in enumerate(row):
            if ch in (0x20, 0xDB) and (fg if ch == 0xDB else bg) != centre(mine, x, y):
                failures.append(f"{name}: text cell {x},{y} is {fg}/{bg}, the PNG {centre(mine, x, y)}")
    print(f"{name}: {len(rows)} rows of {len(rows[0])}, {solid} solid cells, text and PNG as ansilove")

# The options: blink over dark backgrounds, the classic palette, another width.
ans = f"{work}/sample.ans"
cli_run(["--png", f"{work}/off.png", "--palette", "vga", "--ice", "off", ans])
cli_run(["--png", f"{work}/classic.png", ans])
on, off, classic = pixels(f"{work}/ours.png"), pixels(f"{work}/off.png"), pixels(f"{work}/classic.png")
checks = [
    ("--ice on: blink is a bright background", centre(on, 1, 0), (85, 85, 255)),
    ("--ice off: blinking cells on the dark background", centre(off, 1, 0), (0, 0, 170)),
    ("--ice off keeps the foreground", centre(off, 0, 0), (255, 85, 85)),
    ("--palette vga: brown", centre(on, 2, 0), (170, 85, 0)),
    ("default palette classic: brown", centre(classic, 2, 0), (128, 128, 0)),
    ("default palette classic: dark grey", centre(classic, 0, 1), (128, 128, 128)),
]
blink_record = f"{work}/blink.ans"
open(blink_record, "wb").write(samples["sample.ans"] + sauce(1, 1, 80, 0))
cli_run(["--png", f"{work}/auto.png", "--palette", "vga", blink_record])
checks.append(("--ice auto: the record says blink", centre(pixels(f"{work}/auto.png"), 1, 0),
               (0, 0, 170)))
# Reverse video over blink without iCE colours keeps the foreground dark
# blue; the text blinks it over the dark background.
rev = f"{work}/reverse.ans"
open(rev, "wb").write(b"\x1b[1;31m\xdb\x1b[0;5;44m \x1b[7m\xdb\x1b[m\xdb\x1b[0m\r\n\xdb")
cli_run(["--png", f"{work}/rev.png", "--palette", "vga", "--ice", "off", rev])
subprocess.run(["ansilove", "-o", f"{work}/rev-theirs.png", rev], capture_output=True, check=True)
rev_png = pixels(f"{work}/rev.png")
checks.append(("--ice off: reverse video after blink", centre(rev_png, 2, 0), (0, 0, 170)))
checks.append(("--ice off: reverse video as ansilove without -i",
               differing(rev_png, pixels(f"{work}/rev-theirs.png")), 0))
rev_text = cli_run(["--ice", "off", rev]).decode()
checks.append(("--ice off: the text blinks on dark blue", "\x1b[0;37;44;5m" in rev_text, True))

# The record's font, letter spacing and aspect ratio, as ansilove -S draws them.
body = b"".join(b"\x1b[%d;%dm" % (30 + i % 8, 40 + i // 8 % 8) + bytes([c])
                for i, c in enumerate(list(range(0xB0, 0xE0)) + list(b"Hi there")))
for name, flags, font, args, alike in [
        ("nine.ans", 0x05, b"", [], True),              # 9-pixel letter spacing
        ("tall.ans", 0x09, b"", ["--aspect", "auto"], True),
        ("vga50.ans", 0x01, b"IBM VGA50", [], False),  # other 8x8 glyphs than ansilove's
]:
    path = f"{work}/{name}"
    open(path, "wb").write(body + sauce(1, 1, 80, flags)[:-22] + font.ljust(22, b"\0"))
    cli_run(["--png", f"{work}/ours.png", "--palette", "vga", *args, path])
    subprocess.run(["ansilove", "-S", "-o", f"{work}/theirs.png", path], capture_output=True,
                   check=True)
    mine, theirs = pixels(f"{work}/ours.png"), pixels(f"{work}/theirs.png")
    checks.append((f"{name}: size as ansilove's", mine[:2], theirs[:2]))
    if alike:
        checks.append((f"{name}: pixels as ansilove's", differing(mine, theirs), 0))
    else:
        checks.append((f"{name}: a brown full block in 8x8", centre(mine, 43, 0, 8), (170, 85, 0)))
cli_run(["--png", f"{work}/flat.png", f"{work}/tall.ans"])
checks.append(("--aspect off by default", pixels(f"{work}/flat.png")[:2], (640, 16)))
cli_run(["--png", f"{work}/on.png", "--aspect", "on", ans])
checks.append(("--aspect on without a record", pixels(f"{work}/on.png")[:2], (640, 43)))

for what, got, want in checks:
    if got != want:
        failures.append(f"{what}: {got}, not {want}")
# The third cell fills the row and wraps at once: the line end leaves row 2 empty.
narrow = json.loads(cli_run(["--json", "--columns", "3", ans]))
if [len(r) for r in narrow] != [3, 3, 3] or narrow[2][:2] != [[0xDB, 8], [0xDB, 8]]:
    failures.append(f"--columns 3: rows of {[len(r) for r in narrow]}")
wide = json.loads(cli_run(["--json", "--columns", "200", blink_record]))
if len(wide[0]) != 200:
    failures.append(f"--columns 200 over the record's 80: rows of {len(wide[0])}")

for f in failures:
    print("FAIL:", f, file=sys.stderr)
sys.exit(1 if failures else 0)
PY

# Files that are not what their name says are refused with the reader's reason.
printf 'not an xbin' >"$work/bad.xb"
run "$cli" ansi --json "$work/bad.xb"
expect_rc 1 "a file that is no XBin"
grep -q "bad.xb: not an XBin file" "$work/err" || fail "a bad XBin: '$(cat "$work/err")'"
run "$cli" ansi --ice sometimes "$work/bad.xb"
expect_rc 1 "--ice sometimes"
printf 'x' >"$work/x.ans"
run "$cli" ansi --aspect on "$work/x.ans"
expect_rc 1 "--aspect without --png"
run "$cli" ansi --json --palette vga "$work/x.ans"
expect_rc 1 "--palette with --json"

cli_finish "cli ansi formats"
