# SPDX-License-Identifier: MIT
"""The 32x32 cell pictures: covers, marks, the opened cell, mines and the
cursor pictures that are drawn over cells."""

import math

import numpy as np

from canvas import blank, from_art, grow, pad, shaded, shift, disc, supersampled
from palette import PALETTE as P

SIZE = 32


def bevel(lights, darks, face):
    """A square cell whose outer rings are lit on the top and left and shaded
    on the bottom and right; ring i uses lights[i] and darks[i]. The corners
    are split on the diagonal, as light falling from the top-left would."""
    image = blank(SIZE, SIZE)
    image[:, :] = face
    last = SIZE - 1
    for y in range(SIZE):
        for x in range(SIZE):
            near_lit = min(x, y)
            near_dark = min(last - x, last - y)
            depth = min(near_lit, near_dark)
            if depth >= len(lights):
                continue
            lit = near_lit < near_dark or (near_lit == near_dark and x + y < last)
            image[y, x] = lights[depth] if lit else darks[depth]
    return image


def raised_cell():
    s = P.steel
    image = bevel([s[7], s[6], s[5]], [P.ink[1], s[1], s[2]], s[4])
    # A small gleam in the top-left corner of the face catches the eye
    # without turning a field of covers into noise.
    image[3, 3:9] = s[5]
    image[3:9, 3] = s[5]
    return image


def half_pressed_cell():
    s = P.steel
    return bevel([s[5], s[4]], [P.ink[1], s[2]], s[3])


def flat_cell():
    s = P.steel
    # Pressed in: the shadow now falls on the top and left inner edges.
    return bevel([P.ink[1], s[1]], [P.ink[1], s[4]], s[3])


def opened_cell():
    p = P.paper
    image = blank(SIZE, SIZE)
    image[:, :] = p[3]
    # The grid: a line on the top and left of every cell, with a soft
    # shadow inside it, so opened ground sits below the raised covers.
    image[1, 1:] = p[2]
    image[1:, 1] = p[2]
    image[0, :] = p[0]
    image[:, 0] = p[0]
    return image


def spare_cell():
    image = opened_cell()
    image[15:17, 15:17] = P.paper[0]
    return image


FLAG_POLE_X = 10


def flag(image, frame, lift=0):
    """A red pennant waving on a pole, planted on a small base."""
    red = P.red
    pole_top, pole_bottom = 5 - lift, 25
    # The base: a little dark mound the pole stands in.
    image[24:26, 6:16] = P.ink[1]
    image[23, 7:15] = P.ink[1]
    image[24, 7:15] = P.grey[3]
    image[23, 8:14] = P.grey[5]
    # The pole.
    image[pole_top:pole_bottom - 1, FLAG_POLE_X - 1] = P.ink[0]
    image[pole_top:pole_bottom - 1, FLAG_POLE_X + 2] = P.ink[0]
    image[pole_top:pole_bottom - 1, FLAG_POLE_X] = P.wood[2]
    image[pole_top:pole_bottom - 1, FLAG_POLE_X + 1] = P.wood[1]
    image[pole_top - 1, FLAG_POLE_X - 1:FLAG_POLE_X + 3] = P.ink[0]
    # The cloth, one column at a time, each shifted by the wave.
    cloth = np.zeros((SIZE, SIZE), bool)
    light = np.zeros((SIZE, SIZE), float)
    phase = frame * math.pi
    left = FLAG_POLE_X + 2
    length = 15
    for i in range(length):
        x = left + i
        wave = 1.6 * math.sin(i * 0.42 - phase) * (i / length)
        slope = math.cos(i * 0.42 - phase) * (i / length)
        top = pole_top + 1 + wave + i * 0.22
        bottom = pole_top + 12 + wave - i * 0.22
        for y in range(int(round(top)), int(round(bottom))):
            cloth[y, x] = True
            light[y, x] = 3.2 + 1.6 * slope - 0.6 * (y - top) / max(1, bottom - top)
    edge = grow(cloth) & ~cloth
    edge[:, :left] = False
    image[edge] = P.ink[0]
    shaded(image, cloth, light - 1, red[1:])
    return image


def flag_cell(frame):
    return flag(raised_cell(), frame)


QUESTION = [
    "...######...",
    "..########..",
    ".####..####.",
    ".###....###.",
    "........###.",
    ".......####.",
    "......####..",
    ".....####...",
    ".....###....",
    ".....###....",
    "............",
    ".....###....",
    ".....###....",
    ".....###....",
]


def question_cell(frame):
    image = raised_cell()
    mark = pad(from_art(QUESTION), SIZE, SIZE, 10, 8 - frame)
    image[shift(grow(mark), 1, 1) & ~grow(mark)] = P.steel[1]
    image[grow(mark) & ~mark] = P.ink[0]
    ys = np.mgrid[0:SIZE, 0:SIZE][0]
    ramp = [P.sun[2], P.sun[3], P.sun[4], P.sun[5]]
    level = 3.0 - (ys - 8) / 14.0 * 3 + frame * 0.8
    shaded(image, mark, level, ramp)
    return image


def _ringed(lines, bright):
    """Draws `lines` (a mask) in a bright colour with a dark rim so it shows
    on every cell, light or dark."""
    image = blank(SIZE, SIZE)
    image[grow(lines) & ~lines] = P.ink[0]
    image[lines] = bright
    return image


def cursor_box():
    """The crosshair under the screen centre: four short arms with a gap and
    a dot in the middle, and no frame. It points at the board point under
    the centre of the screen (pixel 16 of the picture), so the eye reads
    "the cell under this point"; a frame would straddle four cells whenever
    the view is not on a cell centre and read as a cell of its own. The
    lines are two pixels of bright yellow with a dark rim, so they show on
    the steel covers, the pale opened ground and the flags alike."""
    lines = np.zeros((SIZE, SIZE), bool)
    centre = SIZE // 2
    middle = slice(centre - 1, centre + 1)
    gap, reach = 7, 14  # each arm runs from 7 to 14 pixels out from the middle
    for start, stop in ((centre - reach, centre - gap), (centre + gap, centre + reach)):
        lines[start:stop, middle] = True
        lines[middle, start:stop] = True
    lines[middle, middle] = True  # the dot
    return _ringed(lines, P.sun[4])


def press_highlight():
    lines = np.zeros((SIZE, SIZE), bool)
    inset, arm = 5, 7
    far = SIZE - 1 - inset
    for x, y, dx, dy in ((inset, inset, 1, 1), (far, inset, -1, 1), (inset, far, 1, -1),
                         (far, far, -1, -1)):
        for i in range(arm):
            lines[y, x + dx * i] = lines[y + dy, x + dx * i] = True
            lines[y + dy * i, x] = lines[y + dy * i, x + dx] = True
    lines[13:19, 15:17] = True
    lines[15:17, 13:19] = True
    return _ringed(lines, P.frost[2])


def opening_cell(frame, under=None):
    """The cover of a cell breaking into four pieces that sink into the
    corners, over the opened ground (and whatever `under` adds to it)."""
    image = opened_cell() if under is None else under
    gap = [1, 3, 5, 7, 9][frame]
    size = [15, 12, 9, 6, 3][frame]
    s = P.steel
    face = [s[4], s[4], s[3], s[3], s[2]][frame]
    for qx in (0, 1):
        for qy in (0, 1):
            x0 = 16 - gap - size if qx == 0 else 16 + gap
            y0 = 16 - gap - size if qy == 0 else 16 + gap
            x0 += 1 if qx == 0 else -1
            y0 += 1 if qy == 0 else -1
            x1, y1 = x0 + size, y0 + size
            image[y0:y1, x0:x1] = face
            if size >= 4:
                image[y0, x0:x1] = s[6]
                image[y0:y1, x0] = s[6]
                image[y1 - 1, x0:x1] = s[1]
                image[y0:y1, x1 - 1] = s[1]
            # Each piece casts a small shadow on the ground beneath.
            shadow = np.zeros((SIZE, SIZE), bool)
            shadow[y0 + 1:y1 + 1, x0 + 1:x1 + 1] = True
            shadow[y0:y1, x0:x1] = False
            shadow &= image == P.paper[3]
            image[shadow] = P.paper[1]
    return image


def mine(image, cx=16.0, cy=16.0):
    """A round mine with eight spikes and a glint, lit from the top-left."""
    spikes = supersampled(SIZE, SIZE, lambda d, k: _spikes(d, k, cx, cy))
    body = disc(SIZE, SIZE, cx, cy, 7.6)
    whole = spikes | body
    image[grow(whole) & ~whole] = P.ink[0]
    image[spikes & ~body] = P.grey[2]
    ys, xs = np.mgrid[0:SIZE, 0:SIZE]
    dx, dy = xs + 0.5 - cx, ys + 0.5 - cy
    light = 3.2 - (dx + dy) * 0.28 - np.hypot(dx, dy) * 0.12
    shaded(image, body, light, [P.ink[1], P.ink[2], P.grey[0], P.grey[1], P.grey[3]])
    image[int(cy) - 4:int(cy) - 2, int(cx) - 4:int(cx) - 2] = P.grey[11]
    image[int(cy) - 2, int(cx) - 4] = P.grey[8]
    image[int(cy) - 4, int(cx) - 2] = P.grey[8]
    return image


def _spikes(draw, k, cx, cy):
    for i in range(8):
        angle = i * math.pi / 4
        reach = 12.5 if i % 2 == 0 else 10.5
        width = 2.2 if i % 2 == 0 else 1.8
        x, y = cx + math.cos(angle) * reach, cy + math.sin(angle) * reach
        draw.line([(cx * k, cy * k), (x * k, y * k)], fill=255, width=int(width * k))


def revealed_mine_cell():
    return mine(opened_cell())


def explosion_cell(frame):
    image = blank(SIZE, SIZE)
    r = P.red
    image[:, :] = r[3]
    image[0, :] = r[1]
    image[:, 0] = r[1]
    image[1, 1:] = r[2]
    image[1:, 1] = r[2]
    # A burst of flame behind the mine: frame 1 is larger and turned, so the
    # two frames flicker.
    ys, xs = np.mgrid[0:SIZE, 0:SIZE]
    dx, dy = xs + 0.5 - 16, ys + 0.5 - 16
    angle = np.arctan2(dy, dx) + frame * math.pi / 8
    star = (12.5 + 2.5 * frame) * (0.72 + 0.28 * np.cos(angle * 8))
    distance = np.hypot(dx, dy)
    burst = (distance <= star) & (xs >= 1) & (ys >= 1)
    shaded(image, burst, 5.2 - distance / star * 4.2 + frame * 0.6, P.fire)
    return mine(image)


def crossed_flag_cell(frame):
    image = flag_cell(frame)
    lines = supersampled(SIZE, SIZE, _cross)
    image[grow(lines) & ~lines] = P.ink[0]
    image[lines] = [P.red[3], P.red[5]][frame]
    return image


def _cross(draw, k):
    for (x0, y0), (x1, y1) in (((6, 6), (26, 26)), ((26, 6), (6, 26))):
        draw.line([(x0 * k, y0 * k), (x1 * k, y1 * k)], fill=255, width=int(3.2 * k))
