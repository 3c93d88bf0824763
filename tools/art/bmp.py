# SPDX-License-Identifier: MIT
"""Writers for the two bitmap files, byte for byte, with no dates or other
varying fields, so the same pictures always give the same files."""

import struct

import numpy as np


def indexed_bmp(pixels, colours):
    """An uncompressed 8-bit BMP: file header, BITMAPINFOHEADER, a colour
    table of 256 RGBQUADs and the rows bottom-up (the width here is a
    multiple of 4, so rows need no padding)."""
    height, width = pixels.shape
    assert width % 4 == 0 and len(colours) == 256
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    rows = np.ascontiguousarray(pixels[::-1]).tobytes()
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(rows), 2835, 2835,
                       256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + table + rows


BI_BITFIELDS = 3
LCS_SRGB = 0x73524742


def rgba_bmp(rgba):
    """A 32-bit BMP with straight alpha, described by a BITMAPV4HEADER with
    BI_BITFIELDS masks so that readers keep the alpha channel."""
    height, width, _ = rgba.shape
    bgra = rgba[::-1][:, :, [2, 1, 0, 3]]
    rows = np.ascontiguousarray(bgra).astype(np.uint8).tobytes()
    offset = 14 + 108
    info = struct.pack("<IiiHHIIiiII", 108, width, height, 1, 32, BI_BITFIELDS, len(rows),
                       2835, 2835, 0, 0)
    info += struct.pack("<IIIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, LCS_SRGB)
    info += bytes(36) + bytes(12)  # colour-space end points and gamma: unused for sRGB
    assert len(info) == 108
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + rows
