#!/usr/bin/env bash
# Test stage: the built program driven end to end as a person drives it, on
# a private X display (Xvfb and Openbox), with keys, clicks and the clipboard
# (xdotool, xclip), a real print queue (a private CUPS scheduler and a
# CUPS-PDF printer) and real files, some on a small disk that fills up.
# The scenarios are in tests/e2e/; screenshots of every window, the printed
# PDF and its rendered page go to "$VESPERA_BUILD_DIR/test-output/e2e".
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"
program="$build/app/vespera"
output="$build/test-output/e2e"

fail() {
  echo "E2E STAGE FAILED: $*" >&2
  exit 1
}

# The display and its tools, the print queue, the picture tools, and the
# fonts and print support the program itself uses.
packages=(
  xvfb xauth x11-utils xdotool xclip openbox
  cups cups-client printer-driver-cups-pdf poppler-utils imagemagick
  python3 libqt6printsupport6 fonts-liberation2 fonts-dejavu-core fonts-comic-neue
)
timeout 900 bash -c "source '$here/tools/lib.sh'; install_packages ${packages[*]}" \
  || fail "could not install: ${packages[*]}"

[ -x "$program" ] || fail "no program at $program: build it first (tools/dev.sh test does)"

# Everything the suite starts is recorded here by process id, and every disk
# it mounts, so that nothing outlives the stage even if the suite is killed.
work=$(mktemp -d "${TMPDIR:-/tmp}/vespera-e2e.XXXXXX")
chmod 755 "$work"  # the print server's filters, running as lp, read the spool inside
pids="$work/pids"
mounts="$work/mounts"
cleanup() {
  # The suite first: on SIGTERM it stops what it started by itself.
  if [ -n "${suite:-}" ]; then
    kill -TERM "$suite" 2>/dev/null || true
    wait "$suite" 2>/dev/null || true
  fi
  if [ -f "$pids" ]; then
    while read -r pid; do kill -TERM "$pid" 2>/dev/null || true; done <"$pids"
    sleep 1
    while read -r pid; do kill -KILL "$pid" 2>/dev/null || true; done <"$pids"
  fi
  if [ -f "$mounts" ]; then
    while read -r mount_point; do
      mountpoint -q "$mount_point" 2>/dev/null && umount -l "$mount_point" 2>/dev/null || true
    done <"$mounts"
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP  # through the EXIT trap

rm -rf "$output"
mkdir -p "$output"
echo "Driving $program on a private display (screenshots: $output)"
# In the background, so that a signal to this script reaches the trap at once.
timeout -k 10 300 python3 -u "$here/tests/e2e/run_e2e.py" \
  --program "$program" --output "$output" --work "$work/run" \
  --pid-file "$pids" --mounts-file "$mounts" &
suite=$!
status=0
wait "$suite" || status=$?
suite=

[ "$status" -eq 124 ] && fail "the suite did not finish within 300 s"
[ "$status" -eq 0 ] || fail "a scenario failed (see above; screenshots in $output)"
echo "E2E stage passed."
