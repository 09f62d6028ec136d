# Shared by tools/dev.sh and the extra test stages in tools/test-stages/.

# install_packages PKG...: installs the Debian packages not yet installed.
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
  # apt's and dpkg's own chatter goes to a log, shown only when the install fails.
  local wait=(-o DPkg::Lock::Timeout=600) log status=0
  log=$(mktemp "${TMPDIR:-/tmp}/vespera-apt.XXXXXX")
  { "${sudo[@]}" apt-get "${wait[@]}" update -qq &&
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "${wait[@]}" install -y -qq \
      --no-install-recommends "$@"; } >"$log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || { tail -n 40 "$log" >&2; echo "apt-get failed installing: ${missing[*]}" >&2; }
  rm -f "$log"
  return "$status"
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
