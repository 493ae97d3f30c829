#!/usr/bin/env python3
"""Draws Centrova's button glyphs, window icon and OK picture as XPM files in data/images,
and the desktop icon at the usual sizes as PNG files in data/icons.

The images are simple shapes on a transparent ground, drawn here so that they can be
changed by editing code rather than pixels. Run it from the source folder; the files it
writes are committed, so building never needs Python.
"""

import math
import os
import struct
import zlib

PALETTE = {
    " ": "None", "k": "#000000", "w": "#FFFFFF", "r": "#C00000", "R": "#FF0000",
    "g": "#008000", "G": "#20B020", "b": "#0000C0", "B": "#3060E0", "y": "#FFFF00",
    "n": "#000080", "s": "#C0C0C0", "d": "#808080", "o": "#A05020",
}


class Picture:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[" "] * width for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x1, y1, x2, y2, fill, outline=None):
        for y in range(y1, y2 + 1):
            for x in range(x1, x2 + 1):
                edge = x in (x1, x2) or y in (y1, y2)
                self.set(x, y, outline if (outline and edge) else fill)

    def disc(self, cx, cy, r, c, inner=0.0):
        for y in range(self.h):
            for x in range(self.w):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if inner <= d <= r:
                    self.set(x, y, c)

    def polygon(self, points, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside(points, x + 0.5, y + 0.5):
                    self.set(x, y, c)

    def line(self, x1, y1, x2, y2, c, width=1):
        steps = max(abs(x2 - x1), abs(y2 - y1)) * 4 + 1
        for i in range(steps + 1):
            t = i / steps
            x, y = x1 + (x2 - x1) * t, y1 + (y2 - y1) * t
            for dx in range(width):
                for dy in range(width):
                    self.set(int(round(x)) + dx, int(round(y)) + dy, c)

    def xpm(self, name):
        used = sorted({c for row in self.px for c in row})
        lines = ['/* XPM */', 'static const char* %s[] = {' % name,
                 '"%d %d %d 1",' % (self.w, self.h, len(used))]
        lines += ['"%s c %s",' % (c, PALETTE[c]) for c in used]
        lines += ['"%s",' % "".join(row) for row in self.px]
        lines[-1] = lines[-1].rstrip(",")
        return "\n".join(lines) + "\n};\n"


def inside(points, x, y):
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def exit_glyph():
    p = Picture(20, 20)
    p.rect(3, 2, 11, 17, "o", "k")          # the door
    p.set(9, 10, "y")
    p.polygon([(10, 8), (15, 8), (15, 5), (19, 10), (15, 15), (15, 12), (10, 12)], "G")
    return p


def reset_glyph():
    p = Picture(20, 20)
    p.disc(10, 10, 8, "B", inner=5)
    p.rect(10, 0, 19, 9, " ")                # an open ring ...
    p.polygon([(10, 0.5), (17, 5), (10, 9.5)], "B")  # ... with its arrow head
    return p


def more_data_glyph():
    p = Picture(20, 20)
    for i, height in enumerate((4, 8, 12, 7)):
        p.rect(1 + 3 * i, 18 - height, 3 + 3 * i, 18, "y", "k")
    p.rect(14, 2, 16, 12, "g")
    p.rect(10, 6, 20, 8, "g")
    return p


def next_glyph():
    p = Picture(20, 20)
    p.polygon([(2, 7), (10, 7), (10, 2), (18, 10), (10, 18), (10, 13), (2, 13)], "B")
    return p


def about_glyph():
    p = Picture(20, 20)
    p.disc(10, 10, 9, "B")
    p.rect(9, 4, 10, 5, "w")
    p.rect(9, 8, 10, 15, "w")
    p.rect(8, 8, 8, 8, "w")
    p.rect(8, 15, 11, 15, "w")
    return p


def histogram_icon():
    p = Picture(32, 32)
    for i, height in enumerate((5, 11, 19, 23, 15, 8, 3)):
        p.rect(2 + 4 * i, 25 - height, 6 + 4 * i, 25, "y", "k")
    for x in (5, 9, 11, 13, 14, 16, 17, 19, 22, 26):
        p.line(x, 27, x, 30, "R")
    p.line(15, 1, 15, 25, "n")               # a measure's line through the middle
    return p


def ok_picture():
    p = Picture(21, 21)
    p.line(3, 10, 8, 15, "g", width=3)
    p.line(8, 15, 17, 4, "g", width=3)
    return p


def icon_png(size):
    """The program's icon at `size` pixels, drawn in proportion, as PNG bytes (RGBA)."""
    k = size / 32.0
    p = Picture(size, size)
    for i, height in enumerate((5, 11, 19, 23, 15, 8, 3)):
        x1, x2 = int(round((2 + 4 * i) * k)), int(round((6 + 4 * i) * k))
        p.rect(x1, int(round((25 - height) * k)), x2, int(round(25 * k)), "y", "k")
    for x in (5, 9, 11, 13, 14, 16, 17, 19, 22, 26):
        p.rect(int(round(x * k)), int(round(27 * k)), int(round(x * k + max(0, k - 1))),
               int(round(30 * k)), "R")
    p.rect(int(round(15 * k)), int(round(1 * k)), int(round(15 * k + max(0, k - 1))),
           int(round(25 * k)), "n")
    rows = b""
    for row in p.px:
        rows += b"\0"
        for c in row:
            rows += b"\0\0\0\0" if c == " " else bytes.fromhex(PALETTE[c][1:]) + b"\xff"

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "images")
    os.makedirs(here, exist_ok=True)
    for name, picture in (("exit", exit_glyph()), ("reset", reset_glyph()),
                          ("moredata", more_data_glyph()), ("next", next_glyph()),
                          ("about", about_glyph()), ("centrova", histogram_icon()),
                          ("ok", ok_picture())):
        with open(os.path.join(here, name + ".xpm"), "w") as f:
            f.write(picture.xpm(name + "_xpm"))
    icons = os.path.join(here, "..", "icons")
    os.makedirs(icons, exist_ok=True)
    for size in (16, 32, 48, 64, 128, 256):
        with open(os.path.join(icons, "centrova-%d.png" % size), "wb") as f:
            f.write(icon_png(size))


if __name__ == "__main__":
    main()
