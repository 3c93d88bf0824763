# SPDX-License-Identifier: MIT
"""The game's short effects: the explosion, the interface click, the pop of
opening cells and the start jingle.

Each returns a float signal of exactly the requested length that starts and
ends in silence, so that no cue clicks when it starts or stops.
"""

import math

import numpy as np

import instruments as inst
from synth import (biquad, fade_in, fade_out, note, oscillate, percussive, samples,
                   sweeping_lowpass, white_noise)
from wave8 import RATE


def _fit(signal, length, onset=2):
    """Places a sound `onset` samples into a silent clip of `length` samples;
    whatever would run past the end is cut (callers fade out first)."""
    out = np.zeros(length)
    usable = min(signal.size, length - onset)
    out[onset:onset + usable] = signal[:usable]
    return out


def _finish(signal, length, peak, tail=0.02):
    """Levels a cue to its peak and makes sure its last moments are silent."""
    signal = signal * (peak / np.abs(signal).max())
    quiet = samples(tail)
    signal[length - quiet:] = 0.0
    return signal


def bang(length, peak, seed=11):
    """An explosion: a cracking attack over a falling thump, then a roar of
    noise that darkens and dies away, with debris crackling in it."""
    rng = np.random.default_rng(seed)
    t = np.arange(length) / RATE

    thump_freq = 32.0 + 90.0 * np.exp(-t / 0.09)
    thump = np.tanh(2.5 * oscillate(thump_freq, length, [(1, 1.0)])) * np.exp(-t / 0.3)

    crack = biquad(white_noise(rng, length), "highpass", 600.0) * np.exp(-t / 0.025)

    cutoff = 150.0 + 2800.0 * np.exp(-t / 0.22)
    roar = 2.0 * sweeping_lowpass(white_noise(rng, length), cutoff)
    roar *= percussive(length, 0.004, 0.5) * (1.0 + 0.5 * np.exp(-t / 0.08))

    rumble = biquad(biquad(white_noise(rng, length), "lowpass", 120.0), "lowpass", 120.0)
    rumble *= 6.0 * percussive(length, 0.02, 0.6)

    # Debris: sparse little clicks, thinning out and getting fainter.
    debris = np.zeros(length)
    position = samples(0.08)
    while position < length - samples(0.3):
        age = position / RATE
        click = biquad(white_noise(rng, samples(0.012)), "bandpass", rng.uniform(900, 3000), q=2.0)
        click *= np.exp(-np.arange(click.size) / (0.003 * RATE))
        debris[position:position + click.size] += rng.uniform(0.4, 1.0) * math.exp(-age / 0.4) * click
        position += int(rng.exponential(0.02 + 0.06 * age) * RATE) + 1

    signal = 0.9 * thump + 0.8 * crack + 1.0 * roar + 0.8 * rumble + 1.5 * debris
    signal = np.tanh(1.4 * signal) / np.tanh(1.4)  # a little bite, no hard edges
    signal = biquad(signal, "highpass", 30.0)  # the rumble's drift away from silence
    signal = fade_in(signal, 0.0015)
    signal = fade_out(signal, 0.5)
    return _finish(_fit(signal, length), length, peak)


def click(length, peak, seed=12):
    """The interface click: a soft wooden tock, over in a few hundredths of a
    second, gentle enough to hear on every flag of a long game."""
    rng = np.random.default_rng(seed)
    size = samples(0.09)
    t = np.arange(size) / RATE
    body = oscillate(note("A5") * (1.0 + 0.06 * np.exp(-t / 0.004)), size, [(1, 1.0)])
    overtone = np.sin(2.0 * math.pi * note("A5") * 2.76 * t)
    tick = biquad(white_noise(rng, size), "bandpass", 3000.0, q=1.5) * np.exp(-t / 0.0015)
    signal = (body * percussive(size, 0.0008, 0.018) + 0.3 * overtone * percussive(size, 0.0005, 0.006)
              + 0.25 * tick)
    signal = fade_out(signal, 0.03)
    return _finish(_fit(signal, length), length, peak)


def pop(length, peak, seed=13):
    """The pop of opening cells: a bright bubble whose pitch leaps up, with a
    fainter second bubble a fifth higher just after it."""
    rng = np.random.default_rng(seed)
    size = samples(0.18)
    t = np.arange(size) / RATE
    signal = np.zeros(size)
    for delay, start, end, level in ((0.0, 520.0, 1500.0, 1.0), (0.035, 780.0, 2250.0, 0.45)):
        offset = samples(delay)
        part = size - offset
        tt = t[:part]
        sweep = end - (end - start) * np.exp(-tt / 0.012)
        tone = oscillate(sweep, part, [(1, 1.0), (2, 0.28), (3, 0.1)])
        signal[offset:] += level * tone * percussive(part, 0.001, 0.035)
    snap = biquad(white_noise(rng, size), "highpass", 2500.0) * np.exp(-t / 0.002)
    signal += 0.2 * snap
    signal = fade_out(signal, 0.05)
    return _finish(_fit(signal, length), length, peak)


def jingle(length, peak, seed=14):
    """The start jingle: a quick run up G-C-E into a bright C major chord
    with a drum hit under it, ringing out over the second."""
    rng = np.random.default_rng(seed)
    out = np.zeros(length + samples(1.0))
    run = samples(0.065)

    def put(sound, at, gain):
        out[at:at + sound.size] += gain * sound

    for i, name in enumerate(("G4", "C5", "E5")):
        put(inst.lead(note(name), int(run * 0.8), 0.8, rng), i * run, 0.8)
    hit = 3 * run
    chord_gate = samples(0.42)
    put(inst.lead(note("G5"), chord_gate, 1.0, rng), hit, 0.9)
    for name in ("C5", "E5", "G4"):
        put(inst.soft_square(note(name), chord_gate, 1.0, rng), hit, 0.45)
    for name in ("C6", "G5", "E5"):
        put(inst.bell(note(name), 0, 1.0, rng), hit, 0.35)
    put(inst.bass(note("C3"), chord_gate, 1.0, rng), hit, 0.8)
    put(inst.kick(None, 0, 1.0, rng), hit, 0.7)
    put(inst.snare(None, 0, 0.8, rng), hit, 0.5)

    signal = fade_out(out[:length - 2], 0.35)
    return _finish(_fit(signal, length), length, peak)
