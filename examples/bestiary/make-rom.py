#!/usr/bin/env python3
"""Writes bestiary.rom, the small made-up ROM image that bestiary.qlm describes.

Run it from anywhere; it reads bestiary.tbl beside it to encode the short
names the way the game does, so the module's character table is the only way
to read them back.  The committed bestiary.rom is this script's output.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
BASE = 0x40
ENTRY_LENGTH = 20

# short name, hit points, temper, habitat, gold, loot flags, biscuits, affinity
CREATURES = [
    ("Toad", 12, -3, 0, 0x0005, b"\x01\x00\x00", 2, 0x00),
    ("Moth", 4, -20, 1, 0x0000, b"\x00\x00\x00", 0, 0x10),
    ("Quillhog", 30, 15, 1, 0x0012, b"\x02\x10\x00", 7, 0x00),
    ("Wight", 210, 90, 4, 0x01F4, b"\x81\x00\x40", 0, 0x20),
    ("Drake", 640, 127, 2, 0x1F40, b"\xFF\x0F\x00", 12, 0x10),
    ("Newt", 9, -1, 0, 0x0002, b"\x00\x00\x01", 1, 0x10),
    ("Lurker", 85, 40, 0, 0x0030, b"\x04\x00\x00", 3, 0x00),
    ("Spider", 44, 60, 2, 0x0021, b"\x08\x01\x00", 0, 0x00),
    ("Knight", 999, 100, 4, 0x0BB8, b"\xC0\xAB\x0E", 5, 0x20),
    ("Rime owl", 26, -60, 3, 0x0007, b"\x00\x20\x00", 4, 0x20),
    ("Golem", 400, 10, 4, 0x0000, b"\x10\x00\x00", 0, 0x00),
    ("Sprite", 15, -128, 1, 0x0003, b"\x00\x00\x02", 9, 0x40),
    ("Boar", 60, 70, 1, 0x000F, b"\x03\x00\x00", 6, 0x00),
    ("Scarab", 22, 5, 2, 0x0040, b"\x20\x00\x00", 1, 0x10),
    ("Crab", 35, 25, 0, 0x0019, b"\x00\x04\x00", 2, 0x00),
    ("Gloambat", 18, -45, 2, 0x0004, b"\x00\x00\x00", 0, 0x00),
    ("Troll", 520, 80, 2, 0x0190, b"\x40\x80\x00", 11, 0x00),
    ("Ember fx", 40, 30, 1, 0x0022, b"\x01\x01\x01", 3, 0x10),
    ("Hare", 10, -90, 3, 0x0001, b"\x00\x00\x00", 8, 0x20),
    ("Heron", 48, -10, 0, 0x0011, b"\x00\x02\x00", 2, 0x40),
    ("Witch", 150, 35, 0, 0x0258, b"\x0A\x0B\x0C", 0, 0x30),  # no such affinity
    ("Ash wyrm", 1200, 110, 2, 0x2710, b"\xFF\xFF\x00", 20, 0x10),
    ("Serpent", 300, 50, 9, 0x00C8, b"\x00\x00\x80", 1, 0x00),  # no such habitat
    ("", 1, 0, 0, 0x0000, b"\x00\x00\x00", 0, 0x00),
]


def load_encoder():
    codes = {}
    with open(os.path.join(HERE, "bestiary.tbl"), encoding="latin-1") as tbl:
        for line in tbl.read().split("\n"):
            if not line or line.startswith("#"):
                continue
            codes[line[3]] = int(line[0:2], 16)
    return codes


def entry_bytes(encode, creature):
    name, hp, temper, habitat, gold, loot, biscuits, affinity = creature
    text = bytes(encode.get(c, ord(c)) for c in name).ljust(8, b"\x00")
    return (text + struct.pack("<HbBH", hp, temper, habitat, gold) + loot
            + bytes([biscuits, affinity]) + b"\xEE")


def main():
    encode = load_encoder()
    header = b"BESTIARY EXAMPLE ROM, QUILLMOOR".ljust(BASE, b"\x00")
    table = b"".join(entry_bytes(encode, c) for c in CREATURES)
    assert len(table) == ENTRY_LENGTH * len(CREATURES) == 480
    trailer = b"\xFF" * 32
    with open(os.path.join(HERE, "bestiary.rom"), "wb") as rom:
        rom.write(header + table + trailer)


if __name__ == "__main__":
    main()
