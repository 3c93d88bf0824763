# SPDX-License-Identifier: MIT
"""The game's instruments. Each takes a frequency in Hz (or nothing, for the
drums), a gate length in samples, a velocity 0..1 and a random generator,
and returns the whole note including its release tail.

They share one family sound -- soft pulse-wave leads, a round triangle bass,
bell-like chimes and light drums -- so that the two pieces of music and the
start jingle sound like one game.
"""

import math

import numpy as np

from synth import (adsr, biquad, oscillate, percussive, pulse_partials, samples,
                   triangle_partials, vibrato, white_noise)
from wave8 import RATE

_RELEASE = 0.08  # seconds every sustained note is allowed to ring after its gate


def lead(freq, gate, velocity, rng):
    """A quarter-duty pulse with its top rolled off and a vibrato that comes in
    on held notes: clear enough to carry a tune, soft enough for hours."""
    length = gate + samples(_RELEASE)
    wave = oscillate(vibrato(freq, length, depth=0.18), length, pulse_partials(0.25),
                     corner=2600.0)
    return velocity * wave * adsr(gate, length, 0.008, 0.3, 0.55, _RELEASE)


def soft_square(freq, gate, velocity, rng):
    """A half-duty pulse, darker than the lead: chords and jingle harmony."""
    length = gate + samples(_RELEASE)
    wave = oscillate(freq, length, pulse_partials(0.5), corner=1400.0)
    return velocity * wave * adsr(gate, length, 0.006, 0.12, 0.25, _RELEASE)


def bass(freq, gate, velocity, rng):
    """Triangle bass with a little pulse mixed in, so that it still speaks on
    small speakers that cannot reproduce its fundamental."""
    length = gate + samples(0.05)
    body = oscillate(freq, length, triangle_partials())
    edge = oscillate(freq, length, pulse_partials(0.5), corner=700.0)
    return velocity * (0.85 * body + 0.3 * edge) * adsr(gate, length, 0.004, 0.2, 0.75, 0.05)


def pluck_bass(freq, gate, velocity, rng):
    """A plucked bass: the same body as `bass`, dying away by itself."""
    length = max(gate, samples(0.45)) + samples(0.05)
    body = oscillate(freq, length, triangle_partials())
    edge = oscillate(freq, length, pulse_partials(0.5), corner=900.0)
    env = percussive(length, 0.004, 0.22) * adsr(gate, length, 0.0, 1.0, 1.0, 0.05)
    return velocity * (0.85 * body + 0.35 * edge) * env


def bell(freq, gate, velocity, rng):
    """A music-box chime: a ringing fundamental over quickly dying upper
    partials, one of them slightly out of tune as a struck tine's is."""
    length = samples(0.9)
    t = np.arange(length) / RATE
    out = np.zeros(length)
    for ratio, level, decay in ((1.0, 1.0, 0.45), (2.0, 0.35, 0.2), (3.0, 0.12, 0.1),
                                (4.07, 0.1, 0.05)):
        if ratio * freq < 5000.0:
            out += level * np.sin(2.0 * math.pi * ratio * freq * t) * np.exp(-t / decay)
    attack = np.clip(t / 0.003, 0.0, 1.0)
    tail = np.clip((0.9 - t) / 0.15, 0.0, 1.0)  # ends in silence, not a cut
    return velocity * 0.8 * out * attack * tail


def pad(freq, gate, velocity, rng):
    """A slow, breathy chord pad: several gently detuned saw-like voices."""
    length = gate + samples(0.3)
    partials = [(n, 1.0 / n) for n in range(1, 24)]
    wave = np.zeros(length)
    for detune in (-0.004, 0.0, 0.005):
        wave += oscillate(freq * (1.0 + detune), length, partials, corner=900.0,
                          phase=rng.uniform())
    return velocity * 0.3 * wave * adsr(gate, length, 0.25, 0.5, 0.8, 0.3)


def kick(freq, gate, velocity, rng):
    """A soft, round drum: a sine that drops from 140 to 48 Hz."""
    length = samples(0.22)
    t = np.arange(length) / RATE
    sweep = 48.0 + 92.0 * np.exp(-t / 0.03)
    body = oscillate(sweep, length, [(1, 1.0)])
    click = biquad(white_noise(rng, length), "lowpass", 2500.0) * np.exp(-t / 0.004)
    return velocity * (body * percussive(length, 0.002, 0.09) + 0.25 * click)


def snare(freq, gate, velocity, rng):
    """Noise through a broad band-pass with a short tone under it."""
    length = samples(0.2)
    t = np.arange(length) / RATE
    rattle = biquad(white_noise(rng, length), "bandpass", 2200.0, q=0.6)
    tone = np.sin(2.0 * math.pi * 190.0 * t) * np.exp(-t / 0.04)
    return velocity * (1.1 * rattle * percussive(length, 0.001, 0.06) + 0.4 * tone)


def hat(freq, gate, velocity, rng):
    """A closed hi-hat: a short tick of the brightest noise the rate allows."""
    length = samples(0.06)
    noise = biquad(white_noise(rng, length), "highpass", 3800.0, q=0.9)
    return velocity * 0.9 * noise * percussive(length, 0.0005, 0.014)


def shaker(freq, gate, velocity, rng):
    """A shaker: bright noise that swells for a moment before it dies."""
    length = samples(0.09)
    noise = biquad(white_noise(rng, length), "bandpass", 4200.0, q=1.2)
    return velocity * 1.2 * noise * percussive(length, 0.012, 0.02)

