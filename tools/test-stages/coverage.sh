#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: the program and its tests built with gcc's --coverage in
# "$VESPERA_BUILD_DIR-coverage"; the CTest suite and the end-to-end scenarios run there; line
# and branch coverage printed per folder (gcovr). Fails when a test fails, when less than
# $floor % of the lines of src/, app/ and batch/ ran, or when a file under $low % has no
# reason below for staying there.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}-coverage"
floor=92
low=75

# Why a file stays under $low %: the code the tests cannot reach on Linux.
declare -A reasons=(
  [src/platform/windows_registry.cpp]="Windows only (behind _WIN32); the Windows stage runs it under Wine"
  [batch/system_reason.cpp]="one line for each reason the system gives; the tests meet those a run meets (a full disk, a file too large, a closed descriptor), the others need a failing device or a disk quota"
  [src/files/file_replacement.cpp]="its write in place, and the restore when it fails, run in a forked child that drops root to reach a read-only folder and leaves by _exit, so their counts are never written; the measurement file tests check what they do"
)

install_packages build-essential cmake ninja-build qt6-base-dev libgl-dev libfontconfig-dev \
  libxkbcommon-dev gcovr python3

generator=()
[ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
mkdir -p "$build"
# -O0 keeps every line where it is written, so each is counted where it stands. The
# batch tool works on every core: its counts are updated atomically, or two threads
# passing the same line at once lose a count and gcov's sums come out negative.
timed 120 cmake -S "$here" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic" -DCMAKE_CXX_FLAGS_DEBUG="-O0" \
  -DCMAKE_EXE_LINKER_FLAGS="--coverage" >"$build/configure.log" 2>&1 \
  || { cat "$build/configure.log" >&2; fail "could not configure the coverage build in $build"; }
timed 1800 cmake --build "$build" -j2 \
  || fail "could not build the program with coverage in $build (or it took over 30 minutes)"

# Counts of an earlier run would add up with this one's. (Earlier versions of this stage
# left the tree's folders writable by everyone: no longer.)
find "$build" -name '*.gcda' -delete
chmod -R go-w "$build"
# Some tests run vespera-batch as the user nobody, and its counts belong with root's. Nobody
# may not reach the build tree (a clone in a private folder), and nothing in the tree is to
# become writable by others. So, as root, every program writes its counts through GCOV_PREFIX
# into a folder of the stage's own under /tmp, where each count file is made beforehand,
# empty (which gcc's runtime takes as no counts yet), and given to nobody; the counts written
# are copied into the tree afterwards, and the folder goes whatever the end.
counts=
remove_counts() { if [ -n "$counts" ]; then rm -rf "$counts"; fi; }
if [ "$(id -u)" -eq 0 ]; then
  # The tree's own path, as the compiler found it (its working folder, links resolved),
  # is stripped from the counts' paths.
  IFS=/ read -ra components <<<"$(cd "$build" && pwd -P | cut -c2-)"
  counts=$(mktemp -d /tmp/vespera-counts.XXXXXX)
  on_exit remove_counts
  chmod 755 "$counts"
  while IFS= read -r -d '' notes; do
    mkdir -p "$counts/$(dirname "$notes")"
    : >"$counts/${notes%.gcno}.gcda"
  done < <(cd "$build" && find . -name '*.gcno' -print0)
  find "$counts" -name '*.gcda' -exec chown 65534:65534 {} +
  setpriv --reuid=65534 --regid=65534 --clear-groups test -w "$(find "$counts" -name '*.gcda' | head -n 1)" \
    || fail "the user nobody cannot write its counts into $counts"
  export GCOV_PREFIX=$counts GCOV_PREFIX_STRIP=${#components[@]}
fi
timed 900 ctest --test-dir "$build" --output-on-failure -j2 --timeout 300 \
  || fail "a test failed in the coverage build (build: $build)"
VESPERA_E2E_ONE_RUN=1 VESPERA_BUILD_DIR="$build" bash "$here/tools/test-stages/e2e.sh" \
  || fail "an end-to-end scenario failed in the coverage build (build: $build)"
if [ -n "$counts" ]; then
  unset GCOV_PREFIX GCOV_PREFIX_STRIP
  # Files no program wrote are no counts.
  while IFS= read -r -d '' written; do
    cp "$counts/$written" "$build/$written"
  done < <(cd "$counts" && find . -name '*.gcda' ! -empty -print0)
  [ -n "$(find "$build" -name '*.gcda' -print -quit)" ] || fail "no program wrote its counts into $counts"
fi

summary="$build/coverage.json"
# CMake's own compiler checks under CMakeFiles/3.x are no part of the program.
(cd "$here" && gcovr --root "$here" --object-directory "$build" --filter 'src/' --filter 'app/' \
  --filter 'batch/' --exclude-directories '.*/CMakeFiles/[0-9.]+' --exclude-throw-branches \
  --exclude-unreachable-branches --json-summary "$summary" -j 2 "$build") >/dev/null \
  || fail "gcovr could not read the coverage counts in $build"

# Per folder, the total of src/, app/ and batch/, and the files under $low %.
report=$(python3 - "$summary" "$low" <<'PY'
import collections, json, sys
files = json.load(open(sys.argv[1]))["files"]
low = float(sys.argv[2])
folders = collections.defaultdict(lambda: [0, 0, 0, 0])
for f in files:
    name = f["filename"]
    folder = "/".join(name.split("/")[:2]) if name.startswith("src/") else name.split("/")[0]
    for key in (folder, "TOTAL"):
        totals = folders[key]
        totals[0] += f["line_covered"]; totals[1] += f["line_total"]
        totals[2] += f["branch_covered"]; totals[3] += f["branch_total"]
pct = lambda covered, total: 100.0 * covered / total if total else 100.0
print(f"{'folder':<14}{'lines':>18}{'branches':>18}")
for key in sorted(folders, key=lambda k: (k == "TOTAL", k)):
    lc, lt, bc, bt = folders[key]
    print(f"{key:<14}{lc:>7}/{lt:<5}{pct(lc, lt):5.1f}%{bc:>7}/{bt:<5}{pct(bc, bt):5.1f}%")
lc, lt = folders["TOTAL"][:2]
print(f"LINES {pct(lc, lt):.1f}")
for f in sorted(files, key=lambda f: f["filename"]):
    if pct(f["line_covered"], f["line_total"]) < low:
        print(f"LOW {f['filename']} {pct(f['line_covered'], f['line_total']):.1f}")
PY
) || fail "could not sum up $summary"

grep -v '^LINES \|^LOW ' <<<"$report"
unexplained=()
while read -r _ file percent; do
  if [ -n "${reasons[$file]:-}" ]; then
    echo "under $low %: $file ($percent %): ${reasons[$file]}"
  else
    echo "under $low %: $file ($percent %), with no reason given here" >&2
    unexplained+=("$file")
  fi
done < <(grep '^LOW ' <<<"$report")
lines=$(sed -n 's/^LINES //p' <<<"$report")
python3 -c "import sys; sys.exit(float('$lines') < $floor)" \
  || fail "$lines % of the lines of src/, app/ and batch/ ran; the floor is $floor %"
[ ${#unexplained[@]} -eq 0 ] \
  || fail "files under $low % with no reason for it: ${unexplained[*]} (test them, or say why they cannot be)"
echo "Coverage stage passed: $lines % of the lines."
