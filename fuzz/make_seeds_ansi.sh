#!/usr/bin/env bash
# make_seeds_ansi.sh DIR: writes the seed corpus of the ANSI fuzzer: the demo
# art, the real art of the shared corpus when it is there, and a few short
# generated pieces with the awkward sequences. Every seed starts with three
# bytes that choose the fuzzer's chunk sizes and the picture's width. Art
# longer than the fuzzer takes is cut into pieces at line ends, so every part
# of every file is a seed.
set -euo pipefail
dir=${1:?usage: make_seeds_ansi.sh DIR}
here=$(dirname "$0")
root=$(cd "$here/.." && pwd)
source "$here/limits.sh"
mkdir -p "$dir"
python3 - "$dir" "$root/assets/demo.ans" "$root/../shared/corpus/ans" "$(fuzz_max_len ansi)" <<'PY'
import os, sys

out, demo, corpus = sys.argv[1], sys.argv[2], sys.argv[3]
E = b"\x1b["
MAX = int(sys.argv[4]) - 3  # after the three choosing bytes

def seed(name, art, chunks=b"\x07\x20\x00"):
    with open(os.path.join(out, name), "wb") as f:
        f.write(chunks + art[:MAX])

def pieces(art):
    while art:
        cut = len(art) if len(art) <= MAX else art.rfind(b"\n", 0, MAX) + 1 or MAX
        yield art[:cut]
        art = art[cut:]

def seed_file(name, path, chunks=b"\x07\x20\x00"):
    for n, piece in enumerate(pieces(open(path, "rb").read())):
        seed("%s.%d" % (name, n), piece, chunks)

seed_file("demo.ans", demo)
if os.path.isdir(corpus):
    for name in sorted(os.listdir(corpus)):
        path = os.path.join(corpus, name)
        if os.path.isfile(path):
            seed_file("corpus_" + name, path, b"\xff\xff\x00")

seed("colours", E + b"1;33;44mX" + E + b"0mY" + E + b"7m" + E + b"5;41m" + E + b"36mZ")
seed("movement", b"ab" + E + b"s\r\n" + E + b"20C" + E + b"3A" + E + b"2B" + E + b"9D" + E + b"u" +
     E + b"5;10H" + E + b"Hq" + E + b"K")
seed("wrap_and_tab", b"a" * 80 + b"\r\n" + b"b" * 77 + b"\tc")
seed("split_sequence", b"x" * 30 + E + b"1;3", b"\x1d\x01\x00")
seed("wide_rows", (b"w" * 150 + E + b"1;300H" + b"r" * 40 + b"\r\n") * 3, b"\x11\x05\xf2")
seed("reverse", E + b"1;33;44m" + E + b"7mA" + E + b"31mB" + E + b"5mC" + E + b"27mD" + E + b"7;7mE")
seed("long_params", E + b";" * 300 + b"1m" + E + b"99999999999999C")
seed("bottom", E + b"4990B" + b"\n" * 9 + b"z" * 90 + E + b"300B" + E + b"s" + E + b"u\r\n")
seed("end_of_file", b"art\x1aSAUCE00 metadata")
seed("extended_colours", E + b"38;5;196mA" + E + b"48;5;226mB" + E + b"38;2;255;128;0;48;2;0;0;9mC" +
     E + b"38:5:10mD" + E + b"48:2::0:0:170mE" + E + b"48:2:1:2:3mF" + E + b"38;5m" + E + b"4:3;31mG")
seed("control_strings", b"a\x1bPq#1;2\r\ndata\x1b\\b\x1b]0;title\x07c\x1b_apc\x1b\\\x1b^pm\x1b\\" +
     b"\x1bXsos\x1b\\d\x1b]unended\x1b[3Ce\x1bP" + b"A" * 200)
seed("clear_blink_form_feed", b"ab\x0c\r\n" + E + b"5;46mcd" + E + b"2J" + E + b"0mef" + E + b"J" +
     E + b"1Jg\x0c\x0c")
PY
