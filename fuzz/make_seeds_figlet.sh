#!/usr/bin/env bash
# make_seeds_figlet.sh DIR: writes a small seed corpus of generated FIGlet and
# TOIlet fonts (well-formed, packed in zip archives, and malformed) for the
# figlet fuzzer.
set -euo pipefail
dir=${1:?usage: make_seeds_figlet.sh DIR}
mkdir -p "$dir"
python3 - "$dir" <<'PY'
import io, os, sys, zipfile

out = sys.argv[1]

def font(magic="flf2a", hardblank="$", height=2, comments=("made for the fuzzer",),
         chars=95, rows=None, tail="", numbers=None):
    nums = numbers if numbers is not None else f"{height} {height} 12 -1 {len(comments)} 0 0 0"
    lines = [f"{magic}{hardblank} {nums}", *comments]
    for c in range(chars):
        picture = rows(c) if rows else [chr(33 + c % 94) * (c % 4 + 1)] * height
        marks = ["@"] * (height - 1) + ["@@"]
        lines += [r + m for r, m in zip(picture, marks)]
    return ("\n".join(lines) + "\n" + tail).encode("utf-8")

def blocks(c):
    return ["█▀" + "$" * (c % 3) + "▄", "░▒▓" + "\u2501" * (c % 2)]

def zipped(data, method=zipfile.ZIP_DEFLATED):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", method) as z:
        z.writestr("font", data)
    return buffer.getvalue()

plain = font()
seeds = {
    "plain.flf": plain,
    "toilet_blocks.tlf": font("tlf2a", height=2, rows=blocks),
    "hardblank_del.flf": font(hardblank="\x7f", rows=lambda c: ["a\x7fb", "\x7f\x7f"]),
    "end_marks.flf": (font(rows=lambda c: ["x##", "y!!"]).replace(b"@", b"")),
    "crlf.flf": plain.replace(b"\n", b"\r\n"),
    "latin1.flf": font(rows=lambda c: ["caf\xe9", "ok"]).replace("é".encode(), b"\xe9"),
    "tall.flf": font(height=9, chars=40),
    "wide.flf": font(height=1, rows=lambda c: ["#" * 255]),
    "cut_short.flf": plain[: len(plain) // 2],
    "four_numbers.flf": font(numbers="2 2 12 -1"),
    "zero_height.flf": font(numbers="0 0 12 -1 1"),
    "negative_comments.flf": font(numbers="2 2 12 -1 -3 1"),
    "control.flc": b"flc2a\nt 0-255 0-255\n",
    "deflated.tlf": zipped(font("tlf2a", rows=blocks)),
    "stored.flf": zipped(plain, zipfile.ZIP_STORED),
    "zip_cut.flf": zipped(plain)[:60],
}
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
PY
