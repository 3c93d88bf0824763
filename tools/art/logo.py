# SPDX-License-Identifier: MIT
"""The title logo, 281x88: the word TORVEX in bevelled gold block letters,
leaning forward, with a deep extrusion and a dark rim."""

import numpy as np

from canvas import blank, grow, shaded, shift, supersampled
from palette import PALETTE as P

WIDTH = 281
HEIGHT = 88

# Letters on a 5 x 7 grid of blocks; a block's corner is filled in where two
# of its sides touch the letter, which rounds the letters off.
LETTERS = {
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
}
WORD = "TORVEX"
UNIT = 7        # pixels per block
GAP = 7         # pixels between letters
LEAN = 0.2      # forward slant, pixels per pixel of height
TOP = 10        # the first row of lettering
LEFT = 6
DEPTH = 4       # the extrusion, down and to the right


def _letter_polygons(x0, y0):
    """Yields the polygons of every letter, in unslanted pixel units."""
    for n, char in enumerate(WORD):
        rows = LETTERS[char]
        left = x0 + n * (5 * UNIT + GAP)
        for r, row in enumerate(rows):
            for c, cell in enumerate(row):
                x, y = left + c * UNIT, y0 + r * UNIT
                if cell == "#":
                    yield [(x, y), (x + UNIT, y), (x + UNIT, y + UNIT), (x, y + UNIT)]
                    continue

                def filled(cc, rr):
                    return 0 <= rr < 7 and 0 <= cc < 5 and rows[rr][cc] == "#"
                # Fill the corner of an empty block between two filled sides.
                a, b, u = (x, y), (x + UNIT, y), UNIT
                if filled(c - 1, r) and filled(c, r - 1):
                    yield [a, b, (x, y + u)]
                if filled(c + 1, r) and filled(c, r - 1):
                    yield [a, b, (x + u, y + u)]
                if filled(c - 1, r) and filled(c, r + 1):
                    yield [a, (x, y + u), (x + u, y + u)]
                if filled(c + 1, r) and filled(c, r + 1):
                    yield [b, (x + u, y + u), (x, y + u)]


def _draw_letters(draw, k):
    height = 7 * UNIT
    for polygon in _letter_polygons(LEFT, TOP):
        slanted = [((x + (TOP + height - y) * LEAN) * k, y * k) for x, y in polygon]
        draw.polygon(slanted, fill=255)


def logo():
    image = blank(WIDTH, HEIGHT)
    face = supersampled(WIDTH, HEIGHT, _draw_letters)
    depth = np.zeros_like(face)
    for i in range(1, DEPTH + 1):
        depth |= shift(face, i, i)
    depth &= ~face
    whole = face | depth
    rim = grow(grow(whole)) & ~whole
    image[rim] = P.ink[0]
    ys, xs = np.mgrid[0:HEIGHT, 0:WIDTH]
    # The extrusion: dark embers, a little lighter near the letter face.
    shaded(image, depth, 2.2 - (ys - TOP) / (7 * UNIT) * 1.6, P.ember)
    # The face: polished gold, bright above a horizon line, glowing below.
    t = (ys - TOP) / (7 * UNIT)
    level = np.where(t < 0.5, 5.0 - t * 5.0, 1.2 + (t - 0.5) * 5.0)
    ramp = [P.fire[0], P.gold[0], P.gold[1], P.gold[2], P.gold[3], P.gold[4]]
    shaded(image, face, level, ramp)
    # Catch the light on the top and left edges of every stroke.
    top_edge = face & ~shift(face, 0, 1)
    left_edge = face & ~shift(face, 1, 0)
    image[left_edge] = P.gold[4]
    image[top_edge] = P.sun[5]
    _underline(image)
    _sparkle(image, 22, 12)
    _sparkle(image, 262, 60)
    return image


def _underline(image):
    """A thin gold rule under the word, ending in two small diamonds."""
    y = 76
    left, right = 30, 250
    image[y - 1:y + 2, left - 1:right + 1] = P.ink[0]
    image[y, left:right] = P.gold[3]
    for cx in (left - 4, right + 3):
        for dy in range(-4, 5):
            half = 4 - abs(dy)
            image[y + dy, cx - half - 1:cx + half + 2] = P.ink[0]
        for dy in range(-3, 4):
            half = 3 - abs(dy)
            image[y + dy, cx - half:cx + half + 1] = P.gold[4] if dy < 0 else P.gold[2]


def _sparkle(image, cx, cy):
    """A four-pointed glint."""
    for i in range(-4, 5):
        shade = P.sun[5] if abs(i) < 2 else P.frost[2]
        image[cy + i, cx] = shade
        image[cy, cx + i] = shade
    image[cy - 1:cy + 2, cx - 1:cx + 2] = P.grey[11]
