#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: one minute of libFuzzer on the conversions between field text
# and numbers (fuzz/fuzz_number_text.cpp), with AddressSanitizer and
# UndefinedBehaviorSanitizer. A crash, a sanitizer report or a broken round
# trip fails the stage and leaves the input that caused it under
# "$VESPERA_BUILD_DIR/fuzz/artifacts".
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}/fuzz"

# The release's own clang (14 on Debian 12, 19 on Debian 13); libFuzzer's runtime
# (libclang_rt.fuzzer) and the sanitizer runtimes come with the libclang-rt-N-dev of
# that same version.
install_packages clang cmake qt6-base-dev
clang_version=$(clang -dumpversion | cut -d. -f1)
[[ "$clang_version" =~ ^[0-9]+$ ]] || fail "could not tell clang's version: $(clang --version | head -n 1)"
install_packages "libclang-rt-$clang_version-dev"

mkdir -p "$build"
timed 120 cmake -S "$here/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >"$build/configure.log" 2>&1 \
  || { cat "$build/configure.log" >&2; fail "could not configure the fuzz target"; }
timed 300 cmake --build "$build" -j2 \
  || fail "could not build the fuzz target"

# The fuzzer adds what it finds to its corpus: give it a copy, so that the
# seeds in the repository stay as they are.
corpus="$build/corpus"
artifacts="$build/artifacts"
log="$build/fuzz.log"
rm -rf "$corpus" "$artifacts"
mkdir -p "$corpus" "$artifacts"
cp "$here"/fuzz/corpus/* "$corpus"/
seeds=$(find "$corpus" -type f | wc -l)

echo "Fuzzing parseNumber and formatNumber for 60 seconds (log: $log)"
status=0
timed 180 "$build/fuzz_number_text" \
  -max_total_time=60 -max_len=512 -timeout=10 -rss_limit_mb=2048 \
  -dict="$here/fuzz/number_text.dict" \
  -artifact_prefix="$artifacts/" -print_final_stats=1 \
  "$corpus" >"$log" 2>&1 || status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
units=$(find "$corpus" -type f | wc -l)
echo "Executions: ${executions:-unknown}; corpus: $units inputs (from $seeds seeds)"

if [ "$status" -ne 0 ]; then
  echo "---- last lines of the fuzzer's log" >&2
  tail -n 40 "$log" >&2
  echo "---- what went wrong" >&2
  grep -E 'number text violation|runtime error|ERROR: ' "$log" | head -n 5 >&2 || true
  for input in "$artifacts"/*; do
    [ -e "$input" ] || continue
    echo "Failing input: $input (replay: $build/fuzz_number_text $input)" >&2
  done
  [ "$status" -eq 124 ] && fail "the fuzzer did not stop within its time limit"
  fail "the fuzzer found a fault (exit status $status)"
fi
echo "Fuzz stage passed."
