#!/usr/bin/env bash
# One entry point for a newcomer on a fresh Debian machine:
#   tools/dev.sh run    installs what is missing, builds, starts the calculator
#   tools/dev.sh test   installs what is missing, builds, runs every test
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${VESPERA_BUILD_DIR:-$here/build}"

# Debian packages the build, the tests and the window's fonts need.
packages=(
  build-essential cmake qt6-base-dev libgl-dev
  fonts-liberation2 fonts-dejavu-core fonts-comic-neue
  xvfb xauth
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_missing
    configure_and_build
    exec "$build/app/vespera"
    ;;
  test)
    install_missing
    configure_and_build
    cd "$build"
    ctest --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
