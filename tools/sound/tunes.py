# SPDX-License-Identifier: MIT
"""The game's two pieces of music.

"bgm", the music of a game: twelve bars of 4/4 in A minor / C major at about
129 beats a minute -- a light, steady tune to think to, built on the
IV-V-iii-vi turn (Fmaj7 G Em7 Am) with a turn to Dm7 G Cmaj7 and a
suspended E7 that leads back into the top.

"bgmx", the music of the name-entry screen: eight bars of a music-box waltz
in F major, lighter and slower-feeling, for the moment a player savours
a best time.

Both loop; see music.py for how the end is made to flow into the start.
"""

import numpy as np

import instruments as inst
from music import Loop, chord_tones
from synth import circular_echo, circular_filter, highpass_response, lowpass_response, note

# --- bgm ---------------------------------------------------------------------

BGM_MELODY = (
    "E5:2 C5:1 A4:1 C5:2 E5:1 F5:1 | G5:3 F5:1 E5:1 D5:1 B4:2 |"
    "B4:1 D5:1 E5:2 G5:2 E5:1 D5:1 | E5:4 r:1 C5:1 D5:1 E5:1 |"
    "F5:2 E5:1 C5:1 A5:2 G5:1 F5:1 | G5:2 D5:1 B4:1 D5:2 G5:1 A5:1 |"
    "B5:2 G#5:1 E5:1 D5:2 B4:1 G#4:1 | A4:6 r:2 |"
    "r:1 A4:1 C5:1 D5:1 F5:2 E5:1 D5:1 | D5:2 B4:1 G4:1 B4:2 D5:1 F5:1 |"
    "E5:3 D5:1 C5:2 B4:1 C5:1 | B4:3 A4:1 G#4:2 B4:1 D5:1"
)

# One chord per half bar.
BGM_CHORDS = (
    ["Fmaj7"] * 2 + ["G"] * 2 + ["Em7"] * 2 + ["Am"] * 2 +
    ["Fmaj7"] * 2 + ["G"] * 2 + ["E7"] * 2 + ["Am"] * 2 +
    ["Dm7"] * 2 + ["G"] * 2 + ["Cmaj7"] * 2 + ["E7sus4", "E7"]
)

_GROOVE = {inst.kick: "x.....x.x.......", inst.snare: "....x.......x...",
           inst.hat: "-.x.-.x.-.x.-.x."}
_TURN = {**_GROOVE, inst.kick: "x.....x.x.....x."}
_FILL = {**_GROOVE, inst.snare: "....x.......x-xx", inst.hat: "-.x.-.x.-.x....."}
BGM_DRUMS = [_GROOVE, _GROOVE, _GROOVE, _TURN] * 2 + [_GROOVE, _GROOVE, _GROOVE, _FILL]


def _in_window(freqs, low):
    """Moves each tone by octaves into [low, 2 * low): close voicing that
    moves by small steps from chord to chord."""
    placed = []
    for f in freqs:
        while f < low:
            f *= 2.0
        while f >= 2.0 * low:
            f /= 2.0
        placed.append(f)
    return sorted(placed)


def _play_chords(loop, symbols, steps_per_chord, play):
    for index, symbol in enumerate(symbols):
        play(index * steps_per_chord, steps_per_chord, chord_tones(symbol, 4))


def _master(loop, mix, peak):
    """Sums the buses, takes out the rumble below the speakers' reach and any
    offset from silence, and sets the level."""
    signal = sum(gain * loop.bus(name) for name, gain in mix.items())
    signal = circular_filter(signal, highpass_response(45.0))
    signal = circular_filter(signal, lowpass_response(4600.0, order=3))
    signal -= signal.mean()
    return signal * (peak / np.abs(signal).max())


def bgm(length, peak):
    loop = Loop(length, bars=12, steps_per_bar=16, seed=1003)
    eighth = 2

    loop.play_part("lead", inst.lead, BGM_MELODY, unit=eighth, velocity=0.9)

    def arpeggio(step, steps, tones):
        voiced = _in_window(tones, note("C4"))
        if len(voiced) == 3:
            voiced.append(voiced[0] * 2.0)
        for i, order in enumerate((0, 2, 1, 3, 0, 2, 1, 3)[:steps // eighth]):
            accent = 1.0 if i % 4 == 0 else 0.75
            loop.place("arp", inst.bell(voiced[order], 0, accent, loop.rng), step + i * eighth)

    def bass_line(step, steps, tones):
        root = _in_window(tones[:1], note("E2"))[0]
        figure = ((0, 3), (0, 1), (7, 2), (12, 1), (7, 1))
        position = 0
        for interval, length in figure:
            if position >= steps // eighth:
                break
            gate = loop.sample_at(step + (position + length) * eighth) - loop.sample_at(
                step + position * eighth)
            freq = root * 2.0 ** (interval / 12.0)
            loop.place("bass", inst.bass(freq, int(gate * 0.9), 1.0, loop.rng),
                       step + position * eighth)
            position += length

    def pad_chord(step, steps, tones):
        gate = loop.sample_at(step + steps) - loop.sample_at(step)
        for f in _in_window(tones, note("G3")):
            loop.place("pad", inst.pad(f, gate, 1.0, loop.rng), step)

    half_bar = 8
    _play_chords(loop, BGM_CHORDS, half_bar, arpeggio)
    _play_chords(loop, BGM_CHORDS, half_bar, pad_chord)
    # The bass figure spans a whole bar; the last bar's two chords share a root.
    _play_chords(loop, BGM_CHORDS[::2], 2 * half_bar, bass_line)
    loop.play_drums("drums", BGM_DRUMS, levels=(0.35, 0.7, 1.0))

    # A dotted-quarter echo behind the tune gives it room without blurring it.
    echo_delay = loop.sample_at(6) - loop.sample_at(0)
    lead = circular_echo(loop.bus("lead"), echo_delay, feedback=0.3, mix=0.28)
    loop.buses["lead"] = lead
    mix = {"lead": 0.55, "arp": 0.2, "bass": 0.5, "pad": 0.1, "drums": 0.6}
    return _master(loop, mix, peak)


# --- bgmx --------------------------------------------------------------------

BGMX_MELODY = (
    "A4:2 C5:2 F5:2 | A5:3 G5:1 F5:2 | D5:2 F5:2 Bb5:2 | A5:4 G5:2 |"
    "F5:2 A5:1 G5:1 F5:2 | D5:2 F5:1 E5:1 D5:2 | G5:3 F5:1 D5:2 | E5:2 C5:2 Bb4:2"
)
BGMX_CHORDS = ["F", "Dm", "Bb", "C", "F", "Dm", "Gm7", "C7"]
_WALTZ = {inst.kick: "x...........", inst.shaker: "x.-.x.-.x.-."}
_WALTZ_TURN = {inst.kick: "x.......x...", inst.shaker: "x.-.x.-.x-x-"}
BGMX_DRUMS = [_WALTZ, _WALTZ, _WALTZ, _WALTZ_TURN] * 2


def bgmx(length, peak):
    loop = Loop(length, bars=8, steps_per_bar=12, seed=2008)
    eighth = 2
    beat = 4

    loop.play_part("bell", inst.bell, BGMX_MELODY, unit=eighth, velocity=1.0)
    loop.play_part("lead", inst.lead, BGMX_MELODY, unit=eighth, velocity=0.5, transpose=-12)

    def oom_pah_pah(step, steps, tones):
        root = _in_window(tones[:1], note("F2"))[0]
        loop.place("bass", inst.pluck_bass(root, loop.sample_at(beat) - loop.sample_at(0),
                                           1.0, loop.rng), step)
        gate = int(0.5 * (loop.sample_at(beat) - loop.sample_at(0)))
        for beat_number in (1, 2):
            for f in _in_window(tones, note("A3")):
                loop.place("chords", inst.soft_square(f, gate, 0.8, loop.rng),
                           step + beat_number * beat)

    def pad_chord(step, steps, tones):
        gate = loop.sample_at(step + steps) - loop.sample_at(step)
        for f in _in_window(tones, note("C4")):
            loop.place("pad", inst.pad(f, gate, 1.0, loop.rng), step)

    _play_chords(loop, BGMX_CHORDS, 12, oom_pah_pah)
    _play_chords(loop, BGMX_CHORDS, 12, pad_chord)
    loop.play_drums("drums", BGMX_DRUMS, levels=(0.3, 0.55, 0.8))

    echo_delay = loop.sample_at(3 * eighth) - loop.sample_at(0)
    loop.buses["bell"] = circular_echo(loop.bus("bell"), echo_delay, feedback=0.35, mix=0.3)
    mix = {"bell": 0.42, "lead": 0.35, "chords": 0.45, "bass": 1.2, "pad": 0.1, "drums": 0.75}
    return _master(loop, mix, peak)
