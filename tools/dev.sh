#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One entry point for a newcomer on a fresh Debian machine:
#   tools/dev.sh run    installs what is missing, builds, starts the calculator
#   tools/dev.sh test   installs what is missing, builds, runs every test
#   tools/dev.sh web [--port PORT] [--host ADDRESS]
#                       installs what is missing, builds the web page, serves it (port 8000
#                       of this machine alone unless told otherwise)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"

# What the build, the tests and the window's fonts need.
packages=(
  build-essential cmake ninja-build qt6-base-dev libgl-dev libfontconfig-dev libxkbcommon-dev
  fonts-liberation2 fonts-dejavu-core fonts-comic-neue
  xvfb xauth
  qt6-translations-l10n
)
# What the tests add: the Python module's build, and what its tests import. The calculator
# alone (run) is built without the module and needs none of them.
python_packages=(
  pybind11-dev python3-dev python3-numpy python3-pytest python3-pandas python3-astropy
  python3-dask python3-distributed
)

# remove_stage_packages: purges the packages installed since packages_before was taken, and
# fails naming any that the machine still has, or had and lost.
remove_stage_packages() {
  [ -n "${packages_before:-}" ] || return 0
  local added changed sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  mapfile -t added < <(comm -13 <(echo "$packages_before") <(package_names))
  if [ ${#added[@]} -gt 0 ]; then
    echo "== removing the ${#added[@]} packages the stages installed"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 purge -y -qq \
      "${added[@]}" >"$build/purge.log" 2>&1 || tail -n 20 "$build/purge.log" >&2
  fi
  changed=$(diff <(echo "$packages_before") <(package_names) | grep '^[<>]' || true)
  packages_before=  # once only, at the end or on an early exit
  [ -z "$changed" ] || { echo "the machine's packages differ from before the stages:" \
    "$(tr '\n' ' ' <<<"$changed")" >&2; return 1; }
}

configure_and_build() {
  local generator=()
  [ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)  # a build folder keeps its own
  cmake -S "$here" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$build" -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_packages "${packages[@]}"
    configure_and_build -DVESPERA_BUILD_PYTHON=OFF
    exec "$build/app/vespera"
    ;;
  test)
    install_packages "${packages[@]}" "${python_packages[@]}"
    # A new warning fails the tests.
    configure_and_build -DVESPERA_WARNINGS_AS_ERRORS=ON -DVESPERA_BUILD_PYTHON=ON
    echo "== set-up and build took $SECONDS s"
    started=$SECONDS
    (cd "$build" && ctest --output-on-failure -j"$(nproc)")
    echo "== CTest passed in $((SECONDS - started)) s"
    # What the stages install (compilers, browsers, Wine, a print service) goes again when
    # they end, however they end, so that a developer's machine keeps the packages it had;
    # VESPERA_KEEP_PACKAGES=1 keeps them for the next run instead.
    packages_before=$(package_names)
    [ "${VESPERA_KEEP_PACKAGES:-}" = 1 ] || on_exit remove_stage_packages
    # Further stages (other builds, other tools), each a script that installs
    # what it needs and fails loudly. A stage that cannot run on this machine says so in
    # one line and exits with 77, the status test tools use for "skipped"; the rest go on.
    for stage in "$here"/tools/test-stages/*.sh; do
      [ -e "$stage" ] || continue
      echo "== test stage: $(basename "$stage")"
      started=$SECONDS
      status=0
      VESPERA_BUILD_DIR="$build" bash "$stage" || status=$?
      case "$status" in
        0) echo "== test stage $(basename "$stage") passed in $((SECONDS - started)) s" ;;
        77) ;;
        *) exit "$status" ;;
      esac
    done
    if [ "${VESPERA_KEEP_PACKAGES:-}" != 1 ]; then
      started=$SECONDS
      remove_stage_packages || exit 1
      echo "== the machine has the packages it had before the stages ($((SECONDS - started)) s)"
    fi
    ;;
  web)
    shift
    port=8000 host=127.0.0.1
    while [ $# -gt 0 ]; do
      case "$1=${2:-}" in
        --port=[0-9]*) port=$2 ;;
        --host=?*) host=$2 ;;
        *) echo "usage: $0 web [--port PORT] [--host ADDRESS]" >&2; exit 2 ;;
      esac
      shift 2
    done
    [[ "$port" =~ ^[0-9]{1,5}$ ]] && [ "$port" -ge 1 ] && [ "$port" -le 65535 ] ||
      { echo "The port must be a number from 1 to 65535, not $port." >&2; exit 2; }
    install_packages "${web_packages[@]}" python3
    # A busy port is refused before the build, in one line, rather than after it in a trace.
    python3 -c 'import socket, sys
family = socket.AF_INET6 if ":" in sys.argv[1] else socket.AF_INET
with socket.socket(family) as probe:
    probe.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)  # as http.server does
    probe.bind((sys.argv[1], int(sys.argv[2])))' "$host" "$port" 2>/dev/null ||
      { echo "The port $port of $host is in use, or not this machine's: choose another with --port." >&2; exit 1; }
    web_build="${VESPERA_WEB_BUILD_DIR:-$here/build-web}"
    build_site "$here" "$web_build"
    echo "Vespera in the browser (static files in $web_build/site; Ctrl+C stops):"
    case "$host" in
      127.* | localhost | ::1)
        echo "  http://localhost:$port/ on this machine alone; --host 0.0.0.0 makes the page" \
          "reachable from a phone on the same network." ;;
      0.0.0.0 | ::)
        for address in localhost $(hostname -I 2>/dev/null); do
          [[ "$address" == *:* ]] || echo "  http://$address:$port/"
        done
        echo "  A phone on the same network opens the page at one of these addresses; saving" \
          "there downloads, and the page works offline only from localhost or HTTPS." ;;
      *) echo "  http://$host:$port/" ;;
    esac
    exec python3 -m http.server "$port" --bind "$host" --directory "$web_build/site"
    ;;
  *)
    echo "usage: $0 run|test|web [--port PORT] [--host ADDRESS]" >&2
    exit 2
    ;;
esac
