#!/usr/bin/env python3
"""Draws the program icon: the RGB colour cube seen from its white corner, as a
single 32 x 32, 256-colour image in a Windows .ico file.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

SIZE = 32
SUPERSAMPLE = 4
COS30 = 0.8660254037844386
SCALE = 14.5  # length of a cube edge on screen, in pixels
CENTRE = (SIZE / 2.0, SIZE / 2.0)


def palette():
    """A 6 x 6 x 6 colour cube followed by 40 greys: 256 entries."""
    levels = [0, 51, 102, 153, 204, 255]
    colours = [(r, g, b) for r in levels for g in levels for b in levels]
    colours += [(round(i * 255 / 41),) * 3 for i in range(1, 41)]
    return colours


# Screen directions of the three colour axes: red to the lower right, green to
# the lower left, blue straight up. White (1, 1, 1) then lies at the centre and
# the faces r = 1, g = 1 and b = 1 are the three visible ones.
AXES = [(COS30 * SCALE, 0.5 * SCALE), (-COS30 * SCALE, 0.5 * SCALE), (0.0, -SCALE)]


def solve(u, v, d):
    """(s, t) with s*u + t*v = d, or None for parallel axes."""
    det = u[0] * v[1] - u[1] * v[0]
    if abs(det) < 1e-12:
        return None
    return ((d[0] * v[1] - d[1] * v[0]) / det, (u[0] * d[1] - u[1] * d[0]) / det)


def colour_at(x, y):
    """Colour of the cube at screen point (x, y), or None outside it."""
    # A point on face k (that axis at 1) is white + s*(-a_i) + t*(-a_j).
    d = (x - CENTRE[0], y - CENTRE[1])
    for k in range(3):
        i, j = [a for a in range(3) if a != k]
        st = solve((-AXES[i][0], -AXES[i][1]), (-AXES[j][0], -AXES[j][1]), d)
        if st is None:
            continue
        s, t = st
        if 0.0 <= s <= 1.0 and 0.0 <= t <= 1.0:
            c = [1.0, 1.0, 1.0]
            c[i] -= s
            c[j] -= t
            # A little shading tells the three faces apart.
            shade = (1.0, 0.85, 0.7)[k]
            return tuple(min(255, round(255 * v * shade)) for v in c)
    return None


def render():
    pixels = []
    for row in range(SIZE):
        line = []
        for col in range(SIZE):
            hits = []
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    c = colour_at(col + (sx + 0.5) / SUPERSAMPLE, row + (sy + 0.5) / SUPERSAMPLE)
                    if c is not None:
                        hits.append(c)
            if 2 * len(hits) < SUPERSAMPLE * SUPERSAMPLE:
                line.append(None)
            else:
                line.append(tuple(round(sum(c[n] for c in hits) / len(hits)) for n in range(3)))
        pixels.append(line)
    return pixels


def nearest(colours, c):
    return min(range(len(colours)),
               key=lambda n: sum((colours[n][k] - c[k]) ** 2 for k in range(3)))


def ico_bytes(pixels, colours):
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 8, 0, 0, 0, 0, 256, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    xor_rows, and_rows = [], []
    for line in reversed(pixels):  # bottom-up DIB rows
        xor_rows.append(bytes(0 if c is None else nearest(colours, c) for c in line))
        bits = 0
        for col, c in enumerate(line):
            if c is None:
                bits |= 1 << (31 - col)
        and_rows.append(struct.pack(">I", bits))  # rows padded to 32 bits
    image = header + table + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as f:
        f.write(ico_bytes(render(), palette()))


if __name__ == "__main__":
    main()
