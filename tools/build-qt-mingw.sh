#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Qt for Windows that the Windows stage (tools/test-stages/windows.sh) cross-builds
# Vespera with: the running release's Qt (6.4.2 on Debian 12, 6.8.2 on Debian 13: Core, Gui,
# Widgets, PrintSupport, Test, the Windows platform plugin and styles) for 64-bit Windows, with
# Debian's mingw-w64 (posix threads), from the release's own qt6-base source package, with its
# qt6-base-dev (the same version) as the host Qt for moc, rcc and uic, which must be of the
# target's own version. Debian ships no Qt for Windows. About 30 to 40 minutes on 2 cores;
# needs root rights or sudo to install what it needs.
#
#   usage: tools/build-qt-mingw.sh [ARCHIVE]
#
# Writes ARCHIVE, by default ~/.cache/vespera/qtVERSION-mingw-w64-x86_64.tar.xz, where the
# Windows stage looks for it; it holds one folder, qt6-mingw. The prefix is relocatable:
# unpack it anywhere and configure with <prefix>/bin/qt-cmake -S SRC -B BUILD -G Ninja. A
# program built with it needs, beside its .exe, the Qt DLLs from <prefix>/bin,
# platforms/qwindows.dll from <prefix>/plugins, and the mingw runtime DLLs (libstdc++-6,
# libgcc_s_seh-1 and libssp-0 from gcc's posix folder, libwinpthread-1 from mingw-w64's).
# Qt is under the LGPL 3 (and GPL 2/3); the source is Debian's qt6-base package.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$here/tools/lib.sh"
fail() { echo "build-qt-mingw: $*" >&2; exit 1; }

install_packages g++-mingw-w64-x86-64-posix qt6-base-dev ninja-build cmake xz-utils dpkg-dev ||
  fail "the packages could not be installed"
archive=$(realpath -m "${1:-$(qt_mingw_cache)}")
# The source of the host Qt, at the host Qt's own version.
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
upstream=$(host_qt_version)
[ -n "$upstream" ] || fail "could not tell the host Qt's version"
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
mirror=$(machine_mirror "$release")
[ -n "$mirror" ] || fail "no apt source of this machine serves $release"

work=$(mktemp -d "${TMPDIR:-/var/tmp}/vespera-qt-mingw.XXXXXX")
partial="$archive.$$"
remove_work() { rm -rf "$work" "$partial"; }
on_exit remove_work
echo "Building Qt $version for mingw-w64 in $work (about 30 minutes on 2 cores)"

# Debian's source package, fetched with a private apt configuration that adds deb-src for the
# archive this machine already uses (nothing on the machine is changed). apt checks it against
# the archive's signed index.
src_list="$work/apt/sources"
mkdir -p "$src_list" "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
printf 'Types: deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
  "$mirror" "$release" "$release" >"$src_list/src.sources"
# (The folder is this user's alone: apt's download sandbox user could not write into it.)
apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$src_list"
  -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
  -o APT::Sandbox::User="$(id -un)")
{ timed 600 apt-get "${apt_opts[@]}" update &&
  (cd "$work" && timed 1200 apt-get "${apt_opts[@]}" source --download-only "qt6-base=$version"); } \
  >"$work/source.log" 2>&1 ||
  { tail -n 20 "$work/source.log" >&2; fail "could not fetch the source of qt6-base $version from $mirror"; }
timed 600 tar -C "$work" -xf "$work"/qt6-base_*.orig.tar.xz
qt_src="$work/qtbase-everywhere-src-$upstream"
[ -d "$qt_src" ] || fail "the source of qt6-base $version holds no qtbase-everywhere-src-$upstream"

# Two mends to build without the parts Debian's source leaves out or that are switched off:
# the tablet support needs wintab.h (removed from Debian's source), so it is off; and 6.4's
# window code uses the dynamic OpenGL loader without checking that OpenGL is on.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  "$qt_src/src/plugins/platforms/windows/qwindowswindow.cpp"

prefix="$work/qt6-mingw"
toolchain="$work/mingw-w64-x86_64.cmake"
cat >"$toolchain" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${CMAKE_CURRENT_LIST_DIR}/../..")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
timed 600 cmake -G Ninja -S "$qt_src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_vulkan=OFF -DFEATURE_system_zlib=OFF -DFEATURE_pkg_config=OFF \
  -DFEATURE_tabletevent=OFF >"$work/configure.log" 2>&1 ||
  { tail -n 30 "$work/configure.log" >&2; fail "configuring Qt failed"; }
echo "Configured; building (ninja, $(nproc) jobs)"
timed 14400 ninja -C "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 ||
  { tail -n 30 "$work/build.log" >&2; fail "building Qt failed"; }
timed 600 ninja -C "$work/build" install >"$work/install.log" 2>&1 ||
  { tail -n 30 "$work/install.log" >&2; fail "installing Qt into $prefix failed"; }

# Relocatable: the Qt toolchain file loads the mingw one from beside itself.
cp "$toolchain" "$prefix/lib/cmake/mingw-w64-x86_64.cmake"
sed -i 's|^set(__qt_initially_configured_toolchain_file ".*")|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/../mingw-w64-x86_64.cmake")|' \
  "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
# Written beside the archive under a name of its own and renamed whole: the Windows stage
# never finds half an archive.
mkdir -p "$(dirname "$archive")"
tar -C "$work" -cf - qt6-mingw | xz -T"$(nproc)" -6 >"$work/qt6-mingw.tar.xz"
cp "$work/qt6-mingw.tar.xz" "$partial"
mv "$partial" "$archive"
echo "wrote $archive"
