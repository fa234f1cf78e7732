#!/usr/bin/env python3
"""Writes the seeds of the IPS and BPS patch fuzzers, ips-corpus/ and
bps-corpus/: one patch per edge of each format, for the source both fuzzers
apply them to (PatchFuzzSource.h). Run it after changing a seed; commit the
files it writes.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = bytes((i * 37 + 11) & 0xFF for i in range(64))


def write(folder, name, data):
    os.makedirs(os.path.join(HERE, folder), exist_ok=True)
    with open(os.path.join(HERE, folder, name), "wb") as f:
        f.write(data)


def record(offset, data):
    return struct.pack(">I", offset)[1:] + struct.pack(">H", len(data)) + data


def run(offset, count, value):
    return struct.pack(">I", offset)[1:] + b"\0\0" + struct.pack(">H", count) + bytes([value])


def ips_seeds():
    seeds = {
        "offset-that-spells-eof": b"PATCH" + record(0x454F45, b"\x01\x02") + b"EOF",
        "run": b"PATCH" + run(4, 20, 0xAA) + b"EOF",
        "longest-record": b"PATCH" + record(0x10, bytes(i % 251 + 1 for i in range(0xFFFF))) + record(0x1000F, b"z")
        + b"EOF",
        "truncation": b"PATCH" + record(1, b"x") + b"EOF" + b"\0\0\x20",
        "growth": b"PATCH" + record(70, b"grown") + b"EOF",
        "last-reachable": b"PATCH" + run(0xFFFFFF, 0xFFFF, 7) + b"EOF",
        "cut-short": b"PATCH" + record(1, b"abcd")[:-2],
        "no-eof": b"PATCH" + record(1, b"abcd"),
        "bytes-after-eof": b"PATCH" + b"EOF" + b"junk",
        "empty": b"PATCHEOF",
    }
    for name, data in seeds.items():
        write("ips-corpus", name, data)


def number(value):
    out = bytearray()
    while True:
        low = value & 0x7F
        value >>= 7
        if value == 0:
            out.append(0x80 | low)
            return bytes(out)
        out.append(low)
        value -= 1


def action(kind, length):
    return number(((length - 1) << 2) | kind)


def delta(distance):
    return number((abs(distance) << 1) | (1 if distance < 0 else 0))


def bps(actions, target, target_length=None, metadata=b""):
    length = len(target) if target_length is None else target_length
    body = b"BPS1" + number(len(SOURCE)) + number(length) + number(len(metadata)) + metadata + actions
    patch = body + struct.pack("<II", zlib.crc32(SOURCE), zlib.crc32(target))
    return patch + struct.pack("<I", zlib.crc32(patch))


def bps_seeds():
    s = SOURCE
    every = s[:3] + b"ab" + s[6:8] + s[0:1]
    every += every[3:7]
    every += every[-1:] * 3
    seeds = {
        "every-action": bps(action(0, 3) + action(1, 2) + b"ab" + action(2, 2) + delta(6) + action(2, 1)
                            + delta(-8) + action(3, 4) + delta(3) + action(3, 3) + delta(4), every),
        # A carried stretch of 128 bytes and a run of 16511: numbers at the
        # edge of two and three bytes.
        "long-numbers": bps(action(1, 128) + bytes(range(128)) + action(3, 16511) + delta(127),
                            bytes(range(128)) + b"\x7f" * 16511),
        "metadata": bps(action(0, 64), s, metadata=b"<author>q</author>"),
        "unchanged": bps(action(0, 64), s),
        "to-nothing": bps(b"", b""),
        "source-copy-outside": bps(action(2, 8) + delta(60), s[:8]),
        "target-copy-ahead": bps(action(0, 3) + action(3, 1) + delta(3), s[:4]),
        "number-too-large": bps(b"\x7f" * 10 + b"\xff", s),
        "cut-short": bps(action(1, 9) + b"abc", b"abcdefghi"),
        "target-over-4-GiB": bps(b"", b"", target_length=(1 << 32) + 1),
    }
    for name, data in seeds.items():
        write("bps-corpus", name, data)


if __name__ == "__main__":
    ips_seeds()
    bps_seeds()
