#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: clang-tidy, with the checks of .clang-tidy, over every translation unit of
# the program, the batch tool, the Python module and the tests in "$VESPERA_BUILD_DIR" (its
# compile_commands.json). Any finding fails the stage; the findings are counted by check.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"

# The release's own clang-tidy (14 on Debian 12, 19 on Debian 13); the build's own packages,
# for the headers it reads.
install_packages clang-tidy build-essential cmake ninja-build qt6-base-dev libgl-dev \
  libfontconfig-dev libxkbcommon-dev python3

# The tests include the files moc generates: the build makes them (nothing to do when
# tools/dev.sh test has just built).
[ -f "$build/CMakeCache.txt" ] || fail "no build in $build: build it first (tools/dev.sh test does)"
timed 120 cmake -S "$here" -B "$build" >/dev/null || fail "could not configure $build"
timed 1800 cmake --build "$build" -j2 >/dev/null || fail "could not build $build"

# Vespera's own sources, once each (two targets compile some of the registry's).
mapfile -t units < <(python3 - "$build/compile_commands.json" "$here" <<'PY'
import json, re, sys
root = sys.argv[2].rstrip("/") + "/"
own = re.compile(re.escape(root) + r"(src|app|batch|web|python|tests)/.*\.cpp$")
print("\n".join(sorted({c["file"] for c in json.load(open(sys.argv[1])) if own.match(c["file"])})))
PY
)
[ ${#units[@]} -gt 0 ] || fail "no translation units in $build/compile_commands.json"

# The build's -Werror (VESPERA_WARNINGS_AS_ERRORS) is gcc's business: clang's own warnings
# stay warnings here, and only the checks count. clang-tidy ends with 0 when it only finds
# (WarningsAsErrors is empty): any other end is a crash, a file it could not read or a unit
# that ran out of time (ten minutes each, 45 minutes in all: Debian 13's clang-tidy 19 is
# slower, and a busy machine slower still), and fails the stage once the
# findings have been counted.
log="$build/tidy.log"
printf '%s\n' "${units[@]}" >"$build/tidy.units"
status=0
timed 2700 xargs -P2 -n1 timeout --foreground -k 10 600 clang-tidy -p "$build" --quiet \
  --extra-arg=-Wno-error <"$build/tidy.units" >"$log" 2>"$log.stderr" || status=$?
# A finding in a header is reported by every unit that includes it: count it once.
findings=$(grep -E '^/.*: (warning|error): .*\[[a-z0-9.,-]+\]$' "$log" | sort -u || true)
if [ -n "$findings" ]; then
  sed "s|$here/||" <<<"$findings" >&2
  echo "Findings by check:" >&2
  grep -oE '\[[a-z0-9.,-]+\]$' <<<"$findings" | sort | uniq -c | sort -rn >&2
fi
if [ "$status" -ne 0 ] || grep -q ' error: ' "$log.stderr"; then
  tail -n 30 "$log.stderr" >&2
  fail "clang-tidy crashed, ran out of time or could not read a file (status $status; full output: $log.stderr)${findings:+; and $(wc -l <<<"$findings") finding(s)}"
fi
[ -z "$findings" ] || fail "$(wc -l <<<"$findings") finding(s) in ${#units[@]} translation units (full output: $log)"
echo "Tidy stage passed: ${#units[@]} translation units, no findings."
