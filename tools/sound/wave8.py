# SPDX-License-Identifier: MIT
"""Reading and writing the game's clip format: canonical 44-byte RIFF WAVE
header, PCM, one channel, unsigned 8-bit samples at 11025 per second.

Signals inside the generator are float arrays in [-1, 1]; 0.0 is silence
and becomes the byte 128.
"""

import struct

import numpy as np

RATE = 11025
HEADER_BYTES = 44
SILENCE = 128


def to_bytes(signal):
    """Rounds a float signal to unsigned 8-bit samples.

    Refuses to clip: a signal that would reach past the byte range is a
    mixing mistake in the generator, and a clipped clip would be shipped
    without anyone hearing it.
    """
    scaled = np.rint(np.asarray(signal, dtype=np.float64) * 127.0)
    if scaled.size and (scaled.max() > 127 or scaled.min() < -128):
        raise ValueError("signal would clip: peak %.3f" % np.abs(signal).max())
    return (scaled + SILENCE).astype(np.uint8)


def wave_image(samples):
    """The whole file image of 8-bit samples, header first."""
    samples = np.asarray(samples, dtype=np.uint8)
    count = samples.size
    header = b"RIFF" + struct.pack("<I", HEADER_BYTES - 8 + count) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE, 1, 8)
    header += b"data" + struct.pack("<I", count)
    assert len(header) == HEADER_BYTES
    return header + samples.tobytes()


def write_wave(path, samples):
    with open(path, "wb") as out:
        out.write(wave_image(samples))


def read_wave(path):
    """The samples of a clip in the game's format (uint8 array)."""
    with open(path, "rb") as source:
        image = source.read()
    if len(image) < HEADER_BYTES or image[0:4] != b"RIFF" or image[36:40] != b"data":
        raise ValueError("%s is not a canonical WAVE file" % path)
    count = struct.unpack("<I", image[40:44])[0]
    return np.frombuffer(image[HEADER_BYTES:HEADER_BYTES + count], dtype=np.uint8)
