#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# window_manager_test.sh TORVEX HEADLESS: the real game on an X desktop with
# a window manager (openbox in Xvfb). There the window starts at the game's
# own size and the window manager makes it fullscreen: on a screen of
# 1400 x 960 the picture must fill it, before and after Alt+Enter puts it in
# a window and back.
set -euo pipefail
torvex="$1"
headless="$2"
source "$(dirname "$0")/window_test_lib.sh"
if ! command -v openbox >/dev/null; then
    echo "SKIPPED: openbox is not installed (scripts/install-deps installs it)"
    exit 77
fi
need_tools Xvfb xdotool xprop import convert compare

work="$(mktemp -d /tmp/torvex-wm-test-XXXXXX)"
xvfb_pid=""
wm_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# The replays the game keeps, and openbox's own files, stay in the test's folder.
export XDG_DATA_HOME="$work/data"
export HOME="$work"
fail() {
    echo "FAIL: $1" >&2
    cat "$work/game.log" >&2 2>/dev/null || true
    exit 1
}

cp "$(dirname "$0")/../../maps/classic-9x9.tvm" "$work/field.tvm"
printf 'pass 30\nshot %s\n' "$work/title.bmp" | "$headless" - "$work/field.tvm" >/dev/null
convert "$work/title.bmp" "$work/title.png"
rm -f "$work/field.tvh"

start_xvfb 1400x960
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    kill -0 "$wm_pid" 2>/dev/null || fail "openbox did not start"
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || fail "openbox never announced itself"

# On X11 whatever the caller's environment asks for (CI asks for the dummy one).
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$torvex" "$work/field.tvm" >"$work/game.log" 2>&1 &
game_pid=$!
timeout 20 xdotool search --sync --name '^Torvex$' >/dev/null || fail "the game's window did not appear"

wait_until_filled "at start"
check_window_and_back
close_with_escape
echo "under a window manager the picture filled the screen at 2x with bars, before and after a window; closed with 1"
