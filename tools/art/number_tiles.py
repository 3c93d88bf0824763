# SPDX-License-Identifier: MIT
"""The numbers 1 to 8 on opened cells: the picture at rest, the number
emerging as the cover breaks open, and a full turn about its upright axis."""

import math

import numpy as np

from canvas import from_art, grow, shaded, shift
from cells import SIZE, opened_cell, opening_cell
from palette import PALETTE as P

DIGITS = {
    1: ["....###....",
        "...####....",
        "..#####....",
        ".######....",
        ".##.###....",
        "....###....",
        "....###....",
        "....###....",
        "....###....",
        "....###....",
        "....###....",
        "....###....",
        "....###....",
        "....###....",
        "..#######..",
        "..#######.."],
    2: ["..######...",
        ".########..",
        "###....###.",
        "###....###.",
        ".......###.",
        "......####.",
        ".....####..",
        "....####...",
        "...####....",
        "..####.....",
        ".####......",
        "####.......",
        "###........",
        "###........",
        "##########.",
        "##########."],
    3: ["..######...",
        ".########..",
        "###....###.",
        "###....###.",
        ".......###.",
        ".......###.",
        "....#####..",
        "....#####..",
        ".......###.",
        ".......###.",
        ".......###.",
        "###....###.",
        "###....###.",
        "###....###.",
        ".########..",
        "..######..."],
    4: [".....####..",
        "....#####..",
        "....#####..",
        "...###.##..",
        "...###.##..",
        "..###..##..",
        "..###..##..",
        ".###...##..",
        ".###...##..",
        "###....##..",
        "##########.",
        "##########.",
        "......###..",
        "......###..",
        "......###..",
        "......###.."],
    5: ["#########..",
        "#########..",
        "###........",
        "###........",
        "###........",
        "#######....",
        "#########..",
        "......####.",
        ".......###.",
        ".......###.",
        ".......###.",
        "###....###.",
        "###....###.",
        "####..####.",
        ".########..",
        "..######..."],
    6: ["...######..",
        "..########.",
        ".####...##.",
        "###........",
        "###........",
        "###........",
        "###.#####..",
        "#########..",
        "####...###.",
        "###....###.",
        "###....###.",
        "###....###.",
        "###....###.",
        "####..####.",
        ".########..",
        "..######..."],
    7: ["##########.",
        "##########.",
        "###....###.",
        "......###..",
        "......###..",
        ".....###...",
        ".....###...",
        "....###....",
        "....###....",
        "...###.....",
        "...###.....",
        "...###.....",
        "..###......",
        "..###......",
        "..###......",
        "..###......"],
    8: ["..######...",
        ".########..",
        "###....###.",
        "###....###.",
        "###....###.",
        ".###..###..",
        "..######...",
        ".########..",
        "###....###.",
        "###....###.",
        "###....###.",
        "###....###.",
        "###....###.",
        "####..####.",
        ".########..",
        "..######..."],
}

DIGIT_WIDTH = 11
DIGIT_HEIGHT = 16
THICKNESS = 3  # how deep the number is when it stands edge-on


def _columns(mask, scale):
    """The mask squeezed (or stretched) horizontally about its centre by
    `scale`, mirrored when `scale` is negative: a number seen from an angle."""
    h, w = mask.shape
    width = max(1, int(round(abs(scale) * w)))
    out = np.zeros((h, width), bool)
    for i in range(width):
        source = int((i + 0.5) / width * w)
        if scale < 0:
            source = w - 1 - source
        out[:, i] = mask[:, source]
    return out


def _rows(mask, scale):
    h, w = mask.shape
    height = max(1, int(round(scale * h)))
    out = np.zeros((height, w), bool)
    for j in range(height):
        out[j, :] = mask[int((j + 0.5) / height * h), :]
    return out


def _paint_number(image, value, face, depth=0, brightness=0.0):
    """Paints a number (its face mask, already shaped) centred on the cell
    with a dark rim and a drop shadow on the ground. While it turns, `depth`
    pixels of its side show beside the face (to the right when positive)."""
    ramp = P.number[value]
    fh, fw = face.shape
    x = (SIZE - fw) // 2
    y = (SIZE - fh) // 2
    layer = np.zeros((SIZE, SIZE), bool)
    layer[y:y + fh, x:x + fw] = face
    side = np.zeros((SIZE, SIZE), bool)
    step = 1 if depth > 0 else -1
    for d in range(step, depth + step, step) if depth else ():
        side |= shift(layer, d, 0)
    side &= ~layer
    whole = layer | side
    rim = grow(whole) & ~whole
    shadow = shift(rim | whole, 1, 1) & ~rim & ~whole
    image[shadow] = P.paper[1]
    image[rim] = ramp[0]
    image[side] = ramp[1]
    ys = np.mgrid[0:SIZE, 0:SIZE][0]
    # Lit from above: a light top, the full colour in the middle, darker feet.
    level = 2.2 - (ys - y) / max(1, fh) * 1.8 + brightness
    shaded(image, layer, level, ramp[1:])
    return image


def number_at_rest(value):
    return _paint_number(opened_cell(), value, from_art(DIGITS[value]))


# How wide the number looks at each eighth of its turn. A true projection
# would shrink it to a sliver edge-on; the number keeps some width instead,
# so its colour and shape still tell which number it is at every moment.
TURN_WIDTHS = [1.0, 0.74, 0.42, 0.74, 1.0, 0.74, 0.42, 0.74]


def number_turning(value, frame):
    """Frame 0 is the number at rest; frames 1 to 7 turn it by 45 degrees
    each, so frame 7 leads back to frame 0 and the turn loops. The number is
    a token printed on both faces: its back reads the right way round too,
    so a turning 2 is never mistaken for a 5."""
    angle = frame * math.pi / 4
    s = math.sin(angle)
    face = _columns(from_art(DIGITS[value]), TURN_WIDTHS[frame])
    # While the number is turned, its depth shows as a darker band on the
    # side that is turning away.
    depth = int(round(s * THICKNESS))
    back = frame in (3, 4, 5)
    shade = -1.0 * abs(s) - (0.35 if back else 0.0)
    return _paint_number(opened_cell(), value, face, depth=depth, brightness=shade)


def number_emerging(value, frame):
    """The cover breaking open (as for an empty cell) with the number
    growing out of the ground, overshooting a little on the last frame."""
    scale = [0.0, 0.35, 0.6, 0.85, 1.12][frame]
    ground = opened_cell()
    if scale > 0:
        mask = from_art(DIGITS[value])
        grown = _rows(_columns(mask, scale), scale)
        _paint_number(ground, value, grown, brightness=0.6 * frame / 4)
    return opening_cell(frame, ground)
