# SPDX-License-Identifier: MIT
"""The two fonts: every glyph of the typeface in a 16x16 cell with a dark
rim and a drop shadow, so text reads over the board, the title background
and black alike. Font 0 is white, font 1 gold."""

import numpy as np

from canvas import blank, from_art, grow, pad, shaded, shift
from glyphs import glyph_rows
from palette import PALETTE as P

CELL = 16
PITCH = 17
COLUMNS = 6
ROWS = 16
# Where the 8x12 glyph sits in its cell: one column for the rim on the left,
# rows 2..13 so capitals sit in the middle of the menu bar behind them.
GLYPH_X = 1
GLYPH_Y = 2


def glyph_cell(char, font):
    body = pad(from_art(glyph_rows(char)), CELL, CELL, GLYPH_X, GLYPH_Y)
    image = blank(CELL, CELL)
    rim = grow(body)
    image[shift(rim, 1, 1) & ~rim] = P.ink[1]
    image[rim & ~body] = P.ink[0]
    ys = np.mgrid[0:CELL, 0:CELL][0] - GLYPH_Y
    if font == 0:
        ramp = [P.frost[0], P.frost[1], P.frost[2], P.grey[11]]
    else:
        ramp = [P.gold[1], P.gold[2], P.gold[3], P.gold[4]]
    # Bright at the top, deeper toward the baseline; descenders deeper still.
    level = 3.4 - ys * 0.3
    shaded(image, body, level, ramp)
    return image


def font_block(font):
    """The 6 x 16 cells of a font at a 17-pixel pitch, for characters 32 to
    127 down each column in turn; the lines between cells stay clear."""
    width = COLUMNS * PITCH - 1
    height = ROWS * PITCH - 1
    image = blank(width, height)
    for code in range(32, 128):
        column, row = divmod(code - 32, ROWS)
        x, y = column * PITCH, row * PITCH
        image[y:y + CELL, x:x + CELL] = glyph_cell(chr(code), font)
    return image
