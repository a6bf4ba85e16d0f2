#!/usr/bin/env python3
"""Writes the five embedded model texts of the colour solids.

Record format: a name line, a header line (IndexCount, Color, SpecularPower,
SpecularLevel, DiffuseLevel), an index line (IndexCount indices and one
trailing number), one line per vertex (x, y, z, nx, ny, nz, u, v, tag) and a
terminator line "-". Fields are separated by TAB, every line ends with CR LF.
Run from any folder; the files land next to this script.
"""
import os

QUAD = "0 1 2 0 2 3 0"
TEXTURED = "6 -1 4 1 1"


def record(name, header, indices, vertices):
    rows = [name, header, indices] + vertices + ["-"]
    return "".join("\t".join(row.split()) + "\r\n" for row in rows)


COLORBOX = [
    ("CubeFront", ["0.5 0.5 -0.5 0 0 1 1 1 0", "-0.5 0.5 -0.5 0 0 1 0 1 0",
                   "-0.5 1.5 -0.5 0 0 1 0 0 0", "0.5 1.5 -0.5 0 0 1 1 0 0"]),
    ("CubeRight", ["0.5 0.5 -0.5 -1 0 0 0 1 0", "0.5 1.5 -0.5 -1 0 0 0 0 0",
                   "0.5 1.5 0.5 -1 0 0 1 0 0", "0.5 0.5 0.5 -1 0 0 1 1 0"]),
    ("CubeBack", ["0.5 1.5 0.5 0 0 1 0 0 0", "-0.5 1.5 0.5 0 0 1 1 0 0",
                  "-0.5 0.5 0.5 0 0 1 1 1 0", "0.5 0.5 0.5 0 0 1 0 1 0"]),
    ("CubeLeft", ["-0.5 0.5 -0.5 -1 0 0 1 1 0", "-0.5 0.5 0.5 -1 0 0 0 1 0",
                  "-0.5 1.5 0.5 -1 0 0 0 0 0", "-0.5 1.5 -0.5 -1 0 0 1 0 0"]),
    ("CubeTop", ["0.5 1.5 -0.5 0 -1 0 0 0 0", "-0.5 1.5 -0.5 0 -1 0 1 0 0",
                 "-0.5 1.5 0.5 0 -1 0 1 1 0", "0.5 1.5 0.5 0 -1 0 0 1 0"]),
    ("CubeBottom", ["0.5 0.5 0.5 0 -1 0 1 1 0", "-0.5 0.5 0.5 0 -1 0 0 1 0",
                    "-0.5 0.5 -0.5 0 -1 0 0 0 0", "0.5 0.5 -0.5 0 -1 0 1 0 0"]),
]

HSVCIRCLE = record("hsvCircle", TEXTURED, QUAD, [
    "1 0 -1 0 -1 0 1 1 0", "-1 0 -1 0 -1 0 0 1 0",
    "-1 0 1 0 -1 0 0 0 0", "1 0 1 0 -1 0 1 0 0"])

HSVPLANE = record("hsvPlane", TEXTURED, QUAD, [
    "1 1 0 0 0 1 1 1 0", "1 0 0 0 0 1 1 0 0",
    "0 0 0 0 0 1 0 0 0", "0 1 0 0 0 1 0 1 0"])

MUNSELL = record("MunsellCube", "36 0 4 1 1",
                 "0 1 2 0 2 3 4 0 3 4 3 5 5 3 2 5 2 6 6 2 1 6 1 7 7 1 0 7 0 4 4 5 6 4 6 7 10", [
                     "-0.02 1 0 1 1 1 0 0 0", "-0.02 1 0.1 1 1 -1 0 0 0",
                     "-0.02 1.12 0.1 1 -1 -1 0 0 0", "-0.02 1.12 0 1 -1 1 0 0 0",
                     "0.1 1 0 -1 1 1 0 0 0", "0.1 1.12 0 -1 -1 1 0 0 0",
                     "0.1 1.12 0.1 -1 -1 -1 0 0 0", "0.1 1 0.1 -1 1 -1 0 0 0"])

OSTWALT = record("OstwaltPlane", "6 0 4 1 1", QUAD, [
    "0.06 2 0 0 0 1 0 0 0", "-0.02 2 0 0 0 1 0 0 0",
    "-0.02 1.84 0 0 0 1 0 0 0", "0.06 1.84 0 0 0 1 0 0 0"])

TEXTS = {
    "colorbox.txt": "".join(record(name, TEXTURED, QUAD, v) for name, v in COLORBOX),
    "hsvcircle.txt": HSVCIRCLE,
    "hsvplane.txt": HSVPLANE,
    "munsell.txt": MUNSELL,
    "ostwalt.txt": OSTWALT,
}

if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for file_name, text in TEXTS.items():
        with open(os.path.join(here, file_name), "wb") as f:
            f.write(text.encode("ascii"))
