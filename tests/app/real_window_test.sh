#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# real_window_test.sh TORVEX: the real game in a real X window (Xvfb), won
# with xdotool on a map of two cells and one mine, a name entered for the new
# best time, closed with Escape; checks the exit code and the settings file.
set -euo pipefail
torvex="$1"
source "$(dirname "$0")/window_test_lib.sh"
need_tools Xvfb xdotool import convert

work="$(mktemp -d /tmp/torvex-window-test-XXXXXX)"
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# The replays the game keeps of its games stay in the test's own folder.
export XDG_DATA_HOME="$work/data"
fail() { echo "$1" >&2; cat "$work/game.log" >&2 2>/dev/null || true; exit 1; }

# The first opening is always safe, so opening one cell of two wins.
printf 'Two Cells,2,1,1,2,' >"$work/field.tvm"

start_xvfb 1024x768

# A real X window whatever the environment asks for, a sound device that
# plays nothing, and leaks left to the headless tests (X and SDL keep memory).
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$torvex" "$work/field.tvm" >"$work/game.log" 2>&1 &
game_pid=$!

# Input sent before the loop runs (start-up pauses a second, longer under a
# sanitizer) could arrive out of step: wait for the mostly light title screen.
wait_for_title
send key F2                        # question marks off
send key F4                        # animation off
send key F1                        # a game, the view on the right cell
send click 3                       # flag it (the press starts the clock)
send click 3                       # and take the flag off again
send click 1                       # open it: the other cell holds the mine
sleep 0.5                          # the win completes on the next clock step
send click 1                       # a new best time: the name entry
send click 1                       # 'A', where the grid cursor starts
send mousemove_relative -- 0 2000  # down to END (the cursor stops on it)
send click 1                       # finish the name
close_with_escape                  # close, silently

# The time of so short a game is a second or two at most.
expected='^\? OFF,SOUND ON,ANIMATION OFF,[0-2],A,,$'
actual="$(cat "$work/field.tvh" 2>/dev/null || echo '(no settings file)')"
[[ "$actual" =~ $expected ]] || fail "settings file: '$actual', expected it to match '$expected'"
echo "the real game was won, took the name, closed with exit code 1 and kept its settings"
