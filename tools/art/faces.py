# SPDX-License-Identifier: MIT
"""The status faces, 64x64: smiling while playing, crossed-out eyes after a
loss, sunglasses after a win; each with the mouth closed (phase 0) and open
(phase 1)."""

import math

import numpy as np

from canvas import blank, disc, grow, shaded, supersampled
from palette import PALETTE as P

SIZE = 64
CX = CY = 32.0
RADIUS = 29.0


def _head():
    image = blank(SIZE, SIZE)
    head = disc(SIZE, SIZE, CX, CY, RADIUS)
    image[grow(grow(head)) & ~head] = P.ink[0]
    ys, xs = np.mgrid[0:SIZE, 0:SIZE]
    nx = (xs + 0.5 - CX) / RADIUS
    ny = (ys + 0.5 - CY) / RADIUS
    nz = np.sqrt(np.clip(1 - nx * nx - ny * ny, 0, 1))
    # Lit from the upper left and a little from the front.
    light = (-0.45 * nx - 0.55 * ny + 0.7 * nz) / math.sqrt(0.45 ** 2 + 0.55 ** 2 + 0.7 ** 2)
    shaded(image, head, 0.6 + light * 4.2, P.sun)
    shine = disc(SIZE, SIZE, 20, 14, 6, 3.2)
    image[shine & head] = P.sun[5]
    image[disc(SIZE, SIZE, 18.5, 13.5, 2.5, 1.4)] = P.grey[11]
    return image


def _cheeks(image):
    for cx in (15.0, 49.0):
        image[disc(SIZE, SIZE, cx, 41, 4.5, 2.6)] = P.pink[0]
        image[disc(SIZE, SIZE, cx - 1, 40.5, 1.8, 1.0)] = P.pink[1]


def _eyes(image):
    for cx in (23.0, 41.0):
        image[disc(SIZE, SIZE, cx, 24, 3.6, 6.2)] = P.ink[0]
        image[disc(SIZE, SIZE, cx - 1.2, 21.5, 1.3, 1.8)] = P.grey[11]


def _crossed_eyes(image):
    def draw(d, k):
        for cx in (23.0, 41.0):
            for sx in (-1, 1):
                d.line([((cx - 5) * k, (24 - 5 * sx) * k), ((cx + 5) * k, (24 + 5 * sx) * k)],
                       fill=255, width=int(3.2 * k))
    image[supersampled(SIZE, SIZE, draw)] = P.ink[0]


def _sunglasses(image):
    def lenses(d, k):
        for x0, x1 in ((9, 30), (34, 55)):
            d.polygon([(x0 * k, 19 * k), (x1 * k, 19 * k), ((x1 - 2) * k, 31 * k),
                       ((x0 + 4) * k, 33 * k), ((x0 + 1) * k, 28 * k)], fill=255)
    glass = supersampled(SIZE, SIZE, lenses)
    frame = grow(glass) & ~glass
    ys, xs = np.mgrid[0:SIZE, 0:SIZE]
    image[frame] = P.ink[0]
    image[(ys >= 19) & (ys <= 21) & (xs >= 28) & (xs <= 36)] = P.ink[0]
    # The arms run back to the edge of the head.
    arms = (ys >= 19) & (ys <= 20) & ((xs < 10) | (xs > 54)) & disc(SIZE, SIZE, CX, CY, RADIUS)
    image[arms] = P.ink[0]
    shaded(image, glass, 1.6 - (ys - 19) / 14.0 * 1.4, [P.ink[0], P.ink[1], P.blue[1]])
    # A cool streak of sky across each lens.
    streak = glass & (np.abs((xs - ys) % 25 - 8) <= 1)
    image[streak] = P.blue[4]
    image[glass & (np.abs((xs - ys) % 25 - 10) == 0)] = P.sky[1]


def _arc_mouth(image, cy, ry, upward, width=3.4, rx=13.0):
    """A smile (or, with `upward`, a frown) drawn as part of an ellipse."""
    def draw(d, k):
        box = [(CX - rx) * k, (cy - ry) * k, (CX + rx) * k, (cy + ry) * k]
        start, end = (200, 340) if upward else (20, 160)
        d.arc(box, start, end, fill=255, width=int(width * k))
    image[supersampled(SIZE, SIZE, draw)] = P.ink[0]


def _open_mouth(image, top, bottom, rx, teeth):
    """An open D-shaped mouth: teeth along the top, a tongue at the bottom."""
    ys, xs = np.mgrid[0:SIZE, 0:SIZE]
    depth = bottom - top
    inside = ((xs + 0.5 - CX) / rx) ** 2 + ((ys + 0.5 - top) / depth) ** 2 <= 1.0
    inside &= ys >= top
    image[grow(inside) & ~inside] = P.ink[0]
    image[inside] = P.red[0]
    tongue = inside & disc(SIZE, SIZE, CX + 2, bottom - 1, rx * 0.55, depth * 0.4)
    image[tongue] = P.red[3]
    image[tongue & disc(SIZE, SIZE, CX, bottom - 3, rx * 0.25, depth * 0.15)] = P.red[4]
    if teeth:
        band = inside & (ys < top + teeth)
        image[band] = P.grey[11]
        image[band & (ys == top + teeth - 1)] = P.grey[8]
        image[band & ((xs - int(CX)) % 5 == 0)] = P.grey[8]


def _round_mouth(image):
    """An O of surprise."""
    outer = disc(SIZE, SIZE, CX, 47, 6.5, 7.5)
    image[grow(outer) & ~outer] = P.ink[0]
    image[outer] = P.red[0]
    image[disc(SIZE, SIZE, CX, 50, 4, 3.5)] = P.red[2]


def _sweat(image):
    def drop(d, k):
        d.polygon([(52 * k, 8 * k), (49 * k, 15 * k), (55 * k, 15 * k)], fill=255)
        d.ellipse([(48.8 * k, 12 * k), (55.2 * k, 18.4 * k)], fill=255)
    mask = supersampled(SIZE, SIZE, drop)
    image[grow(mask) & ~mask] = P.ink[0]
    image[mask] = P.sky[0]
    image[14:16, 50] = P.sky[1]


def smiling(phase):
    image = _head()
    _cheeks(image)
    _eyes(image)
    if phase == 0:
        _arc_mouth(image, 36, 12, upward=False)
    else:
        _open_mouth(image, 39, 53, 12.5, teeth=3)
    return image


def crossed_out(phase):
    image = _head()
    _crossed_eyes(image)
    if phase == 0:
        _arc_mouth(image, 55, 9, upward=True)
    else:
        _round_mouth(image)
    _sweat(image)
    return image


def cool(phase):
    image = _head()
    _cheeks(image)
    _sunglasses(image)
    if phase == 0:
        _arc_mouth(image, 35, 13, upward=False, rx=15)
    else:
        _open_mouth(image, 39, 54, 15, teeth=5)
    return image
