#!/usr/bin/env python3
"""Draws the application icon (an amber ring with a tail on a dark rounded square) and
writes it as a multi-size .ico of PNG images. Run it to regenerate QuillfarrowOptimizer.ico."""
import math
import struct
import sys
import zlib

CANVAS = (0x12, 0x10, 0x17)
ACCENT = (0xF5, 0xA5, 0x24)


def coverage(inside, x, y, samples=4):
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                hits += 1
    return hits / (samples * samples)


def draw(size):
    c = size / 2.0
    corner = size * 0.22
    outer, inner = size * 0.34, size * 0.22

    def in_square(px, py):
        dx = max(abs(px - c) - (c - corner), 0.0)
        dy = max(abs(py - c) - (c - corner), 0.0)
        return dx * dx + dy * dy <= corner * corner

    def in_mark(px, py):
        r = math.hypot(px - c, py - c)
        if inner <= r <= outer:
            return True
        # The tail of the Q: a bar from the ring towards the lower right.
        t = ((px - c) + (py - c)) / math.sqrt(2)
        n = ((px - c) - (py - c)) / math.sqrt(2)
        return outer * 0.55 <= t <= outer * 1.3 and abs(n) <= size * 0.055

    rows = []
    for y in range(size):
        row = bytearray([0])
        for x in range(size):
            a = coverage(in_square, x, y)
            m = coverage(in_mark, x, y) if a else 0.0
            rgb = [round(CANVAS[i] * (1 - m) + ACCENT[i] * m) for i in range(3)]
            row += bytes(rgb + [round(255 * a)])
        rows.append(bytes(row))
    raw = b"".join(rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(path):
    sizes = [16, 24, 32, 48, 64, 256]
    images = [draw(s) for s in sizes]
    header = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    entries = b""
    for s, png in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(png), offset)
        offset += len(png)
    with open(path, "wb") as out:
        out.write(header + entries + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "QuillfarrowOptimizer.ico")
