#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: the Debian package and `cmake --install`. Builds the .deb with
# CPack from the tested build ("$VESPERA_BUILD_DIR"), has lintian check it
# (any error or warning fails the stage), unpacks it with dpkg -x and checks
# what an installed Vespera needs: both executables with all their libraries
# found and answering --version, the package's name, dependencies and
# recommended fonts, the copyright file, changelog and manual pages, a valid
# desktop entry, the icon at every hicolor size and valid AppStream metadata.
# Then installs with DESTDIR and checks that it puts the same files in the
# same places; and last installs the package with apt, uses the installed
# programs and purges it again, on every exit: a failed check never leaves vespera
# installed. Where the build makes the Python module, the same for python3-vespera:
# lintian, its dependency on python3-numpy, and the installed module imported by
# Debian's python3, with Debian's NumPy and astropy. Work files go to "$VESPERA_BUILD_DIR/package-stage".
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"
scratch="$build/package-stage"

# dpkg-shlibdeps (dpkg-dev) computes the package's Depends line; the two
# validators check the desktop entry and the AppStream metadata.
install_packages cmake dpkg-dev desktop-file-utils appstream lintian man-db

[ -f "$build/CPackConfig.cmake" ] \
  || fail "no CPack configuration in $build: configure and build the project there first"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

rm -rf "$scratch"
mkdir -p "$scratch"

echo "Building the Debian package (log: $scratch/cpack.log)"
timed 600 env -C "$build" cpack -G DEB -B "$scratch/deb" >"$scratch/cpack.log" 2>&1 || {
  tail -n 30 "$scratch/cpack.log" >&2
  fail "cpack -G DEB did not build the package (or took over 10 minutes)"
}
# vespera, and python3-vespera where the build makes the Python module.
python_module=$(sed -n 's/^VESPERA_PYTHON_MODULE:INTERNAL=//p' "$build/CMakeCache.txt")
expected=("vespera_${version}_*.deb")
[ "$python_module" = ON ] && expected+=("python3-vespera_${version}_*.deb")
debs=($(cd "$scratch/deb" && ls *.deb))
[ "${#debs[@]}" -eq "${#expected[@]}" ] || fail "expected ${expected[*]} in $scratch/deb, found: ${debs[*]}"
deb=$(echo "$scratch"/deb/vespera_"$version"_*.deb)
pydeb=$(echo "$scratch"/deb/python3-vespera_"$version"_*.deb)
[ -f "$deb" ] || fail "no vespera package in $scratch/deb: ${debs[*]}"
[ "$python_module" != ON ] || [ -f "$pydeb" ] || fail "no python3-vespera package in $scratch/deb: ${debs[*]}"
echo "Packages: ${debs[*]}"

# Name, version and what it depends on.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vespera ] || fail "package name is '$(field Package)', not vespera"
[ "$(field Version)" = "$version" ] || fail "package version is '$(field Version)', not $version"
# Depends must name, whatever a release calls it (libqt6core6 on Debian 12, libqt6core6t64 on
# 13), the package that gives each Qt library the programs load, and Qt's platform plugins,
# which no program names but the window needs to open.
depends=$(field Depends)
names_package() { [[ ",$depends," == *[\ ,]$1[\ ,\(:]* ]]; }
mkdir "$scratch/programs"
dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$scratch/programs" --wildcards './usr/bin/*' ||
  fail "could not take the programs out of $deb"
qt_libraries=$(objdump -p "$scratch"/programs/usr/bin/* | awk '$1 == "NEEDED" && $2 ~ /^libQt6/ { print $2 }' | sort -u)
for needed in libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6 libQt6PrintSupport.so.6; do
  grep -qx "$needed" <<<"$qt_libraries" || fail "the programs do not load $needed: $qt_libraries"
done
for library in $qt_libraries; do
  owner=$(dpkg-query -S "*/$library" 2>/dev/null | sed -n '1s/:.*//p')
  [ -n "$owner" ] || fail "no installed package gives $library"
  names_package "$owner" || fail "Depends lacks $owner (for $library): $depends"
done
names_package qt6-qpa-plugins || fail "Depends lacks qt6-qpa-plugins: $depends"
if [ -f "$pydeb" ]; then
  [[ ", $(dpkg-deb -f "$pydeb" Depends)," == *", python3-numpy,"* ]] ||
    fail "python3-vespera does not depend on python3-numpy: $(dpkg-deb -f "$pydeb" Depends)"
fi

for font in fonts-liberation2 fonts-dejavu-core fonts-comic-neue; do
  [[ ", $(field Recommends)," == *", $font,"* ]] || fail "Recommends lacks $font: $(field Recommends)"
done

# Debian's own checker: errors and warnings fail, info and pedantic notes are shown.
status=0
timed 300 lintian --display-info --pedantic --fail-on error,warning "$scratch"/deb/*.deb \
  >"$scratch/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$scratch/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings, or did not run (status $status)"

root="$scratch/root"
timed 60 dpkg -x "$deb" "$root" || fail "dpkg -x could not unpack $deb"

# check_tree DIR: the installed files under DIR (a root holding usr/).
check_tree() {
  local tree=$1
  local where="in $2"
  for program in vespera vespera-batch; do
    [ -x "$tree/usr/bin/$program" ] || fail "usr/bin/$program missing or not executable $where"
  done
  local desktop="$tree/usr/share/applications/vespera.desktop"
  [ -f "$desktop" ] || fail "usr/share/applications/vespera.desktop missing $where"
  timed 60 desktop-file-validate "$desktop" >"$scratch/desktop-validate.log" 2>&1 || {
    cat "$scratch/desktop-validate.log" >&2
    fail "desktop-file-validate rejects vespera.desktop $where"
  }
  grep -qx 'Exec=vespera' "$desktop" || fail "vespera.desktop does not run vespera $where"
  grep -qx 'Icon=vespera' "$desktop" || fail "vespera.desktop does not name the vespera icon $where"

  local size png dims
  for size in 16 32 48 64 128 256; do
    png="$tree/usr/share/icons/hicolor/${size}x${size}/apps/vespera.png"
    [ -f "$png" ] || fail "icon ${size}x${size} missing $where"
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] \
      || fail "icon ${size}x${size} is not a PNG $where"
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
    [ "$dims" = "${size}x${size}" ] || fail "icon ${size}x${size} is $dims pixels $where"
  done
  [ -f "$tree/usr/share/icons/hicolor/scalable/apps/vespera.svg" ] \
    || fail "scalable icon vespera.svg missing $where"

  local doc="$tree/usr/share/doc/vespera"
  grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$doc/copyright" 2>/dev/null || fail "no machine-readable copyright file $where"
  grep -q '^License: GPL-3+' "$doc/copyright" || fail "the copyright file names no GPL-3+ $where"
  zcat "$doc/changelog.gz" 2>/dev/null | head -n 1 | grep -q "^vespera ($version)" \
    || fail "no changelog for $version $where"
  for page in vespera vespera-batch; do
    man -l "$tree/usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^NOME" \
      || fail "no manual page for $page $where"
  done

  local metainfo="$tree/usr/share/metainfo/io.github.vespera.Vespera.metainfo.xml"
  [ -f "$metainfo" ] || fail "AppStream metadata io.github.vespera.Vespera.metainfo.xml missing $where"
  timed 60 appstreamcli validate --no-net "$metainfo" >"$scratch/appstream-validate.log" 2>&1 || {
    cat "$scratch/appstream-validate.log" >&2
    fail "appstreamcli validate rejects the metadata $where"
  }
  grep -q '<launchable type="desktop-id">vespera.desktop</launchable>' "$metainfo" \
    || fail "the metadata does not launch vespera.desktop $where"
  grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" \
    || fail "the metadata does not give the licence $where"
}

echo "Checking the unpacked package"
check_tree "$root" "the package"

for program in vespera vespera-batch; do
  missing=$(ldd "$root/usr/bin/$program" | grep 'not found' || true)
  [ -z "$missing" ] || fail "usr/bin/$program needs libraries that are not installed: $missing"
done

# Both unpacked programs start; the window program answers without a display.
[ "$(timed 30 env -u DISPLAY "$root/usr/bin/vespera" --version)" = "Vespera $version" ] \
  || fail "the unpacked vespera does not answer --version"
[ "$(timed 30 "$root/usr/bin/vespera-batch" --version)" = "vespera-batch $version" ] \
  || fail "the unpacked vespera-batch does not answer --version"

echo "Checking DESTDIR=... cmake --install"
destdir="$scratch/destdir"
DESTDIR="$destdir" timed 300 cmake --install "$build" --prefix /usr --component Unspecified \
  >"$scratch/install.log" 2>&1 || {
  tail -n 30 "$scratch/install.log" >&2
  fail "DESTDIR=$destdir cmake --install $build failed"
}
check_tree "$destdir" "the DESTDIR install"
(cd "$root" && find . -type f | sort) >"$scratch/package-files.txt"
(cd "$destdir" && find . -type f | sort) >"$scratch/install-files.txt"
diff -u "$scratch/package-files.txt" "$scratch/install-files.txt" >&2 \
  || fail "the package and the DESTDIR install hold different files (diff above)"

# Installed as users install it: apt takes the package's Depends from the archive, on a system
# that in CI has nothing else; the installed programs work from /usr/bin; purging leaves no file.
for package in vespera python3-vespera; do
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    fail "a $package package is already installed here: remove it (apt remove $package) first"
  fi
done
echo "Installing ${debs[*]} with apt"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
apt_get() { DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 "$@"; }
# Whatever ends the stage from here on, the package does not stay.
purge_vespera() {
  local state package
  for package in python3-vespera vespera; do
    state=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    if [ -n "$state" ] && [ "$state" != not-installed ]; then
      apt_get remove --purge -y -qq "$package" >>"$scratch/apt-remove.log" 2>&1 ||
        echo "could not purge $package: see $scratch/apt-remove.log" >&2
    fi
  done
}
on_exit purge_vespera
apt_get install -y -qq "$scratch"/deb/*.deb >"$scratch/apt-install.log" 2>&1 || {
  tail -n 20 "$scratch/apt-install.log" >&2
  fail "apt install could not install the packages"
}
installed_files=$(dpkg -L vespera $([ -f "$pydeb" ] && echo python3-vespera) |
  while read -r f; do if [ -f "$f" ]; then echo "$f"; fi; done)
if [ -f "$pydeb" ]; then
  # Debian's python3, with Debian's NumPy and astropy, from a folder with no module of ours.
  sun=$(cd / && timed 60 env -u PYTHONPATH /usr/bin/python3 -c 'import astropy.units as u, vespera
print(vespera.__file__, vespera.text(vespera.estimate(v=4.83, teff=5750, distance_pc=10 * u.pc).diameter_m))')
  [ "$sun" = "/usr/lib/python3/dist-packages/vespera/__init__.py 1548478941.99956" ] ||
    fail "the installed python3-vespera gives '$sun', not the window's 1548478941.99956"
fi
[ "$(timed 30 env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/vespera --version)" = "Vespera $version" ] \
  || fail "the installed /usr/bin/vespera does not answer --version"
printf 'name,v,teff,distance_pc\nSun,-26.74,5750,0.000004848\nSirius,-1.46,9750,2.64\n' \
  >"$scratch/stars.csv"
timed 30 /usr/bin/vespera-batch -q "$scratch/stars.csv" >"$scratch/installed.csv" \
  || fail "the installed /usr/bin/vespera-batch failed on a small CSV"
timed 30 "$build/batch/vespera-batch" -q "$scratch/stars.csv" >"$scratch/built.csv"
[ "$(wc -l <"$scratch/installed.csv")" -eq 3 ] && cmp -s "$scratch/installed.csv" "$scratch/built.csv" \
  || fail "the installed vespera-batch does not give the built one's three lines"
[ "$(man -w vespera 2>/dev/null)" = /usr/share/man/man1/vespera.1.gz ] \
  || fail "man -w vespera does not find the installed manual page"
apt_get remove --purge -y -qq vespera $([ -f "$pydeb" ] && echo python3-vespera) \
  >"$scratch/apt-remove.log" 2>&1 || {
  tail -n 20 "$scratch/apt-remove.log" >&2
  fail "apt remove --purge vespera python3-vespera failed"
}
left=$(for f in $installed_files; do if [ -e "$f" ]; then echo "$f"; fi; done)
[ -z "$left" ] || fail "files left after apt remove --purge vespera: $left"

echo "Package stage passed: $(wc -l <"$scratch/package-files.txt") files in $(basename "$deb")${pydeb:+, and $(basename "$pydeb")}."
