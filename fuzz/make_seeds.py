#!/usr/bin/env python3
"""Writes the checked-in seed corpora of the fuzz targets into corpus/.

model_text: the five embedded models, half-broken variants of them, and
records at and beyond the 2,048-vertex limit. render: a few fixed byte
strings. snapshot_options: command lines, arguments separated by zero bytes.
Run from any folder; the seeds land next to this script. Deterministic.
"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
MODELS = os.path.join(HERE, "..", "colour", "models")


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("ascii"))


def lines(rows, sep="\r\n"):
    return "".join("\t".join(row.split()) + sep for row in rows)


def fan(name, vertex_count, index_count):
    """A record whose triangles fan out from vertex 0 over a ring."""
    indices = []
    for k in range(index_count // 3):
        indices += [0, 1 + k % (vertex_count - 2), 2 + k % (vertex_count - 2)]
    vertices = []
    for i in range(vertex_count):
        x, y = (i % 9 - 4) / 4, (i // 9 % 9 - 4) / 4
        vertices.append(f"{x:g} {y:g} 0 0 0 1 {x:g} {y:g} {i % 10}")
    return lines([name, f"{index_count} 16777215 8 0.5 1", " ".join(map(str, indices + [0]))]
                 + vertices + ["-"])


def model_texts():
    texts = {}
    for name in ("colorbox", "hsvcircle", "hsvplane", "munsell", "ostwalt"):
        with open(os.path.join(MODELS, name + ".txt"), "rb") as f:
            texts[name] = f.read().decode("ascii")
    for name, text in texts.items():
        write("model_text", name, text)
        write("model_text", name + "-half", text[: len(text) // 2])
    box = texts["colorbox"]
    write("model_text", "colorbox-lf", box.replace("\r\n", "\n"))
    write("model_text", "colorbox-cr", box.replace("\r\n", "\r"))
    write("model_text", "colorbox-no-last-separator", box[:-2])
    write("model_text", "colorbox-zero-byte", box[:300] + "\0" + box[300:])
    write("model_text", "hsvcircle-twice", texts["hsvcircle"] * 2)
    munsell = texts["munsell"]
    write("model_text", "munsell-index-at-count", munsell.replace("\t7\t0\t4\t4", "\t8\t0\t4\t4", 1))
    write("model_text", "munsell-bad-float", munsell.replace("-0.02", "-0,02", 1))
    write("model_text", "ostwalt-no-terminator", texts["ostwalt"][:-3])
    write("model_text", "ostwalt-short-header", texts["ostwalt"].replace("6\t0\t4\t1\t1", "6\t0\t4", 1))
    write("model_text", "fan-2048-vertices", fan("Fan", 2048, 300))
    write("model_text", "fan-2049-vertices", fan("Fan", 2049, 300))


def render():
    rng = random.Random(11)
    for size in (16, 64, 256, 1024, 4096):
        write("render", f"random-{size}", bytes(rng.randrange(256) for _ in range(size)))
    write("render", "zeros-512", bytes(512))
    write("render", "ones-512", bytes([0xFF]) * 512)


def snapshot_options():
    commands = [
        "--out a.png",
        "--tab 0 --h1 20 --h2 5 --v 100 --out x.png",
        "--tab=2 --csection 16 --h1 3 --v 6 --csingle --out y.ppm",
        "--tab 3 --h1 2 --v 8 --dlevel 7 --dsection 4 --dsingle --out z.RAW",
        "--bg 0xFFFFFF --out=bg.png",
        "--tab 1 --v 64 --out v.png",
        "--tab 4 --out t.png",
        "--help",
        "--out",
        "--h1 -1 --out a.png",
        # every setting at the top and at the bottom of its range
        "--tab 3 --h1 63 --h2 63 --v 63 --csection 32 --dsection 10 --dlevel 10 --bg 0xffffff --out hi.png",
        "--tab 0 --h1 0 --h2 0 --v 0 --csection 1 --dsection 1 --dlevel 1 --bg 0x0 --out lo.ppm",
        "--tab 0 --v 100 --out a.raw",
        "--sweep h2 --frames 8 --delay 40 --out turn.webp",
        "--tab 3 --sweep v --out f-%03d.png --scale 2 --aa 4",
        "--tab 2 --out - --format raw",
        "--version",
        "-h",
    ]
    for i, command in enumerate(commands):
        write("snapshot_options", f"command-{i:02}", "\0".join(command.split()))
    # The same as tokens: a first byte with its top bit set, then one byte
    # per argument.
    for i, command in enumerate(TOKEN_COMMANDS):
        write("snapshot_options", f"tokens-{i:02}", bytes([0x80] + [token(w) for w in command.split()]))


# The token table of FuzzSnapshotOptions.cpp, in its order (keep in step):
# the options without a range, the file names, then each option with a range
# followed by its Min - 1, Min, Max and Max + 1.
OTHER_OPTIONS = ["--help", "--csingle", "--dsingle", "--out", "--version", "--sweep", "h1", "h2", "v", "-h",
                 "--format", "png", "ppm", "raw", "webp"]
FILE_NAMES = ["x.png", "x.PPM", "x.raw", "x.gif", "x", "x.webp", "x-%03d.png", "-"]
VIEW_OPTIONS = ["--tab", "--h1", "--h2", "--v", "--csection", "--dsection", "--dlevel", "--bg"]
EXPORT_OPTIONS = ["--frames", "--delay", "--scale", "--aa"]
RANGE_OPTIONS = VIEW_OPTIONS + EXPORT_OPTIONS
TOKENS = OTHER_OPTIONS + FILE_NAMES + [
    name + edge for name in RANGE_OPTIONS for edge in ("", ":below", ":min", ":max", ":above")]
TOKEN_COMMANDS = [
    "--out x.png --dlevel --dlevel:max",
    "--out x.PPM " + " ".join(f"{o} {o}:max" for o in VIEW_OPTIONS),
    "--out x.raw --csingle --dsingle " + " ".join(f"{o} {o}:min" for o in VIEW_OPTIONS),
    "--sweep h1 --out x.webp " + " ".join(f"{o} {o}:max" for o in EXPORT_OPTIONS),
    "--sweep v --out x-%03d.png " + " ".join(f"{o} {o}:min" for o in EXPORT_OPTIONS if o != "--delay"),
    "--out - --format ppm --tab --tab:max",
]


def token(word):
    return TOKENS.index(word)


if __name__ == "__main__":
    model_texts()
    render()
    snapshot_options()
