# SPDX-License-Identifier: MIT
"""Lays every picture out on the 640x460 sprite sheet, at the places the
game's tables of source rectangles read them from."""

import numpy as np

import cells
import faces
import number_tiles
from canvas import stamp
from fonts import font_block
from logo import logo
from menu_bar import menu_bar

WIDTH = 640
HEIGHT = 460

MENU_BAR = (0, 320, 313, 339)
DEFAULT_GLYPH = (177, 337, 190, 350)
LOGO = (3, 342, 284, 430)
FONT_ORIGINS = ((417, 1), (519, 1))
FACE_COLUMNS = (314, 379, 444)
FACE_ROWS = (322, 388)


def _put(sheet, picture, x, y, expect=None):
    h, w = picture.shape
    if expect is not None:
        assert (x, y, x + w, y + h) == expect, (x, y, w, h, expect)
    assert x + w <= WIDTH and y + h <= HEIGHT
    stamp(sheet, picture, x, y)


def build_sheet():
    sheet = np.zeros((HEIGHT, WIDTH), np.uint8)
    cover_row = [cells.raised_cell(), cells.half_pressed_cell(), cells.flat_cell(),
                 cells.flag_cell(0), cells.flag_cell(1), cells.question_cell(0),
                 cells.question_cell(1), cells.cursor_box(), cells.press_highlight(),
                 cells.spare_cell()]
    for i, tile in enumerate(cover_row):
        _put(sheet, tile, 32 * i, 0)
    open_row = [cells.opening_cell(k) for k in range(5)] + [
        cells.opened_cell(), cells.revealed_mine_cell(), cells.explosion_cell(0),
        cells.explosion_cell(1), cells.crossed_flag_cell(0), cells.crossed_flag_cell(1)]
    for i, tile in enumerate(open_row):
        _put(sheet, tile, 32 * i, 32)
    for value in range(1, 9):
        y = 64 + 32 * (value - 1)
        for k in range(5):
            _put(sheet, number_tiles.number_emerging(value, k), 32 * k, y)
        for k in range(8):
            _put(sheet, number_tiles.number_turning(value, k), 32 * (5 + k), y)
    for font, (x, y) in enumerate(FONT_ORIGINS):
        _put(sheet, font_block(font), x, y, expect=(x, y, x + 101, y + 271))
    _put(sheet, menu_bar(), MENU_BAR[0], MENU_BAR[1], expect=MENU_BAR)
    _put(sheet, logo(), LOGO[0], LOGO[1], expect=LOGO)
    for column, face in enumerate((faces.smiling, faces.crossed_out, faces.cool)):
        for phase, y in enumerate(FACE_ROWS):
            _put(sheet, face(phase), FACE_COLUMNS[column], y)
    _check_default_glyph(sheet)
    return sheet


def _check_default_glyph(sheet):
    """Characters outside 32..127 are drawn from a 13x13 rectangle whose top
    two rows are the foot of the menu bar; the logo below must leave the rest
    of it clear, or stray letters would show up in text."""
    left, top, right, bottom = DEFAULT_GLYPH
    assert (sheet[top:top + 2, left:right] != 0).all()
    assert not sheet[top + 2:bottom, left:right].any()
