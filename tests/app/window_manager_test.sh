#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# window_manager_test.sh TORVEX HEADLESS: the real game on an X desktop with
# a window manager (openbox in Xvfb). There the window starts at the game's
# own size and the window manager makes it fullscreen: on a screen of
# 1400 x 960 the picture must fill it (4:3, every game pixel drawn as 2 x 2,
# black bars left and right), before and after Alt+Enter puts it in a window
# and back. The reference is the title screen as the headless runner draws it.
set -euo pipefail
torvex="$1"
headless="$2"
if ! command -v openbox >/dev/null; then
    echo "SKIPPED: openbox is not installed (scripts/install-deps installs it)"
    exit 77
fi
for tool in Xvfb xdotool xprop import convert compare; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps installs it)" >&2; exit 1; }
done

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
# The replays the game keeps of its games stay in the test's own folder.
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

exec 3<> <(:)
Xvfb -displayfd 3 -screen 0 1400x960x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 display_number <&3 || fail "Xvfb did not start"
exec 3<&-
export DISPLAY=":$display_number"

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

shot() { import -window root "$work/screen.png" 2>/dev/null; }
# How far the middle 1280 x 960 of the screen, halved, is from the title
# frame (0 the same, 1 the opposite); the scrolling background keeps a true
# match well below the threshold, a picture not scaled or not there is not.
distance() {
    convert "$work/screen.png" -crop 1280x960+60+0 +repage -scale 50% "$work/half.png"
    compare -metric RMSE "$work/half.png" "$work/title.png" null: 2>&1 |
        sed -n 's/.*(\(.*\)).*/\1/p'
}
# The mean brightness of the 60-pixel strips left and right of the picture.
bars() {
    convert "$work/screen.png" \( +clone -crop 60x960+0+0 \) \( -clone 0 -crop 60x960+1340+0 \) \
        -delete 0 -append -format '%[fx:mean]' info:
}
fills_screen() {
    shot
    awk -v d="$(distance)" -v b="$(bars)" 'BEGIN { exit !(d < 0.15 && b < 0.02) }'
}
wait_until_filled() {
    for _ in $(seq 1 120); do
        fills_screen && return 0
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended ($1)"
        sleep 0.25
    done
    cp "$work/screen.png" "/tmp/torvex-wm-failure.png" 2>/dev/null || true
    fail "$1: the picture does not fill the screen (distance $(distance), bars $(bars)); screen in /tmp/torvex-wm-failure.png"
}

wait_until_filled "at start"
xdotool keydown alt key Return keyup alt
for _ in $(seq 1 40); do
    fills_screen || break
    sleep 0.25
done
fills_screen && fail "Alt+Enter left fullscreen on"
xdotool keydown alt key Return keyup alt
wait_until_filled "after a window and back"

xdotool key Escape
for _ in $(seq 1 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not close on Escape"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 1 ] || fail "exit code $status, expected 1 after a normal close"
echo "under a window manager the picture filled the screen at 2x with bars, before and after a window; closed with 1"
