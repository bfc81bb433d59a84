#!/usr/bin/env python3
"""Draws the product logo, ui/logo.bmp: 109 x 39 pixels, 1 bit per pixel,
black on white. Run from the repository root; the output is committed, so
this only needs running again when the drawing changes.

The picture: two chevrons squeezing a bar (the mark of a compressor) on the
left; "HTML" in small letters above "CORVANE" in letters twice as large and
a rule beneath, on the right. Letters come from the 5 x 7 font below."""
import struct
import sys

WIDTH, HEIGHT = 109, 39

FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
}


def draw_text(canvas, text, left, top, scale):
    x = left
    for letter in text:
        for row, bits in enumerate(FONT[letter]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            canvas[top + row * scale + dy][x + column * scale + dx] = 1
        x += 6 * scale


def draw_chevron(canvas, tip_x, top, half_height, direction):
    """A chevron two pixels thick whose tip points along direction (+1 right, -1 left)."""
    for step in range(half_height + 1):
        x = tip_x - direction * (half_height - step) // 2
        for y in (top + step, top + 2 * half_height - step):
            for thickness in range(3):
                canvas[y][x - direction * thickness] = 1


def draw_logo():
    canvas = [[0] * WIDTH for _ in range(HEIGHT)]
    draw_chevron(canvas, 9, 7, 12, +1)
    draw_chevron(canvas, 14, 7, 12, -1)
    for y in range(13, 26):
        canvas[y][11] = canvas[y][12] = 1
    draw_text(canvas, "HTML", 25, 4, 1)
    draw_text(canvas, "CORVANE", 25, 14, 2)
    for x in range(25, 107):
        canvas[31][x] = 1
    return canvas


def bmp_bytes(canvas):
    """A bottom-up BITMAPINFOHEADER file; palette entry 0 black, 1 white."""
    stride = (WIDTH + 31) // 32 * 4
    rows = []
    for line in reversed(canvas):
        bits = "".join("0" if ink else "1" for ink in line).ljust(stride * 8, "0")
        rows.append(int(bits, 2).to_bytes(stride, "big"))
    pixels = b"".join(rows)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(pixels),
                       2835, 2835, 2, 2)
    return header + info + palette + pixels


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "ui/logo.bmp"
    with open(out, "wb") as file:
        file.write(bmp_bytes(draw_logo()))
