# SPDX-License-Identifier: MIT
"""Small synthesis kit for the game's sounds: band-limited oscillators,
envelopes, noise and filters, all on float arrays at the clips' rate.

At 11025 samples per second everything above 5512 Hz folds back as harsh
aliasing, so every oscillator here is built from sine partials that stop
below BAND_LIMIT instead of from naive square or saw waves.
"""

import math

import numpy as np

from wave8 import RATE

BAND_LIMIT = 5000.0  # Hz; the highest partial any oscillator makes

_SEMITONES = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}


def note(name):
    """Frequency of a note name such as "A4", "F#3" or "Bb5" (A4 = 440 Hz)."""
    letter, rest = name[0], name[1:]
    offset = _SEMITONES[letter]
    while rest and rest[0] in "#b":
        offset += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2.0 ** ((offset + 12 * (octave - 4)) / 12.0)


def samples(seconds):
    return int(round(seconds * RATE))


# --- Oscillators -----------------------------------------------------------

def pulse_partials(duty, count=64):
    """Fourier amplitudes of a pulse wave of the given duty cycle."""
    return [(n, 2.0 / (n * math.pi) * math.sin(n * math.pi * duty)) for n in range(1, count + 1)]


def triangle_partials(count=32):
    return [(n, 8.0 / (math.pi * n) ** 2 * (-1) ** ((n - 1) // 2)) for n in range(1, count + 1, 2)]


def oscillate(frequency, length, partials, corner=None, phase=0.0):
    """Sums sine partials over a frequency that may vary per sample.

    `frequency` is a number or an array of `length` Hz values. Partials above
    BAND_LIMIT at the highest frequency reached are left out; with `corner`
    the remaining ones fall off like a first-order low-pass at that many Hz.
    """
    freq = np.broadcast_to(np.asarray(frequency, dtype=np.float64), (length,))
    cycles = np.cumsum(freq) / RATE - freq[0] / RATE + phase
    top = float(freq.max()) if length else 0.0
    out = np.zeros(length)
    for n, amplitude in partials:
        if n * top >= BAND_LIMIT:
            continue
        if corner:
            amplitude /= math.sqrt(1.0 + (n * top / corner) ** 2)
        out += amplitude * np.sin(2.0 * math.pi * n * cycles)
    return out


def vibrato(base, length, rate=5.5, depth=0.2, delay=0.15, rise=0.2):
    """A frequency curve around `base` Hz whose vibrato (depth in semitones)
    fades in after `delay` seconds, as a player's would on a held note."""
    t = np.arange(length) / RATE
    amount = np.clip((t - delay) / rise, 0.0, 1.0) * depth
    return base * 2.0 ** (amount * np.sin(2.0 * math.pi * rate * t) / 12.0)


# --- Envelopes -------------------------------------------------------------

def adsr(gate, length, attack, decay, sustain, release):
    """Attack-decay-sustain-release envelope, times in seconds, `gate` and
    `length` in samples; the release starts at the gate from wherever the
    envelope is, so a short note never jumps."""
    t = np.arange(length) / RATE
    rise = np.clip(t / max(attack, 1e-6), 0.0, 1.0)
    fall = sustain + (1.0 - sustain) * np.exp(-np.maximum(t - attack, 0.0) / max(decay, 1e-6))
    env = np.where(t < attack, rise, fall)
    if gate < length:
        level = env[gate - 1] if gate > 0 else 0.0
        tail = np.arange(length - gate) / RATE
        env[gate:] = level * np.clip(1.0 - tail / max(release, 1e-6), 0.0, 1.0) ** 2
    return env


def percussive(length, attack, decay):
    """A quick rise then an exponential fall (time constant `decay` seconds)."""
    t = np.arange(length) / RATE
    return np.clip(t / max(attack, 1e-6), 0.0, 1.0) * np.exp(-t / decay)


def fade_out(signal, seconds):
    """Ends a signal in a smooth (raised-cosine) fade to exact silence."""
    count = min(samples(seconds), signal.size)
    ramp = 0.5 + 0.5 * np.cos(np.linspace(0.0, math.pi, count))
    signal = signal.copy()
    signal[signal.size - count:] *= ramp
    return signal


def fade_in(signal, seconds):
    count = min(samples(seconds), signal.size)
    ramp = 0.5 - 0.5 * np.cos(np.linspace(0.0, math.pi, count))
    signal = signal.copy()
    signal[:count] *= ramp
    return signal


# --- Noise and filters -----------------------------------------------------

def white_noise(rng, length):
    return rng.uniform(-1.0, 1.0, length)


def biquad(signal, kind, frequency, q=0.7071):
    """A causal second-order filter ("lowpass", "highpass" or "bandpass"),
    after the well-known audio-EQ cookbook formulas."""
    w = 2.0 * math.pi * frequency / RATE
    alpha = math.sin(w) / (2.0 * q)
    cos_w = math.cos(w)
    if kind == "lowpass":
        b = [(1 - cos_w) / 2, 1 - cos_w, (1 - cos_w) / 2]
    elif kind == "highpass":
        b = [(1 + cos_w) / 2, -(1 + cos_w), (1 + cos_w) / 2]
    elif kind == "bandpass":
        b = [alpha, 0.0, -alpha]
    else:
        raise ValueError(kind)
    a0, a1, a2 = 1 + alpha, -2 * cos_w, 1 - alpha
    b0, b1, b2 = b[0] / a0, b[1] / a0, b[2] / a0
    a1, a2 = a1 / a0, a2 / a0
    out = np.empty(len(signal))
    x1 = x2 = y1 = y2 = 0.0
    for i, x in enumerate(signal):
        y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        out[i] = y
        x2, x1, y2, y1 = x1, x, y1, y
    return out


def sweeping_lowpass(signal, cutoff):
    """A causal low-pass (two one-pole stages, 12 dB per octave) whose cutoff
    in Hz moves sample by sample -- the darkening roar of an explosion.
    One-pole stages stay stable at any cutoff, however fast it moves."""
    coefficient = 1.0 - np.exp(-2.0 * math.pi * np.asarray(cutoff) / RATE)
    out = np.empty(len(signal))
    first = second = 0.0
    for i, x in enumerate(signal):
        first += coefficient[i] * (x - first)
        second += coefficient[i] * (first - second)
        out[i] = second
    return out


def circular_filter(signal, response):
    """Filters a looping signal as if it repeated forever: `response` maps an
    array of frequencies (Hz) to gains. Zero phase and exactly periodic, so
    the loop point stays seamless."""
    spectrum = np.fft.rfft(signal)
    freqs = np.fft.rfftfreq(signal.size, 1.0 / RATE)
    return np.fft.irfft(spectrum * response(freqs), signal.size)


def circular_echo(signal, delay, feedback, mix):
    """Adds repeating echoes that wrap around the loop, as in steady play:
    each repeat `delay` samples later and `feedback` times as loud."""
    spectrum = np.fft.rfft(signal)
    k = np.arange(spectrum.size)
    turn = np.exp(-2j * math.pi * k * delay / signal.size)
    wet = spectrum * feedback * turn / (1.0 - feedback * turn)
    return np.fft.irfft(spectrum + mix * wet / feedback, signal.size)


def lowpass_response(corner, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (f / corner) ** (2 * order))


def highpass_response(corner, order=2):
    return lambda f: 1.0 / np.sqrt(1.0 + (corner / np.maximum(f, 1e-9)) ** (2 * order))
