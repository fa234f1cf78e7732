#!/usr/bin/env python3
"""Draws Quillmoor's 32x32, 16-colour program icon and writes it as an
indexed PNG (res/quillmoor.png). Standard library only, so the picture can be
regenerated anywhere; the PNG itself is committed."""
import struct
import sys
import zlib

SIZE = 32
PALETTE = [
    (0, 0, 0),        # 0 transparent
    (40, 32, 24),     # 1 outline
    (236, 222, 186),  # 2 parchment
    (206, 188, 146),  # 3 parchment shade
    (70, 96, 150),    # 4 grid ink
    (150, 170, 210),  # 5 header row
    (250, 250, 245),  # 6 feather light
    (200, 200, 196),  # 7 feather shade
    (120, 60, 30),    # 8 shaft
    (20, 20, 60),     # 9 nib ink
    (180, 40, 40),    # 10 seal red
    (255, 255, 255),  # 11 highlight
    (90, 90, 90),     # 12 shadow
    (30, 110, 60),    # 13 cell green
    (240, 200, 60),   # 14 gold
    (160, 120, 80),   # 15 moor brown
]


def draw():
    px = [[0] * SIZE for _ in range(SIZE)]

    def put(x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            px[y][x] = c

    # The table sheet: a bordered page with a header row and a grid of cells.
    for y in range(4, 30):
        for x in range(2, 24):
            edge = x in (2, 23) or y in (4, 29)
            put(x, y, 1 if edge else 2)
    for y in range(5, 9):
        for x in range(3, 23):
            put(x, y, 5)
    for y in (9, 14, 19, 24):
        for x in range(3, 23):
            put(x, y, 4)
    for x in (9, 16):
        for y in range(5, 29):
            put(x, y, 4)
    for y in range(10, 14):
        for x in range(10, 16):
            put(x, y, 13)  # the selected entry
    for y in range(25, 29):
        for x in range(3, 23):
            put(x, y, 3)
    # Drop shadow below and right of the sheet.
    for x in range(3, 25):
        put(x, 30, 12)
    for y in range(5, 31):
        put(24, y, 12)

    # The quill, lying diagonally from the top right down to the cell.
    for i in range(18):
        x, y = 29 - i, 1 + i
        put(x, y, 8)
        for w in range(1, 4 if i < 13 else 1):
            put(x + w, y, 6 if w < 3 else 7)
            put(x, y - w, 7 if w == 3 else 6)
    put(11, 19, 9)
    put(12, 18, 9)
    put(10, 20, 9)
    # A wax seal with a gold spot on the sheet's corner.
    for y in range(24, 29):
        for x in range(17, 22):
            if (x - 19) ** 2 + (y - 26) ** 2 <= 5:
                put(x, y, 10)
    put(19, 26, 14)
    put(18, 25, 11)
    return px


def png(px):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b""
    for row in px:
        raw += b"\x00" + bytes((row[i] << 4) | row[i + 1] for i in range(0, SIZE, 2))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 4, 3, 0, 0, 0)
    plte = b"".join(bytes(c) for c in PALETTE)
    trns = b"\x00"  # index 0 is see-through; every other index is opaque
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", plte)
            + chunk(b"tRNS", trns) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "quillmoor.png"
    with open(out, "wb") as f:
        f.write(png(draw()))
