#!/usr/bin/env bash
# Test stage: the built program driven end to end as a person drives it. Starts what a
# desktop has: a private X display (Xvfb) with a window manager (Openbox), a D-Bus session
# with the accessibility bus that screen readers use, a private CUPS scheduler whose
# default printer is CUPS-PDF, and a 64 KiB disk to fill up; then runs the scenarios of
# tests/e2e/run_e2e.py and stops all of it again on every exit, Ctrl-C and TERM included.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
program="${VESPERA_BUILD_DIR:-$here/build}/app/vespera"

install_packages xvfb xauth x11-utils xdotool openbox dbus at-spi2-core python3-pyatspi \
  cups cups-client printer-driver-cups-pdf poppler-utils libqt6printsupport6 \
  fonts-liberation2 fonts-dejavu-core fonts-comic-neue
[ -x "$program" ] || fail "no program at $program: build it first (tools/dev.sh test does)"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

work=$(mktemp -d "${TMPDIR:-/tmp}/vespera-e2e.XXXXXX")
chmod 755 "$work"  # CUPS filters, running as lp, read the spool inside
pids=()
# CUPS-PDF reads its settings from /etc/cups alone, one file for each instance named in a
# queue's address: this run's instance prints into a folder of its own.
pdf_instance=$(basename "$work")
pdf_settings="/etc/cups/cups-pdf-$pdf_instance.conf"
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "${sudo[@]}" rm -f "$pdf_settings"
  mountpoint -q "$work/full" && "${sudo[@]}" umount -l "$work/full"
  rm -rf "$work"
}
on_exit cleanup
mkdir -p "$work/run" "$work/full" "$work/printed" "$work/cups/"{spool,cache,state,log,ppd,tmp}
printf 'Out %s\nAnonDirName %s\n' "$work/printed" "$work/printed" | "${sudo[@]}" tee "$pdf_settings" >/dev/null
# The private runtime folder a desktop login gives every program of the session.
export XDG_RUNTIME_DIR="$work/xdg-runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The display, on a number it picks itself, and a window manager to give windows focus.
start_display "$work" || fail "no display"
export DBUS_SESSION_BUS_ADDRESS
DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
  3>"$work/dbus.pid")
pids+=("$(cat "$work/dbus.pid")")
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)

# The print queue: its own configuration, spool and socket, a CUPS-PDF default printer.
export CUPS_SERVER="$work/cups/cups.sock"
chmod 1777 "$work/cups/tmp"
cat >"$work/cups/cups-files.conf" <<EOF
ServerRoot $work/cups
RequestRoot $work/cups/spool
TempDir $work/cups/tmp
CacheDir $work/cups/cache
StateDir $work/cups/state
AccessLog $work/cups/log/access_log
ErrorLog $work/cups/log/error_log
PageLog $work/cups/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
EOF
printf 'Listen %s\nBrowsing No\nWebInterface No\nDefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n' \
  "$CUPS_SERVER" >"$work/cups/cupsd.conf"
cupsd -f -c "$work/cups/cupsd.conf" -s "$work/cups/cups-files.conf" >"$work/cups.log" 2>&1 &
pids+=($!)
cups_running() { lpstat -r 2>/dev/null | grep -q "is running"; }
wait_until 20 cups_running || fail "the print scheduler did not start: $(tail -n 3 "$work/cups.log")"
ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_*opt.ppd | head -n 1)
lpadmin -p PDF -v "cups-pdf:/$pdf_instance" -P "$ppd" -E && lpadmin -d PDF \
  || fail "the print queue did not start: $(tail -n 3 "$work/cups/log/error_log" 2>/dev/null)"

# A disk with room for almost nothing, which the scenario fills up.
"${sudo[@]}" mount -t tmpfs -o size=64k,mode=0777 tmpfs "$work/full" \
  || fail "could not mount a small tmpfs at $work/full"

echo "Driving $program on display $DISPLAY"
timed 300 /usr/bin/python3 -u "$here/tests/e2e/run_e2e.py" "$program" "$work/run" \
  "$work/full" "$work/printed" || fail "a scenario failed (see above)"
echo "E2E stage passed."
