#!/usr/bin/env python3
"""Draws Quillmoor's program icon, a quill over a table sheet, from one set of
polygons on a 256-unit canvas, and writes:

  res/ui/icons/quillmoor.svg            the scalable icon
  res/ui/icons/quillmoor-<N>.png        N = 16, 32, 48, 64, 128, 256 (RGBA)
  res/ui/EditorIconArt.h                the 32-pixel picture the program
                                        compiles in (no image decoder runs
                                        at start-up)

Standard library only; every output is committed.

    res/ui/make_icon.py [res/ui folder]
"""
import os
import struct
import sys
import zlib

CANVAS = 256
SIZES = (16, 32, 48, 64, 128, 256)

OUTLINE = (52, 40, 28, 255)
PAPER = (240, 229, 196, 255)
PAPER_SHADE = (214, 198, 156, 255)
HEADER = (72, 104, 160, 255)
GRID = (120, 140, 178, 255)
CELL = (46, 128, 84, 255)
FEATHER = (250, 250, 246, 255)
FEATHER_SHADE = (196, 200, 206, 255)
SHAFT = (132, 74, 38, 255)
NIB = (24, 24, 56, 255)
SHADOW = (0, 0, 0, 70)


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def shapes():
    """(colour, polygon) pairs, back to front."""
    out = [
        (SHADOW, rect(30, 40, 198, 244)),
        (OUTLINE, rect(18, 28, 186, 232)),
        (PAPER, rect(26, 36, 178, 224)),
        (PAPER_SHADE, rect(26, 196, 178, 224)),
        (HEADER, rect(26, 36, 178, 72)),
    ]
    # The table: three columns, four rows below the header.
    for x in (76, 126):
        out.append((GRID, rect(x - 3, 36, x + 3, 224)))
    for y in (108, 144, 180):
        out.append((GRID, rect(26, y - 3, 178, y + 3)))
    out.append((CELL, rect(82, 78, 120, 102)))
    # The quill: a feather from the top right down to a nib on the sheet.
    out += [
        (OUTLINE, [(246, 6), (250, 22), (214, 92), (150, 168), (120, 190), (112, 184), (134, 150), (186, 68)]),
        (FEATHER, [(242, 12), (244, 24), (210, 88), (148, 162), (124, 182), (120, 178), (138, 150), (190, 70)]),
        (FEATHER_SHADE, [(242, 12), (244, 24), (210, 88), (148, 162), (128, 178), (186, 96), (226, 36)]),
        (SHAFT, [(240, 14), (244, 18), (126, 182), (120, 178)]),
        (NIB, [(126, 176), (134, 184), (98, 222), (92, 226), (94, 218)]),
    ]
    return out


def coverage_row(poly, y, width, scale, samples=4):
    """Fraction of each pixel of row y that the polygon covers."""
    cov = [0.0] * width
    pts = [(x * scale, py * scale) for x, py in poly]
    for s in range(samples):
        sy = y + (s + 0.5) / samples
        xs = []
        for i in range(len(pts)):
            (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % len(pts)]
            if (y0 <= sy < y1) or (y1 <= sy < y0):
                xs.append(x0 + (sy - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            a, b = max(a, 0.0), min(b, float(width))
            if b <= a:
                continue
            first, last = int(a), min(int(b), width - 1)
            if first == last:
                cov[first] += (b - a) / samples
                continue
            cov[first] += (first + 1 - a) / samples
            for x in range(first + 1, last):
                cov[x] += 1.0 / samples
            if last < width:
                cov[last] += (b - last) / samples
    return cov


def render(size):
    """Premultiplied RGBA floats, row by row."""
    scale = size / CANVAS
    px = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]
    for colour, poly in shapes():
        top = max(0, int(min(p[1] for p in poly) * scale))
        bottom = min(size, int(max(p[1] for p in poly) * scale) + 1)
        alpha = colour[3] / 255.0
        for y in range(top, bottom):
            cov = coverage_row(poly, y, size, scale)
            row = px[y]
            for x, c in enumerate(cov):
                if c <= 0.0:
                    continue
                a = min(c, 1.0) * alpha
                p = row[x]
                for k in range(3):
                    p[k] = colour[k] / 255.0 * a + p[k] * (1 - a)
                p[3] = a + p[3] * (1 - a)
    return px


def to_rgba8(px):
    rows = []
    for row in px:
        out = []
        for r, g, b, a in row:
            if a <= 0.0:
                out.append((0, 0, 0, 0))
                continue
            out.append(tuple(min(255, int(round(v / a * 255))) for v in (r, g, b)) + (int(round(a * 255)),))
        rows.append(out)
    return rows


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def svg():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
             % (CANVAS, CANVAS, CANVAS, CANVAS),
             '  <title>Quillmoor</title>']
    for (r, g, b, a), poly in shapes():
        points = " ".join("%g,%g" % p for p in poly)
        opacity = "" if a == 255 else ' fill-opacity="%.3f"' % (a / 255.0)
        lines.append('  <polygon points="%s" fill="#%02x%02x%02x"%s/>' % (points, r, g, b, opacity))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def header(rows):
    size = len(rows)
    values = ["0x%02X%02X%02X%02X" % (a, r, g, b) for row in rows for r, g, b, a in row]
    body = ",\n".join("        " + ", ".join(values[i:i + 8]) for i in range(0, len(values), 8))
    return ("#pragma once\n\n#include <cstdint>\n\n"
            "// Generated by res/ui/make_icon.py from the same drawing as the installed\n"
            "// icons: the program icon's %d x %d pixels, ARGB, row by row.\n"
            "inline constexpr int kEditorIconSize = %d;\n\n"
            "inline constexpr std::uint32_t kEditorIconPixels[%d] = {\n%s,\n};\n"
            % (size, size, size, size * size, body))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    icons = os.path.join(folder, "icons")
    os.makedirs(icons, exist_ok=True)
    with open(os.path.join(icons, "quillmoor.svg"), "w") as f:
        f.write(svg())
    for size in SIZES:
        rows = to_rgba8(render(size))
        with open(os.path.join(icons, "quillmoor-%d.png" % size), "wb") as f:
            f.write(png(rows))
        if size == 32:
            with open(os.path.join(folder, "EditorIconArt.h"), "w") as f:
                f.write(header(rows))


if __name__ == "__main__":
    main()
