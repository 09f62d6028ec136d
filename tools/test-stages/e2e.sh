#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: the built program driven end to end as a person drives it. Starts what a
# desktop has: a private X display (Xvfb) with a window manager (Openbox), a D-Bus session
# with the accessibility bus that screen readers use, a private CUPS scheduler whose default
# printer writes its jobs (Qt sends PDF) to a file, and a 64 KiB disk to fill up; then runs
# the scenarios of tests/e2e/run_e2e.py and stops all of it again on every exit, Ctrl-C and
# TERM included. Runs as root or as a user who may use sudo (for the packages and the small
# disk). Under CI, as root, it then runs again as a new user who is not root, as a
# newcomer's run would. It leaves the machine as it found it: the packages it installed are
# purged again, and the stage fails when the machine's default printer, its enabled services
# or its installed packages are not what they were before it started.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"
program="$build/app/vespera"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

# What the machine is before the stage changes anything: the default printer of its own print
# service (if it has one), the services enabled at boot (as systemd and the SysV scripts
# record them, whether or not systemd runs: links in /etc), and the packages installed (one
# that dpkg is busy with counts as installed) or removed with their settings kept.
machine_state() {
  echo "default printer: $(env -u CUPS_SERVER timeout 10 /usr/bin/lpstat -d 2>/dev/null || true)"
  { find /etc/rc?.d /etc/systemd/system /etc/systemd/user -type l 2>/dev/null || true; } |
    sed 's/^/enabled: /' | sort
  dpkg-query -W -f '${Package} ${Status}\n' | awk '
    $4 == "config-files" { print "package:", $1, "(settings)" }
    $4 != "config-files" && $4 != "not-installed" { print "package:", $1 }' | sort
}
machine_before=$(machine_state)
# On every exit, once all else has stopped: the packages this stage installed go again (purged,
# or removed where their settings stayed before), and the machine must be as it was.
restore_machine() {
  local purge=() remove=() package log changed
  for package in "${installed_packages[@]}"; do
    if grep -qxF "package: $package (settings)" <<<"$machine_before"; then
      remove+=("$package")
    elif ! grep -qxF "package: $package" <<<"$machine_before"; then
      purge+=("$package")
    fi
  done
  if [ $((${#purge[@]} + ${#remove[@]})) -gt 0 ]; then
    echo "Removing what the stage installed: ${purge[*]} ${remove[*]}"
    # (sudo's own removal refuses to go on where root has no password, unless told to.)
    local apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive SUDO_FORCE_REMOVE=yes apt-get
      -o DPkg::Lock::Timeout=600 -y -qq)
    log=$(mktemp "${TMPDIR:-/tmp}/vespera-apt.XXXXXX")
    { [ ${#purge[@]} -eq 0 ] || "${apt[@]}" purge "${purge[@]}"; } >"$log" 2>&1 &&
      { [ ${#remove[@]} -eq 0 ] || "${apt[@]}" remove "${remove[@]}"; } >>"$log" 2>&1 ||
      tail -n 20 "$log" >&2
    rm -f "$log"
  fi
  changed=$(diff <(echo "$machine_before") <(machine_state) | sed -n 's/^</  was:/p; s/^>/  now:/p')
  [ -z "$changed" ] || fail "the machine is not as the stage found it:"$'\n'"$changed"
}
on_exit restore_machine  # registered first, so it runs last

# Under CI, as root, the scenarios run a second time as a user who is not root, as on a
# newcomer's machine (the coverage stage, whose counts are root's, asks for one run only).
newcomer=
if [ "$(id -u)" -eq 0 ] && [ "${CI:-}" = true ] && [ -z "${VESPERA_E2E_ONE_RUN:-}" ]; then
  newcomer=newcomer
fi

# The session bus comes from dbus-x11: the alternative that apt picks first, dbus-user-session,
# brings systemd (as the init system too) into a machine that has none.
install_packages xvfb xauth x11-utils xdotool xclip openbox dbus dbus-x11 at-spi2-core \
  python3-pyatspi cups-daemon cups-client poppler-utils libqt6printsupport6 \
  fonts-liberation2 fonts-dejavu-core fonts-comic-neue ${newcomer:+sudo}
[ -x "$program" ] || fail "no program at $program: build it first (tools/dev.sh test does)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vespera-e2e.XXXXXX")
chmod 755 "$work"  # the print filter, running as lp when the scheduler runs as root, is inside
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  if mountpoint -q "$work/full"; then "${sudo[@]}" umount -l "$work/full"; fi
  rm -rf "$work"
}
on_exit cleanup
mkdir -p "$work/run" "$work/full" "$work/printed" "$work/cups/"{spool,cache,state,log,tmp}
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
# Windows are activated through the window manager: the scenarios wait until it runs.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
wait_until 20 wm_running || fail "the window manager did not start: $(tail -n 3 "$work/openbox.log")"

# The print queue: a scheduler of the stage's own (its configuration, spool and socket, run
# as whoever runs the stage), whose default printer writes each job, passed on as it comes,
# to one file.
export CUPS_SERVER="$work/cups/cups.sock"
chmod 1777 "$work/cups/tmp"
cat >"$work/cups/cups-files.conf" <<EOC
ServerRoot $work/cups
RequestRoot $work/cups/spool
TempDir $work/cups/tmp
CacheDir $work/cups/cache
StateDir $work/cups/state
AccessLog $work/cups/log/access_log
ErrorLog $work/cups/log/error_log
PageLog $work/cups/log/page_log
Printcap $work/cups/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup $(id -gn)
FileDevice Yes
EOC
cat >"$work/cups/cupsd.conf" <<EOC
Listen $CUPS_SERVER
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
EOC
# The print filter: the job as it comes, which a filter gets as its sixth argument.
printf '#!/bin/sh\nexec cat "$6"\n' >"$work/pass-on"
chmod 755 "$work/pass-on"
# A queue with a file for its device needs a PPD: A4, PDF passed on.
cat >"$work/file.ppd" <<EOC
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "VESPERA.PPD"
*Manufacturer: "Vespera"
*Product: "(PDF file)"
*ModelName: "PDF file"
*ShortNickName: "PDF file"
*NickName: "PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*cupsFilter: "application/pdf 0 $work/pass-on"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*DefaultPageRegion: A4
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 36 577 806"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
EOC
/usr/sbin/cupsd -f -c "$work/cups/cupsd.conf" -s "$work/cups/cups-files.conf" \
  >"$work/cups.log" 2>&1 &
pids+=($!)
cups_running() { lpstat -r 2>/dev/null | grep -q "is running"; }
wait_until 20 cups_running ||
  fail "the print scheduler did not start: $(tail -n 3 "$work/cups.log")"
# (lpadmin warns, to its log, that PPDs are deprecated.)
{ /usr/sbin/lpadmin -p PDF -v "file://$work/printed/vespera.pdf" -P "$work/file.ppd" -E &&
  /usr/sbin/lpadmin -d PDF; } >"$work/lpadmin.log" 2>&1 ||
  fail "the print queue did not start: $(cat "$work/lpadmin.log")" \
    "$(tail -n 3 "$work/cups/log/error_log" 2>/dev/null)"

# A disk with room for almost nothing, which the scenario fills up.
"${sudo[@]}" mount -t tmpfs -o size=64k,mode=0777 tmpfs "$work/full" \
  || fail "could not mount a small tmpfs at $work/full"

echo "Driving $program on display $DISPLAY as $(id -un)"
timed 300 /usr/bin/python3 -u "$here/tests/e2e/run_e2e.py" "$program" "$work/run" \
  "$work/full" "$work/printed/vespera.pdf" || fail "a scenario failed (see above)"
echo "E2E scenarios passed as $(id -un)."
[ -n "$newcomer" ] || exit 0

# The newcomer: a user of group sudo, who may use it without a password (there is no terminal
# to type one), with the PATH a user's login gives, in a clean environment.
made_user=
remove_newcomer() {
  rm -f /etc/sudoers.d/vespera-newcomer
  if [ -n "$made_user" ]; then /usr/sbin/userdel --remove "$made_user" 2>/dev/null || true; fi
}
on_exit remove_newcomer
if ! id "$newcomer" >/dev/null 2>&1; then
  /usr/sbin/useradd --create-home --groups sudo --shell /bin/bash "$newcomer" ||
    fail "could not make the user $newcomer"
  made_user=$newcomer
fi
printf '%s ALL=(ALL:ALL) NOPASSWD: ALL\n' "$newcomer" >/etc/sudoers.d/vespera-newcomer
chmod 440 /etc/sudoers.d/vespera-newcomer
/usr/sbin/runuser -u "$newcomer" -- test -x "$program" -a -r "$here/tests/e2e/run_e2e.py" ||
  fail "the user $newcomer cannot run $program or read $here"
echo "== the same as the user $newcomer"
home=$(getent passwd "$newcomer" | cut -d: -f6)
timed 600 /usr/sbin/runuser -u "$newcomer" -- env -i HOME="$home" USER="$newcomer" \
  LOGNAME="$newcomer" LANG=C.UTF-8 PATH=/usr/local/bin:/usr/bin:/bin:/usr/games \
  VESPERA_BUILD_DIR="$build" bash "$here/tools/test-stages/e2e.sh" ||
  fail "the scenarios failed as the user $newcomer, who is not root (see above)"
