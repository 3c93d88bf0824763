#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Draws Torvex's artwork and writes it into resources/:

  sheet.bmp      the 640x460 8-bit sprite sheet, whose colour table is the
                 game's palette
  icon1.bmp      the 64x64 window icon, 32-bit with alpha
  icons/*.png    the icon at 16, 32, 48, 64, 128 and 256 pixels

Run from anywhere with Debian's Python (it needs python3-numpy and
python3-pil):  /usr/bin/python3 tools/art/generate.py
The output is the same, byte for byte, on every run.

With --check it writes nothing and reports whether the committed files are
what the generator draws now (exit status 1 when they differ).
With --preview DIR it also writes the sheet at 2x and mock screens composed
from it into DIR, for looking at while drawing.
"""

import argparse
import io
import os
import sys

import numpy as np

from bmp import indexed_bmp, rgba_bmp
from icon import icon
from palette import PALETTE
from sheet import build_sheet

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RESOURCES = os.path.join(ROOT, "resources")
ICON_SIZES = (16, 32, 48, 64, 128, 256)


def outputs(sheet):
    """Every file the generator makes: (path, bytes)."""
    yield os.path.join(RESOURCES, "sheet.bmp"), indexed_bmp(sheet, PALETTE.colours)
    yield os.path.join(RESOURCES, "icon1.bmp"), rgba_bmp(np.asarray(icon(64)))
    for size in ICON_SIZES:
        png = io.BytesIO()
        icon(size).save(png, "PNG", optimize=False)
        yield os.path.join(RESOURCES, "icons", "torvex-%d.png" % size), png.getvalue()


def same_as_file(path, data):
    try:
        with open(path, "rb") as existing:
            return existing.read() == data
    except OSError:
        return False


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed files instead of writing")
    parser.add_argument("--preview", metavar="DIR", help="also write previews into DIR")
    args = parser.parse_args()

    sheet = build_sheet()
    differing = 0
    for path, data in outputs(sheet):
        name = os.path.relpath(path, ROOT)
        if args.check:
            same = same_as_file(path, data)
            differing += not same
            print(("same     " if same else "DIFFERS  ") + name)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)
        print("wrote", name)

    if args.preview:
        import preview
        preview.write_all(sheet, args.preview)
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
