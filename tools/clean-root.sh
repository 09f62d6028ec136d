#!/usr/bin/env bash
# Runs a command of this repository inside a fresh minimal Debian root of the machine's own
# release, the way Debian builds packages: nothing is installed there but what debootstrap's
# minbase variant brings, so the command proves that it installs everything it needs.
#
#   usage: tools/clean-root.sh COMMAND [ARG...]     e.g. tools/clean-root.sh bash tools/dev.sh test
#
# The root gets the machine's apt sources (read now, never written down), proc, sys, dev,
# dev/pts and dev/shm bound in, a policy-rc.d that keeps package installs from starting
# services, a copy of the working tree at /work/vespera and of the sibling ../shared at
# /work/shared, read-only. The command runs there as root with a clean environment and no
# standard input. Only the bare debootstrap result is kept between runs, as a tarball under
# $VESPERA_ROOT_CACHE (default /var/cache/vespera-ci); whatever the command installs is
# gone with the root, which is unmounted and removed on every exit: success, failure or
# interrupt.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$here/tools/lib.sh"
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }

refuse() {
  echo "clean root: $* (a clean Debian root needs root rights, debootstrap and mount)" >&2
  exit 1
}
[ "$(id -u)" -eq 0 ] || refuse "not running as root"

release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$release" ] || refuse "/etc/os-release names no release"
arch=$(dpkg --print-architecture)

# The first archive of the machine's own sources that serves its release, in either format.
machine_mirror() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v release="$release" '
      /^[[:space:]]*$/ { if (uris != "" && suites ~ ("(^| )" release "( |$)")) { print uris; found = 1; exit }
                         uris = ""; suites = "" ; next }
      /^URIs:/ { uris = $2 }
      /^Suites:/ { $1 = ""; suites = substr($0, 2) }
      END { if (!found && uris != "" && suites ~ ("(^| )" release "( |$)")) print uris }' "$file"
  done
  { cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true; } |
    awk -v release="$release" '$1 == "deb" && $0 !~ /\[/ && $3 == release { print $2 }'
}
mirror=$(machine_mirror | head -n 1) || true
[ -n "$mirror" ] || refuse "no apt source of the machine serves $release"

work=$(mktemp -d "${TMPDIR:-/var/tmp}/vespera-root.XXXXXX")
root="$work/root"

# Unmounts in reverse order, stops whatever still runs inside, then removes the root; never
# follows a mount out of it.
cleanup() {
  local status=$? pid
  for pid in /proc/[0-9]*; do
    [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "${pid#/proc/}" 2>/dev/null
  done
  # Innermost first: the mounts the command made inside the root (a test stage's tmpfs, say),
  # then those made here.
  while read -r _ target _; do
    case "$target" in
      "$root" | "$root"/*) umount "$target" 2>/dev/null || umount -l "$target" || true ;;
    esac
  done < <(tac /proc/self/mounts)
  if grep -q " $root[/ ]" /proc/self/mounts; then
    echo "clean root: $root is still mounted; left in place" >&2
  else
    rm -rf --one-file-system "$work"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

mkdir "$root"
mount -t tmpfs vespera-probe "$root" 2>/dev/null || refuse "cannot mount here"
umount "$root"

# The bare root, made once and kept as a tarball.
cache="${VESPERA_ROOT_CACHE:-/var/cache/vespera-ci}"
tarball="$cache/$release-$arch-minbase.tar.gz"
if [ ! -s "$tarball" ]; then
  command -v debootstrap >/dev/null || install_packages debootstrap
  echo "clean root: debootstrap --variant=minbase $release from $mirror (kept in $tarball)"
  mkdir -p "$cache" "$work/bare"
  timeout 1200 debootstrap --variant=minbase --include=ca-certificates "$release" "$work/bare" \
    "$mirror" >"$work/debootstrap.log" 2>&1 || {
    tail -n 20 "$work/debootstrap.log" >&2
    refuse "debootstrap failed"
  }
  rm -f "$work/bare/etc/apt/sources.list"
  tar -C "$work/bare" -czf "$tarball.new" . && mv "$tarball.new" "$tarball"
  rm -rf --one-file-system "$work/bare"
fi
tar -C "$root" -xzf "$tarball"

# The machine's apt sources and how it reaches them, as they are today.
rm -f "$root/etc/apt/sources.list"
cp -a /etc/apt/sources.list* "$root/etc/apt/" 2>/dev/null || true
for conf in /etc/apt/apt.conf.d/*; do
  grep -qE '^[[:space:]]*Acquire' "$conf" && cp "$conf" "$root/etc/apt/apt.conf.d/"
done
grep -ho 'Signed-By: *[^ ]*\|signed-by=[^] ]*' /etc/apt/sources.list* -r 2>/dev/null |
  sed 's/.*[:=] *//' | sort -u | while read -r key; do
  [ -e "$root$key" ] || { mkdir -p "$root$(dirname "$key")"; cp "$key" "$root$key"; }
done
cp /etc/resolv.conf /etc/hosts "$root/etc/"
printf '#!/bin/sh\n# No service starts while packages install in this root.\nexit 101\n' \
  >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

# The project as it stands in this working tree, and its sibling, read-only.
mkdir -p "$root/work/vespera" "$root/work/shared"
(cd "$here" && git ls-files -z --cached --others --exclude-standard |
  tar --null --files-from=- --ignore-failed-read -cf -) 2>/dev/null | tar -C "$root/work/vespera" -xf -
[ -d "$here/.git" ] && cp -a "$here/.git" "$root/work/vespera/"
[ -d "$here/../shared" ] && cp -a "$here/../shared/." "$root/work/shared/"
chmod -R a-w "$root/work/shared"

for fs in proc sys dev dev/pts dev/shm; do
  mkdir -p "$root/$fs"
  case "$fs" in
    proc) mount -t proc proc "$root/proc" ;;
    *) mount --bind "/$fs" "$root/$fs" ;;
  esac || refuse "cannot mount /$fs in the root"
done
# Read-only for root too, as the sibling is in CI.
mount --bind "$root/work/shared" "$root/work/shared" &&
  mount -o remount,bind,ro "$root/work/shared" || refuse "cannot mount the shared folder read-only"

echo "clean root: running '$*' in a fresh $release root"
# In the background, so that a signal to this script is handled at once, not when it ends.
status=0
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI=true \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  /bin/sh -c 'cd /work/vespera && exec "$@"' clean-root "$@" </dev/null &
wait $! || status=$?
echo "clean root: '$*' ended with status $status"
exit "$status"
