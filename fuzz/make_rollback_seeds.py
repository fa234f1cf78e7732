#!/usr/bin/env python3
"""Writes the seeds of the rollback file fuzzer, rollback-corpus/: a whole
rollback file of a few ranges, one of none, and one torn before its
trailer. Run it after changing a seed; commit the files it writes.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def rollback(rom_length, ranges, torn=False):
    body = b"QLMRBK01" + struct.pack("<QQQqI", rom_length, 2049, 131077, 1700000000123456789, len(ranges))
    for offset, old in ranges:
        body += struct.pack("<II", offset, len(old)) + old
    if torn:
        return body
    return body + struct.pack("<I", zlib.crc32(body)) + b"QLMRBKOK"


def main():
    folder = os.path.join(HERE, "rollback-corpus")
    os.makedirs(folder, exist_ok=True)
    seeds = {
        "three-ranges": rollback(4096, [(0, b"\x00\x01"), (16, bytes(range(16))), (4080, b"\xff" * 16)]),
        "no-ranges": rollback(64, []),
        "torn": rollback(4096, [(32, b"abcd")], torn=True),
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
