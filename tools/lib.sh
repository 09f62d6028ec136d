# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by tools/dev.sh, tools/clean-root.sh, tools/build-qt-mingw.sh and the extra test
# stages in tools/test-stages/.
#
# Sourcing it sets the script's traps: INT (Ctrl-C), TERM and HUP end the script at once
# with the shell's usual status (130, 143, 129), and every exit, whatever its cause, stops
# the commands started with `timed` and then runs the clean-ups registered with `on_exit`.

# A build folder named relative to where the command was started, made absolute: the stages
# run their tools from other folders and hand the path on.
if [ -n "${VESPERA_BUILD_DIR:-}" ]; then
  VESPERA_BUILD_DIR=$(realpath -m -- "$VESPERA_BUILD_DIR")
fi

# install_packages PKG...: installs the Debian packages not yet installed, and adds to
# installed_packages those dpkg unpacked or set up for it (with their dependencies, and any
# package that the install upgraded), for a stage that removes them again.
installed_packages=()
install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  # Another install may hold dpkg's lock (two stages, or a desktop's updater): wait for it.
  # apt's and dpkg's own chatter goes to a log, shown only when the install fails. There is no
  # one to answer a prompt: a settings file the machine changed is kept as it is.
  local wait=(-o DPkg::Lock::Timeout=600) log status=0
  log=$(mktemp "${TMPDIR:-/tmp}/vespera-apt.XXXXXX")
  { "${sudo[@]}" apt-get "${wait[@]}" update -qq &&
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive LC_ALL=C apt-get "${wait[@]}" install -y -qq \
      -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold \
      --no-install-recommends "$@"; } >"$log" 2>&1 || status=$?
  # dpkg's words (in English, LC_ALL=C): "Unpacking NAME[:ARCH] (VERSION) ...", "Setting up ...".
  installed_packages+=($(sed -n 's/^\(Unpacking\|Setting up\) \([^ :]*\).*/\2/p' "$log" | sort -u))
  [ "$status" -eq 0 ] || { tail -n 40 "$log" >&2; echo "apt-get failed installing: ${missing[*]}" >&2; }
  rm -f "$log"
  return "$status"
}

# package_names: the names of the packages installed, sorted, one a line.
package_names() {
  dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' | awk '$1 == "ii" { print $2 }' | sort
}

# npm_install_pinned SOURCE DIR: installs, into DIR/node_modules, what SOURCE's
# package-lock.json pins, each with its integrity checked. Node trusts only its own list of
# authorities, so npm is given the machine's store as well, which apt and git use: behind a
# company's TLS-inspecting proxy, whose authority the machine adds in
# /usr/local/share/ca-certificates, the registry is then reached as the archive is.
npm_install_pinned() {
  install_packages nodejs ca-certificates || return 1
  # Node from another source than Debian's brings its own npm, which Debian's npm would replace.
  command -v npm >/dev/null || install_packages npm || return 1
  local store=/etc/ssl/certs/ca-certificates.crt
  mkdir -p "$2" && cp "$1/package.json" "$1/package-lock.json" "$2/" || return 1
  (
    cd "$2" || exit 1
    if [ -z "${NODE_EXTRA_CA_CERTS:-}" ] && [ -f "$store" ]; then export NODE_EXTRA_CA_CERTS=$store; fi
    timed 300 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error --cache "$2/npm-cache" \
      >/dev/null
  )
}

# fail MESSAGE...: ends a test stage, naming it from its script ("E2E STAGE FAILED: ...").
fail() {
  local stage
  stage=$(basename "$0" .sh | tr 'a-z-' 'A-Z ')
  echo "$stage STAGE FAILED: $*" >&2
  exit 1
}

# What the web page's build needs: emscripten (with clang, lld, binaryen and node), CMake,
# and fonttools with Brotli to cut the free fonts into WOFF2.
web_packages=(
  emscripten cmake ninja-build fonttools python3-brotli fontconfig
  fonts-liberation2 fonts-dejavu-core fonts-comic-neue
)

# build_site REPO BUILD_DIR [CMAKE_OPTION...]: builds the web page into BUILD_DIR/site.
# Debian's emscripten finds its JavaScript helpers through NODE_PATH where node is not
# Debian's own.
build_site() {
  local repo=$1 build=$2 generator=()
  shift 2
  [ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)  # a build folder keeps its own
  export NODE_PATH=/usr/share/nodejs
  mkdir -p "$build"
  emcmake cmake -S "$repo/web" -B "$build" "${generator[@]}" "$@" >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log" >&2; return 1; }
  cmake --build "$build" -j"$(nproc)"
}

# host_qt_version: the upstream version of the release's Qt (6.4.2 on Debian 12, 6.8.2 on
# Debian 13), from its installed qt6-base-dev.
host_qt_version() {
  dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed -e 's/^[0-9]*://' -e 's/[+~-].*//'
}

# qt_mingw_archive / qt_mingw_cache: the name of the Qt for Windows that tools/build-qt-mingw.sh
# makes, and where it keeps it for the Windows stage (tools/test-stages/windows.sh). A cross
# build takes moc, rcc and uic from the host, so the Qt for Windows is of the host Qt's version.
qt_mingw_archive() { echo "qt$(host_qt_version)-mingw-w64-x86_64.tar.xz"; }
qt_mingw_cache() { echo "${XDG_CACHE_HOME:-$HOME/.cache}/vespera/$(qt_mingw_archive)"; }

# on_exit FUNCTION: FUNCTION runs when the script exits, after those registered later.
# A clean-up must not rely on the script's state being complete: it may run after any line.
vespera_cleanups=()
on_exit() { vespera_cleanups=("$1" "${vespera_cleanups[@]}"); }

vespera_timed=()
vespera_exit() {
  local status=$? pid cleanup
  trap '' INT TERM HUP  # a second Ctrl-C must not cut the clean-up short
  for pid in "${vespera_timed[@]}"; do stop_timed "$pid"; done
  for cleanup in "${vespera_cleanups[@]}"; do "$cleanup" || true; done
  exit "$status"
}
trap vespera_exit EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# timed SECONDS COMMAND...: COMMAND, sent TERM after SECONDS and KILL ten seconds later;
# returns its status (124 when it ran out of time).
# `timeout` runs its command in a process group of its own, which Ctrl-C does not reach, and
# a script that traps INT or TERM handles them only once its foreground command ends. So the
# command runs in the background and is waited for: a signal is handled at once, and the
# exit stops the command. In a subshell (a pipeline, `$(...)`), where this script's traps do
# not hold, it stays in the foreground's process group instead (timeout --foreground), so
# that Ctrl-C reaches it directly.
timed() {
  local seconds=$1 pid status=0
  shift
  if [ "$BASHPID" != "$$" ]; then
    timeout --foreground -k 10 "$seconds" "$@"
    return
  fi
  timeout -k 10 "$seconds" "$@" <&0 &
  pid=$!
  vespera_timed+=("$pid")
  wait "$pid" || status=$?
  local still=() other
  for other in "${vespera_timed[@]}"; do [ "$other" = "$pid" ] || still+=("$other"); done
  vespera_timed=("${still[@]}")
  return "$status"
}

# stop_timed PID: ends a command started by `timed`: TERM to timeout, which passes it on to
# the command's process group, then KILL to that group if it is still there after 5 s.
stop_timed() {
  [ -n "$1" ] || return 0
  kill -TERM "$1" 2>/dev/null || return 0
  local _
  for _ in $(seq 50); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL -- "-$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# wait_until SECONDS COMMAND...: true as soon as COMMAND succeeds, tried every tenth of a
# second; false once SECONDS have passed without it.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# wait_for_file SECONDS FILE: true once FILE exists and is not empty.
wait_for_file() { wait_until "$1" test -s "$2"; }

# visible_window TITLE: prints the id of the visible window titled exactly TITLE, if there is
# one (xdotool's own match ignores letter case: "Vespera 3.3" must not find "VESPERA 3.3").
visible_window() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
  done
  return 1
}

# wait_for_window SECONDS TITLE: prints the id of the visible window titled exactly TITLE once
# it is there; false when it does not come within SECONDS.
wait_for_window() { wait_until "$1" visible_window "$2"; }

# start_display FOLDER: starts an X server of this script's own (Xvfb, 1280x1024, 24 bits,
# 96 dpi, no TCP) on a display number it finds free itself, which only a holder of the
# cookie in FOLDER/Xauthority may use; exports DISPLAY and XAUTHORITY. It is stopped when the
# script exits. Needs xvfb and xauth.
vespera_xvfb_pid=
start_display() {
  local folder=$1 cookie
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  export XAUTHORITY="$folder/Xauthority"
  : >"$XAUTHORITY"
  # The server takes every cookie in its file, whatever display the entry names; clients
  # look theirs up by display, so the entry is written again once the number is known.
  xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
  on_exit stop_display
  Xvfb -displayfd 3 -auth "$XAUTHORITY" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp \
    3>"$folder/display" >"$folder/xvfb.log" 2>&1 &
  vespera_xvfb_pid=$!
  wait_for_file 10 "$folder/display" || {
    echo "Xvfb did not start: $(tail -n 3 "$folder/xvfb.log")" >&2
    return 1
  }
  export DISPLAY=":$(cat "$folder/display")"
  xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"
}
stop_display() {
  [ -n "$vespera_xvfb_pid" ] || return 0
  kill "$vespera_xvfb_pid" 2>/dev/null || true
  wait "$vespera_xvfb_pid" 2>/dev/null || true
  vespera_xvfb_pid=
}

# machine_mirror RELEASE [APT_ETC]: the first archive of the machine's apt sources (APT_ETC,
# default /etc/apt) that serves RELEASE over the network or from a folder, in either format.
machine_mirror() {
  local all
  all=$(apt_archives "$@")
  echo "${all%%$'\n'*}"
}

# apt_archives RELEASE [APT_ETC]: each archive that serves RELEASE, in the order apt reads
# them: one-line entries in sources.list and sources.list.d/*.list, with or without
# [options], and deb822 stanzas in sources.list.d/*.sources. Only binary ("deb") entries
# that are not switched off count, and only those debootstrap can use (http, https, file).
apt_archives() {
  local release=$1 etc=${2:-/etc/apt} file
  for file in "$etc"/sources.list "$etc"/sources.list.d/*; do
    [ -f "$file" ] || continue
    case "$file" in
      *.sources) deb822_archives "$release" "$file" ;;
      # "deb [arch=amd64 signed-by=/k.gpg] URI SUITE COMPONENT...": the options go first.
      */sources.list | *.list) sed -e 's/#.*//' -e 's/^\([[:space:]]*deb[[:space:]]*\)\[[^]]*\]/\1/' "$file" |
        awk -v release="$release" '$1 == "deb" && $3 == release && $2 ~ /^(https?|file):/ { print $2 }' ;;
    esac
  done
}

# deb822_archives RELEASE FILE: the archives of FILE's stanzas (separated by blank lines;
# field names in any letter case) that serve RELEASE.
deb822_archives() {
  awk -v release="$1" '
    function check() {
      if (types ~ /(^| )deb( |$)/ && enabled !~ /^(no|false)$/ &&
          (" " suites " ") ~ (" " release " ") && uris ~ /^(https?|file):/) print uris
      types = ""; suites = ""; uris = ""; enabled = ""
    }
    /^[[:space:]]*#/ { next }
    /^[[:space:]]*$/ { check(); next }
    /^[[:space:]]/ { next }  # a continued field, such as a key written out in full
    { field = tolower($1); $1 = ""; value = substr($0, 2) }
    field == "types:" { types = value }
    field == "suites:" { suites = value }
    field == "uris:" { split(value, list, " "); uris = list[1] }
    field == "enabled:" { enabled = tolower(value) }
    END { check() }' "$2"
}
