# SPDX-License-Identifier: MIT
"""How a clip the generator makes now is compared with the committed one.

The synthesised clips are plain arithmetic on seeded noise: they must match
sample for sample. The spoken clips cannot be held to that. espeak-ng's
breath noise comes from the C library's process-wide rand(), so anything
else in its process that draws from it changes the noise, and another
espeak-ng version speaks a little differently. What stays put is what a
player hears: the length, the peak, the loudness, how the loudness moves
through the word, and the balance of low and high frequencies. Those are
compared, each within a tolerance well above the spread of the breath noise
and below what a changed word, rate, pitch or voice does (figures at the
constants below, measured with espeak-ng 1.51). A smaller change, such as a
pitch two steps away, may pass: --check-exact catches every change.

`differences` returns what differs, in words; an empty list means the clip
passes.
"""

import numpy as np

from wave8 import RATE

# 20 ms frames for the loudness curve.
FRAME = 220
# Frames and bands this far below the loudest one are left out: at that
# depth the breath noise dominates.
FLOOR_DB = 30.0
BAND_FLOOR_DB = 40.0

# Tolerances. Over 24 clips spoken with the breath noise drawn differently,
# the loudness moved by at most 0.4 dB, the loudness curve by 0.5 dB and the
# band levels by 0.8 dB. A pitch three steps up or down (of espeak-ng's 0-99)
# moved the band levels by 2.6 dB or more, another voice or a pitch six
# steps away by 4.6 dB or more; another word, or a rate 10 words a minute
# faster, moved the loudness curve by 13 dB or more.
PEAK_LEVELS = 1
LOUDNESS_DB = 1.0
CURVE_DB = 3.0
BAND_DB = 2.5


def _centred(samples):
    return np.asarray(samples, dtype=float) - 128.0


def _db(power):
    return 10.0 * np.log10(np.maximum(power, 1e-12))


def loudness_curve(signal):
    """The level of each 20 ms frame, in dB."""
    count = signal.size // FRAME
    frames = signal[:count * FRAME].reshape(count, FRAME)
    return _db((frames ** 2).mean(axis=1))


def band_levels(signal):
    """The energy in third-octave bands from 100 Hz up to the top of the
    clip's range, in dB relative to the strongest band."""
    spectrum = np.abs(np.fft.rfft(signal * np.hanning(signal.size))) ** 2
    freqs = np.fft.rfftfreq(signal.size, 1.0 / RATE)
    edges = 100.0 * 2.0 ** (np.arange(18) / 3.0)
    edges = edges[edges < RATE / 2]
    levels = _db(np.array([spectrum[(freqs >= low) & (freqs < high)].sum()
                           for low, high in zip(edges[:-1], edges[1:])]))
    return levels - levels.max()


def differences(committed, made, spoken):
    """What differs between two clips' samples (unsigned 8-bit arrays)."""
    if committed.size != made.size:
        return ["%d samples instead of %d" % (made.size, committed.size)]
    if not spoken:
        differing = np.count_nonzero(committed != made)
        return ["%d samples differ" % differing] if differing else []

    found = []
    ref, new = _centred(committed), _centred(made)
    peaks = int(np.abs(ref).max()), int(np.abs(new).max())
    if abs(peaks[0] - peaks[1]) > PEAK_LEVELS:
        found.append("peak %d levels instead of %d" % (peaks[1], peaks[0]))
    loudness = _db((new ** 2).mean()) - _db((ref ** 2).mean())
    if abs(loudness) > LOUDNESS_DB:
        found.append("%+.1f dB louder" % loudness)
    ref_curve, new_curve = loudness_curve(ref), loudness_curve(new)
    heard = ref_curve > ref_curve.max() - FLOOR_DB
    curve = np.abs(new_curve - ref_curve)[heard].max()
    if curve > CURVE_DB:
        found.append("loudness curve off by %.1f dB" % curve)
    ref_bands, new_bands = band_levels(ref), band_levels(new)
    strong = ref_bands > -BAND_FLOOR_DB
    bands = np.abs(new_bands - ref_bands)[strong].max()
    if bands > BAND_DB:
        found.append("spectrum off by %.1f dB in a band" % bands)
    return found
