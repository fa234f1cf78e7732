#!/usr/bin/env python3
"""Writes the seeds of the recovery journal fuzzer, recovery-corpus/: a ROM
length (two bytes), then a journal: whole, torn in its last record, with a
bad CRC, and with a length far past what the ROM allows. Run it after
changing the format; commit the files it writes.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROM_LENGTH = 64


def header(path=b"/roms/game.rom"):
    fixed = b"QLMRECV1" + struct.pack("<QqII", ROM_LENGTH, 1700000000000000000, 0x1234, len(path)) + path
    return fixed + struct.pack("<I", zlib.crc32(fixed))


def record(kind, entry, pieces):
    body = struct.pack("<BiI", kind, entry, len(pieces))
    for offset, before, after in pieces:
        body += struct.pack("<II", offset, len(before)) + before + after
    framed = struct.pack("<I", len(body)) + body
    return framed + struct.pack("<I", zlib.crc32(framed))


def write(name, journal):
    os.makedirs(os.path.join(HERE, "recovery-corpus"), exist_ok=True)
    with open(os.path.join(HERE, "recovery-corpus", name), "wb") as f:
        f.write(struct.pack("<H", ROM_LENGTH) + journal)


step = record(1, 2, [(8, b"\x08\x09", b"\xaa\xbb")])
undo = record(2, 2, [(8, b"\xaa\xbb", b"\x08\x09")])
redo = record(3, 2, [(8, b"\x08\x09", b"\xaa\xbb")])
two = record(1, 0, [(0, b"\x00", b"\x01"), (16, b"\x10\x11", b"\x20\x21")])
write("whole", header() + step + two + undo + redo)
write("torn", header() + step + two[:-3])
bad = bytearray(header() + step + two)
bad[-6] ^= 0xFF
write("bad-crc", bytes(bad))
write("huge-length", header() + step + struct.pack("<I", 0xFFFFFFF0) + b"\x01" * 16)
write("header-only", header())
