#!/usr/bin/env python3
"""make_art_seeds.py FORMAT DIR: writes seed files of one art format (bin, xb,
adf, idf, tnd, pcb) for its fuzzer: the small files the readers' tests use,
bigger generated pictures with every kind of record, run and command, and
files cut short."""

import os
import random
import struct
import sys

rng = random.Random(21)


def sauce(data_type, file_type, tinfo1=0, flags=0, font=b"", comments=()):
    block = b""
    if comments:
        block = b"COMNT" + b"".join(c.ljust(64) for c in comments)
    record = b"SAUCE00" + b"Seed".ljust(35) + b"Brixel".ljust(20) + b"".ljust(20) + b"20240101"
    record += struct.pack("<IBBHHHHBB", 0, data_type, file_type, tinfo1, 0, 0, 0, len(comments),
                          flags)
    return b"\x1a" + block + record + font.ljust(22, b"\0")


def cells(count):
    """Character/attribute pairs with repeats, as art has them."""
    out = bytearray()
    while len(out) < 2 * count:
        ch, attr = rng.choice(b" \xb0\xb1\xb2\xdb\xdc\xdfAz\x01"), rng.randrange(256)
        out += bytes([ch, attr]) * rng.choice([1, 1, 2, 5, 70])
    return bytes(out[:2 * count])


def xbin_runs(pairs):
    """Compresses (char, attr) pairs with all four kinds of run."""
    out, i, n = bytearray(), 0, len(pairs) // 2
    cell = lambda k: pairs[2 * k:2 * k + 2]
    while i < n:
        run = 1
        while i + run < n and run < 64 and cell(i + run) == cell(i):
            run += 1
        if run > 1:
            out += bytes([0xC0 | (run - 1)]) + cell(i)
        elif i + 1 < n and cell(i)[0] == cell(i + 1)[0]:
            run = 2
            while i + run < n and run < 64 and cell(i + run)[0] == cell(i)[0]:
                run += 1
            out += bytes([0x40 | (run - 1), cell(i)[0]]) + bytes(cell(i + k)[1] for k in range(run))
        elif i + 1 < n and cell(i)[1] == cell(i + 1)[1]:
            run = 2
            while i + run < n and run < 64 and cell(i + run)[1] == cell(i)[1]:
                run += 1
            out += bytes([0x80 | (run - 1), cell(i)[1]]) + bytes(cell(i + k)[0] for k in range(run))
        else:
            out += bytes([0x00]) + cell(i)
        i += run
    return bytes(out)


def xbin(width, height, font_height=16, palette=False, font=False, compress=False, ice=True,
         glyphs=256):
    flags = palette | font << 1 | compress << 2 | ice << 3 | (glyphs == 512) << 4
    out = b"XBIN\x1a" + struct.pack("<HHBB", width, height, font_height, flags)
    if palette:
        out += bytes(rng.randrange(64) for _ in range(48))
    if font:
        out += bytes(rng.randrange(256) for _ in range(glyphs * font_height))
    pairs = cells(width * height)
    return out + (xbin_runs(pairs) if compress else pairs)


def tundra(count, width=80):
    out = bytearray(b"\x18TUNDRA24")
    for _ in range(count):
        kind = rng.choice([0, 0, 0, 1, 2, 4, 6])
        ch = rng.choice(b" \xdbAz\x01\x02\x04\x06\r\n\x1a")
        rgb = lambda: bytes([rng.choice([0, 255]), rng.randrange(256), rng.randrange(256),
                             rng.randrange(256)])
        if kind == 1:
            out += b"\x01" + struct.pack(">II", rng.randrange(30), rng.randrange(width + 4))
        elif kind in (2, 4):
            out += bytes([kind, ch]) + rgb()
        elif kind == 6:
            out += bytes([6, ch]) + rgb() + rgb()
        elif ch not in (1, 2, 4, 6):
            out.append(ch)
    return bytes(out)


def seeds(fmt):
    vga_font = bytes(0xFF if 0xDB * 16 <= i < 0xDC * 16 else 0 for i in range(4096))
    if fmt == "bin":
        small = bytes.fromhex("DB1C209FDB0E208F")
        yield "vector", small + sauce(5, 1, 2, 0x01)
        yield "by_file_type", cells(80 * 3) + sauce(5, 40, 0, 0x0B, b"IBM VGA50")
        yield "wide", cells(320 * 2) + sauce(5, 0, 320)
        yield "no_record", cells(160 * 3)
        yield "comments_and_odd_byte", cells(30) + b"\x07" + sauce(5, 5, comments=[b"a", b"b"])
    elif fmt == "xb":
        yield "raw", bytes.fromhex("5842494E1A020002001000DB1C209FDB0E208F")
        yield "runs", bytes.fromhex("5842494E1A03000300100401DB0120204 2DB02040E815020DBC1DB0F"
                                    .replace(" ", ""))
        yield "palette_font", (bytes.fromhex("5842494E1A0100010002 03".replace(" ", "")) +
                               bytes(3) + b"\x3f\0\0\0\x20\0\0\0\x15" + bytes(36) +
                               bytes(2) + b"\xf0\x0f" + bytes(508) + b"\x01\x31")
        yield "big_compressed", xbin(80, 30, compress=True, palette=True)
        yield "font_512", xbin(40, 5, font_height=8, font=True, glyphs=512, compress=True)
        yield "blink_raw", xbin(20, 4, ice=False)
        yield "cut", xbin(80, 10, compress=True)[:300]
        yield "with_record", xbin(16, 2, font_height=32, font=True) + sauce(6, 0, 16)
    elif fmt == "adf":
        palette = bytearray(192)
        for entry, rgb in {1: b"\x3f\0\0", 20: b"\0\x3f\0", 56: b"\0\0\x3f", 63: b"\x3f" * 3}.items():
            palette[3 * entry:3 * entry + 3] = rgb
        head = b"\x01" + bytes(palette) + vga_font
        yield "vector", head + bytes.fromhex("DB012060DB0820F0DB06") + bytes(150)
        yield "rows", head + cells(80 * 4) + b"\x41"
        yield "with_record", head + cells(80) + sauce(1, 1, 80, 1)
    elif fmt == "idf":
        tail = vga_font + bytes(29) + b"\x3f" + bytes(6) + b"\x3f" + bytes(11)
        yield "vector", (bytes.fromhex("04312E34000000004F000000") +
                         bytes.fromhex("01000300DB0C209001004C002000") + tail)
        runs = b"".join(b"\x01\x00" + struct.pack("<H", rng.randrange(1, 300)) + bytes(
            [rng.randrange(256), rng.randrange(256)]) + cells(rng.randrange(5)) for _ in range(40))
        yield "wide_runs", bytes.fromhex("04312E3300000000 9F00 1000".replace(" ", "")) + runs + tail
        yield "narrow", bytes.fromhex("04312E34000000000300 0300".replace(" ", "")) + cells(16) + tail
    elif fmt == "tnd":
        yield "vector", bytes.fromhex("1854554E44524132340 6DB00FF000000000000FF41 0420000 0FF00"
                                      .replace(" ", ""))
        yield "position", bytes.fromhex("1854554E445241323441010000000100000000 42".replace(" ", ""))
        yield "stream", tundra(400)
        yield "with_width", tundra(300, 40) + sauce(1, 8, 40)
        yield "cut", tundra(50)[:-3]
    elif fmt == "pcb":
        yield "vector", b"@X1F\xdb@X9C \r\nx@POS:1@"
        yield "codes", (b"@CLS@@X07Hello @USER@, @X4Ered\t\ttabs@X0aB\r\n@POS:40@right" * 3 +
                        b"\x1aSAUCE-less end")
        yield "wrap", b"@X17" + b"w" * 200 + b"@POS:999@x@X@@@X1" + sauce(1, 4, 132)


def main():
    fmt, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    for name, data in seeds(fmt):
        with open(os.path.join(out, f"{name}.{fmt}"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
