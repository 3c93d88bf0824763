# SPDX-License-Identifier: MIT
"""Previews for the artist: the sheet at 2x and mock screens composed from
it the way the game composes its frames, written as PNG files."""

import os
import re

import numpy as np
from PIL import Image

from canvas import stamp
from palette import PALETTE

SCREEN_W, SCREEN_H = 640, 480


def project_version():
    """The version written once, in the project's top CMakeLists.txt."""
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    with open(top, encoding="utf-8") as cmake:
        return re.search(r"project\(Torvex VERSION ([0-9.]+)", cmake.read()).group(1)


class Screen:
    def __init__(self, sheet):
        self.sheet = sheet
        self.pixels = np.zeros((SCREEN_H, SCREEN_W), np.uint8)

    def blit(self, x, y, rect):
        left, top, right, bottom = rect
        stamp(self.pixels, self.sheet[top:bottom, left:right], x, y)

    def tile(self, x, y, index):
        self.blit(x, y, tile_rect(index))

    def text(self, x, y, font, text):
        for ch in text:
            self.blit(x, y, font_rect(font, ord(ch)))
            x += 12
        return x

    def save(self, path, scale=1):
        image = Image.fromarray(self.pixels, "P")
        image.putpalette([c for rgb in PALETTE.colours for c in rgb])
        image = image.convert("RGB")
        if scale != 1:
            image = image.resize((SCREEN_W * scale, SCREEN_H * scale), Image.NEAREST)
        image.save(path)


def tile_rect(index):
    if index == 0:
        x, y = 64, 0
    elif index in (1, 3):
        x, y = 32, 0
    elif index == 2:
        x, y = 0, 0
    elif index == 4:
        x, y = 64, 0
    elif 5 <= index <= 8:
        x, y = 32 + 32 * (index - 3), 0
    elif 9 <= index <= 17:
        x, y = 32 * (index - 9), 32
    elif 18 <= index <= 121:
        r, k = divmod(index - 18, 13)
        x, y = 32 * k, 64 + 32 * r
    elif index in (122, 123):
        x, y = 288 + 32 * (index - 122), 32
    elif index == 130:
        x, y = 224, 0
    elif index == 131:
        x, y = 256, 0
    else:
        x, y = 288, 0
    return (x, y, x + 32, y + 32)


def font_rect(font, code):
    if not 32 <= code <= 127:
        return (177, 337, 190, 350)
    i, j = divmod(code - 32, 16)
    x = (417 if font == 0 else 519) + 17 * i
    return (x, 1 + 17 * j, x + 16, 17 + 17 * j)


def face_rect(state, phase):
    column = {0: 0, 1: 0, 2: 0, 3: 1, 4: 2, 5: 2}[state]
    x = (314, 379, 444)[column]
    y = (322, 388)[phase]
    return (x, y, x + 64, y + 64)


def title(sheet, scroll=7, selected=0):
    s = Screen(sheet)
    for i in range(23):
        for j in range(17):
            s.tile(32 * i - scroll, 32 * j - scroll, 14)
    s.blit(550, 400, face_rect(0, 0))
    s.text(460, 80, 1, "V " + project_version())
    s.text(200, 130, 1, "Map Name")
    s.text(250, 146, 0, "Classic 16x16")
    s.text(200, 180, 1, "High-Score")
    end = s.text(250, 200, 0, "87")
    end = s.text(end + 5, 200, 0, "SEC")
    s.text(end + 30, 200, 0, "Ada")
    s.blit(160, 248 + 20 * selected, (0, 320, 313, 339))
    for k, line in enumerate(["Game Start       (F1)", "?-Mark On/Off    (F2)",
                              "Sound On/Off     (F3)", "Animation On/Off (F4)",
                              "Clear High Score (F9)", "Exit Game        (Esc)"]):
        s.text(190, 250 + 20 * k, 1, line)
    s.text(50, 400, 0, "?-Mark    On.")
    s.text(50, 420, 0, "Sound     On.")
    s.text(50, 440, 0, "Animation Off.")
    s.blit(177, 20, (3, 342, 284, 430))
    return s


# A small field for the board mock-ups: '*' mine, '#' safe, '.' void.
FIELD = [
    "..##########..",
    ".#####*#######",
    "###*##*###*###",
    "####*##*######",
    "##*#***#######",
    "###*#*#*######",
    "####**########",
    "#######*#*####",
    "###########*##",
    "..#######.....",
]


def _counts():
    h, w = len(FIELD), len(FIELD[0])
    values = np.zeros((h, w), int)
    for y in range(h):
        for x in range(w):
            if FIELD[y][x] == "*":
                values[y, x] = 9
                continue
            values[y, x] = sum(FIELD[yy][xx] == "*" for yy in range(max(0, y - 1), min(h, y + 2))
                               for xx in range(max(0, x - 1), min(w, x + 2)))
    return values


def board(sheet, state, frame_time=0):
    """state: 'ready', 'playing', 'lost' or 'won'."""
    s = Screen(sheet)
    values = _counts()
    h, w = values.shape
    view_x, view_y = 7 * 32 + 16, 5 * 32 + 16
    for j in range(h):
        for i in range(w):
            if FIELD[j][i] == ".":
                continue
            v = values[j, i]
            opened = (i + j * 3) % 5 != 0 and v != 9 or (state == "won" and v != 9)
            if state == "ready":
                opened = False
            t = 30 + (i * 7 + j * 3 + frame_time) % 40
            if opened:
                index = 14 if v == 0 else 13 * v + 10 + ((t - 5) % 8 if i % 3 == 0 else 0)
            elif v == 9 and state in ("lost",):
                index = 15
            elif v == 9 and state in ("won", "playing") and (i + j) % 2 == 0:
                index = 5 + (t % 2)
            else:
                index = 2
            if state == "lost" and i == 6 and j == 2:
                index = 16
            if state == "lost" and (i, j) in ((8, 1), (3, 5)):
                index = 122
            if state == "playing" and (i, j) == (9, 7):
                index = 7
            if state == "playing" and j == 8 and 2 <= i <= 6:
                index = 9 + (i - 2)
            s.tile(32 * i + 319 - view_x, 32 * j + 239 - view_y, index)
    if state == "playing":
        s.tile(319 - 16 + 32, 239 - 16, 131)
    s.tile(303, 223, 130)
    face_state = {"ready": 1, "playing": 2, "lost": 3, "won": 4}[state]
    s.blit(550, 400, face_rect(face_state, 1 if state == "won" else 0))
    if state == "ready":
        s.text(300, 150, 0, "GO !")
    s.text(5, 428, 1, "You")
    end = s.text(10, 444, 0, "-3" if state == "lost" else "24")
    s.text(end + 5, 444, 0, "Mine(s)")
    end = s.text(10, 460, 0, "57")
    s.text(end + 5, 460, 0, "Sec")
    s.text(5, 5, 1, "High-Score")
    end = s.text(10, 20, 0, "87")
    s.text(end + 5, 20, 0, "Sec")
    s.text(10, 36, 0, "Ada")
    if state == "lost":
        s.text(240, 150, 0, "Game Is Over !")
    if state == "won":
        s.text(230, 150, 0, "Congratulation !")
    return s


def name_entry(sheet):
    s = board(sheet, "won")
    s.pixels[:, :] = 0
    won = board(sheet, "won")
    s.pixels = won.pixels
    # Redraw without the board texts: clear and repaint cells only.
    grid = ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
            "0123456789!?@\"'#%&()/-*+. ")
    s.text(220, 100, 1, "It's A High Score !")
    s.text(180, 130, 1, "Prease Entry Your Name !")
    for g in range(3):
        for k in range(26):
            s.text(20 + 23 * k, 200 + 23 * g, 0, grid[26 * g + k])
    s.text(310, 269, 0, "END")
    s.text(210, 320, 1, "High-Score =")
    end = s.text(360, 320, 1, "57")
    s.text(end + 5, 320, 1, "SEC")
    s.text(210, 350, 1, "Your Name  =")
    s.text(360, 350, 1, "Art")
    s.blit(11 + 23 * 4, 191 + 23 * 1, tile_rect(130))
    s.text(360 + 36, 350, 0, grid[26 + 4])
    return s


def write_all(sheet, folder):
    os.makedirs(folder, exist_ok=True)
    image = Image.fromarray(sheet, "P")
    image.putpalette([c for rgb in PALETTE.colours for c in rgb])
    image.convert("RGB").resize((1280, 920), Image.NEAREST).save(
        os.path.join(folder, "sheet-2x.png"))
    title(sheet).save(os.path.join(folder, "title.png"))
    for state in ("ready", "playing", "lost", "won"):
        board(sheet, state).save(os.path.join(folder, "board-%s.png" % state))
    name_entry(sheet).save(os.path.join(folder, "name-entry.png"))
    print("previews in", folder)
