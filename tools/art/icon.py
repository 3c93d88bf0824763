# SPDX-License-Identifier: MIT
"""The game's icon: a raised steel cell with a red flag planted on it, drawn
large and scaled down to each size so edges stay smooth."""

import math

from PIL import Image, ImageDraw

DESIGN = 1024  # the size the icon is drawn at before scaling down


def _design():
    n = DESIGN
    image = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)

    def box(inset, colour, radius, dx=0, dy=0):
        d.rounded_rectangle([inset * n + dx, inset * n + dy, (1 - inset) * n + dx - 1,
                             (1 - inset) * n + dy - 1], radius=radius * n, fill=colour)

    # The cell: a dark rim, a bevel lit on the top-left half and shaded on
    # the bottom-right half (split on the diagonal), then the face.
    box(0.03, (16, 18, 34, 255), 0.17)
    box(0.075, (188, 208, 238, 255), 0.14)
    shade = Image.new("L", (n, n), 0)
    ImageDraw.Draw(shade).rounded_rectangle([0.075 * n, 0.075 * n, 0.925 * n - 1, 0.925 * n - 1],
                                            radius=0.14 * n, fill=255)
    ImageDraw.Draw(shade).polygon([(0, 0), (n, 0), (0, n)], fill=0)
    image.paste((46, 58, 88, 255), (0, 0), shade)
    box(0.16, (98, 122, 168, 255), 0.08)
    box(0.18, (108, 134, 182, 255), 0.07)
    # The base and the pole.
    d.ellipse([0.22 * n, 0.72 * n, 0.62 * n, 0.84 * n], fill=(16, 18, 34, 255))
    d.ellipse([0.26 * n, 0.735 * n, 0.58 * n, 0.815 * n], fill=(120, 122, 132, 255))
    d.rectangle([0.38 * n, 0.2 * n, 0.45 * n, 0.79 * n], fill=(16, 18, 34, 255))
    d.rectangle([0.395 * n, 0.215 * n, 0.435 * n, 0.78 * n], fill=(200, 160, 100, 255))
    # The cloth: a waving pennant with a dark rim and a lighter fold.
    def cloth(grow):
        top, bottom = [], []
        for i in range(41):
            t = i / 40
            x = 0.435 * n + t * 0.36 * n
            wave = math.sin(t * 5.0) * 0.03 * n * t
            top.append((x, 0.22 * n + wave + t * 0.08 * n - grow))
            bottom.append((x, 0.55 * n + wave - t * 0.08 * n + grow))
        return top + bottom[::-1]
    d.polygon(cloth(0.02 * n), fill=(16, 18, 34, 255))
    d.polygon(cloth(0), fill=(216, 40, 40, 255))
    top = [(x, y + 0.04 * n) for x, y in cloth(0)[:41]]
    d.line(top[2:36], fill=(255, 140, 120, 255), width=int(0.03 * n))
    return image


def icon(size):
    """The icon at `size` pixels as an RGBA image."""
    return _design().resize((size, size), Image.LANCZOS)
