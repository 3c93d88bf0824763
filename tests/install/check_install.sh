#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs Torvex into a temporary prefix and checks the installed tree: the
# programs, the maps, the desktop entry, the file type, the icons and the
# manual pages, and that the launcher gives a player their own copies of the
# maps without ever overwriting one.
#
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { [ -f "$prefix/$1" ] || fail "missing $1"; }
expect_exec() { [ -x "$prefix/$1" ] || fail "not executable: $1"; }

expect_exec bin/torvex
expect_exec bin/torvex-map
expect_exec bin/torvex-launcher
expect_file share/applications/torvex.desktop
expect_file share/mime/packages/torvex.xml
expect_file share/man/man6/torvex.6.gz
expect_file share/man/man6/torvex-map.6.gz
expect_file share/man/man6/torvex-launcher.6.gz
zcat "$prefix/share/man/man6/torvex.6.gz" | grep -q '^\.TH TORVEX 6' || fail "manual page unreadable"
# The launcher's page is the game's, which describes both.
zcat "$prefix/share/man/man6/torvex-launcher.6.gz" | head -n 1 | grep -qx '\.so man6/torvex\.6' ||
    fail "torvex-launcher's manual page does not lead to torvex(6)"
# The licence and the changes, the package's and any install's.
expect_file share/doc/torvex/copyright
grep -q '^License: Expat$' "$prefix/share/doc/torvex/copyright" || fail "copyright names no licence"
expect_file share/doc/torvex/changelog.gz
version=$("$prefix/bin/torvex-map" --version)
zcat "$prefix/share/doc/torvex/changelog.gz" | head -n 1 | grep -qF "torvex (${version#torvex-map }) " ||
    fail "the changelog's first entry is not for $version"
for size in 16 32 48 64 128 256; do
    expect_file "share/icons/hicolor/${size}x${size}/apps/torvex.png"
done
maps=("$prefix"/share/torvex/maps/*.tvm)
[ ${#maps[@]} -ge 12 ] || fail "expected at least 12 maps, found ${#maps[@]}"
expect_file share/torvex/maps/classic-16x16.tvm

# Nothing outside the prefix: every installed path lies under it.
while read -r path; do
    case "$path" in "$prefix"/*) ;; *) fail "installed outside the prefix: $path" ;; esac
done < "$build/install_manifest.txt"

# Every installed map is one the installed map tool accepts.
for map in "${maps[@]}"; do
    "$prefix/bin/torvex-map" info "$map" >/dev/null || fail "installed map refused: $map"
done

# The desktop entry runs the launcher, and the file type covers .tvm.
grep -q '^Exec=torvex-launcher %f$' "$prefix/share/applications/torvex.desktop" || fail "desktop Exec"
grep -q '^MimeType=application/x-torvex-map;$' "$prefix/share/applications/torvex.desktop" || fail "desktop MimeType"
# Its second action starts games that never force a guess.
grep -q '^Actions=no-guess;$' "$prefix/share/applications/torvex.desktop" || fail "desktop Actions"
sed -n '/^\[Desktop Action no-guess\]$/,$p' "$prefix/share/applications/torvex.desktop" |
    grep -q '^Exec=torvex-launcher --no-guess$' || fail "desktop no-guess action"
grep -q 'pattern="\*.tvm"' "$prefix/share/mime/packages/torvex.xml" || fail "mime glob"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/torvex.desktop" || fail "desktop entry invalid"
fi

# The launcher, with a stand-in for the game that reports how it was started.
mv "$prefix/bin/torvex" "$prefix/bin/torvex.real"
cat > "$prefix/bin/torvex" <<'STUB'
#!/bin/sh
echo "cwd=$(pwd)"
for argument in "$@"; do echo "arg=$argument"; done
STUB
chmod +x "$prefix/bin/torvex"
export XDG_DATA_HOME="$work/data"
player_maps="$XDG_DATA_HOME/torvex/maps"

out=$("$prefix/bin/torvex-launcher")
[ "$out" = "cwd=$player_maps" ] || fail "first start: $out"
for map in "${maps[@]}"; do
    cmp -s "$map" "$player_maps/$(basename "$map")" || fail "not copied: $(basename "$map")"
done

# The player's own changes and files survive; a map new in a later version arrives.
echo "my own edit" > "$player_maps/classic-16x16.tvm"
echo "Mine,2,1,0,2," > "$player_maps/mine.tvm"
rm "$player_maps/$(basename "${maps[1]}")"
"$prefix/bin/torvex-launcher" >/dev/null
[ "$(cat "$player_maps/classic-16x16.tvm")" = "my own edit" ] || fail "player's map overwritten"
[ -f "$player_maps/mine.tvm" ] || fail "player's own map removed"
[ -f "$player_maps/$(basename "${maps[1]}")" ] || fail "missing shipped map not added"

# A file from the file manager is passed on unchanged, blanks and all.
out=$("$prefix/bin/torvex-launcher" "/some where/My Map.TVM")
echo "$out" | grep -qx "arg=/some where/My Map.TVM" || fail "argument changed: $out"
# Options reach the game as they were given, before the map.
out=$("$prefix/bin/torvex-launcher" --no-guess "My Map.tvm")
[ "$out" = "$(printf 'cwd=%s\narg=--no-guess\narg=My Map.tvm' "$player_maps")" ] ||
    fail "options not passed on: $out"

# No data folder can be made: the game still starts.
XDG_DATA_HOME=/proc/no-such-place "$prefix/bin/torvex-launcher" >/dev/null || fail "launcher gave up"

echo "install tree OK"
