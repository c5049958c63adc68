#!/usr/bin/env python3
"""Draws the installer's icons and button glyphs as 16-colour pixel art and
writes them as 4-bit .ico and .bmp files (ImageMagick writes 32-bit icons).
Run once after changing the drawings; the outputs are committed.
Usage: pixelart.py OUTPUT_DIR"""
import math
import struct
import sys

# The standard 16-colour palette, as (R, G, B).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

# Glyphs: the bottom-left pixel is the transparent colour, as bitmap buttons
# expect; olive is the classic choice since no glyph uses it.
CLEAR = OLIVE


class Canvas:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def outline(self, inside, c, background):
        """Paints c on background pixels 4-adjacent to an inside pixel."""
        hits = []
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y][x] != background:
                    continue
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < self.w and 0 <= ny < self.h and self.px[ny][nx] in inside:
                        hits.append((x, y))
                        break
        for x, y in hits:
            self.px[y][x] = c

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.set(ox + x, oy + y, other.px[y][x])


def from_rows(rows, key):
    c = Canvas(len(rows[0]), len(rows), CLEAR)
    for y, row in enumerate(rows):
        assert len(row) == c.w, row
        for x, ch in enumerate(row):
            c.px[y][x] = key[ch]
    return c


# ---- glyphs -----------------------------------------------------------------

def check_mark():
    rows = [
        "................",
        "................",
        "............00..",
        "...........0AA0.",
        "..........0AA20.",
        ".........0AA20..",
        "..00....0AA20...",
        ".0AA0..0AA20....",
        ".0AAA00AA20.....",
        "..02AAAA20......",
        "...02AA20.......",
        "....0220........",
        ".....00.........",
        "................",
        "................",
        "................",
    ]
    return from_rows(rows, {".": CLEAR, "0": GREEN, "A": LIME, "2": GREEN})


def red_cross():
    rows = [
        "................",
        "................",
        "...11......11...",
        "..1991....1991..",
        "...1991..1991...",
        "....19911991....",
        ".....199991.....",
        "......1991......",
        ".....199991.....",
        "....19911991....",
        "...1991..1991...",
        "..1991....1991..",
        "...11......11...",
        "................",
        "................",
        "................",
    ]
    return from_rows(rows, {".": CLEAR, "1": MAROON, "9": RED})


def embossed(glyph):
    """The classic disabled look: the shape in grey over a white copy shifted
    one pixel down and right."""
    out = Canvas(glyph.w, glyph.h, CLEAR)
    for y in range(glyph.h):
        for x in range(glyph.w):
            if glyph.get(x, y) != CLEAR:
                out.set(x + 1, y + 1, WHITE)
    for y in range(glyph.h):
        for x in range(glyph.w):
            if glyph.get(x, y) != CLEAR:
                out.set(x, y, GREY)
    return out


def no_sign():
    c = Canvas(16, 16, CLEAR)
    cx = cy = 7.5
    k = math.sqrt(0.5)
    for y in range(16):
        for x in range(16):
            r = math.hypot(x - cx, y - cy)
            # Distance from the bar running from top-left to bottom-right.
            bar = abs((x - cx) * k - (y - cy) * k)
            if 4.6 <= r <= 6.9 or (r < 5 and bar < 1.2):
                c.set(x, y, RED)
    c.outline({RED}, MAROON, CLEAR)
    return c


def next_arrow():
    """A 13 x 13 arrow followed by a chevron, green with a black outline."""
    c = Canvas(13, 13, CLEAR)
    # Shaft, rows 4..8, outlined on top, bottom and left.
    for x in range(0, 3):
        c.set(x, 4, BLACK)
        c.set(x, 8, BLACK)
    for y in range(5, 8):
        c.set(0, y, BLACK)
        for x in range(1, 4):
            c.set(x, y, LIME)
    # Head: base at column 3, tip at column 7 of the middle row.
    for y in range(2, 11):
        d = abs(y - 6)
        right = 7 - d
        for x in range(3, right + 1):
            edge = x == right or (x == 3 and d >= 2)
            c.set(x, y, BLACK if edge else LIME)
    # Chevron parallel to the head's right edge, one pixel apart; two lime
    # pixels a row keep its stroke solid rather than dotted.
    for y in range(1, 12):
        d = abs(y - 6)
        x0 = 9 - d
        if d == 5:
            for x in range(x0 + 1, x0 + 5):
                c.set(x, y, BLACK)
        else:
            c.set(x0, y, BLACK)
            c.set(x0 + 1, y, LIME)
            c.set(x0 + 2, y, LIME)
            c.set(x0 + 3, y, BLACK)
    return c


def strip(*glyphs):
    out = Canvas(sum(g.w for g in glyphs), max(g.h for g in glyphs), CLEAR)
    x = 0
    for g in glyphs:
        out.paste(g, x, 0)
        x += g.w
    return out


# ---- icons ------------------------------------------------------------------

def keypad_icon():
    """The program file's icon: a control panel with a display and keypad."""
    c = Canvas(32, 32, None)
    c.rect(4, 1, 27, 30, SILVER)
    c.frame(3, 0, 28, 31, BLACK)
    c.rect(4, 1, 27, 1, WHITE)
    c.rect(4, 1, 4, 30, WHITE)
    c.rect(27, 2, 27, 30, GREY)
    c.rect(5, 30, 27, 30, GREY)
    # Display with a reading.
    c.rect(7, 4, 24, 10, NAVY)
    c.frame(6, 3, 25, 11, GREY)
    for x in (9, 10, 12, 13, 15, 16):
        c.rect(x, 6, x, 8, AQUA)
    # Status lamps.
    c.rect(19, 6, 20, 7, LIME)
    c.rect(22, 6, 23, 7, RED)
    # Keys, 3 x 4.
    for row in range(4):
        for col in range(3):
            x = 7 + col * 6
            y = 13 + row * 4
            face = BLUE if (row, col) == (3, 2) else WHITE
            if (row, col) == (3, 0):
                face = YELLOW
            c.rect(x, y, x + 4, y + 2, face)
            c.rect(x + 1, y + 3, x + 4, y + 3, GREY)
            c.rect(x + 5, y, x + 5, y + 3, GREY)
    return c


def shield_icon():
    """The main window's icon: a shield with a closed padlock."""
    c = Canvas(32, 32, None)
    cx = 15.5
    for y in range(1, 31):
        if y < 18:
            half = 13
        else:
            half = 13 * math.sqrt(max(0.0, 1 - ((y - 17.5) / 13.5) ** 2))
        for x in range(32):
            if abs(x - cx) <= half:
                c.set(x, y, BLUE if x < cx else NAVY)
    # Top edge curves down a little towards the middle.
    for x in range(32):
        dip = 1 if 9 <= x <= 22 else 0
        for y in range(1, 1 + dip + 1):
            if c.get(x, y) is not None and y <= dip:
                c.set(x, y, None)
    c.outline({BLUE, NAVY}, BLACK, None)
    # Padlock: shackle and body.
    for y in range(7, 15):
        for x in range(9, 23):
            r = math.hypot(x - 15.5, y - 13)
            if 4.2 <= r <= 6.2 and y <= 13:
                c.set(x, y, SILVER)
            elif 4.2 <= r <= 6.2 and y > 13:
                c.set(x, y, SILVER)
    c.rect(10, 14, 21, 24, YELLOW)
    c.frame(9, 13, 22, 25, BLACK)
    c.rect(10, 24, 21, 24, OLIVE)
    c.rect(21, 14, 21, 24, OLIVE)
    # Keyhole.
    c.rect(14, 17, 17, 18, BLACK)
    c.rect(15, 16, 16, 21, BLACK)
    return c


# ---- file formats -----------------------------------------------------------

def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def pixel_rows_4bpp(c):
    """Bottom-up rows of 4-bit indices, padded to 4 bytes. None is black."""
    stride = ((c.w * 4 + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(c.h)):
        row = bytearray(stride)
        for x in range(c.w):
            v = c.px[y][x] or 0
            row[x // 2] |= v << 4 if x % 2 == 0 else v
        out += row
    return bytes(out)


def mask_rows(c):
    """AND mask: 1 where the icon is transparent."""
    stride = ((c.w + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(c.h)):
        row = bytearray(stride)
        for x in range(c.w):
            if c.px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def info_header(w, h, image_size):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, image_size, 0, 0, 16, 0)


def write_bmp(path, c):
    for row in c.px:
        assert None not in row
    bits = pixel_rows_4bpp(c)
    offset = 14 + 40 + 64
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info_header(c.w, c.h, len(bits)) + palette_bytes() + bits)


def write_ico(path, c):
    xor, mask = pixel_rows_4bpp(c), mask_rows(c)
    image = info_header(c.w, c.h * 2, len(xor) + len(mask)) + palette_bytes() + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", c.w, c.h, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def preview(name, c):
    chars = "0mgovpts#RLYBFAW"
    print(name)
    for row in c.px:
        print("  " + "".join("." if v is None or v == CLEAR else chars[v] for v in row))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    cross = red_cross()
    glyphs = {
        "glyph_ok.bmp": check_mark(),
        "glyph_cancel.bmp": cross,
        "glyph_cancel2.bmp": strip(cross, embossed(cross)),
        "glyph_no.bmp": no_sign(),
        "glyph_next.bmp": next_arrow(),
    }
    for name, g in glyphs.items():
        assert g.px[g.h - 1][0] == CLEAR, name
        write_bmp(f"{out}/{name}", g)
        preview(name, g)
    icons = {"setup.ico": keypad_icon(), "mainwindow.ico": shield_icon()}
    for name, c in icons.items():
        write_ico(f"{out}/{name}", c)
        preview(name, c)


if __name__ == "__main__":
    main()
