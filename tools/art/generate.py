#!/usr/bin/python3
"""Draws Torvex's artwork and writes it into resources/:

  sheet.bmp      the 640x460 8-bit sprite sheet, whose colour table is the
                 game's palette
  icon1.bmp      the 64x64 window icon, 32-bit with alpha
  icons/*.png    the icon at 16, 32, 48, 64, 128 and 256 pixels

Run from anywhere with Debian's Python (it needs python3-numpy and
python3-pil):  /usr/bin/python3 tools/art/generate.py
The output is the same, byte for byte, on every run.

With --preview DIR it also writes the sheet at 2x and mock screens composed
from it into DIR, for looking at while drawing.
"""

import argparse
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


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)
    print("wrote", os.path.relpath(path, ROOT))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--preview", metavar="DIR", help="also write previews into DIR")
    args = parser.parse_args()

    sheet = build_sheet()
    write(os.path.join(RESOURCES, "sheet.bmp"), indexed_bmp(sheet, PALETTE.colours))
    write(os.path.join(RESOURCES, "icon1.bmp"), rgba_bmp(np.asarray(icon(64))))
    os.makedirs(os.path.join(RESOURCES, "icons"), exist_ok=True)
    for size in ICON_SIZES:
        path = os.path.join(RESOURCES, "icons", "torvex-%d.png" % size)
        icon(size).save(path, optimize=False)
        print("wrote", os.path.relpath(path, ROOT))

    if args.preview:
        import preview
        preview.write_all(sheet, args.preview)
    return 0


if __name__ == "__main__":
    sys.exit(main())
