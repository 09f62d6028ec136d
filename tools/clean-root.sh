#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command of this repository inside a fresh minimal Debian root, the way Debian builds
# packages: nothing is installed there but what debootstrap's minbase variant brings, so the
# command proves that it installs everything it needs.
#
#   usage: [VESPERA_CI_RELEASE=trixie] tools/clean-root.sh COMMAND [ARG...]
#          e.g. VESPERA_CI_RELEASE=trixie tools/clean-root.sh bash tools/dev.sh test
#
# The root is of the release VESPERA_CI_RELEASE names (a Debian codename), by default the
# machine's own. Of its own release, the root gets the machine's apt sources in whichever form
# they take (one-line or deb822, with or without Signed-By) with the keys they name; of another
# release, the Debian archives the machine uses (main, updates, security) for that release,
# checked with the keys of the root's own debian-archive-keyring. Either way it gets the
# machine's Acquire settings (a proxy), the
# certificate authorities the machine adds to Debian's, how the machine resolves names, proc,
# sys, dev, dev/pts and dev/shm bound in, a policy-rc.d that keeps package installs from
# starting services, a copy of the working tree at /work/vespera and of the sibling ../shared
# at /work/shared, read-only. The command runs there as root with
# a clean environment, CI=true and no standard input.
#
# Everything is mounted in a mount namespace of the run's own, private, so nothing reaches
# the host. Only the bare debootstrap result is kept between runs, as a tarball under
# $VESPERA_ROOT_CACHE (default /var/cache/vespera-ci); one run at a time uses a cache (a lock
# there). The root is unmounted and removed on every exit: success, failure, Ctrl-C or TERM,
# which stop it at once.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }

refuse() {
  echo "clean root: $* (a clean Debian root needs root rights, debootstrap and mount)" >&2
  exit 1
}
[ "$(id -u)" -eq 0 ] || refuse "not running as root"

# Into a private mount namespace first, as this same process (unshare execs, keeping the
# process id that marks the switch as done).
if [ "${VESPERA_CLEAN_ROOT_NAMESPACE:-}" != "$$" ]; then
  unshare --mount --propagation private true 2>/dev/null || refuse "cannot make a mount namespace"
  exec env VESPERA_CLEAN_ROOT_NAMESPACE=$$ unshare --mount --propagation private -- \
    bash "${BASH_SOURCE[0]}" "$@"
fi
unset VESPERA_CLEAN_ROOT_NAMESPACE
source "$here/tools/lib.sh"

own_release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$own_release" ] || refuse "/etc/os-release names no release"
release=${VESPERA_CI_RELEASE:-$own_release}
[[ "$release" =~ ^[a-z]+$ ]] || refuse "VESPERA_CI_RELEASE=$release is not a Debian codename"
arch=$(dpkg --print-architecture)
# Another release comes from the archive that serves the machine's own: Debian's archive
# serves every release.
mirror=$(machine_mirror "$own_release")
[ -n "$mirror" ] || refuse "no apt source of the machine serves $own_release"
security_mirror=$(machine_mirror "$own_release-security")

# One run at a time per cache: the bare root is made there, and two roots at once would
# only slow each other down.
cache="${VESPERA_ROOT_CACHE:-/var/cache/vespera-ci}"
tarball="$cache/$release-$arch-minbase.tar.gz"
mkdir -p "$cache"
exec {lock}>>"$cache/lock"
if ! flock -n "$lock"; then
  echo "clean root: another run is using $cache; waiting for it to end"
  timed 86400 flock "$lock" || refuse "could not lock $cache/lock"
fi

# The canonical path, as /proc shows it (a TMPDIR ending in a slash, or a link, would not be).
work=$(mktemp -d "${TMPDIR:-/var/tmp}/vespera-root.XXXXXX")
work=$(realpath "$work")
root="$work/root"

# Stops whatever still runs inside the run's folder, unmounts innermost first, then removes
# the folder; never follows a mount out of it.
remove_root() {
  local inside _ target
  disown -a  # the command is killed below: no word of it from the shell
  for _ in 1 2 3 4 5; do
    inside=$(find /proc -mindepth 2 -maxdepth 2 -name root \( -lname "$work" -o -lname "$work/*" \) \
      2>/dev/null | cut -d/ -f3)
    [ -n "$inside" ] || break
    kill -9 $inside 2>/dev/null || true
    sleep 0.2
  done
  # The mounts the command made inside the root (a test stage's tmpfs, say), then those
  # made here.
  while read -r _ target _; do
    case "$target" in
      "$work" | "$work"/*) umount "$target" 2>/dev/null || umount -l "$target" || true ;;
    esac
  done < <(tac /proc/self/mounts)
  rm -f "${partial:-}"
  if grep -q " $work[/ ]" /proc/self/mounts; then
    echo "clean root: $work is still mounted; left in place" >&2
  else
    rm -rf --one-file-system "$work"
  fi
}
on_exit remove_root

# signed_by_keys: the key files the machine's sources name with Signed-By, in either format.
signed_by_keys() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk '{
      line = $0
      while (match(tolower(line), /signed-by=[^] \t]+/)) {
        print substr(line, RSTART + 10, RLENGTH - 10); line = substr(line, RSTART + RLENGTH)
      }
    }
    tolower($1) == "signed-by:" { print $2 }' "$file"
  done | tr ',' '\n' | grep '^/' | sort -u || true
}

mkdir "$root"
mount -t tmpfs vespera-probe "$root" 2>/dev/null || refuse "cannot mount here"
umount "$root"

# The bare root, made once and kept as a tarball.
if [ ! -s "$tarball" ]; then
  # debootstrap goes again once the root is made, when this run installed it: the machine
  # keeps nothing of the run but the tarball.
  if ! command -v debootstrap >/dev/null; then
    install_packages debootstrap
    remove_debootstrap=1
  fi
  echo "clean root: debootstrap --variant=minbase $release from $mirror (kept in $tarball)"
  mkdir "$work/bare"
  timed 1200 debootstrap --variant=minbase --include=ca-certificates "$release" "$work/bare" \
    "$mirror" >"$work/debootstrap.log" 2>&1 || {
    tail -n 20 "$work/debootstrap.log" >&2
    refuse "debootstrap failed"
  }
  rm -f "$work/bare/etc/apt/sources.list"
  # Written under a name of this run's own and renamed whole: the cache never holds half a
  # tarball.
  partial="$tarball.$$"
  timed 600 tar -C "$work/bare" -czf "$partial" . || refuse "could not pack the bare root"
  mv "$partial" "$tarball"
  rm -rf --one-file-system "$work/bare"
  if [ -n "${remove_debootstrap:-}" ]; then
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 purge -y -qq debootstrap \
      >/dev/null 2>&1 || echo "clean root: could not remove debootstrap again" >&2
  fi
fi
timed 600 tar -C "$root" -xzf "$tarball" || refuse "could not unpack $tarball"

# The machine's apt sources, keys and proxy settings, as they are today; for another release,
# the same Debian archives with that release's suites.
rm -f "$root/etc/apt/sources.list" "$root"/etc/apt/sources.list.d/*
if [ "$release" = "$own_release" ]; then
  [ ! -f /etc/apt/sources.list ] || cp /etc/apt/sources.list "$root/etc/apt/"
  for file in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ ! -f "$file" ] || cp "$file" "$root/etc/apt/sources.list.d/"
  done
else
  keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  printf 'Types: deb\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: %s\n' \
    "$mirror" "$release" "$release" "$keyring" >"$root/etc/apt/sources.list.d/debian.sources"
  if [ -n "$security_mirror" ]; then
    printf '\nTypes: deb\nURIs: %s\nSuites: %s-security\nComponents: main\nSigned-By: %s\n' \
      "$security_mirror" "$release" "$keyring" >>"$root/etc/apt/sources.list.d/debian.sources"
  fi
fi
# The machine's own Acquire settings (a proxy), not those a package installed (appstream's, say):
# another release's package brings its own, and would stop at a conffile prompt over ours.
for conf in /etc/apt/apt.conf.d/*; do
  if [ -f "$conf" ] && grep -qE '^[[:space:]]*Acquire' "$conf" && ! dpkg-query -S "$conf" >/dev/null 2>&1; then
    cp "$conf" "$root/etc/apt/apt.conf.d/"
  fi
done
# Keys named by Signed-By (a path; a key written out in the stanza comes with it), and
# those apt trusts for every source, which serve sources without Signed-By.
for key in $(signed_by_keys); do
  if [ -f "$key" ] && [ ! -e "$root$key" ]; then
    mkdir -p "$root$(dirname "$key")"
    cp "$key" "$root$key"
  fi
done
for key in /etc/apt/trusted.gpg /etc/apt/trusted.gpg.d/*; do
  if [ -f "$key" ] && [ ! -e "$root$key" ]; then cp "$key" "$root$key"; fi
done

# The certificate authorities the machine adds to Debian's own, where Debian keeps them
# (/usr/local/share/ca-certificates: a company's or a sandbox's TLS-inspecting proxy), so that
# TLS from the root is trusted as on the machine: there for update-ca-certificates, should a
# stage install ca-certificates, and in one file that node adds to its own list for npm.
extra_ca=()
if [ -n "$(find /usr/local/share/ca-certificates -name '*.crt' 2>/dev/null)" ]; then
  mkdir -p "$root/usr/local/share/ca-certificates"
  cp -a /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
  find /usr/local/share/ca-certificates -name '*.crt' -exec cat {} + >"$root/etc/machine-ca.pem"
  extra_ca=(NODE_EXTRA_CA_CERTS=/etc/machine-ca.pem)
fi

# Names resolve as on the machine: its resolv.conf, or the file a link names (systemd-
# resolved's stub); none where the link dangles, as the machine itself then has none.
rm -f "$root/etc/resolv.conf"
if [ -e /etc/resolv.conf ]; then cp -L /etc/resolv.conf "$root/etc/resolv.conf"; fi
if [ -f /etc/hosts ]; then
  cp /etc/hosts "$root/etc/hosts"
else
  printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"
fi
printf '#!/bin/sh\n# No service starts while packages install in this root.\nexit 101\n' \
  >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

# The project as it stands in this working tree (its files under version control, and new
# ones not ignored), and its sibling, read-only.
mkdir -p "$root/work/vespera" "$root/work/shared"
git=(git -c safe.directory="$here" -C "$here")
if "${git[@]}" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  "${git[@]}" ls-files -z --cached --others --exclude-standard >"$work/files"
  tar -C "$here" --null --files-from="$work/files" --ignore-failed-read -cf "$work/tree.tar" 2>/dev/null
  tar -C "$root/work/vespera" -xf "$work/tree.tar"
  rm -f "$work/files" "$work/tree.tar"
  if [ -d "$here/.git" ]; then cp -a "$here/.git" "$root/work/vespera/"; fi
else
  tar -C "$here" --exclude='./build*' -cf - . | tar -C "$root/work/vespera" -xf -
fi
if [ -d "$here/../shared" ]; then cp -a "$here/../shared/." "$root/work/shared/"; fi
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
# In the background, so that a signal to this script is handled at once, not when it ends;
# without the lock, which is this script's to hold.
status=0
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI=true "${extra_ca[@]}" \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  /bin/sh -c 'cd /work/vespera && exec "$@"' clean-root "$@" </dev/null {lock}>&- &
wait $! || status=$?
echo "clean root: '$*' ended with status $status"
exit "$status"
