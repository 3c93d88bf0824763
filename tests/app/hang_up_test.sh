#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# hang_up_test.sh TORVEX: the real game on SDL's dummy video driver, its
# terminal hung up (SIGHUP), as when the terminal window it was started from
# is closed: it closes as on SIGTERM, with exit status 1, and keeps its
# settings. A hang-up ignored by whoever started it (nohup) leaves it playing.
set -euo pipefail
torvex="$1"

work="$(mktemp -d /tmp/torvex-hang-up-XXXXXX)"
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $1" >&2; cat "$work/err" >&2 2>/dev/null || true; exit 1; }
printf 'Two Cells,2,1,1,2,' >"$work/field.tvm"

start_game() {
    env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
        XDG_DATA_HOME="$work/data" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        "$@" "$torvex" "$work/field.tvm" 2>"$work/err" >/dev/null &
    game_pid=$!
    # Start-up pauses a second (longer under a sanitizer) before the loop runs.
    sleep 3
    kill -0 "$game_pid" 2>/dev/null || fail "the game did not run on the dummy driver"
}

start_game
kill -HUP "$game_pid"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 1 ] || fail "exit status $status after a hang-up, expected 1"
[ "$(cat "$work/field.tvh" 2>/dev/null)" = '? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,' ] ||
    fail "no settings kept after a hang-up"

rm -f "$work/field.tvh"
start_game nohup
kill -HUP "$game_pid"
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "a hang-up ignored with nohup ended the game"
kill -TERM "$game_pid"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 1 ] || fail "exit status $status after SIGTERM, expected 1"
[ -f "$work/field.tvh" ] || fail "no settings kept after SIGTERM"
echo "a hang-up closes the game as SIGTERM does and keeps its settings; nohup keeps it playing"
