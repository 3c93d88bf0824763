# SPDX-License-Identifier: MIT
"""The game's voice cues, spoken by espeak-ng (Debian package "espeak-ng")
and then shaped here: brought down to the clips' rate, trimmed, cleaned of
rumble, made a little denser so they carry over the music, and fitted into
their exact lengths with soft edges.

espeak-ng 1.51 gives the same samples for the same text and settings as
long as nothing else in its process draws from the C library's rand(),
which its breath noise comes from; `_speak` sees to that. Other espeak-ng
versions speak a little differently, so the generator's --check compares
the spoken clips by how they sound (compare.py).
"""

import math
import os
import subprocess
import tempfile
import wave

import numpy as np

from synth import biquad, fade_in, fade_out, samples
from wave8 import RATE

# What each voice cue says, and how: espeak-ng voice, words per minute and
# pitch (0-99). The rates are the slowest that fit each clip's length.
WAO = ("Wow!", "en-us+f3", 280, 72)
YA = ("Yeah!", "en-us+f3", 290, 74)
THIS = ("Victory!", "en-us+f3", 205, 68)


def _speak(text, voice, rate, pitch):
    """espeak-ng's rendering of the text as floats at espeak's own rate."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "voice.wav")
        # espeak-ng opens the sound system even when it only writes a file.
        # The first time an account does that (or after /tmp was emptied),
        # the PulseAudio client names a new folder in /tmp with rand(): 12
        # draws, and 12 more for each name already taken, which shifted the
        # breath noise of the first clip spoken. A server address that leads
        # nowhere keeps the client from doing anything at all.
        quiet = dict(os.environ, PULSE_SERVER="unix:" + os.path.join(folder, "no-server"))
        subprocess.run(["espeak-ng", "-v", voice, "-s", str(rate), "-p", str(pitch),
                        "-w", path, text], check=True, env=quiet)
        with wave.open(path, "rb") as spoken:
            if spoken.getnchannels() != 1 or spoken.getsampwidth() != 2:
                raise ValueError("unexpected espeak-ng output format")
            frames = spoken.readframes(spoken.getnframes())
            source_rate = spoken.getframerate()
    return np.frombuffer(frames, dtype="<i2") / 32768.0, source_rate


def _halve_rate(signal):
    """Decimates by two behind a windowed-sinc low-pass at 4.8 kHz, so
    nothing above the new Nyquist frequency folds back as hiss."""
    taps = 95
    n = np.arange(taps) - (taps - 1) / 2
    cutoff = 4800.0 / (2 * RATE)  # as a fraction of the old rate
    kernel = 2 * cutoff * np.sinc(2 * cutoff * n) * np.blackman(taps)
    kernel /= kernel.sum()
    return np.convolve(signal, kernel)[(taps - 1) // 2::2]


def _trim(signal, threshold_db=-30.0, frame=110):
    """Cuts the silence and the faint breath espeak-ng leaves around the
    words: everything outside the first and last 10 ms frame whose level
    comes within `threshold_db` of the loudest frame."""
    count = signal.size // frame
    frames = signal[:count * frame].reshape(count, frame)
    level = np.sqrt((frames ** 2).mean(axis=1))
    loud = np.flatnonzero(level > level.max() * 10 ** (threshold_db / 20))
    return signal[loud[0] * frame:(loud[-1] + 1) * frame]


def voice(words, length, peak):
    """One voice cue: the words of `words` fitted into `length` samples."""
    text, espeak_voice, rate, pitch = words
    spoken, source_rate = _speak(text, espeak_voice, rate, pitch)
    return fit(text, spoken, source_rate, length, peak)


def fit(text, spoken, source_rate, length, peak):
    """espeak-ng's rendering of `text` made into a clip of `length` samples
    peaking at `peak`."""
    if source_rate != 2 * RATE:
        raise ValueError("espeak-ng spoke at %d Hz; expected %d" % (source_rate, 2 * RATE))
    signal = _trim(_halve_rate(spoken))
    signal = biquad(biquad(signal, "highpass", 110.0), "highpass", 110.0)

    # The very end of a word is its fading glide; up to 30 ms of it may give
    # way to the fade-out below. Anything longer must be spoken faster.
    room = length - 4
    if signal.size > room + samples(0.03):
        raise ValueError("%r lasts %.3f s, longer than its clip of %.3f s; speak it faster"
                         % (text, signal.size / RATE, length / RATE))
    signal = signal[:room]

    # Gentle saturation lifts the quieter syllables towards the peaks.
    signal /= np.abs(signal).max()
    signal = np.tanh(2.0 * signal) / math.tanh(2.0)
    # A voice is lopsided, so squeezing its peaks shifts it off silence:
    # filter that drift out again.
    signal = biquad(signal, "highpass", 80.0)
    signal = fade_out(fade_in(signal, 0.003), 0.03)

    out = np.zeros(length)
    out[2:2 + signal.size] = signal
    return out * (peak / np.abs(out).max())
