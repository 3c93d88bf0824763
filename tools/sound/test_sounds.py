# SPDX-License-Identifier: MIT
"""Tests of the sound generator's building blocks and of its one promise:
the committed clips are exactly what it makes.

    /usr/bin/python3 -m unittest discover -s tools/sound -p "test_*.py"
"""

import os
import shutil
import sys
import unittest

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import make_sounds  # noqa: E402
from music import Loop, chord_tones  # noqa: E402
from synth import (BAND_LIMIT, circular_echo, note, oscillate,  # noqa: E402
                   pulse_partials)
from wave8 import RATE, read_wave, to_bytes, wave_image  # noqa: E402


def _beep(freq, gate, velocity, rng):
    return np.full(gate, velocity)


class NoteNamesTest(unittest.TestCase):
    def test_names_give_equal_tempered_pitches(self):
        self.assertAlmostEqual(note("A4"), 440.0)
        self.assertAlmostEqual(note("A5"), 880.0)
        self.assertAlmostEqual(note("C4"), 261.6256, places=3)
        self.assertAlmostEqual(note("Bb3"), note("A#3"))
        self.assertAlmostEqual(note("G#4"), note("Ab4"))

    def test_chord_symbols_stack_the_right_intervals(self):
        tones = chord_tones("Em7", 4)
        semitones = [round(12 * np.log2(f / tones[0])) for f in tones]
        self.assertEqual(semitones, [0, 3, 7, 10])
        self.assertAlmostEqual(chord_tones("Bb", 3)[0], note("Bb3"))


class SampleFormatTest(unittest.TestCase):
    def test_silence_is_128_and_the_range_is_used_both_ways(self):
        self.assertEqual(list(to_bytes([0.0, 1.0, -1.0])), [128, 255, 1])

    def test_a_signal_that_would_clip_is_refused(self):
        with self.assertRaises(ValueError):
            to_bytes([0.0, 1.2])

    def test_the_header_is_the_canonical_44_bytes(self):
        image = wave_image(np.full(10, 128, dtype=np.uint8))
        self.assertEqual(len(image), 54)
        self.assertEqual(image[:4], b"RIFF")
        self.assertEqual(int.from_bytes(image[4:8], "little"), 46)
        self.assertEqual(int.from_bytes(image[24:28], "little"), RATE)
        self.assertEqual(int.from_bytes(image[40:44], "little"), 10)


class OscillatorTest(unittest.TestCase):
    def test_nothing_is_made_above_the_band_limit(self):
        # A naive square wave at 1.3 kHz would fold its upper harmonics back
        # down as harsh, out-of-tune aliases.
        tone = oscillate(1300.0, RATE, pulse_partials(0.25))
        spectrum = np.abs(np.fft.rfft(tone))
        freqs = np.fft.rfftfreq(tone.size, 1.0 / RATE)
        above = spectrum[freqs > BAND_LIMIT + 10].max()
        self.assertLess(above, spectrum.max() * 1e-6)


class LoopTest(unittest.TestCase):
    def test_a_bar_of_the_wrong_length_is_refused(self):
        loop = Loop(1600, bars=2, steps_per_bar=8, seed=1)
        with self.assertRaisesRegex(ValueError, "bar 2"):
            loop.play_part("tune", _beep, "C4:4 C4:4 | C4:4 C4:3", unit=1)

    def test_a_note_ringing_past_the_end_wraps_onto_the_start(self):
        loop = Loop(1000, bars=1, steps_per_bar=10, seed=1)
        loop.place("bell", np.ones(300), step=9)  # starts at sample 900
        bus = loop.bus("bell")
        self.assertEqual(bus.sum(), 300)
        self.assertTrue(np.all(bus[900:] == 1) and np.all(bus[:200] == 1))
        self.assertTrue(np.all(bus[200:900] == 0))

    def test_echoes_wrap_round_the_loop(self):
        signal = np.zeros(1000)
        signal[950] = 1.0
        echoed = circular_echo(signal, delay=100, feedback=0.5, mix=0.5)
        # Ten repeats later the echo has come round to where it began, by
        # then a thousand times fainter.
        self.assertAlmostEqual(echoed[950], 1.0, delta=0.002)
        self.assertAlmostEqual(echoed[50], 0.5, delta=0.002)  # first repeat, past the end
        self.assertAlmostEqual(echoed[150], 0.25, delta=0.002)  # the next, half as loud
        self.assertAlmostEqual(echoed[500], 0.0, delta=1e-9)  # nothing between repeats


@unittest.skipUnless(shutil.which("espeak-ng"), "espeak-ng speaks the voice cues")
class CommittedClipsTest(unittest.TestCase):
    def test_every_committed_clip_is_what_the_generator_makes(self):
        for name, count, peak, maker in make_sounds.CLIPS:
            with self.subTest(clip=name):
                path = os.path.join(make_sounds.RESOURCES, name + ".wav")
                committed = read_wave(path)
                made = to_bytes(maker(count, peak))
                self.assertEqual(committed.size, count)
                self.assertTrue(np.array_equal(committed, made))


if __name__ == "__main__":
    unittest.main()
