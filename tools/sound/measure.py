#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Prints the measured levels of the nine clips in resources/ (or the folder
given): peak, RMS of the whole clip and of its sounding part (plain and
A-weighted), the mean against silence, the edge samples, and for the two pieces of music the step across
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


def sounding_part(centred, frame=RATE // 100):
    """The 10 ms frames within 40 dB of the loudest: the clip while it
    sounds, without its silent tail."""
    count = centred.size // frame
    frames = centred[:count * frame].reshape(count, frame)
    levels = np.sqrt((frames ** 2).mean(axis=1))
    return frames[levels > levels.max() / 100.0].ravel()


def rms(signal):
    return float(np.sqrt((signal ** 2).mean()))


def a_weighted(signal):
    """The signal through the standard A-weighting curve (0 dB at 1 kHz), so
    that levels compare as loud as they sound rather than as much energy as
    they hold: a bass note counts for less than a click of the same RMS."""
    f2 = np.fft.rfftfreq(signal.size, 1.0 / RATE) ** 2

    def curve(f2):
        return (12194.0 ** 2 * f2 * f2) / ((f2 + 20.6 ** 2) * np.sqrt(
            (f2 + 107.7 ** 2) * (f2 + 737.9 ** 2)) * (f2 + 12194.0 ** 2))

    gain = curve(f2) / curve(1000.0 ** 2)
    return np.fft.irfft(np.fft.rfft(signal) * gain, signal.size)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else RESOURCES
    print("%-5s %7s %5s %8s %7s %9s %10s %7s %7s" % (
        "clip", "seconds", "peak", "peak dB", "RMS dB", "sounding", "sounding A", "mean",
        "edges"))
    for name, _, _, _ in CLIPS:
        data = read_wave(os.path.join(folder, name + ".wav")).astype(np.int64)
        centred = (data - SILENCE).astype(np.float64)
        peak = np.abs(centred).max()
        sounding = sounding_part(centred)
        print("%-5s %7.3f %5d %8.1f %7.1f %9.1f %10.1f %7.2f %3d/%d" % (
            name, data.size / RATE, peak, decibels(peak), decibels(rms(centred)),
            decibels(rms(sounding)), decibels(rms(a_weighted(sounding))), data.mean(),
            data[0], data[-1]))
    print()
    for name in LOOPS:
        data = read_wave(os.path.join(folder, name + ".wav")).astype(np.int64)
        steps = np.abs(np.diff(data))
        seam = abs(int(data[0]) - int(data[-1]))
        print("%-5s seam step %d; steps inside: median %d, 99th percentile %d, largest %d" % (
            name, seam, np.median(steps), np.percentile(steps, 99), steps.max()))


if __name__ == "__main__":
    main()
