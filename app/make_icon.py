#!/usr/bin/env python3
"""Draws the program icon: the RGB colour cube seen from its white corner, in
a Windows .ico file with the sizes Explorer and the taskbar ask for.

The first image is 32 x 32 with a 256-colour palette: LoadIcon and older
systems take it. Then come 16, 48 and 256 pixel images in 32-bit colour with
alpha edges; the 256 pixel one stored as PNG, as Windows expects at that size.

Usage: make_icon.py OUTPUT.ico
       make_icon.py --png SIZE OUTPUT.png   (one RGBA image, e.g. for a web app)
"""
import struct
import sys
import zlib

SUPERSAMPLE = 4
COS30 = 0.8660254037844386
EDGE = 14.5 / 32  # length of a cube edge on screen, as a share of the icon size

PALETTED_SIZE = 32
TRUE_COLOUR_SIZES = (16, 48, 256)
PNG_FROM_SIZE = 256


def palette():
    """A 6 x 6 x 6 colour cube followed by 40 greys: 256 entries."""
    levels = [0, 51, 102, 153, 204, 255]
    colours = [(r, g, b) for r in levels for g in levels for b in levels]
    colours += [(round(i * 255 / 41),) * 3 for i in range(1, 41)]
    return colours


def axes(size):
    """Screen directions of the three colour axes: red to the lower right,
    green to the lower left, blue straight up. White (1, 1, 1) then lies at
    the centre and the faces r = 1, g = 1 and b = 1 are the three visible ones."""
    scale = EDGE * size
    return [(COS30 * scale, 0.5 * scale), (-COS30 * scale, 0.5 * scale), (0.0, -scale)]


def solve(u, v, d):
    """(s, t) with s*u + t*v = d, or None for parallel axes."""
    det = u[0] * v[1] - u[1] * v[0]
    if abs(det) < 1e-12:
        return None
    return ((d[0] * v[1] - d[1] * v[0]) / det, (u[0] * d[1] - u[1] * d[0]) / det)


def colour_at(size, screen_axes, x, y):
    """Colour of the cube at screen point (x, y), or None outside it."""
    # A point on face k (that axis at 1) is white + s*(-a_i) + t*(-a_j).
    d = (x - size / 2.0, y - size / 2.0)
    for k in range(3):
        i, j = [a for a in range(3) if a != k]
        st = solve((-screen_axes[i][0], -screen_axes[i][1]),
                   (-screen_axes[j][0], -screen_axes[j][1]), d)
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


def render(size):
    """Rows of (r, g, b, coverage) with coverage the share of samples on the
    cube, 0..1; the colour is the mean of the samples that hit it."""
    screen_axes = axes(size)
    samples = SUPERSAMPLE * SUPERSAMPLE
    pixels = []
    for row in range(size):
        line = []
        for col in range(size):
            hits = []
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    c = colour_at(size, screen_axes, col + (sx + 0.5) / SUPERSAMPLE,
                                  row + (sy + 0.5) / SUPERSAMPLE)
                    if c is not None:
                        hits.append(c)
            if not hits:
                line.append((0, 0, 0, 0.0))
            else:
                mean = tuple(round(sum(c[n] for c in hits) / len(hits)) for n in range(3))
                line.append(mean + (len(hits) / samples,))
        pixels.append(line)
    return pixels


def nearest(colours, c):
    return min(range(len(colours)),
               key=lambda n: sum((colours[n][k] - c[k]) ** 2 for k in range(3)))


def and_mask(pixels, transparent):
    """The 1-bit mask of a DIB icon, bottom-up, rows padded to 32 bits."""
    size = len(pixels)
    stride = (size + 31) // 32 * 4
    rows = []
    for line in reversed(pixels):
        bits = 0
        for col, p in enumerate(line):
            if transparent(p):
                bits |= 1 << (stride * 8 - 1 - col)
        rows.append(bits.to_bytes(stride, "big"))
    return b"".join(rows)


def dib_header(size, bits, colours_used):
    # The height counts the colour rows and the mask rows.
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0, colours_used, 0)


def paletted_image(pixels, colours):
    """A 256-colour DIB; a pixel is opaque when half its samples hit the cube."""
    def transparent(p):
        return p[3] < 0.5
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    xor_rows = [bytes(0 if transparent(p) else nearest(colours, p) for p in line)
                for line in reversed(pixels)]
    return dib_header(len(pixels), 8, 256) + table + b"".join(xor_rows) + and_mask(pixels, transparent)


def alpha(p):
    return round(255 * p[3])


def true_colour_image(pixels):
    """A 32-bit BGRA DIB with the coverage as alpha."""
    rows = [b"".join(struct.pack("<BBBB", p[2], p[1], p[0], alpha(p)) for p in line)
            for line in reversed(pixels)]
    return dib_header(len(pixels), 32, 0) + b"".join(rows) + and_mask(pixels, lambda p: alpha(p) == 0)


def png_image(pixels):
    """An 8-bit RGBA PNG. Every row is stored as its difference from the row
    above (filter "Up"): the faces are smooth gradients, so that compresses
    to a tenth of the plain rows."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    size = len(pixels)
    rows = [b"".join(bytes((p[0], p[1], p[2], alpha(p))) for p in line) for line in pixels]
    above = bytes(len(rows[0]))
    raw = b""
    for row in rows:
        raw += b"\x02" + bytes((x - y) & 0xFF for x, y in zip(row, above))
        above = row
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(images):
    """images: (size, bits per pixel, palette entries, data) in directory order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, blobs = [], []
    for size, bits, colours_used, data in images:
        # 0 stands for 256 in the one-byte fields.
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, colours_used % 256, 0,
                                   1, bits, len(data), offset))
        blobs.append(data)
        offset += len(data)
    return directory + b"".join(entries) + b"".join(blobs)


def images():
    colours = palette()
    result = [(PALETTED_SIZE, 8, 0, paletted_image(render(PALETTED_SIZE), colours))]
    for size in TRUE_COLOUR_SIZES:
        pixels = render(size)
        data = png_image(pixels) if size >= PNG_FROM_SIZE else true_colour_image(pixels)
        result.append((size, 32, 0, data))
    return result


def main():
    args = sys.argv[1:]
    if len(args) == 3 and args[0] == "--png" and args[1].isdigit() and 16 <= int(args[1]) <= 1024:
        data = png_image(render(int(args[1])))
        path = args[2]
    elif len(args) == 1 and not args[0].startswith("-"):
        data = ico_bytes(images())
        path = args[0]
    else:
        sys.exit(__doc__)
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
