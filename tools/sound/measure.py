#!/usr/bin/python3
"""Prints the measured levels of the nine clips in resources/ (or the folder
given): peak, RMS of the whole clip and of its sounding part, offset from
silence, the edge samples, and for the two pieces of music the step across
the loop seam beside the steps inside the clip.

    /usr/bin/python3 tools/sound/measure.py [FOLDER]

Levels are in dB relative to full scale (127 steps from silence at 128).
"""

import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from make_sounds import CLIPS, RESOURCES  # noqa: E402
from wave8 import RATE, SILENCE, read_wave  # noqa: E402

LOOPS = ("bgm", "bgmx")


def decibels(value):
    return 20.0 * np.log10(max(value, 1e-9) / 127.0)


def sounding_rms(centred, frame=RATE // 100):
    """RMS over the 10 ms frames within 40 dB of the loudest: how loud the
    clip is while it sounds, not diluted by its silent tail."""
    count = centred.size // frame
    frames = centred[:count * frame].reshape(count, frame)
    levels = np.sqrt((frames ** 2).mean(axis=1))
    loud = frames[levels > levels.max() / 100.0]
    return float(np.sqrt((loud ** 2).mean()))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else RESOURCES
    print("%-5s %7s %6s %9s %9s %8s %6s %6s" % ("clip", "seconds", "peak", "peak dB",
                                                "RMS dB", "sound dB", "mean", "edges"))
    for name, _, _, _ in CLIPS:
        data = read_wave(os.path.join(folder, name + ".wav")).astype(np.int64)
        centred = (data - SILENCE).astype(np.float64)
        peak = np.abs(centred).max()
        rms = np.sqrt((centred ** 2).mean())
        print("%-5s %7.3f %6d %9.1f %9.1f %8.1f %6.2f %3d/%d" % (
            name, data.size / RATE, peak, decibels(peak), decibels(rms),
            decibels(sounding_rms(centred)), data.mean(), data[0], data[-1]))
    print()
    for name in LOOPS:
        data = read_wave(os.path.join(folder, name + ".wav")).astype(np.int64)
        steps = np.abs(np.diff(data))
        seam = abs(int(data[0]) - int(data[-1]))
        print("%-5s seam step %d; steps inside: median %d, 99th percentile %d, largest %d" % (
            name, seam, np.median(steps), np.percentile(steps, 99), steps.max()))


if __name__ == "__main__":
    main()
