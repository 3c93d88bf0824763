# SPDX-License-Identifier: MIT
"""Small drawing helpers on index images (numpy uint8 arrays, 0 = clear)."""

import numpy as np
from PIL import Image, ImageDraw

# A 4x4 ordered-dither matrix, so shaded surfaces step between two ramp
# colours in a fine regular pattern instead of banding.
BAYER = (np.array([[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]) + 0.5) / 16


def blank(width, height):
    return np.zeros((height, width), np.uint8)


def from_art(rows):
    """Boolean mask from text art: '#' set, anything else clear."""
    return np.array([[c == "#" for c in row] for row in rows], bool)


def shift(mask, dx, dy):
    """The mask moved by (dx, dy), clipped to its own size."""
    h, w = mask.shape
    out = np.zeros_like(mask)
    src = mask[max(0, -dy):h - max(0, dy), max(0, -dx):w - max(0, dx)]
    out[max(0, dy):max(0, dy) + src.shape[0], max(0, dx):max(0, dx) + src.shape[1]] = src
    return out


def grow(mask, diagonal=True):
    """The mask and its eight (or four) neighbours: a one-pixel outline ring."""
    out = mask.copy()
    steps = [(-1, 0), (1, 0), (0, -1), (0, 1)]
    if diagonal:
        steps += [(-1, -1), (1, -1), (-1, 1), (1, 1)]
    for dx, dy in steps:
        out |= shift(mask, dx, dy)
    return out


def paint(image, mask, index):
    image[mask] = index


def pad(mask, width, height, x, y):
    """Places a small mask at (x, y) inside a larger empty one."""
    out = np.zeros((height, width), bool)
    h, w = mask.shape
    out[y:y + h, x:x + w] = mask
    return out


def shaded(image, mask, levels, ramp):
    """Paints mask pixels with ramp colours chosen by a float level per pixel
    (0 = ramp[0] ... len-1 = last), ordered-dithered between neighbours."""
    h, w = image.shape
    ys, xs = np.mgrid[0:h, 0:w]
    threshold = BAYER[ys % 4, xs % 4]
    clipped = np.clip(levels, 0, len(ramp) - 1)
    base = np.floor(clipped)
    frac = clipped - base
    chosen = np.clip(base + (frac > threshold), 0, len(ramp) - 1).astype(int)
    lookup = np.array(ramp, np.uint8)
    image[mask] = lookup[chosen[mask]]


def supersampled(width, height, draw, scale=8):
    """A crisp mask from shapes drawn by `draw(ImageDraw, scale)` on a canvas
    `scale` times larger, kept where at least half of a pixel is covered."""
    big = Image.new("L", (width * scale, height * scale), 0)
    draw(ImageDraw.Draw(big), scale)
    cover = np.asarray(big, np.float32).reshape(height, scale, width, scale).mean(axis=(1, 3))
    return cover >= 127.5


def disc(width, height, cx, cy, rx, ry=None):
    """Pixels whose centres lie inside an ellipse centred at (cx, cy)."""
    ry = rx if ry is None else ry
    ys, xs = np.mgrid[0:height, 0:width]
    return ((xs + 0.5 - cx) / rx) ** 2 + ((ys + 0.5 - cy) / ry) ** 2 <= 1.0


def stamp(image, sprite, x, y):
    """Copies the non-zero pixels of `sprite` onto `image` at (x, y), clipped."""
    h, w = sprite.shape
    H, W = image.shape
    x0, y0 = max(0, x), max(0, y)
    x1, y1 = min(W, x + w), min(H, y + h)
    if x0 >= x1 or y0 >= y1:
        return
    part = sprite[y0 - y:y1 - y, x0 - x:x1 - x]
    target = image[y0:y1, x0:x1]
    target[part != 0] = part[part != 0]
