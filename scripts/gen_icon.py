#!/usr/bin/env python3
"""Draws the program icon (a kelp frond on a sea-blue tile) at 16, 24, 32, 48 and 256 pixels
and writes res/kelpo.ico. Run: python3 scripts/gen_icon.py [output]"""
import math
import struct
import sys
import zlib
import pathlib

SIZES = [16, 24, 32, 48, 256]


def coverage(inside, x, y, samples=4):
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                hits += 1
    return hits / (samples * samples)


def tile(u, v):
    # Rounded square covering the unit square with a margin.
    m, r = 0.04, 0.2
    dx = max(abs(u - 0.5) - (0.5 - m - r), 0)
    dy = max(abs(v - 0.5) - (0.5 - m - r), 0)
    return dx * dx + dy * dy <= r * r


def frond(u, v):
    # A wavy stalk with leaves: distance from a sine curve, widening towards the top.
    t = 1.0 - v
    if t < 0.14 or t > 0.9:
        return False
    centre = 0.5 + 0.12 * math.sin(t * 9.0)
    width = 0.035 + 0.11 * math.sin(min(t, 0.86) * math.pi / 0.86) * (0.55 + 0.45 * math.cos(t * 30.0) ** 2)
    return abs(u - centre) < width


def render(size):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            def scaled(f):
                return lambda px, py: f(px / size, py / size)
            a_tile = coverage(scaled(tile), x, y)
            a_frond = coverage(scaled(frond), x, y) * a_tile
            sea = (28, 92, 138)
            kelp = (150, 214, 96)
            shade = 1.0 - 0.35 * (y / size)
            base = tuple(int(c * shade) for c in sea)
            colour = tuple(int(b * (1 - a_frond) + k * a_frond) for b, k in zip(base, kelp))
            row.append(colour + (int(round(255 * a_tile)),))
        rows.append(row)
    return rows


def png(size, rows):
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp(size, rows):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + b"\x00" * (mask_row * size)


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "res" / "kelpo.ico")
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png(size, rows) if size >= 256 else bmp(size, rows)))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, blob in images:
        dim = 0 if size >= 256 else size
        data += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    data += b"".join(blob for _, blob in images)
    out.write_bytes(data)
    print(f"wrote {out} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
