#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Makes the game's nine sound clips and writes them to resources/.

    /usr/bin/python3 tools/sound/make_sounds.py           # write resources/*.wav
    /usr/bin/python3 tools/sound/make_sounds.py --check   # compare, write nothing
    /usr/bin/python3 tools/sound/make_sounds.py --out DIR # write elsewhere

Needs Debian's python3-numpy and espeak-ng. The same bytes come out on
every run: every random choice is seeded and espeak-ng is deterministic.
The build embeds the committed files and never runs this.

Levels: the music peaks well below the cues, so a click, a pop or a voice
stands out over it and a cue mixed with the music still does not overflow.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cues  # noqa: E402
import tunes  # noqa: E402
import voices  # noqa: E402
from wave8 import to_bytes, wave_image  # noqa: E402

# name, sample count, peak level (1.0 = full scale), maker
CLIPS = [
    ("bang", 19336, 0.9, cues.bang),
    ("do", 1761, 0.55, cues.click),
    ("geco", 2496, 0.65, cues.pop),
    ("bgm", 245575, 0.4, tunes.bgm),
    ("jyan", 11362, 0.75, cues.jingle),
    ("wao", 2289, 0.58, lambda n, p: voices.voice(voices.WAO, n, p)),
    ("ya", 2343, 0.75, lambda n, p: voices.voice(voices.YA, n, p)),
    ("this", 5386, 0.85, lambda n, p: voices.voice(voices.THIS, n, p)),
    ("bgmx", 122414, 0.48, tunes.bgmx),
]

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")


def make_clip(count, peak, maker):
    signal = maker(count, peak)
    if signal.size != count:
        raise ValueError("made %d samples instead of %d" % (signal.size, count))
    return wave_image(to_bytes(signal))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=RESOURCES, help="folder to write the clips to")
    parser.add_argument("--check", action="store_true",
                        help="compare with the clips in the folder instead of writing")
    args = parser.parse_args()

    differing = []
    for name, count, peak, maker in CLIPS:
        image = make_clip(count, peak, maker)
        path = os.path.join(args.out, name + ".wav")
        if args.check:
            with open(path, "rb") as existing:
                if existing.read() != image:
                    differing.append(name)
            continue
        with open(path, "wb") as out:
            out.write(image)
        print("wrote %s (%d samples)" % (os.path.normpath(path), count))
    if differing:
        print("differ from the generator: " + ", ".join(differing))
        return 1
    if args.check:
        print("all %d clips match the generator" % len(CLIPS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
