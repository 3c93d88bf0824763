#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# browser_test.sh DIR: builds the web site into DIR/site (scripts/build-web),
# serves it on 127.0.0.1 (scripts/serve-web) and plays it in Debian's
# Chromium, headless, driven through puppeteer-core (browser_test.mjs).
# Reports how long the build took, the site's size (at most 3 MB) and the
# time the page's passes take, also in DIR/browser-report.txt. Exits 77,
# which ctest counts as skipped, with the reason, where Emscripten,
# Chromium, Node.js or puppeteer-core is missing.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
dir="$1"
report="$dir/browser-report.txt"
rm -f "$report"

skip() {
    echo "SKIPPED: $1; scripts/install-deps installs it"
    exit 77
}
command -v emcmake >/dev/null || skip "Emscripten (emcmake) is missing"
chromium="$(command -v chromium || true)"
[ -n "$chromium" ] || skip "Chromium is missing"
command -v node >/dev/null || skip "Node.js is missing"
[ -f "$here/node_modules/puppeteer-core/package.json" ] ||
    skip "puppeteer-core is missing (npm ci in tests/web)"

server_pid=""
work="$(mktemp -d /tmp/torvex-browser-test-XXXXXX)"
cleanup() {
    # The server runs in a process group of its own: whatever started the
    # interpreter (a version manager's shim may) ends with it.
    [ -n "$server_pid" ] && kill -- "-$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

milliseconds() { echo $(($(date +%s%N) / 1000000)); }
started=$(milliseconds)
"$root/scripts/build-web" "$dir"
built=$(milliseconds)
mkdir -p "$dir"
echo "site built in $((built - started)) ms" | tee "$report"

site_bytes=$(du -sb "$dir/site" | cut -f1)
echo "site: $site_bytes bytes ($(ls "$dir/site" | tr '\n' ' '))" | tee -a "$report"
limit=$((3 * 1000 * 1000))
if [ "$site_bytes" -gt "$limit" ]; then
    echo "the site is larger than 3 MB ($limit bytes)" >&2
    exit 1
fi

setsid "$root/scripts/serve-web" --port 0 "$dir/site" >"$work/server.log" 2>&1 &
server_pid=$!
url=""
for _ in $(seq 1 300); do
    url="$(grep -o 'http://127\.0\.0\.1:[0-9]*/' "$work/server.log" || true)"
    [ -n "$url" ] && break
    kill -0 -- "-$server_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$url" ]; then
    echo "the site could not be served:" >&2
    cat "$work/server.log" >&2
    exit 1
fi

node "$here/browser_test.mjs" "$url" "$chromium" "$root/maps/classic-9x9.tvm" | tee -a "$report"
echo "played in the browser in $(($(milliseconds) - built)) ms" | tee -a "$report"
