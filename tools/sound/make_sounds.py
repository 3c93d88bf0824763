#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Makes the game's nine sound clips and writes them to resources/.

    /usr/bin/python3 tools/sound/make_sounds.py               # write resources/*.wav
    /usr/bin/python3 tools/sound/make_sounds.py --check       # compare, write nothing
    /usr/bin/python3 tools/sound/make_sounds.py --check-exact # byte for byte, write nothing
    /usr/bin/python3 tools/sound/make_sounds.py --out DIR     # write elsewhere

Needs Debian's python3-numpy and espeak-ng. Every random choice is seeded,
and on Debian 12 (espeak-ng 1.51) the same bytes come out on every run.

--check is the comparison the test suite runs: the synthesised clips must
match sample for sample, the spoken ones must sound the same (length, peak,
loudness, loudness curve and spectrum within tolerances, see compare.py),
because speech synthesis may differ in its noise between runs and in its
details between espeak-ng versions. --check-exact compares every byte; run
it after changing the generator on the machine that makes the clips.
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
from compare import differences  # noqa: E402
from wave8 import read_wave, to_bytes, wave_image  # noqa: E402

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

# The clips espeak-ng speaks.
SPOKEN = ("wao", "ya", "this")

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")


def make_samples(count, peak, maker):
    signal = maker(count, peak)
    if signal.size != count:
        raise ValueError("made %d samples instead of %d" % (signal.size, count))
    return to_bytes(signal)


def check_clip(path, name, made, exact):
    """What differs between the clip file at `path` and the samples made
    now, in words; an empty list when it passes."""
    try:
        with open(path, "rb") as existing:
            image = existing.read()
        committed = read_wave(path)
    except (OSError, ValueError) as error:
        return [str(error)]
    if exact:
        return [] if image == wave_image(made) else ["the bytes differ"]
    if image != wave_image(committed):
        return ["the file is not in the clips' exact format"]
    return differences(committed, made, name in SPOKEN)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=RESOURCES, help="folder to write the clips to")
    checks = parser.add_mutually_exclusive_group()
    checks.add_argument("--check", action="store_true",
                        help="compare with the clips in the folder instead of writing "
                             "(spoken clips by how they sound)")
    checks.add_argument("--check-exact", action="store_true",
                        help="compare every byte with the clips in the folder instead of writing")
    args = parser.parse_args()

    differing = []
    for name, count, peak, maker in CLIPS:
        made = make_samples(count, peak, maker)
        path = os.path.join(args.out, name + ".wav")
        if args.check or args.check_exact:
            found = check_clip(path, name, made, args.check_exact)
            print(("same     " if not found else "DIFFERS  ") + name
                  + "".join("\n         " + line for line in found))
            differing += [name] if found else []
            continue
        with open(path, "wb") as out:
            out.write(wave_image(made))
        print("wrote %s (%d samples)" % (os.path.normpath(path), count))
    if differing:
        print("differ from the generator: " + ", ".join(differing))
        return 1
    if args.check or args.check_exact:
        print("all %d clips match the generator%s"
              % (len(CLIPS), " byte for byte" if args.check_exact else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
