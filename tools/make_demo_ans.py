#!/usr/bin/env python3
"""Draws the demo ANSI art file assets/demo.ans.

Usage:
    python3 tools/make_demo_ans.py [OUT]      (default: assets/demo.ans)

An original picture made only by this script: the word BRIXEL in block
letters over an evening sky with a sun, mountains, a brick wall, water with
the sun's reflection and a colour chart. It is taller than one screen and
uses what ANSI art files use: colours (bright and blinking ones too), reverse
video, cursor forward, up and down, absolute positioning, erase to the end
of the row, saving and restoring the cursor, a TAB, rows that wrap after
column 80 and rows ended by CR LF, then the end-of-file byte 26.

Everything is computed from fixed numbers, so two runs give the same bytes.
"""

import math
import os
import sys

ESC = "\x1b["
# PC colour number -> ANSI colour digit (the mapping is its own inverse).
ANSI_DIGIT = [0, 4, 2, 6, 1, 5, 3, 7]

FULL, UPPER, LOWER = "\xdb", "\xdf", "\xdc"
LIGHT, MEDIUM, DARK = "\xb0", "\xb1", "\xb2"


class Art:
    """Collects text with colour changes sent only when the colour changes."""

    def __init__(self):
        self.out = []
        self.fg = None
        self.bg = None

    def raw(self, s):
        self.out.append(s)

    def color(self, fg, bg=0):
        if (fg, bg) == (self.fg, self.bg):
            return
        bold = "1;" if fg >= 8 else ""
        blink = "5;" if bg >= 8 else ""
        self.raw(f"{ESC}0;{bold}{blink}3{ANSI_DIGIT[fg & 7]};4{ANSI_DIGIT[bg & 7]}m")
        self.fg, self.bg = fg, bg

    def text(self, s, fg, bg=0):
        self.color(fg, bg)
        self.raw(s)

    def cells(self, row):
        """A row given as (char, fg, bg) cells."""
        for ch, fg, bg in row:
            self.text(ch, fg, bg)

    def newline(self):
        self.raw("\r\n")

    def data(self):
        return "".join(self.out).encode("latin-1")


# 5x7 bitmaps of the letters of the title.
LETTERS = {
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
}


def title(art):
    """BRIXEL, two columns per bitmap pixel and two pixel rows per text row
    (half blocks), in a fire gradient from yellow to red, with a shadow."""
    word = "BRIXEL"
    pixels = 8  # 7 rows of the bitmap and one empty, for pairs of half blocks
    grid = [[False] * 80 for _ in range(pixels)]
    left = (80 - (len(word) * 12 - 2)) // 2
    for i, letter in enumerate(word):
        for y, line in enumerate(LETTERS[letter]):
            for x, bit in enumerate(line):
                if bit == "#":
                    col = left + i * 12 + x * 2
                    grid[y][col] = grid[y][col + 1] = True
    gradient = [14, 14, 6, 12, 12, 4, 4, 5]
    for row in range(pixels // 2):
        top, bottom = grid[row * 2], grid[row * 2 + 1]
        ctop, cbottom = gradient[row * 2], gradient[row * 2 + 1]
        cells = []
        for x in range(80):
            if top[x] and bottom[x]:
                cells.append((UPPER, ctop, cbottom & 7))
            elif top[x]:
                cells.append((UPPER, ctop, 0))
            elif bottom[x]:
                cells.append((LOWER, cbottom, 0))
            else:
                # The shadow one cell down and to the right of the letters.
                shade = x > 0 and (top[x - 1] or bottom[x - 1])
                cells.append((LIGHT if shade else " ", 8, 0))
        # Full rows of 80 cells: the cursor wraps to the next row by itself.
        art.cells(cells)


def border(art, fg):
    art.cells([(LOWER if x % 2 else UPPER, fg, 0) for x in range(80)])


def sky(art):
    """Evening sky: bands of shading from dark blue to magenta and red, each
    row drawn only up to column 60 and erased to its end in its colour."""
    bands = [(1, 0, LIGHT), (1, 0, MEDIUM), (9, 1, LIGHT), (5, 1, MEDIUM),
             (13, 5, LIGHT), (12, 5, MEDIUM), (12, 4, DARK), (14, 4, LIGHT)]
    for i, (fg, bg, ch) in enumerate(bands):
        art.text(ch * 60, fg, bg)
        art.color(fg, bg)
        art.raw(f"{ESC}K")  # the rest of the row in the band's background
        art.newline()
    # Stars in the upper bands, placed by moving forward along the row.
    art.raw(f"{ESC}{len(bands)}A")
    art.text("", 15, 0)
    for step in (3, 17, 9, 22, 11):
        art.raw(f"{ESC}{step}C")
        art.text("\xfa", 15, 0)
    art.raw(f"{ESC}{len(bands)}B\r")


def sun(art):
    """The sun, drawn over the sky: the cursor is saved, moved up into the
    sky and right to the sun's place, and restored afterwards (there is one
    saved position, so the rows of the disc are reached by moving back and
    down). Blanks of the disc are skipped with cursor forward, so the sky
    shows through."""
    disc = ["  \xdc\xdb\xdb\xdb\xdc", " \xdb\xdb\xdb\xdb\xdb\xdb\xdb", "  \xdf\xdb\xdb\xdb\xdf"]
    backgrounds = [1, 5, 5]  # of the sky bands behind the disc
    art.raw(f"{ESC}s")
    art.raw(f"{ESC}6A{ESC}63C")
    for line, bg in zip(disc, backgrounds):
        for ch in line:
            if ch == " ":
                art.raw(f"{ESC}C")
            else:
                art.text(ch, 14, bg)
        art.raw(f"{ESC}{len(line)}D{ESC}B")
    art.raw(f"{ESC}u")


def mountains(art):
    """Two ridges from sums of sines: the far one grey, the near one green,
    snow where the far ridge is highest."""
    rows = 7
    far = [3.2 + 2.3 * math.sin(x / 7.0) + 1.3 * math.sin(x / 3.1 + 1.0) for x in range(80)]
    near = [1.6 + 1.7 * math.sin(x / 5.3 + 2.0) + 0.7 * math.sin(x / 2.3) for x in range(80)]
    for r in range(rows):
        level = rows - r  # height this row stands for
        cells = []
        for x in range(80):
            if near[x] * 1.1 >= level:
                cells.append((DARK if (x + r) % 5 else MEDIUM, 2, 0))
            elif near[x] * 1.1 >= level - 0.5:
                cells.append((LOWER, 10, 0))
            elif far[x] >= level:
                snow = far[x] >= 5.4 and level >= 5
                cells.append((FULL if snow else MEDIUM, 15 if snow else 7, 0))
            elif far[x] >= level - 0.5:
                cells.append((LOWER, 15 if level >= 5 else 8, 0))
            else:
                cells.append((" ", 7, 0))
        art.cells(cells)


def wall(art):
    """A brick wall: bricks of six cells with mortar, every other row shifted
    by three; some bricks darker. Rows end with CR LF after 79 cells."""
    for r in range(6):
        shift = 3 if r % 2 else 0
        cells = []
        for x in range(79):
            pos = (x + shift) % 7
            brick = (x + shift) // 7 + r * 11
            if pos == 6:
                cells.append(("\xb3", 7, 4))  # mortar
            else:
                dark = brick % 5 == 2
                cells.append((MEDIUM if dark else LIGHT, 6 if dark else 12, 4))
        art.cells(cells)
        art.newline()


def water(art):
    """Water under the wall with the sun's reflection getting narrower."""
    for r in range(6):
        cells = []
        centre, half = 68, max(1, 4 - r)
        for x in range(79):
            wave = math.sin(x / 3.0 + r * 1.7) + math.sin(x / 1.7 - r)
            if abs(x - centre) <= half and (x + r) % 2 == 0:
                cells.append(("\xcd" if r % 2 else "\xc4", 14, 1))
            elif wave > 1.2:
                cells.append(("\xf7", 15, 1))
            elif wave > 0.2:
                cells.append(("~", 11, 1))
            else:
                cells.append((" ", 3, 1))
        art.cells(cells)
        art.newline()


def footer(art):
    """Credits with a TAB, a reverse-video label and the sixteen colours on
    the eight backgrounds, bright backgrounds through blink."""
    art.text("", 7, 0)
    art.raw(f"{ESC}0m")
    art.fg = art.bg = None
    art.newline()
    art.text("  Brixel demo art", 15, 0)
    art.raw("\t")
    art.text("drawn by tools/make_demo_ans.py", 7, 0)
    art.newline()
    art.newline()
    art.raw(f"{ESC}0;7m colour chart {ESC}0m")
    art.fg = art.bg = None
    art.newline()
    for bg in range(16):
        art.text("  ", 7, 0)
        for fg in range(16):
            art.text(f" {fg:X}{bg:X} " if fg != bg else " \xfe\xfe ", fg, bg)
        art.newline()
    art.newline()
    # A signature placed at an absolute position below everything drawn.
    art.raw(f"{ESC}55;58H")
    art.text("\xfe Brixel \xfe", 8, 0)
    art.raw(f"{ESC}0m\r\n")


def build():
    art = Art()
    border(art, 3)
    title(art)
    border(art, 3)
    sky(art)
    sun(art)
    mountains(art)
    wall(art)
    water(art)
    footer(art)
    return art.data() + b"\x1a"


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "demo.ans")
    with open(out, "wb") as f:
        f.write(build())


if __name__ == "__main__":
    main()
