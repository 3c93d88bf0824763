#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# no_display_test.sh TORVEX: the real game started where there is no
# display. With no video driver asked for, it must say so and end with exit
# status 0 instead of running on unseen; a driver asked for by name (the
# dummy one of tests and servers) is taken as meant and the game runs.
set -euo pipefail
torvex="$1"
message='torvex: no display found (is DISPLAY or WAYLAND_DISPLAY set?)'

if compgen -G '/dev/dri/card*' >/dev/null; then
    echo "SKIPPED: this machine has a graphics device, on which SDL may draw without a desktop"
    exit 77
fi

work="$(mktemp -d /tmp/torvex-no-display-XXXXXX)"
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# The replays the game keeps of its games stay in the test's own folder.
export XDG_DATA_HOME="$work/data"
fail() { echo "FAIL: $1" >&2; cat "$work/err" >&2 2>/dev/null || true; exit 1; }
printf 'Two Cells,2,1,1,2,' >"$work/field.tvm"

# A chooser that would be run if the game tried the dialog anyway.
mkdir "$work/bin"
printf '#!/bin/sh\ntouch "%s/chooser-ran"\n' "$work" >"$work/bin/zenity"
chmod +x "$work/bin/zenity"

no_display() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER PATH="$work/bin:$PATH" \
        SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        timeout 30 "$torvex" "$@" 2>"$work/err" >/dev/null
}

# With a map, and without one (the dialog would come first).
for words in "$work/field.tvm" ""; do
    status=0
    # shellcheck disable=SC2086
    no_display $words || status=$?
    [ "$status" -ne 124 ] || fail "the game ran on unseen (${words:-no map})"
    [ "$status" -eq 0 ] || fail "exit status $status, expected 0 (${words:-no map})"
    grep -qxF "$message" "$work/err" || fail "no message on standard error (${words:-no map})"
    [ "$(grep -cxF "$message" "$work/err")" -eq 1 ] || fail "the message came more than once"
done
[ ! -e "$work/chooser-ran" ] || fail "the dialog was tried with no display"
[ ! -e "$work/field.tvh" ] || fail "a game that never showed wrote settings"

# Asked for by name, the dummy and off-screen drivers run the game: it
# closes normally on SIGTERM (exit status 1) and keeps its settings.
for driver in dummy offscreen; do
    rm -f "$work/field.tvh"
    env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER="$driver" SDL_AUDIODRIVER=dummy \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        "$torvex" "$work/field.tvm" 2>"$work/err" >/dev/null &
    game_pid=$!
    sleep 3
    kill -0 "$game_pid" 2>/dev/null || fail "the game did not run on the $driver driver"
    kill -TERM "$game_pid"
    status=0
    wait "$game_pid" || status=$?
    game_pid=""
    [ "$status" -eq 1 ] || fail "exit status $status on the $driver driver, expected 1"
    ! grep -qF "$message" "$work/err" || fail "the $driver driver was refused"
    [ -f "$work/field.tvh" ] || fail "no settings kept on the $driver driver"
done
echo "no display: told and ended with 0; dummy and offscreen drivers asked for by name: played"
