# SPDX-License-Identifier: MIT
"""The 256-colour palette of the sprite sheet, which is also the screen's.

Index 0 is black and is never painted by a picture: it is the transparent
colour of every copy and the colour the screen is cleared to. Everything else
is organised in named ramps, dark to light, so the drawing code can say
"steel[5]" and shade by stepping along a ramp.
"""


def _mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def _ramp(dark, light, steps):
    return [_mix(dark, light, i / (steps - 1)) for i in range(steps)]


def _hue_ramp(base, name):
    """Five shades of a number colour: outline, shadow, body, light, gleam."""
    black = (0, 0, 0)
    white = (255, 255, 255)
    if name == "seven":  # a black number still needs a light side to turn
        return [(8, 8, 14), (22, 22, 30), base, (78, 80, 96), (132, 136, 156)]
    return [_mix(base, black, 0.62), _mix(base, black, 0.3), base,
            _mix(base, white, 0.35), _mix(base, white, 0.68)]


class Palette:
    def __init__(self):
        self.colours = [(0, 0, 0)]
        # Opaque darks for outlines: never index 0, which would be see-through.
        self.ink = self._add([(10, 9, 18), (26, 23, 38), (44, 40, 60)])
        self.grey = self._add(_ramp((52, 54, 60), (250, 250, 252), 12))
        self.steel = self._add([(30, 38, 60), (46, 58, 88), (62, 78, 114), (80, 100, 142),
                                (98, 122, 168), (120, 146, 192), (150, 176, 218),
                                (188, 208, 238)])
        self.paper = self._add([(122, 120, 118), (150, 148, 144), (172, 170, 164),
                                (190, 188, 182), (202, 200, 194), (218, 216, 210)])
        bases = [("one", (36, 84, 236)), ("two", (26, 136, 44)), ("three", (214, 38, 38)),
                 ("four", (30, 36, 146)), ("five", (134, 26, 40)), ("six", (0, 134, 142)),
                 ("seven", (40, 40, 48)), ("eight", (108, 110, 120))]
        self.number = [None] + [self._add(_hue_ramp(c, n)) for n, c in bases]
        self.red = self._add([(74, 8, 16), (122, 14, 24), (176, 24, 30), (222, 44, 40),
                              (246, 96, 80), (255, 164, 150)])
        self.fire = self._add([(150, 44, 0), (212, 84, 0), (246, 132, 16), (255, 188, 36),
                               (255, 232, 110), (255, 252, 214)])
        self.sun = self._add([(112, 70, 0), (186, 126, 0), (230, 172, 12), (250, 206, 44),
                              (255, 230, 112), (255, 248, 196)])
        self.wood = self._add([(78, 50, 26), (128, 88, 44), (180, 140, 84)])
        self.pink = self._add([(226, 110, 120), (246, 156, 160)])
        self.frost = self._add([(150, 168, 200), (196, 210, 232), (236, 242, 252)])
        self.gold = self._add([(150, 88, 10), (206, 134, 18), (244, 184, 34), (255, 222, 90),
                               (255, 244, 170)])
        self.blue = self._add([(14, 20, 64), (24, 38, 108), (36, 60, 156), (56, 92, 204),
                               (96, 142, 240), (168, 204, 255)])
        self.ember = self._add([(58, 12, 10), (98, 24, 16), (150, 44, 22)])
        self.sky = self._add([(90, 190, 255), (180, 232, 255)])
        self.spare_start = len(self.colours)
        self._fill_spare()
        assert len(self.colours) == 256

    def _add(self, colours):
        first = len(self.colours)
        self.colours.extend(colours)
        return list(range(first, first + len(colours)))

    def _fill_spare(self):
        # The rest is a small even colour cube and a grey ramp, so later
        # pictures have somewhere to go without redoing the ramps above.
        levels = [0, 64, 128, 192, 255]
        cube = [(r, g, b) for r in levels for g in levels for b in levels
                if (r, g, b) != (0, 0, 0)]
        spare = 256 - len(self.colours)
        self.colours.extend(cube[:spare])
        while len(self.colours) < 256:
            v = 8 * (len(self.colours) % 32)
            self.colours.append((v, v, v + 4))


PALETTE = Palette()
