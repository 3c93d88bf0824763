# SPDX-License-Identifier: MIT
"""A small sequencer for music that loops.

A piece is a fixed number of samples holding a whole number of bars. Every
note is mixed into that one buffer, and whatever rings past the end (a
release, a bell's decay, an echo) wraps around onto the start -- exactly
what the player hears when the loop comes round again. The end therefore
flows into the start like any bar into the next: no click, no gap.

Parts are written as text, one bar between bar lines:

    "E5:2 C5:1 A4:1 C5:2 E5:1 F5:1 | G5:3 ..."

Each token is a note (or "r" for a rest) and its length in the part's unit
(eighths, usually). Every bar is checked to hold exactly one bar of time,
so a slip in the score fails loudly instead of shifting the rest of it.
"""

import numpy as np

from synth import note

_CHORD_SHAPES = {
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10),
    "maj7": (0, 4, 7, 11), "sus4": (0, 5, 7), "7sus4": (0, 5, 7, 10),
}


def chord_tones(symbol, octave):
    """Semitone-exact frequencies of a chord symbol ("Fmaj7", "Em7", "Bb")
    with its root in the given octave."""
    root_length = 2 if len(symbol) > 1 and symbol[1] in "#b" else 1
    root, quality = symbol[:root_length], symbol[root_length:]
    base = note("%s%d" % (root, octave))
    return [base * 2.0 ** (step / 12.0) for step in _CHORD_SHAPES[quality]]


class Loop:
    """The sample buffer of one looping piece and its grid of steps."""

    def __init__(self, length, bars, steps_per_bar, seed):
        self.length = length
        self.bars = bars
        self.steps_per_bar = steps_per_bar
        self.rng = np.random.default_rng(seed)
        self.buses = {}

    def sample_at(self, step):
        """First sample of a step. Steps need not be whole samples long; each
        onset is rounded to its nearest sample, far below what an ear notices."""
        return int(round(step * self.length / (self.bars * self.steps_per_bar)))

    def place(self, bus, sound, step, gain=1.0):
        """Mixes a rendered sound in at a step, wrapping its tail to the start."""
        buffer = self.buses.setdefault(bus, np.zeros(self.length))
        start = self.sample_at(step) % self.length
        index = (start + np.arange(sound.size)) % self.length
        np.add.at(buffer, index, gain * sound)

    def play_part(self, bus, instrument, text, unit, velocity=1.0, transpose=0):
        """Plays a written part (see the module notes); `unit` is the number
        of steps one length unit lasts."""
        step = 0
        for number, bar in enumerate(text.split("|")):
            bar_start = step
            for token in bar.split():
                pitch, _, length = token.partition(":")
                length = int(length) * unit
                if pitch != "r":
                    freq = note(pitch) * 2.0 ** (transpose / 12.0)
                    gate = self.sample_at(step + length) - self.sample_at(step)
                    self.place(bus, instrument(freq, gate, velocity, self.rng), step)
                step += length
            if step - bar_start != self.steps_per_bar:
                raise ValueError("bar %d of %s lasts %d steps, not %d"
                                 % (number + 1, bus, step - bar_start, self.steps_per_bar))
        if step != self.bars * self.steps_per_bar:
            raise ValueError("part %s does not fill the loop" % bus)

    def play_drums(self, bus, bars, levels):
        """Plays drum bars: one string per bar and drum, a character per step:
        "x" a hit, "X" an accent, "-" a ghost note, "." nothing."""
        accents = {"x": levels[1], "X": levels[2], "-": levels[0]}
        for bar_index, rows in enumerate(bars):
            for drum, row in rows.items():
                if len(row) != self.steps_per_bar:
                    raise ValueError("drum row %r has %d steps" % (row, len(row)))
                for position, mark in enumerate(row):
                    if mark in accents:
                        step = bar_index * self.steps_per_bar + position
                        self.place(bus, drum(None, 0, accents[mark], self.rng), step)

    def bus(self, name):
        return self.buses.get(name, np.zeros(self.length))
