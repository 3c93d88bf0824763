#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Draws the source pictures of the shipped maps into maps/sources/.

Each picture is drawn from a rule (a formula, a turtle path, a pixel font,
a fixed random seed), so it can be drawn again exactly and changed with
care. The maps themselves are then made from the pictures by torvex-map
(see tools/map/make-shipped-maps). Text art is used where a picture is
small enough to read and edit by eye; three pictures are images, to keep
the image readers of the tool in real use.

Usage: draw_map_pictures.py [FOLDER]   (default: maps/sources beside this repo)
"""
import math
import os
import random
import struct
import sys


def grid(width, height, value=False):
    return [[value] * width for _ in range(height)]


def write_text_art(path, cells):
    with open(path, "w", newline="\n") as out:
        for row in cells:
            out.write("".join("#" if cell else "." for cell in row) + "\n")


def write_plain_pbm(path, cells, comment):
    # P1: 1 is black, a playable cell. One picture row per line.
    with open(path, "w", newline="\n") as out:
        out.write("P1\n# %s\n%d %d\n" % (comment, len(cells[0]), len(cells)))
        for row in cells:
            out.write("".join("1" if cell else "0" for cell in row) + "\n")


def write_plain_pgm(path, greys, comment):
    # P2: 0 is black; greys at or below middle grey are playable.
    with open(path, "w", newline="\n") as out:
        out.write("P2\n# %s\n%d %d\n255\n" % (comment, len(greys[0]), len(greys)))
        for row in greys:
            out.write(" ".join(str(grey) for grey in row) + "\n")


def write_bmp8(path, indices, palette):
    # Uncompressed 8-bit BMP, rows stored bottom-up and padded to 4 bytes.
    height, width = len(indices), len(indices[0])
    row_bytes = (width + 3) & ~3
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    offset = 14 + 40 + len(table)
    pixels = b"".join(bytes(row) + bytes(row_bytes - width) for row in reversed(indices))
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels),
                       2835, 2835, len(palette), 0)
    with open(path, "wb") as out:
        out.write(header + info + table + pixels)


def rectangle(width, height):
    return grid(width, height, True)


def corners():
    # The small example of the map format: a 4 x 3 field without its corners.
    cells = rectangle(4, 3)
    for x, y in ((0, 0), (3, 0), (0, 2), (3, 2)):
        cells[y][x] = False
    return cells


def heart():
    # The heart curve (x^2 + y^2 - 1)^3 = x^2 y^3, sampled at cell centres.
    width, height = 35, 31
    cells = grid(width, height)
    for row in range(height):
        for col in range(width):
            x = (col + 0.5 - width / 2) / (width / 2) * 1.2
            y = (height / 2 - row - 0.5) / (height / 2) * 1.15 + 0.12
            cells[row][col] = (x * x + y * y - 1) ** 3 - x * x * y ** 3 <= 0
    return cells


def ring_greys():
    # An annulus with soft edges: each pixel's grey is the share of it outside
    # the ring, found by sampling 4 x 4 points, so the edge is anti-aliased
    # the way a paint program draws it.
    size, outer, inner = 50, 24.0, 12.5
    centre = size / 2
    greys = []
    for row in range(size):
        line = []
        for col in range(size):
            inside = 0
            for sy in range(4):
                for sx in range(4):
                    dx = col + (sx + 0.5) / 4 - centre
                    dy = row + (sy + 0.5) / 4 - centre
                    if inner * inner <= dx * dx + dy * dy <= outer * outer:
                        inside += 1
            line.append(round(255 * (1 - inside / 16)))
        greys.append(line)
    return greys


def diamond():
    size = 41
    half = size // 2
    return [[abs(x - half) + abs(y - half) <= half for x in range(size)] for y in range(size)]


def cross():
    size, arm = 45, 15
    low, high = (size - arm) // 2, (size + arm) // 2
    return [[low <= x < high or low <= y < high for x in range(size)] for y in range(size)]


def islands():
    # Four islands with wavy shores in a 64 x 40 sea, far enough apart that
    # no two touch even at a corner.
    width, height = 64, 40
    cells = grid(width, height)
    shapes = [  # centre x, centre y, radius x, radius y, wave phase
        (14.0, 11.0, 11.0, 8.0, 0.3),
        (45.0, 9.5, 14.0, 7.0, 1.7),
        (16.0, 30.0, 12.0, 7.5, 2.9),
        (47.0, 29.0, 12.5, 8.5, 4.1),
    ]
    for cx, cy, rx, ry, phase in shapes:
        for y in range(height):
            for x in range(width):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                angle = math.atan2(dy, dx)
                shore = 1.0 + 0.13 * math.sin(3 * angle + phase) + 0.07 * math.sin(5 * angle)
                if math.hypot(dx, dy) <= shore:
                    cells[y][x] = True
    return cells


def spiral():
    # A corridor three cells wide that winds in to the middle, with a wall of
    # one Void cell between its windings. The corridor's centre line runs
    # right, down and left along the edge, then in ever shorter pairs of legs.
    size = 45
    cells = grid(size, size)
    x, y = 1, 1
    directions = [(1, 0), (0, 1), (-1, 0), (0, -1)]
    lengths = [size - 3] * 3
    length = size - 7
    while length > 0:
        lengths += [length, length]
        length -= 4
    for leg, steps in enumerate(lengths):
        dx, dy = directions[leg % 4]
        for _ in range(steps + 1):
            for by in (-1, 0, 1):
                for bx in (-1, 0, 1):
                    cells[y + by][x + bx] = True
            x, y = x + dx, y + dy
        x, y = x - dx, y - dy
    return cells


LETTERS = {
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
}


def word(text, scale=3, gap=3, base=3):
    # Block letters three cells thick, standing on a common base so that the
    # word plays as one field: letters apart would each need a blind guess.
    glyph_width = 5 * scale
    width = len(text) * glyph_width + (len(text) - 1) * gap
    height = 7 * scale + base
    cells = grid(width, height)
    for index, letter in enumerate(text):
        left = index * (glyph_width + gap)
        for gy, line in enumerate(LETTERS[letter]):
            for gx, mark in enumerate(line):
                if mark == "#":
                    for y in range(gy * scale, (gy + 1) * scale):
                        for x in range(left + gx * scale, left + (gx + 1) * scale):
                            cells[y][x] = True
    for y in range(7 * scale, height):
        cells[y] = [True] * width
    return cells


def regions(cells):
    height, width = len(cells), len(cells[0])
    seen = grid(width, height)
    sizes = []
    for sy in range(height):
        for sx in range(width):
            if not cells[sy][sx] or seen[sy][sx]:
                continue
            seen[sy][sx] = True
            stack, size = [(sx, sy)], 0
            while stack:
                x, y = stack.pop()
                size += 1
                for ny in (y - 1, y, y + 1):
                    for nx in (x - 1, x, x + 1):
                        if 0 <= nx < width and 0 <= ny < height and cells[ny][nx] \
                                and not seen[ny][nx]:
                            seen[ny][nx] = True
                            stack.append((nx, ny))
            sizes.append(size)
    return sizes


def swiss_cheese():
    # A 48 x 32 field riddled with small Void holes of a few shapes. A hole
    # is only punched where it keeps a playable border all round it, so the
    # holes never merge and the field stays one region.
    width, height = 48, 32
    cells = rectangle(width, height)
    holes = [
        [(0, 0)],
        [(0, 0), (1, 0)],
        [(0, 0), (0, 1)],
        [(0, 0), (1, 0), (0, 1), (1, 1)],
        [(1, 0), (0, 1), (1, 1), (2, 1), (1, 2)],
        [(0, 0), (1, 1)],
        [(0, 0), (1, 0), (2, 0)],
    ]
    chooser = random.Random(20261207)
    punched = 0
    while punched < 95:
        shape = chooser.choice(holes)
        ox, oy = chooser.randrange(width), chooser.randrange(height)
        cells_of_hole = [(ox + dx, oy + dy) for dx, dy in shape]
        if any(not (0 <= x < width and 0 <= y < height) for x, y in cells_of_hole):
            continue
        clear = all(
            not (0 <= x + bx < width and 0 <= y + by < height) or cells[y + by][x + bx]
            for x, y in cells_of_hole for bx in (-1, 0, 1) for by in (-1, 0, 1))
        if not clear:
            continue
        for x, y in cells_of_hole:
            cells[y][x] = False
        if len(regions(cells)) != 1:  # never cut off a corner of the field
            for x, y in cells_of_hole:
                cells[y][x] = True
            continue
        punched += 1
    return cells


def marathon():
    # 300 x 300 cells with a dozen round lakes, far enough apart and from the
    # edges that the land between them stays one field.
    size = 300
    cells = rectangle(size, size)
    lakes = [  # centre x, centre y, radius
        (48, 52, 17), (150, 38, 12), (250, 60, 20), (98, 120, 14), (205, 140, 18),
        (40, 170, 11), (140, 190, 21), (262, 205, 13), (70, 255, 19), (180, 262, 15),
        (255, 272, 10), (120, 80, 9),
    ]
    for cx, cy, radius in lakes:
        for y in range(cy - radius, cy + radius + 1):
            for x in range(cx - radius, cx + radius + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                    cells[y][x] = False
    return cells


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "maps", "sources")
    os.makedirs(folder, exist_ok=True)

    def path(name):
        return os.path.join(folder, name)

    write_text_art(path("classic-9x9.txt"), rectangle(9, 9))
    write_text_art(path("classic-16x16.txt"), rectangle(16, 16))
    write_text_art(path("classic-30x16.txt"), rectangle(30, 16))
    write_text_art(path("corners.txt"), corners())
    write_text_art(path("heart.txt"), heart())
    write_plain_pgm(path("ring.pgm"), ring_greys(), "Torvex map picture: Ring")
    write_text_art(path("diamond.txt"), diamond())
    write_text_art(path("cross.txt"), cross())
    sea, land = (236, 244, 255), (32, 96, 48)
    write_bmp8(path("islands.bmp"), [[1 if c else 0 for c in row] for row in islands()],
               [sea, land])
    write_text_art(path("spiral.txt"), spiral())
    write_text_art(path("torvex.txt"), word("TORVEX"))
    write_text_art(path("swiss-cheese.txt"), swiss_cheese())
    write_plain_pbm(path("marathon.pbm"), marathon(), "Torvex map picture: Marathon")


if __name__ == "__main__":
    main()
