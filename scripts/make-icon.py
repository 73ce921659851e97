#!/usr/bin/env python3
"""Draws the wizard's icon (a receipt printer with its paper slip) as a
16-colour .ico with a 32x32 and a 16x16 image: res/app.ico."""
import struct
import sys

# The standard 16-colour palette, index: (r, g, b).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
T, K, DG, LG, W, G, B = None, 0, 8, 7, 15, 10, 4  # transparent, black, greys, white, green, blue

def draw(n):
    s = n / 32.0
    px = [[T] * n for _ in range(n)]
    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < n and 0 <= y < n:
                    px[y][x] = c
    rect(9, 1, 23, 16, K)        # paper outline
    rect(10, 2, 22, 16, W)       # receipt slip
    for y in (5, 8, 11):
        rect(12, y, 20, y + 1, DG)  # printed lines
    rect(2, 14, 30, 29, K)       # printer body outline
    rect(3, 15, 29, 28, LG)
    rect(3, 15, 29, 18, DG)      # paper slot
    rect(8, 16, 24, 17, K)
    rect(5, 23, 9, 26, G)        # power light
    rect(20, 22, 27, 26, B)      # feed button
    return px

def bitmap(n):
    px = draw(n)
    rows_xor, rows_and = [], []
    for y in reversed(range(n)):  # bottom-up
        row = px[y]
        xor = bytearray()
        for x in range(0, n, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            xor.append((a << 4) | b)
        rows_xor.append(bytes(xor) + b"\0" * ((-len(xor)) % 4))
        bits = 0
        mask = bytearray()
        for x in range(n):
            bits = (bits << 1) | (1 if row[x] is None else 0)
            if x % 8 == 7:
                mask.append(bits)
                bits = 0
        rows_and.append(bytes(mask) + b"\0" * ((-len(mask)) % 4))
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + b"".join(rows_xor) + b"".join(rows_and)

images = [(32, bitmap(32)), (16, bitmap(16))]
out = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for n, data in images:
    out += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(data), offset)
    offset += len(data)
out += b"".join(d for _, d in images)
open(sys.argv[1] if len(sys.argv) > 1 else "res/app.ico", "wb").write(out)
