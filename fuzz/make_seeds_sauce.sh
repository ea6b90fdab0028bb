#!/usr/bin/env bash
# make_seeds_sauce.sh DIR: writes the seed corpus of the SAUCE fuzzer: short
# files with records of every shape the reader meets, and the last bytes of
# the shared corpus' art when it is there.
set -euo pipefail
dir=${1:?usage: make_seeds_sauce.sh DIR}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$dir"
python3 - "$dir" "$root/../shared/corpus/ans" <<'PY'
import os, struct, sys

out, corpus = sys.argv[1], sys.argv[2]

def record(version=b"00", title=b"Title", comments=0, font=b"IBM VGA"):
    r = b"SAUCE" + version + title.ljust(35) + b"Artist".ljust(20) + b"Group".ljust(20)
    r += b"20240101" + struct.pack("<IBBHHHHBB", 1234, 1, 1, 80, 25, 0, 0, comments, 0x13)
    return r + font.ljust(22, b"\0")

def block(*lines):
    return b"COMNT" + b"".join(l.ljust(64) for l in lines)

art = b"\x1b[1;33mart\r\n"
seeds = {
    "plain": art,
    "record": art + b"\x1a" + record(),
    "comments": art + b"\x1a" + block(b"one", b"two") + record(comments=2),
    "count_without_block": art + b"\x1a" + record(comments=4),
    "nul_and_garbage": art + b"\x1a" + record(title=b"Name\0garbage"),
    "version_01": art + b"\x1a" + record(version=b"01"),
    "short": record()[:100],
    "no_eof_byte": art + record(),
}
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
if os.path.isdir(corpus):
    for name in sorted(os.listdir(corpus)):
        with open(os.path.join(corpus, name), "rb") as f:
            data = f.read()
        with open(os.path.join(out, "corpus_" + name), "wb") as f:
            f.write(data[-20000:])
PY
