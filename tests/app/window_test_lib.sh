# SPDX-License-Identifier: MIT
# What the real-window tests share; sourced by them. Each test defines
# fail MESSAGE (say why, show its logs, exit 1), keeps its files in $work
# and the game's process id in $game_pid.

# Ends the test at once when a tool it drives is missing.
need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps installs it)" >&2; exit 1; }
    done
}

# start_xvfb WIDTHxHEIGHT: an X server on a display it picks itself (it
# writes the number to a pipe); sets xvfb_pid and DISPLAY.
start_xvfb() {
    exec 3<> <(:)
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    read -r -t 20 display_number <&3 || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    exec 3<&-
    export DISPLAY=":$display_number"
}

# wait_for_end TENTHS MESSAGE: waits for the game to end, at most TENTHS
# tenths of a second (else fails with MESSAGE); sets status to its exit status.
wait_for_end() {
    for _ in $(seq 1 "$1"); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null && fail "$2"
    status=0
    wait "$game_pid" || status=$?
    game_pid=""
}

# Whether the title screen shows: the screen is bright enough on average.
title_shows() {
    local mean
    mean="$(import -window root png:- 2>/dev/null | convert - -format '%[fx:mean]' info: 2>/dev/null || echo 0)"
    awk -v mean="$mean" 'BEGIN { exit !(mean > 0.2) }'
}

# Waits up to 30 seconds for the title, then puts the pointer in the middle
# of a 1024 x 768 screen and the focus on the game's window.
wait_for_title() {
    for _ in $(seq 1 120); do
        title_shows && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its title showed"
        sleep 0.25
    done
    title_shows || fail "the title screen never appeared"
    sleep 0.5
    xdotool mousemove 512 384
    local window
    window="$(xdotool search --name '^Torvex$' 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] || fail "no game window"
    xdotool windowfocus "$window" 2>/dev/null || true
}

# Input to the game, with a moment for it to act.
send() { xdotool "$@"; sleep 0.25; }

# Escape on the title closes the game normally, with exit status 1.
close_with_escape() {
    xdotool key Escape
    wait_for_end 100 "the game did not close on Escape"
    [ "$status" -eq 1 ] || fail "exit code $status, expected 1 after a normal close"
}

# --- the picture filling a 1400 x 960 screen ----------------------------------
# The reference is $work/title.png, the title screen as the headless runner
# draws it. Filling means: 4:3, every game pixel drawn as 2 x 2, black bars
# of 60 pixels left and right.

shot() { import -window root "$work/screen.png" 2>/dev/null; }
# How far the middle 1280 x 960 of the screen, halved, is from the title
# frame (0 the same, 1 the opposite). The title's background scrolls, so a
# true match is not 0 but stays far below the threshold: a picture that is
# not scaled, or not there, is about 0.27 away.
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
# wait_until_filled WHEN: up to 30 seconds for the picture to fill the screen.
wait_until_filled() {
    for _ in $(seq 1 120); do
        fills_screen && return 0
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended ($1)"
        sleep 0.25
    done
    cp "$work/screen.png" "/tmp/torvex-window-failure.png" 2>/dev/null || true
    fail "$1: the picture does not fill the screen (distance $(distance), bars $(bars)); screen in /tmp/torvex-window-failure.png"
}
# Alt+Enter puts the game in a window of its own size, then back in
# fullscreen: each a size change the picture must follow.
check_window_and_back() {
    xdotool keydown alt key Return keyup alt
    for _ in $(seq 1 40); do
        fills_screen || break
        sleep 0.25
    done
    fills_screen && fail "Alt+Enter left fullscreen on"
    xdotool keydown alt key Return keyup alt
    wait_until_filled "after a window and back"
}
