#!/usr/bin/env python3
"""Draws the program icon (a page under a magnifying glass) as res/plovnik.ico, 32x32 and 16x16."""
import struct, sys

def draw(n):
    s = n / 32.0
    px = [[(0, 0, 0, 0)] * n for _ in range(n)]
    def put(x, y, c):
        if 0 <= x < n and 0 <= y < n:
            px[y][x] = c
    # The page: white with a dark edge and a folded corner.
    x0, y0, x1, y1 = int(4 * s), int(2 * s), int(22 * s), int(28 * s)
    fold = max(2, int(6 * s))
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if x > x1 - fold and y < y0 + fold and (x - (x1 - fold)) > (y - y0):
                continue
            edge = x in (x0, x1) or y in (y0, y1) or (x - (x1 - fold)) == (y - y0)
            put(x, y, (64, 64, 64, 255) if edge else (255, 255, 255, 255))
    for i in range(3 if n < 32 else 5):
        y = y0 + int((9 + 4 * i) * s)
        for x in range(x0 + max(2, int(3 * s)), x1 - max(2, int(3 * s))):
            put(x, y, (120, 140, 190, 255))
    # The glass: a blue lens with a dark rim, and a brown handle to the lower right.
    cx, cy, r = 19 * s, 17 * s, 7.5 * s
    for y in range(n):
        for x in range(n):
            d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
            if d <= r - 1.6 * max(s, 0.7):
                put(x, y, (150, 200, 255, 255))
            elif d <= r:
                put(x, y, (20, 40, 110, 255))
    for t in range(int(9 * s) + 1):
        for w in range(-max(1, int(1.6 * s)), max(1, int(1.6 * s)) + 1):
            hx = int(cx + r * 0.7 + t * 0.7 + w * 0.7)
            hy = int(cy + r * 0.7 + t * 0.7 - w * 0.7)
            put(hx, hy, (110, 60, 20, 255))
    return px

def dib(px):
    n = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(struct.pack('BBBB', b, g, r, a) for row in reversed(px) for (r, g, b, a) in row)
    stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)

images = [dib(draw(32)), dib(draw(16))]
out = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, data in zip((32, 16), images):
    out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b''.join(images)
open(sys.argv[1] if len(sys.argv) > 1 else 'res/plovnik.ico', 'wb').write(out)
