#!/usr/bin/python3
"""Regenerates the glyph sheets, sounds and window icon in assets/.

Usage (Debian's own python3, which has python3-fonttools):
    /usr/bin/python3 tools/make_assets.py [--out DIR] [--glyphs FILE]

Writes into DIR (default: assets/ of this checkout):
    80x25.png   8x16 glyphs from /usr/share/fonts/pc/Px_IBM_VGA8.ttf (Debian fonts-pc)
    80x50.png   8x8 glyphs from /usr/share/fonts/pc/Px_IBM_CGA.ttf
    132x50.png  the same 8x8 glyphs
    click.wav   a 20 ms key click, 22050 Hz 16-bit stereo
    bell.wav    a 400 ms bell, same format
    tdf.ico     32x32 and 16x16 icon, stored as BMP images (32x32 first)
    brixel.png  the same icon at 48x48, for the desktop entry of an installation
and the bitmaps of the demo font's characters '!'..'~' into FILE (default:
tools/demo_glyphs.txt), which tools/make_demo_font turns into assets/demo.tdf.
tools/make_assets.sh runs both steps.

Every output is a pure function of the inputs: no time stamps, no randomness
(the click's noise comes from a fixed linear congruential generator), so two
runs give the same bytes.
"""

import argparse
import math
import os
import struct
import sys
import zlib

from fontTools.ttLib import TTFont

FONT_DIR = "/usr/share/fonts/pc"
SAMPLE_RATE = 22050

# Code page 437 draws pictographs, not control codes, at 1..31 and 127.
CP437_PICTOGRAPHS = {
    1: 0x263A, 2: 0x263B, 3: 0x2665, 4: 0x2666, 5: 0x2663, 6: 0x2660, 7: 0x2022,
    8: 0x25D8, 9: 0x25CB, 10: 0x25D9, 11: 0x2642, 12: 0x2640, 13: 0x266A,
    14: 0x266B, 15: 0x263C, 16: 0x25BA, 17: 0x25C4, 18: 0x2195, 19: 0x203C,
    20: 0x00B6, 21: 0x00A7, 22: 0x25AC, 23: 0x21A8, 24: 0x2191, 25: 0x2193,
    26: 0x2192, 27: 0x2190, 28: 0x221F, 29: 0x2194, 30: 0x25B2, 31: 0x25BC,
    127: 0x2302,
}


def cp437_to_unicode(code):
    """Unicode code point of CP437 byte `code`; None for 0, which stays blank."""
    if code == 0:
        return None
    if code in CP437_PICTOGRAPHS:
        return CP437_PICTOGRAPHS[code]
    if code < 128:
        return code
    return ord(bytes([code]).decode("cp437"))


# ---------------------------------------------------------------- glyph sheets

def glyph_contours(font, name):
    glyf = font["glyf"]
    glyph = glyf[name]
    if glyph.numberOfContours == 0:
        return []
    coords, ends, flags = glyph.getCoordinates(glyf)
    contours, start = [], 0
    for end in ends:
        contours.append([tuple(coords[i]) for i in range(start, end + 1)])
        if not all(flags[i] & 1 for i in range(start, end + 1)):
            sys.exit(f"{name}: curved outline, not a pixel font")
        start = end + 1
    return contours


def winding(contours, px, py):
    """Non-zero winding number of point (px, py) against polygon contours."""
    wn = 0
    for contour in contours:
        n = len(contour)
        for i in range(n):
            x0, y0 = contour[i]
            x1, y1 = contour[(i + 1) % n]
            side = (x1 - x0) * (py - y0) - (px - x0) * (y1 - y0)
            if y0 <= py < y1 and side > 0:
                wn += 1
            elif y1 <= py < y0 and side < 0:
                wn -= 1
    return wn


def rasterize_font(path, cell_w, cell_h):
    """The 256 glyphs of a pixel-outline font as lists of rows of 0/1.

    The fonts draw every pixel as a square of `unit` font units, so sampling
    the outline at each pixel centre gives the ROM bitmap exactly. Glyphs keep
    whatever the font has (the VGA upper half block has 7 lit rows, the lower
    half 9); nothing is evened out.
    """
    font = TTFont(path)
    unit = font["head"].unitsPerEm // cell_h
    top = font["hhea"].ascent
    bottom = top - cell_h * unit
    if unit * cell_h != font["head"].unitsPerEm:
        sys.exit(f"{path}: em of {font['head'].unitsPerEm} units is not {cell_h} pixels")
    cmap = font.getBestCmap()
    glyphs = []
    for code in range(256):
        rows = [[0] * cell_w for _ in range(cell_h)]
        cp = cp437_to_unicode(code)
        if cp is not None:
            if cp not in cmap:
                sys.exit(f"{path}: no glyph for CP437 {code} (U+{cp:04X})")
            name = cmap[cp]
            if font["hmtx"][name][0] != cell_w * unit:
                sys.exit(f"{path}: {name} is not {cell_w} pixels wide")
            contours = glyph_contours(font, name)
            for contour in contours:
                for x, y in contour:
                    if x % unit or y % unit or not (0 <= x <= cell_w * unit and bottom <= y <= top):
                        sys.exit(f"{path}: {name} has a point off the pixel grid or outside the cell")
            for r in range(cell_h):
                py = top - r * unit - unit // 2
                for c in range(cell_w):
                    px = c * unit + unit // 2
                    rows[r][c] = 1 if winding(contours, px, py) != 0 else 0
        glyphs.append(rows)
    return glyphs


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def write_png_rgb(path, width, height, pixel, alpha=False):
    """8-bit RGB PNG (RGBA with alpha). Truecolour rather than grey or palette:
    SDL_image loads those as 8-bit indexed surfaces, which SDL cannot blit with
    scaling."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)  # filter type none
        for x in range(width):
            raw.extend(pixel(x, y))
    colour_type = 6 if alpha else 2
    data = (b"\x89PNG\r\n\x1a\n"
            + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
            + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + png_chunk(b"IEND", b""))
    write_file(path, data)


def write_sheet(path, glyphs, cell_w, cell_h):
    white, black = b"\xff\xff\xff", b"\x00\x00\x00"

    def pixel(x, y):
        code = (y // cell_h) * 16 + x // cell_w
        return white if glyphs[code][y % cell_h][x % cell_w] else black

    write_png_rgb(path, 16 * cell_w, 16 * cell_h, pixel)


def write_demo_glyphs(path, glyphs):
    """Bitmaps of '!'..'~' for the demo font, cut to the rows any of them uses
    (made even, so every text row of the font covers two pixel rows)."""
    codes = range(33, 127)
    used = [r for r in range(len(glyphs[0])) if any(any(glyphs[c][r]) for c in codes)]
    first, last = used[0], used[-1]
    if (last - first + 1) % 2:
        last += 1
    lines = [
        "; Pixel bitmaps of the characters '!'..'~' of assets/80x25.png, rows",
        f"; {first}..{last} of each 8x16 cell. '#' lit, '.' dark. Written by",
        "; tools/make_assets.py; tools/make_demo_font draws them with half blocks.",
    ]
    for code in codes:
        lines.append(f"glyph {code}")
        for r in range(first, last + 1):
            lines.append("".join("#" if p else "." for p in glyphs[code][r]))
    write_file(path, ("\n".join(lines) + "\n").encode("ascii"))


# ---------------------------------------------------------------------- sounds

def write_wav(path, samples):
    """16-bit stereo PCM at SAMPLE_RATE; `samples` are floats in -1..1, both
    channels get the same signal."""
    frames = bytearray()
    for s in samples:
        v = max(-32767, min(32767, int(round(s * 32767))))
        frames.extend(struct.pack("<hh", v, v))
    fmt = struct.pack("<HHIIHH", 1, 2, SAMPLE_RATE, SAMPLE_RATE * 4, 4, 16)
    data = (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(frames)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(frames)) + bytes(frames))
    write_file(path, data)


def click_samples():
    """A 20 ms tick: a 2 kHz tone with some noise, 0.5 ms attack, fast decay."""
    n = SAMPLE_RATE * 20 // 1000
    seed, out = 0x1234, []
    for i in range(n):
        t = i / SAMPLE_RATE
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        noise = seed / 0x3FFFFFFF - 1.0
        attack = min(1.0, t / 0.0005)
        tail = (n - 1 - i) / (n - 1)  # reaches exactly 0 at the last sample
        env = attack * math.exp(-t / 0.003) * min(1.0, tail * 8)
        out.append(0.7 * env * (0.65 * math.sin(2 * math.pi * 2000 * t) + 0.35 * noise))
    return out


def bell_samples():
    """400 ms of inharmonic partials over E6, each with its own decay."""
    n = SAMPLE_RATE * 400 // 1000
    partials = [(1.0, 1.0, 0.22), (2.0, 0.45, 0.14), (2.76, 0.35, 0.09), (5.4, 0.18, 0.05)]
    f0 = 1318.5
    raw = []
    for i in range(n):
        t = i / SAMPLE_RATE
        attack = min(1.0, t / 0.002)
        fade = min(1.0, (n - 1 - i) / (SAMPLE_RATE * 0.03))
        s = sum(a * math.exp(-t / d) * math.sin(2 * math.pi * f0 * r * t) for r, a, d in partials)
        raw.append(attack * fade * s)
    peak = max(abs(s) for s in raw)
    return [0.7 * s / peak for s in raw]


# ------------------------------------------------------------------------ icon

# The icon: a block-letter "T" in a yellow-to-red gradient with a grey drop
# shadow and a cursor bar, on a black tile with a blue frame, drawn on a grid
# of 8x8 text cells like the editor's own screen.
ICON_LETTER = [
    "........",
    ".######.",
    ".######.",
    "...##...",
    "...##...",
    "...##...",
    "...##...",
    "........",
]
ICON_ROW_COLOURS = [(255, 255, 85), (255, 255, 85), (255, 200, 40), (255, 150, 20),
                    (240, 100, 10), (220, 50, 0), (170, 0, 0), (170, 0, 0)]
ICON_SHADOW = (85, 85, 85)
ICON_CURSOR = (85, 255, 255)
ICON_FRAME = (0, 0, 170)
ICON_BACK = (0, 0, 0)


def icon_pixel(size, x, y):
    """RGBA of the icon at `size` pixels; cells are size/8 pixels square."""
    cell = size // 8
    last = size - 1
    # Rounded corners: the single corner pixel is transparent.
    if (x in (0, last)) and (y in (0, last)):
        return (0, 0, 0, 0)
    if x in (0, last) or y in (0, last):
        return ICON_FRAME + (255,)
    cx, cy = x // cell, y // cell
    if ICON_LETTER[cy][cx] == "#":
        return ICON_ROW_COLOURS[cy] + (255,)
    # Shadow one cell right and half a cell down.
    sx, sy = (x - cell) // cell, (y - cell // 2) // cell
    if 0 <= sx < 8 and 0 <= sy < 8 and x >= cell and y >= cell // 2 and ICON_LETTER[sy][sx] == "#":
        return ICON_SHADOW + (255,)
    # Underscore cursor in the bottom-right cell, above the frame.
    if cx == 6 and cy == 6 and (y % cell) >= cell - max(1, cell // 4):
        return ICON_CURSOR + (255,)
    return ICON_BACK + (255,)


def ico_bmp(size):
    """One icon image as a 32-bit BMP: header, BGRA rows bottom up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour, mask = bytearray(), bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row_mask = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = icon_pixel(size, x, y)
            colour.extend((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask.extend(row_mask)
    return header + bytes(colour) + bytes(mask)


def write_ico(path, sizes):
    images = [ico_bmp(s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        # Colour count 0: a true-colour image.
        out.extend(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset))
        offset += len(image)
    for image in images:
        out.extend(image)
    write_file(path, bytes(out))


def write_icon_png(path, size):
    """The same icon as a PNG, for the desktop entry of an installed Brixel."""
    write_png_rgb(path, size, size, lambda x, y: bytes(icon_pixel(size, x, y)), alpha=True)


# ------------------------------------------------------------------------ main

def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(root, "assets"))
    parser.add_argument("--glyphs", default=os.path.join(root, "tools", "demo_glyphs.txt"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    vga = rasterize_font(os.path.join(FONT_DIR, "Px_IBM_VGA8.ttf"), 8, 16)
    cga = rasterize_font(os.path.join(FONT_DIR, "Px_IBM_CGA.ttf"), 8, 8)
    write_sheet(os.path.join(args.out, "80x25.png"), vga, 8, 16)
    write_sheet(os.path.join(args.out, "80x50.png"), cga, 8, 8)
    write_sheet(os.path.join(args.out, "132x50.png"), cga, 8, 8)
    write_demo_glyphs(args.glyphs, vga)
    write_wav(os.path.join(args.out, "click.wav"), click_samples())
    write_wav(os.path.join(args.out, "bell.wav"), bell_samples())
    # SDL_image shows the first image of an icon file; the 32x32 one goes first.
    write_ico(os.path.join(args.out, "tdf.ico"), [32, 16])
    write_icon_png(os.path.join(args.out, "brixel.png"), 48)


if __name__ == "__main__":
    main()
