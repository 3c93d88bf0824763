#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# wayland_window_test.sh TORVEX HEADLESS: the real game on a Wayland
# compositor (weston, nested in Xvfb with its X11 back end). On an output of
# 1400 x 960 the picture must fill it as on X11: 4:3, every game pixel drawn
# as 2 x 2, black bars left and right. Alt+Enter puts it in a window and
# back, and after those size changes it must fill the output again. The
# reference is the title screen as the headless runner draws it.
set -euo pipefail
torvex="$1"
headless="$2"
source "$(dirname "$0")/window_test_lib.sh"
if ! command -v weston >/dev/null; then
    echo "SKIPPED: weston is not installed (scripts/install-deps installs it)"
    exit 77
fi
need_tools Xvfb xdotool import convert compare

work="$(mktemp -d /tmp/torvex-wayland-test-XXXXXX)"
xvfb_pid=""
weston_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# The replays the game keeps of its games stay in the test's own folder.
export XDG_DATA_HOME="$work/data"
fail() {
    echo "FAIL: $1" >&2
    cat "$work/game.log" >&2 2>/dev/null || true
    tail -n 20 "$work/weston.log" >&2 2>/dev/null || true
    exit 1
}

cp "$(dirname "$0")/../../maps/classic-9x9.tvm" "$work/field.tvm"
printf 'pass 30\nshot %s\n' "$work/title.bmp" | "$headless" - "$work/field.tvm" >/dev/null
convert "$work/title.bmp" "$work/title.png"
rm -f "$work/field.tvh"

start_xvfb 1400x960

# The compositor's own folder, as a session would have it.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket="torvex-test"
weston --backend=x11-backend.so --use-pixman --width=1400 --height=960 --socket="$socket" \
    >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 1 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || fail "weston did not start"
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston made no socket"

WAYLAND_DISPLAY="$socket" SDL_VIDEODRIVER=wayland SDL_AUDIODRIVER=dummy \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$torvex" "$work/field.tvm" >"$work/game.log" 2>&1 &
game_pid=$!

wait_until_filled "at start"
check_window_and_back
close_with_escape
echo "on Wayland the picture filled the output at 2x with bars, before and after a window; closed with 1"
