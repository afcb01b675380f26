#!/usr/bin/env python3
"""Draws icon 128, the program icon: a storage adapter with two drive bays,
a green activity light and a network cable.  32 x 32 pixels, 256 colours.

    tools/make_icon.py res/locavist.ico
"""
import struct
import sys

# palette: index -> (r, g, b)
PALETTE = {
    0: (0, 0, 0),
    1: (255, 255, 255),
    2: (64, 64, 72),      # case edge
    3: (128, 132, 140),   # case side
    4: (192, 196, 204),   # case front
    5: (230, 232, 236),   # highlight
    6: (40, 200, 64),     # activity light
    7: (0, 98, 147),      # brand blue
    8: (250, 200, 40),    # cable
    9: (160, 120, 20),    # cable shade
    10: (96, 100, 108),   # bay slot
}
W = H = 32
TRANSPARENT = -1


def draw():
    px = [[TRANSPARENT] * W for _ in range(H)]

    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = c

    # the box, seen slightly from above: top face, then front face
    rect(4, 3, 27, 6, 3)
    rect(5, 4, 26, 5, 5)
    rect(3, 7, 28, 21, 2)
    rect(4, 8, 27, 20, 4)
    rect(4, 8, 27, 8, 5)
    # two drive bays
    for y in (10, 15):
        rect(6, y, 21, y + 3, 10)
        rect(7, y + 1, 20, y + 2, 3)
        rect(18, y + 1, 19, y + 2, 1)
    # activity light and brand stripe
    rect(24, 11, 25, 12, 6)
    rect(23, 16, 26, 18, 7)
    # cable from the bottom to a plug
    rect(14, 22, 17, 24, 2)
    rect(15, 25, 16, 27, 8)
    rect(16, 25, 16, 27, 9)
    rect(12, 28, 19, 30, 8)
    rect(12, 30, 19, 30, 9)
    rect(13, 28, 18, 28, 1)
    return px


def ico(px):
    colors = [PALETTE.get(i, (0, 0, 0)) for i in range(256)]
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colors)
    xor = b"".join(bytes(max(c, 0) for c in row) for row in reversed(px))
    andmask = b""
    for row in reversed(px):
        bits = 0
        for x, c in enumerate(row):
            if c == TRANSPARENT:
                bits |= 1 << (31 - x)
        andmask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 8, 0, len(xor) + len(andmask), 0, 0, 256, 0)
    image = header + palette + xor + andmask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 0, 0, 1, 8, len(image), 22)
    return directory + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(ico(draw()))
