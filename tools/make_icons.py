#!/usr/bin/env python3
"""Draws the program's icons as pixel art and writes them as Windows .ico files.

    tools/make_icons.py [OUTPUT_DIR]     (default: resources/icons next to this tool)

Every picture is 32 x 32. The button pictures are 16-colour images on the standard
Windows palette; the class icon has a 16-colour and a 256-colour image. Each image is a
bottom-up DIB with its colour (XOR) bits followed by a 1-bit transparency (AND) mask.
The output is fully determined by this file, so running it again gives the same bytes.
"""

import os
import struct
import sys

SIZE = 32

# The standard 16-colour Windows palette, in index order.
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = VGA[0:8]
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = VGA[8:16]


class Canvas:
    """A 32 x 32 picture of RGB triples; None is a transparent pixel."""

    def __init__(self):
        self.pixels = [[None] * SIZE for _ in range(SIZE)]

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.pixels[y][x] = colour

    def fill_rect(self, x0, y0, x1, y1, colour):
        """Fills the inclusive rectangle (x0, y0)-(x1, y1)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame_rect(self, x0, y0, x1, y1, colour, width=1):
        for i in range(width):
            self.fill_rect(x0 + i, y0 + i, x1 - i, y0 + i, colour)
            self.fill_rect(x0 + i, y1 - i, x1 - i, y1 - i, colour)
            self.fill_rect(x0 + i, y0 + i, x0 + i, y1 - i, colour)
            self.fill_rect(x1 - i, y0 + i, x1 - i, y1 - i, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        """Bresenham line; a width above 1 stamps a square brush along it."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        lo, hi = -((width - 1) // 2), width // 2
        while True:
            self.fill_rect(x0 + lo, y0 + lo, x0 + hi, y0 + hi, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disk(self, cx, cy, radius, colour):
        """Fills every pixel whose centre lies within radius of (cx, cy)."""
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                    self.put(x, y, colour)

    def polygon(self, points, colour):
        """Fills every pixel whose centre lies inside the polygon (even-odd rule)."""
        for y in range(SIZE):
            for x in range(SIZE):
                px, py = x + 0.5, y + 0.5
                inside = False
                for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                    if (ay > py) != (by > py):
                        cross = ax + (py - ay) * (bx - ax) / (by - ay)
                        if px < cross:
                            inside = not inside
                if inside:
                    self.put(x, y, colour)


# ---------------------------------------------------------------- pictures

def draw_meter(rich):
    """The hand-held meter: a dark upright case with a display and one button, in a green
    frame. `rich` picks shaded colours for the 256-colour image."""
    c = Canvas()
    frame_outer = (0x00, 0x60, 0x00) if rich else GREEN
    frame_inner = (0x40, 0xC0, 0x40) if rich else LIME
    background = (0xF0, 0xF8, 0xF0) if rich else WHITE
    c.fill_rect(0, 0, 31, 31, background)
    c.frame_rect(0, 0, 31, 31, frame_outer, 2)
    c.frame_rect(2, 2, 29, 29, frame_inner, 1)
    # Case, lit from the left.
    for x in range(9, 23):
        if rich:
            shade = 0x58 - (x - 9) * 4
            colour = (shade, shade, shade + 8)
        else:
            colour = GREY if x == 9 else BLACK
        c.fill_rect(x, 5, x, 27, colour)
    for corner in ((9, 5), (22, 5), (9, 27), (22, 27)):  # rounded corners
        c.put(*corner, background)
    # Display: a light screen with a row of dark segments.
    c.frame_rect(11, 8, 20, 15, (0x90, 0x90, 0x90) if rich else GREY)
    c.fill_rect(12, 9, 19, 14, (0xB8, 0xE0, 0xB0) if rich else LIME)
    digit = (0x20, 0x40, 0x20) if rich else GREEN
    for x0 in (13, 16):
        c.frame_rect(x0, 10, x0 + 2, 13, digit)
    c.put(19, 13, digit)
    # The one button.
    c.disk(15.5, 21.5, 2.6, (0xE0, 0x20, 0x20) if rich else RED)
    if rich:
        c.put(14, 20, (0xFF, 0xA0, 0xA0))
    return c


def draw_look():
    """A magnifying glass over a stack of sheets."""
    c = Canvas()
    for offset in (6, 3, 0):
        x0, y0 = 2 + offset, 2 + offset
        c.fill_rect(x0, y0, x0 + 16, y0 + 20, WHITE)
        c.frame_rect(x0, y0, x0 + 16, y0 + 20, GREY)
    for y in range(6, 22, 3):
        c.line(5, y, 15, y, SILVER)
    # Lens with a rim and a glint, and the handle towards the lower right.
    c.line(23, 23, 29, 29, MAROON, 3)
    c.line(24, 24, 29, 29, OLIVE, 1)
    c.disk(18, 17, 7.4, NAVY)
    c.disk(18, 17, 5.6, AQUA)
    c.line(15, 14, 16, 13, WHITE)
    c.put(14, 16, WHITE)
    return c


def draw_exit():
    """An arrow pointing into an open door."""
    c = Canvas()
    # Door frame and the dark doorway.
    c.fill_rect(16, 2, 29, 30, MAROON)
    c.fill_rect(18, 4, 27, 30, BLACK)
    # The door leaf, swung open towards the viewer on its right-hand hinges.
    c.polygon([(27, 4), (31, 1), (31, 31), (27, 30)], OLIVE)
    c.line(27, 4, 31, 1, BLACK)
    c.put(29, 17, YELLOW)
    # The arrow, from the left into the doorway.
    c.fill_rect(2, 14, 14, 18, LIME)
    c.polygon([(13, 8), (24, 16.5), (13, 25)], LIME)
    c.line(2, 19, 13, 19, GREEN)
    c.line(13, 25, 23, 17, GREEN)
    return c


def draw_excel():
    """A blue arrow pointing at a green spreadsheet sheet marked with an X."""
    c = Canvas()
    # The sheet: a grid of cells on green, a white X over it.
    c.fill_rect(12, 3, 30, 28, GREEN)
    c.frame_rect(12, 3, 30, 28, BLACK)
    for x in (18, 24):
        c.line(x, 4, x, 27, LIME)
    for y in (9, 15, 21):
        c.line(13, y, 29, y, LIME)
    c.line(16, 8, 26, 23, WHITE, 3)
    c.line(26, 8, 16, 23, WHITE, 3)
    # The arrow, from the left at the sheet.
    c.fill_rect(1, 14, 7, 18, BLUE)
    c.polygon([(6, 9), (12, 16.5), (6, 24)], BLUE)
    c.line(1, 18, 6, 18, NAVY)
    c.line(6, 24, 11, 17, NAVY)
    return c


# ---------------------------------------------------------------- .ico encoding

def dib_image(canvas, bits):
    """One icon image: BITMAPINFOHEADER, palette, XOR bits and AND mask, bottom-up."""
    if bits == 4:
        palette = list(VGA)
    else:
        palette = sorted({p for row in canvas.pixels for p in row if p is not None} | {BLACK})
        if len(palette) > 256:
            raise ValueError("more than 256 colours in a 256-colour image")
        palette += [BLACK] * (256 - len(palette))
    index = {colour: i for i, colour in reversed(list(enumerate(palette)))}

    xor_stride = (SIZE * bits + 31) // 32 * 4
    and_stride = (SIZE + 31) // 32 * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(canvas.pixels):
        indices = []
        for colour in row:
            if colour is not None and colour not in index:
                raise ValueError(f"colour {colour} is not in the 16-colour palette")
            indices.append(index[colour] if colour is not None else 0)
        if bits == 4:
            packed = bytes(hi << 4 | lo for hi, lo in zip(indices[0::2], indices[1::2]))
        else:
            packed = bytes(indices)
        xor += packed.ljust(xor_stride, b"\0")
        mask_row = bytearray(and_stride)
        for x, colour in enumerate(row):
            if colour is None:
                mask_row[x // 8] |= 0x80 >> (x % 8)
        mask += mask_row

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + colours + bytes(xor) + bytes(mask)


def ico_file(images):
    """An .ico file from (canvas, bits) pairs: ICONDIR, one ICONDIRENTRY each, the images."""
    blobs = [(bits, dib_image(canvas, bits)) for canvas, bits in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for bits, blob in blobs:
        colour_count = 16 if bits == 4 else 0
        out += struct.pack("<BBBBHHII", SIZE, SIZE, colour_count, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, blob in blobs)


ICONS = {
    "icon_big.ico": lambda: [(draw_meter(rich=False), 4), (draw_meter(rich=True), 8)],
    "icon_knop_look.ico": lambda: [(draw_look(), 4)],
    "icon_knop_exit.ico": lambda: [(draw_exit(), 4)],
    "icon_knop_excel.ico": lambda: [(draw_excel(), 4)],
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "icons")
    os.makedirs(out_dir, exist_ok=True)
    for name, images in ICONS.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(ico_file(images()))


if __name__ == "__main__":
    main()
