#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: the whole program and its test suite built a second time with
# AddressSanitizer and UndefinedBehaviorSanitizer (gcc), in
# "$VESPERA_BUILD_DIR-asan", then every test run there. Any memory error or
# undefined behaviour stops the test that hit it, and fails the stage. Then
# the batch tests again, with vespera-batch built with ThreadSanitizer in
# "$VESPERA_BUILD_DIR-tsan": a data race between the threads that share out
# the stars fails the stage.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}-asan"

# gcc's sanitizer runtimes (libasan, libubsan, libtsan) come with build-essential.
install_packages build-essential cmake ninja-build qt6-base-dev libgl-dev libfontconfig-dev \
  libxkbcommon-dev

# configure DIR FLAGS: a build of the whole project in DIR, compiled and linked with FLAGS.
# -O1 keeps the instrumented tests quick; line tables only (-g1) keep the build quick and are
# all a sanitizer's stack trace needs. The Python module is left out: Debian's python3 cannot
# load code built against a sanitizer's runtime.
configure() {
  local generator=()
  [ -f "$1/CMakeCache.txt" ] || generator=(-G Ninja)  # a build folder keeps its own
  timed 60 cmake -S "$here" -B "$1" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$2 -O1" -DCMAKE_CXX_FLAGS_DEBUG="-g1" \
    -DCMAKE_EXE_LINKER_FLAGS="$2" -DCMAKE_SHARED_LINKER_FLAGS="$2" -DVESPERA_BUILD_PYTHON=OFF \
    || fail "could not configure the build with $2 in $1"
}

configure "$build" "-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
timed 1200 cmake --build "$build" -j2 \
  || fail "could not build the program with sanitizers in $build (or the build took over 20 minutes)"

# Leak checking stays on: a test that leaks fails like one that overflows.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
timed 600 ctest --test-dir "$build" --output-on-failure -j2 --timeout 180 \
  || fail "a test failed under AddressSanitizer/UndefinedBehaviorSanitizer (see the sanitizer report above; build: $build)"

# ThreadSanitizer: only what the batch test needs. Its reports go to files, since the
# test reads what vespera-batch says on standard error.
tsan="${VESPERA_BUILD_DIR:-$here/build}-tsan"
configure "$tsan" "-fsanitize=thread"
timed 1200 cmake --build "$tsan" -j2 --target test_batch vespera-batch \
  || fail "could not build the batch tests with ThreadSanitizer in $tsan"
# The reports and the suppressions sit where every process of the test can reach them,
# also the vespera-batch it runs as nobody, whatever folder the clone is in (mktemp -d makes
# one that only its owner may enter).
reports=$(mktemp -d "${TMPDIR:-/tmp}/vespera-tsan.XXXXXX")
remove_reports() { rm -rf "$reports"; }
on_exit remove_reports
chmod 1777 "$reports"
install -m 644 "$here/tools/test-stages/tsan-suppressions.txt" "$reports/suppressions.txt"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:log_path=$reports/report"
TSAN_OPTIONS+=":suppressions=$reports/suppressions.txt"
tsan_passed=1
timed 600 ctest --test-dir "$tsan" --output-on-failure --timeout 300 -R '^batch$' || tsan_passed=0
# A report stops the process it came from, so it is shown whichever process that was.
if compgen -G "$reports/report.*" >/dev/null; then
  cat "$reports"/report.* >&2
  fail "ThreadSanitizer reported a data race in the batch tool or its test (see above)"
fi
[ "$tsan_passed" = 1 ] || fail "a batch test failed under ThreadSanitizer (build: $tsan)"
echo "Sanitizers stage passed."
