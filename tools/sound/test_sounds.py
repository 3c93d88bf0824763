# SPDX-License-Identifier: MIT
"""Tests of the sound generator's building blocks and of its one promise:
the committed clips are what it makes (sample for sample where it only
does arithmetic, by how they sound where espeak-ng speaks; compare.py).

    /usr/bin/python3 -m unittest discover -s tools/sound -p "test_*.py"
"""

import os
import shutil
import sys
import tempfile
import unittest
from unittest import mock

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import make_sounds  # noqa: E402
import voices  # noqa: E402
from compare import differences  # noqa: E402
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


def _committed(name):
    return read_wave(os.path.join(make_sounds.RESOURCES, name + ".wav"))


def _clip(name):
    for clip in make_sounds.CLIPS:
        if clip[0] == name:
            return clip
    raise KeyError(name)


class ClipComparisonTest(unittest.TestCase):
    def test_a_synthesised_clip_must_match_sample_for_sample(self):
        committed = _committed("do")
        self.assertEqual(differences(committed, committed.copy(), spoken=False), [])
        nudged = committed.copy()
        nudged[700] += 1
        self.assertEqual(differences(committed, nudged, spoken=False), ["1 samples differ"])

    def test_a_clip_of_another_length_fails(self):
        committed = _committed("wao")
        for spoken in (False, True):
            found = differences(committed, committed[:-1], spoken)
            self.assertEqual(found, ["2288 samples instead of 2289"])

    def test_a_spoken_clip_of_another_word_fails(self):
        wao = _committed("wao")
        ya = _committed("ya")[:wao.size]
        found = differences(wao, ya, spoken=True)
        self.assertTrue(any("loudness curve" in line for line in found), found)
        self.assertTrue(any("spectrum" in line for line in found), found)

    def test_a_spoken_clip_at_another_level_fails(self):
        committed = _committed("this")
        centred = committed.astype(float) - 128
        quieter = (np.rint(centred * 0.8) + 128).astype(np.uint8)
        found = differences(committed, quieter, spoken=True)
        self.assertIn("peak 86 levels instead of 108", found)
        self.assertIn("-1.9 dB louder", found)


@unittest.skipUnless(shutil.which("espeak-ng"), "espeak-ng speaks the voice cues")
class SpokenClipsTest(unittest.TestCase):
    def _speak(self, name, words):
        _, count, peak, _ = _clip(name)
        text, espeak_voice, rate, pitch = words
        return voices._speak(text, espeak_voice, rate, pitch), count, peak

    def test_other_breath_noise_passes_though_the_bytes_differ(self):
        # espeak-ng's breath noise follows rand(); noise of a tenth of the
        # speech's own level moves the bytes about as much as other draws
        # do (up to 10 levels, 1.5 to 1.8 on average).
        for name, words in (("wao", voices.WAO), ("this", voices.THIS)):
            with self.subTest(clip=name):
                (spoken, source_rate), count, peak = self._speak(name, words)
                level = np.sqrt(np.convolve(spoken ** 2, np.ones(220) / 220, "same"))
                noise = np.random.default_rng(1).standard_normal(spoken.size)
                made = to_bytes(voices.fit(words[0], spoken + 0.1 * level * noise,
                                           source_rate, count, peak))
                committed = _committed(name)
                self.assertGreater(np.count_nonzero(made != committed), count // 3)
                self.assertEqual(differences(committed, made, spoken=True), [])

    def test_another_pitch_fails(self):
        text, espeak_voice, rate, pitch = voices.YA
        for step in (-3, 3):
            with self.subTest(step=step):
                (spoken, source_rate), count, peak = self._speak(
                    "ya", (text, espeak_voice, rate, pitch + step))
                made = to_bytes(voices.fit(text, spoken, source_rate, count, peak))
                found = differences(_committed("ya"), made, spoken=True)
                self.assertTrue(any("spectrum" in line for line in found), found)

    def test_every_committed_clip_is_what_the_generator_makes(self):
        for name, count, peak, maker in make_sounds.CLIPS:
            with self.subTest(clip=name):
                path = os.path.join(make_sounds.RESOURCES, name + ".wav")
                made = make_sounds.make_samples(count, peak, maker)
                self.assertEqual(make_sounds.check_clip(path, name, made, exact=False), [])

    def test_speech_does_not_depend_on_the_sound_system_of_the_account(self):
        # The first clip spoken under an account whose sound client had not
        # run yet used to come out different: a fresh home folder, with no
        # runtime folder named elsewhere, is such an account.
        _, count, peak, maker = _clip("wao")
        for _ in range(2):
            with tempfile.TemporaryDirectory() as fresh:
                account = {k: v for k, v in os.environ.items()
                           if k not in ("XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH", "PULSE_SERVER")}
                account["HOME"] = fresh
                with mock.patch.dict(os.environ, account, clear=True):
                    made = make_sounds.make_samples(count, peak, maker)
                self.assertTrue(np.array_equal(made, _committed("wao")))


if __name__ == "__main__":
    unittest.main()
