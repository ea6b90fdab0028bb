#!/usr/bin/env python3
"""Checks for `brixel-cli render` output, used by the e2e shell tests.

  cli_render_check.py json SCREEN.json
      the --json form: 25 rows of 80 [code, attr] pairs, all bytes
  cli_render_check.py terminal SCREEN.json TERMINAL.txt
      the terminal form (UTF-8, 16-colour escapes) shows exactly the used rows
  cli_render_check.py ans SCREEN.json OUT.ans
      the .ans file (code page 437, bold/blink for bright colours) likewise
  cli_render_check.py banner BANNER.json FORM OUT
      a banner in another form (utf8, ansi, truecolor with the VGA palette,
      mirc, html: their characters) shows the cells of the JSON form
  cli_render_check.py corpus BRIXEL_CLI TDF_DIR
      every font of every file rendered: no crash, terminal form = JSON form,
      something drawn where the font has glyphs, Outline fonts in every style

Exit code 0 when every check holds; otherwise the reasons go to stderr.
"""

import json
import re
import subprocess
import sys
from pathlib import Path

ROWS, COLS = 25, 80
CLEARED = (0, 7)

# PC colour <-> ANSI colour digit; the mapping is its own inverse.
ANSI_DIGIT = [0, 4, 2, 6, 1, 5, 3, 7]

# The pictographs the console draws for the control bytes.
LOW = [0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
       0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
       0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC]


def cp437_char(b):
    if b < 32:
        return chr(LOW[b])
    if b == 127:
        return "\u2302"
    return bytes([b]).decode("cp437")


UNICODE_TO_CP437 = {cp437_char(b): b for b in range(256)}

SGR = re.compile(r"\x1b\[([0-9;]*)m")


class CheckError(Exception):
    pass


def parse_screen(text):
    """The --json form as 25 lists of 80 (code, attr) tuples."""
    try:
        data = json.loads(text)
    except ValueError as e:
        raise CheckError(f"not JSON: {e}")
    if not isinstance(data, list) or len(data) != ROWS:
        raise CheckError(f"expected {ROWS} rows, got {len(data) if isinstance(data, list) else type(data)}")
    rows = []
    for y, row in enumerate(data, 1):
        if not isinstance(row, list) or len(row) != COLS:
            raise CheckError(f"row {y}: expected {COLS} cells")
        cells = []
        for x, cell in enumerate(row, 1):
            ok = (isinstance(cell, list) and len(cell) == 2 and
                  all(isinstance(v, int) and 0 <= v <= 255 for v in cell))
            if not ok:
                raise CheckError(f"row {y} column {x}: {cell!r} is no [code, attr] pair")
            cells.append(tuple(cell))
        rows.append(cells)
    return rows


def load_screen(path):
    return parse_screen(Path(path).read_text(encoding="utf-8"))


def used_rows(screen):
    """1-based first and last row that differ from a cleared row (0, 0 when none)."""
    used = [y for y, row in enumerate(screen, 1) if any(c != CLEARED for c in row)]
    return (used[0], used[-1]) if used else (0, 0)


def apply_sgr(params, attr):
    fg, bg = attr & 15, attr >> 4
    for p in (int(v) for v in params.split(";") if v != ""):
        if p == 0:
            fg, bg = 7, 0
        elif p == 1:
            fg |= 8
        elif p == 5:
            bg |= 8
        elif 30 <= p <= 37:
            fg = (fg & 8) | ANSI_DIGIT[p - 30]
        elif 90 <= p <= 97:
            fg = 8 | ANSI_DIGIT[p - 90]
        elif 40 <= p <= 47:
            bg = (bg & 8) | ANSI_DIGIT[p - 40]
        elif 100 <= p <= 107:
            bg = 8 | ANSI_DIGIT[p - 100]
        else:
            raise CheckError(f"unexpected SGR parameter {p}")
    return (bg << 4) | fg


def decode_line(text, to_byte, attr=7):
    """Cells of one line of text with SGR escapes; answers (cells, attr after)."""
    cells, pos = [], 0
    while pos < len(text):
        m = SGR.match(text, pos)
        if m:
            attr = apply_sgr(m.group(1), attr)
            pos = m.end()
            continue
        if text[pos] == "\x1b":
            raise CheckError(f"an escape that is no colour sequence at {text[pos:pos + 10]!r}")
        cells.append((to_byte(text[pos]), attr))
        pos += 1
    return cells, attr


def expected_rows(screen):
    """The used rows as a viewer shows them: a cleared cell is a space."""
    first, last = used_rows(screen)
    if not first:
        return []
    return [[(32 if c == 0 else c, a) for c, a in screen[y - 1]] for y in range(first, last + 1)]


def compare_rows(got, want, what):
    if len(got) != len(want):
        raise CheckError(f"{what}: {len(got)} rows, the JSON form uses {len(want)}")
    for i, (g, w) in enumerate(zip(got, want)):
        if g != w:
            diffs = [x + 1 for x in range(max(len(g), len(w)))
                     if x >= len(g) or x >= len(w) or g[x] != w[x]]
            x = diffs[0]
            raise CheckError(f"{what}: used row {i + 1} differs from column {x} on: "
                             f"{g[x - 1] if x <= len(g) else None} vs {w[x - 1] if x <= len(w) else None}")


def decode_terminal(text):
    """The terminal form: every row ends in a reset and a line feed."""
    if text == "":
        return []
    if not text.endswith("\x1b[0m\n"):
        raise CheckError("terminal form does not end with a reset and a line feed")
    rows = []
    for line in text.split("\n")[:-1]:
        if not line.endswith("\x1b[0m"):
            raise CheckError(f"terminal row {len(rows) + 1} does not end with a reset")

        def to_byte(ch):
            if ch not in UNICODE_TO_CP437:
                raise CheckError(f"character U+{ord(ch):04X} has no code page 437 form")
            return UNICODE_TO_CP437[ch]
        rows.append(decode_line(line, to_byte)[0])
    return rows


def decode_ans(data):
    """The .ans form: rows joined by CR LF, one reset at the very end."""
    if data == b"":
        return []
    text = data.decode("latin-1")  # one character per byte
    if not text.endswith("\x1b[0m"):
        raise CheckError(".ans file does not end with a reset")
    rows, attr = [], 7
    for line in text[:-len("\x1b[0m")].split("\r\n"):
        cells, attr = decode_line(line, ord, attr)
        rows.append(cells)
    return rows


def check_terminal(screen, text, what="terminal form"):
    compare_rows(decode_terminal(text), expected_rows(screen), what)


def render(cli, args):
    """Runs brixel-cli render; answers (returncode, stdout, stderr)."""
    p = subprocess.run([cli, "render", *args], capture_output=True, timeout=60)
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


SANITIZER = re.compile(r"Sanitizer|runtime error:|LeakSanitizer")


def check_run(rc, err, what):
    """A run must end by itself (0 or 1), say why when it fails, and stay clean."""
    if rc < 0:
        raise CheckError(f"{what}: killed by signal {-rc}")
    if rc not in (0, 1):
        raise CheckError(f"{what}: exit code {rc}: {err.strip()[:400]}")
    if SANITIZER.search(err):
        raise CheckError(f"{what}: sanitizer report: {err.strip()[:800]}")
    if rc == 1 and "brixel-cli render:" not in err:
        raise CheckError(f"{what}: exit code 1 without a message")


# The top left corner, and near the bottom right where glyphs are cut at
# column 80 and below row 25.
PLACEMENTS = [(1, 1), (75, 24)]


def render_and_compare(cli, args, text, what):
    """Renders as JSON and for the terminal; answers whether any cell changed,
    or None when the font could not be drawn (exit code 1)."""
    rc, out, err = render(cli, [*args, "--json", text])
    check_run(rc, err, what + " --json")
    trc, tout, terr = render(cli, [*args, text])
    check_run(trc, terr, what)
    if rc != trc:
        raise CheckError(f"{what}: exit code {rc} with --json, {trc} without")
    if rc == 1:
        return None
    screen = parse_screen(out)
    check_terminal(screen, tout, what + " terminal form")
    return any(c != CLEARED for row in screen for c in row)


def corpus(cli, folder):
    # Every glyph of every font: each printable character once.
    text = "".join(chr(c) for c in range(33, 127))
    files = sorted(p for p in Path(folder).iterdir() if p.is_file())
    failures, fonts, drawn, refused, outlined = [], 0, 0, 0, 0
    for path in files:
        listing = subprocess.run([cli, "list", "--json", str(path)], capture_output=True,
                                 timeout=60)
        if listing.returncode != 0:
            failures.append(f"{path.name}: list failed ({listing.returncode})")
            continue
        for font in json.loads(listing.stdout.decode("utf-8"))["fonts"]:
            fonts += 1
            for x, y in PLACEMENTS:
                what = f"{path.name} font {font['number']} ({font['type']}) at ({x}, {y})"
                args = [str(path), "--font", str(font["number"]), "--x", str(x), "--y", str(y)]
                try:
                    changed = render_and_compare(cli, args, text, what)
                    if changed is None:
                        refused += 1
                        continue
                    if (x, y) != (1, 1):
                        continue
                    if font["glyphs"] and not changed:
                        raise CheckError(f"{what}: {font['glyphs']} glyphs but nothing drawn")
                    if font["type"] == "Outline":
                        for style in range(19):
                            styled = render_and_compare(
                                cli, [*args, "--outline-style", str(style)], text,
                                f"{what} in outline style {style}")
                            if font["glyphs"] and not styled:
                                raise CheckError(f"{what}: nothing drawn in outline style {style}")
                            outlined += 1
                    drawn += changed
                except (CheckError, subprocess.TimeoutExpired) as e:
                    failures.append(str(e))
    print(f"corpus: {len(files)} files, {fonts} fonts rendered at {len(PLACEMENTS)} places, "
          f"{drawn} drew something at (1, 1), {refused} runs refused with exit code 1, "
          f"{outlined} Outline renders in the 19 styles")
    return failures


VGA = [(0, 0, 0), (0, 0, 170), (0, 170, 0), (0, 170, 170), (170, 0, 0), (170, 0, 170),
       (170, 85, 0), (170, 170, 170), (85, 85, 85), (85, 85, 255), (85, 255, 85), (85, 255, 255),
       (255, 85, 85), (255, 85, 255), (255, 255, 85), (255, 255, 255)]
TRUECOLOR = re.compile(r"\x1b\[0;38;2;(\d+);(\d+);(\d+);48;2;(\d+);(\d+);(\d+)m")
MIRC = re.compile(r"\x03\d\d,\d\d")
HTML_SPAN = re.compile(r'<span class="f\d+ b\d+">([^<]*)</span>')


def load_banner(path):
    """A banner's --json form: rows of [code, attr] pairs, all as wide."""
    rows = [[tuple(cell) for cell in row] for row in json.loads(Path(path).read_text())]
    if len({len(row) for row in rows}) > 1:
        raise CheckError("banner rows differ in width")
    return [[(32 if c == 0 else c, a) for c, a in row] for row in rows]


def to_cp437(ch):
    if ch not in UNICODE_TO_CP437:
        raise CheckError(f"character U+{ord(ch):04X} has no code page 437 form")
    return UNICODE_TO_CP437[ch]


def decode_truecolor(text):
    rows = []
    for line in text.split("\n")[:-1]:
        cells, pos, attr = [], 0, None
        line = line.removesuffix("\x1b[0m")
        while pos < len(line):
            m = TRUECOLOR.match(line, pos)
            if m:
                rgb = [int(v) for v in m.groups()]
                attr = VGA.index(tuple(rgb[:3])) | VGA.index(tuple(rgb[3:])) << 4
                pos = m.end()
                continue
            cells.append((to_cp437(line[pos]), attr))
            pos += 1
        rows.append(cells)
    return rows


def chars_only(rows):
    return ["".join(chr(c) for c, _ in row) for row in rows]


def check_banner(path, form, out):
    want = load_banner(path)
    if form == "utf8":
        compare_rows(decode_terminal(Path(out).read_text(encoding="utf-8")), want, form)
    elif form == "ansi":
        compare_rows(decode_ans(Path(out).read_bytes()), want, form)
    elif form == "truecolor":
        compare_rows(decode_truecolor(Path(out).read_text(encoding="utf-8")), want, form)
    elif form in ("mirc", "html"):
        text = Path(out).read_text(encoding="utf-8")
        if form == "mirc":
            lines = MIRC.sub("", text).split("\n")[:-1]
        else:
            if not text.startswith("<!DOCTYPE html>"):
                raise CheckError("html: no page")
            body = text[text.index("<pre>") + 5:text.index("</pre>")]
            lines = [HTML_SPAN.sub(lambda m: m.group(1), line) for line in body.split("\n")[:-1]]
            lines = [line.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", '"')
                     .replace("&amp;", "&") for line in lines]
        got = ["".join(chr(to_cp437(ch)) for ch in line) for line in lines]
        if got != chars_only(want):
            raise CheckError(f"{form}: the characters differ from the JSON form")
    else:
        raise CheckError(f"no form {form}")


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "json":
            load_screen(argv[2])
        elif len(argv) == 4 and argv[1] == "terminal":
            check_terminal(load_screen(argv[2]), Path(argv[3]).read_text(encoding="utf-8"))
        elif len(argv) == 4 and argv[1] == "ans":
            compare_rows(decode_ans(Path(argv[3]).read_bytes()), expected_rows(load_screen(argv[2])),
                         ".ans file")
        elif len(argv) == 5 and argv[1] == "banner":
            check_banner(argv[2], argv[3], argv[4])
        elif len(argv) == 4 and argv[1] == "corpus":
            failures = corpus(argv[2], argv[3])
            for f in failures:
                print("FAIL: " + f, file=sys.stderr)
            return 1 if failures else 0
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except CheckError as e:
        print(f"FAIL: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
