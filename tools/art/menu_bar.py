# SPDX-License-Identifier: MIT
"""The title menu's selection bar, 313x19, behind the selected line."""

import numpy as np

from canvas import blank, shaded
from palette import PALETTE as P

WIDTH = 313
HEIGHT = 19


def menu_bar():
    image = blank(WIDTH, HEIGHT)
    b = P.blue
    ys, xs = np.mgrid[0:HEIGHT, 0:WIDTH]
    # A capsule: a rectangle with its corners rounded off.
    radius = 6
    dx = np.maximum(np.maximum(radius - xs, xs - (WIDTH - 1 - radius)), 0)
    dy = np.maximum(np.maximum(radius - ys, ys - (HEIGHT - 1 - radius)), 0)
    inside = dx * dx + dy * dy <= radius * radius + radius
    # Deep blue glass: light along the top, darkening downward, with a bright
    # rim and a dark foot that give the bar its edge on any background.
    level = 3.6 - ys * 0.2
    shaded(image, inside, level, b[1:5])
    edge = inside & ~(np.roll(inside, 1, 0) & np.roll(inside, -1, 0) & np.roll(inside, 1, 1)
                      & np.roll(inside, -1, 1))
    edge |= inside & ((ys == 0) | (ys == HEIGHT - 1) | (xs == 0) | (xs == WIDTH - 1))
    image[edge] = P.ink[0]
    image[(ys == 1) & inside & ~edge] = b[5]
    image[(ys == HEIGHT - 2) & inside & ~edge] = P.sky[0]
    # A pointer at the left end aims at the selected line.
    for i in range(6):
        image[4 + i, 8 + i] = image[HEIGHT - 5 - i, 8 + i] = P.sun[5]
        image[4 + i + 1:HEIGHT - 5 - i, 8 + i] = P.sun[4]
    return image
