#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: the web page. Builds the calculator core to WebAssembly and the site from the
# window's tables (emscripten), then
#  - runs every case of tests/web/cases.txt through the native core and, under node, through
#    the WebAssembly core, each time through the desktop's path and the page's session, and
#    requires the same outcomes, line for line;
#  - serves the site on a free port and drives Debian's headless Chromium through
#    chromium-driver (tests/web/browser_check.py): cases typed and clicked, a save, print to
#    PDF, a phone's viewport, the keyboard, both colour schemes, axe-core (pinned in
#    tests/web/package-lock.json, fetched from the npm registry with its integrity checked),
#    privacy, saving, updates reaching a returning user, and a reload from the service worker
#    with the server stopped;
#  - asks tools/dev.sh web for a busy port, which it must refuse.
# Needs the build in VESPERA_BUILD_DIR (tools/dev.sh test makes it) for the native cases.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"
web="$build/web"

# dbus-x11 gives Chromium its session bus: the alternative apt picks first, dbus-user-session,
# brings systemd (as the init system too) into a machine that has none, and Debian 13's apt
# will not purge it again.
install_packages "${web_packages[@]}" nodejs chromium chromium-driver dbus-x11 python3 \
  python3-selenium poppler-utils
[ -f "$build/CMakeCache.txt" ] || fail "no build in $build: build it first (tools/dev.sh test does)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vespera-web.XXXXXX")
remove_work() { rm -rf "$work"; }
on_exit remove_work

started=$SECONDS
build_site "$here" "$web" -DVESPERA_BUILD_TESTS=ON >"$work/build.log" 2>&1 ||
  { tail -n 30 "$work/build.log" >&2; fail "the web page did not build"; }
echo "Web page built in $((SECONDS - started)) s: $(du -sh "$web/site" | cut -f1) in $web/site"

cases="$here/tests/web/cases.txt"
timed 600 cmake --build "$build" --target web_case_runner >/dev/null || fail "no native case runner"
timed 120 "$build/tests/web_case_runner" "$cases" >"$work/native.jsonl" ||
  fail "natively, the page's session differs from the desktop's (see above)"
timed 120 node "$web/case_runner.js" "$cases" >"$work/wasm.jsonl" ||
  fail "in WebAssembly, the page's session differs from the desktop's (see above)"
if ! cmp -s "$work/native.jsonl" "$work/wasm.jsonl"; then
  diff "$work/native.jsonl" "$work/wasm.jsonl" | head -n 20 >&2
  fail "the WebAssembly core's outcomes differ from the native core's"
fi
echo "Native and WebAssembly cores agree on $(wc -l <"$work/native.jsonl") cases."

# tools/dev.sh web refuses a busy port in one line, before it builds or gives an address.
/usr/bin/python3 -c 'import socket, sys, time
with socket.create_server(("127.0.0.1", 0)) as busy:
    print(busy.getsockname()[1], flush=True)
    sys.stdout.close()
    time.sleep(120)' >"$work/busy-port" &
busy_pid=$!
for _ in $(seq 100); do [ -s "$work/busy-port" ] && break; sleep 0.1; done
status=0
timed 60 env VESPERA_WEB_BUILD_DIR="$work/dev-web" bash "$here/tools/dev.sh" web \
  --port "$(cat "$work/busy-port")" >"$work/dev.out" 2>"$work/dev.err" || status=$?
kill "$busy_pid"
[ "$status" -ne 0 ] && [ ! -s "$work/dev.out" ] && [ "$(wc -l <"$work/dev.err")" -eq 1 ] &&
  grep -q "$(cat "$work/busy-port")" "$work/dev.err" && [ ! -e "$work/dev-web" ] ||
  fail "tools/dev.sh web did not refuse a busy port in one line before building ($status):" \
    "$(cat "$work/dev.out" "$work/dev.err")"
echo "tools/dev.sh web refuses a busy port: $(cat "$work/dev.err")"

npm_install_pinned "$here/tests/web" "$work/npm" || fail "npm could not install the pinned axe-core"

started=$SECONDS
timed 900 /usr/bin/python3 "$here/tests/web/browser_check.py" "$web/site" "$work/native.jsonl" "$cases" \
  "$work/npm/node_modules/axe-core/axe.min.js" ${VESPERA_WEB_SCREENSHOTS:+"$VESPERA_WEB_SCREENSHOTS"} ||
  fail "the page failed in Chromium (see above)"
echo "Web stage passed: Chromium checks took $((SECONDS - started)) s."
