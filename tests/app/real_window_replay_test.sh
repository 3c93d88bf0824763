#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# real_window_replay_test.sh TORVEX TORVEX-HEADLESS: a game played in a real
# X window (Xvfb) with xdotool keeps a replay; played headless, the replay
# ends in exactly the state the real game ended in, and so does watching it
# with torvex --replay, which leaves the settings file alone.
set -euo pipefail
torvex="$1"
headless="$2"
source "$(dirname "$0")/window_test_lib.sh"
need_tools Xvfb xdotool import convert

work="$(mktemp -d /tmp/torvex-replay-test-XXXXXX)"
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$1" >&2; cat "$work/game.log" >&2 2>/dev/null || true; exit 1; }

# Three cells, one mine. The first opening (the middle cell, where the view
# starts) is always safe; the left cell then either holds the mine or is the
# last safe one, so opening it ends the game, lost or won.
printf 'Three Cells,3,1,1,3,' >"$work/field.tvm"
export XDG_DATA_HOME="$work/data"
replays="$work/data/torvex/replays"

start_xvfb 1024x768

# Runs TORVEX with its arguments in the background, waits for its title.
start_game() {
    SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        "$torvex" "$@" >"$work/game.log" 2>&1 &
    game_pid=$!
}

TORVEX_EXIT_DUMP="$work/real.json" start_game "$work/field.tvm"
wait_for_title
send mousemove_relative -- 0 45    # the menu cursor down a little
send key F2                        # question marks off
send key F1                        # a game, the view on the middle cell
for _ in $(seq 1 12); do           # three seconds of looking around
    send mousemove_relative -- 40 -20
    send mousemove_relative -- -40 20
done
send mousemove_relative -- 16 3    # to the middle of the cell
send click 3                       # flag it (the press starts the clock)
send click 3                       # and take the flag off again
send click 1                       # open it: a 1
send mousemove_relative -- -35 0   # the left cell
send key F4                        # animation off, during the game
send click 1                       # open it: lost or won
sleep 0.5                          # a win completes on the next clock step
send mousemove_relative -- 5 -2
send key Escape                    # close on the end screen: the game is kept
wait_for_end 100 "the game did not close on Escape"
[ "$status" -eq 1 ] || fail "exit code $status, expected 1"

kept=("$replays"/*.tvr)
[ "${#kept[@]}" -eq 1 ] && [ -f "${kept[0]}" ] || fail "expected one replay in $replays"
case "$(basename "${kept[0]}")" in
    Three_Cells-[0-9]*-[0-9]*-won-*s.tvr | Three_Cells-[0-9]*-[0-9]*-lost-*s.tvr) ;;
    *) fail "replay named $(basename "${kept[0]}")" ;;
esac
grep -q '^message 256 115 ' "${kept[0]}" || fail "the F4 of the game is not in its replay"

# Everything but the clock's reading at the moment of the dump: the real
# game's clock went on after its last pass.
same_state() {
    diff <(grep -v '"Tick"' "$1") <(grep -v '"Tick"' "$2") >&2
}
{ cat "${kept[0]}"; echo "dump $work/headless.json"; } >"$work/replay.txt"
"$headless" "$work/replay.txt" >"$work/headless.log" || fail "the replay did not run headless"
same_state "$work/real.json" "$work/headless.json" || fail "the headless replay ended elsewhere"

settings_before="$(cat "$work/field.tvh")"
cp "${kept[0]}" "$work/game.tvr"
rm -rf "$replays"
# Watched to its end, with the player's mouse busy meanwhile: it does nothing.
TORVEX_EXIT_DUMP="$work/watched.json" start_game --replay "$work/game.tvr"
sleep 2
for _ in 1 2 3; do
    xdotool click 1 click 3 mousemove_relative -- 30 30 2>/dev/null || true
    sleep 0.3
done
wait_for_end 300 "torvex --replay did not end with its replay"
[ "$status" -eq 1 ] || fail "torvex --replay: exit code $status, expected 1"
same_state "$work/real.json" "$work/watched.json" || fail "the watched replay ended elsewhere"

# Paused with Space, it waits well past its end, and Escape then quits
# where it stood, before the end.
TORVEX_EXIT_DUMP="$work/paused.json" start_game --replay "$work/game.tvr"
sleep 2
window="$(xdotool search --name '^Torvex$' 2>/dev/null | head -n 1 || true)"
[ -n "$window" ] && xdotool windowfocus "$window" 2>/dev/null || true
xdotool key space
sleep 10
kill -0 "$game_pid" 2>/dev/null || fail "the paused replay did not wait"
xdotool key Escape
wait_for_end 100 "the paused replay did not end on Escape"
[ "$status" -eq 1 ] || fail "torvex --replay: exit code $status after Escape, expected 1"
frames() { sed -n 's/.*"FrameCount": \([0-9]*\).*/\1/p' "$1"; }
[ "$(frames "$work/paused.json")" -lt "$(frames "$work/real.json")" ] ||
    fail "the paused replay ran to its end"
[ "$(cat "$work/field.tvh")" = "$settings_before" ] || fail "torvex --replay wrote the settings"
[ ! -e "$replays" ] || fail "torvex --replay kept a replay of its own"
echo "a real game's replay ends, headless and watched, in the state the game ended in"
