#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: Vespera on Windows, as a Windows user gets it. Cross-builds both programs with a
# Qt for mingw-w64, warnings as errors, and makes the 64-bit NSIS installer; then, in a Wine
# prefix of its own (Wine's 64-bit half only) and on an Xvfb display of its own:
#   - runs the Qt-free registry check (tests/get_key_value_check.cpp) on Wine's registry;
#   - installs silently and checks the folder holds the programs, their DLLs and the plugin;
#   - compares vespera-batch.exe's output with the Linux build's, byte for byte;
#   - drives vespera.exe by keyboard: the 5750 K preset, 4.83 and 10, CALCOLA, and the save
#     under the default name C:\.txt, whose record must match the Linux build's;
#   - starts System Info through Wine's registry, both ways the program looks the tool up,
#     and reads the "unavailable" box when neither key is there;
#   - uninstalls silently and checks nothing installed is left.
# Needs the Linux build in VESPERA_BUILD_DIR (tools/dev.sh test makes it first).
#
# The Qt for Windows is of the host Qt's version (moc, rcc and uic come from the host): the
# first of VESPERA_QT_MINGW (its archive, or the folder it was unpacked into),
# ../shared/toolchains/qtVERSION-mingw-w64-x86_64.tar.xz beside the repository, and the one
# tools/build-qt-mingw.sh builds into ~/.cache/vespera. Where there is none, or the one named
# is of another version, the stage says so in one line and exits with 77 ("skipped", which
# tools/dev.sh passes over); under CI (CI=true) that fails it.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"
out="$build/windows"
started=$SECONDS
step() { echo "== [$((SECONDS - started)) s] $*"; }

install_packages qt6-base-dev || fail "the host Qt could not be installed"
host_qt=$(host_qt_version)
# skip WHY: the stage cannot run here; CI needs it, anywhere else it is skipped.
skip() {
  [ "${CI:-}" != true ] || fail "$1, and CI needs this stage"
  echo "Windows stage did not run: $1; \`bash tools/build-qt-mingw.sh\` builds one (about 30 minutes)."
  exit 77
}
qt_source=
if [ -n "${VESPERA_QT_MINGW:-}" ]; then
  [ -e "$VESPERA_QT_MINGW" ] || fail "VESPERA_QT_MINGW names nothing: $VESPERA_QT_MINGW"
  qt_source=$(realpath "$VESPERA_QT_MINGW")
  [[ "$(basename "$qt_source")" != qt[0-9]*-mingw* || "$(basename "$qt_source")" == "$(qt_mingw_archive)" ]] ||
    skip "VESPERA_QT_MINGW is not Qt $host_qt, the host's ($qt_source)"
else
  for candidate in "$here/../shared/toolchains/$(qt_mingw_archive)" "$(qt_mingw_cache)"; do
    if [ -f "$candidate" ]; then
      qt_source=$(realpath "$candidate")
      break
    fi
  done
fi
[ -n "$qt_source" ] ||
  skip "no Qt $host_qt for Windows (none in VESPERA_QT_MINGW, ../shared/toolchains or $(qt_mingw_cache))"
[ -x "$build/app/vespera" ] && [ -x "$build/batch/vespera-batch" ] ||
  fail "no Linux build in $build to compare with: build it first (tools/dev.sh test does)"

step "Packages"
# Wine's 64-bit half alone: the programs and the installer are 64-bit, and a machine whose
# kernel runs no 32-bit code could not use the other half anyway.
install_packages g++-mingw-w64-x86-64-posix nsis cmake ninja-build qt6-base-dev xz-utils \
  xvfb xauth xdotool xclip wine wine64 || fail "the packages could not be installed"
# Called by their own names, so that nothing here reaches for /usr/lib/wine/wine, the 32-bit
# loader, which the `wine` script prefers wherever it is installed.
wine64=/usr/lib/wine/wine64
wineserver64=/usr/lib/wine/wineserver64
[ -x "$wine64" ] && [ -x "$wineserver64" ] || fail "Wine's 64-bit half is not installed"
export WINELOADER=$wine64 WINESERVER=$wineserver64
mkdir -p "$out"

step "Cross-building for Windows"
if [ -d "$qt_source" ]; then
  qt=$qt_source
  [ -x "$qt/bin/qt-cmake" ] || fail "$qt_source holds no Qt (no bin/qt-cmake)"
else
  # Unpacked once, and again when the archive is another or newer.
  qt="$out/qt6-mingw"
  if [ ! -x "$qt/bin/qt-cmake" ] || [ "$(cat "$out/qt6-mingw.stamp" 2>/dev/null)" != "$qt_source" ] ||
    [ "$qt_source" -nt "$out/qt6-mingw.stamp" ]; then
    echo "Unpacking $qt_source"
    rm -rf "$qt" "$out/qt6-mingw.stamp"
    timed 600 tar -xJf "$qt_source" -C "$out" || fail "could not unpack $qt_source"
    [ -x "$qt/bin/qt-cmake" ] || fail "$qt_source holds no qt6-mingw/bin/qt-cmake"
    echo "$qt_source" >"$out/qt6-mingw.stamp"
  fi
fi
qt_version=$(sed -n 's/^set(PACKAGE_VERSION "\([0-9.]*\)")$/\1/p' "$qt"/lib/cmake/Qt6/Qt6ConfigVersion*.cmake 2>/dev/null | head -n 1)
[ "$qt_version" = "$host_qt" ] ||
  skip "the Qt for Windows in $qt_source is ${qt_version:-of no version it tells}, the host's moc is $host_qt"
timed 300 "$qt/bin/qt-cmake" -S "$here" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVESPERA_BUILD_TESTS=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >"$out/configure.log" 2>&1 ||
  fail "configuring the Windows build failed: $(tail -n 5 "$out/configure.log")"
timed 3600 cmake --build "$out/build" -j2 || fail "the Windows build failed (warnings count as errors)"
timed 600 env -C "$out/build" cpack >"$out/cpack.log" 2>&1 ||
  fail "the installer was not made: $(tail -n 5 "$out/cpack.log")"
installer="$out/build/vespera-3.3.0-win64.exe"
[ -f "$installer" ] || fail "cpack made no $installer"

headers() { x86_64-w64-mingw32-objdump -p "$1"; }
# pe32plus FILE: FILE is a 64-bit Windows program (PE32+, x86-64).
pe32plus() { x86_64-w64-mingw32-objdump -f "$1" | grep -q 'file format pei-x86-64'; }
pe32plus "$installer" || fail "the installer is not a 64-bit program: $(x86_64-w64-mingw32-objdump -f "$installer" | grep format)"
grep -q '(Windows GUI)' <<<"$(headers "$out/build/vespera.exe")" || fail "vespera.exe is not a window program"
grep -q '(Windows CUI)' <<<"$(headers "$out/build/vespera-batch.exe")" ||
  fail "vespera-batch.exe is not a console program"
for program in vespera.exe vespera-batch.exe; do
  pe32plus "$out/build/$program" || fail "$program is not a 64-bit program"
  for flag in DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA; do
    grep -q "$flag" <<<"$(headers "$out/build/$program")" || fail "$program is linked without $flag"
  done
  resources=$(x86_64-w64-mingw32-windres -i "$out/build/$program" -O rc 2>/dev/null) ||
    fail "$program has no resources"
  grep -q 'RT_GROUP_ICON' <<<"$resources" && grep -q '"FileVersion", "3.3.0"' <<<"$resources" ||
    fail "$program lacks its icon or its version information"
done

step "The registry code on its own"
check="$out/get_key_value_check.exe"
# Only Qt-free sources belong here: a Qt header would fail the build, as it must.
(cd "$here" && timed 600 x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -Werror -O2 -I src \
  src/platform/memory_registry.cpp src/platform/registry_value.cpp \
  src/platform/windows_registry.cpp tests/get_key_value_check.cpp \
  -static -ladvapi32 -o "$check") || fail "the registry code does not compile or link for Windows"
for function in RegOpenKeyExA RegQueryValueExA RegCloseKey; do
  grep -q "$function" <<<"$(headers "$check")" || fail "$function is not imported from advapi32"
done
# The System Info tool of this stage: it leaves a mark when it starts.
tool="$out/mark.exe"
printf '%s\n' '#include <stdio.h>' 'int main(void) {' \
  '  FILE* mark = fopen("C:\\sysinfo-mark.txt", "w");' \
  '  return !mark || fputs("started\n", mark) < 0 || fclose(mark) != 0;' '}' >"$out/mark.c"
x86_64-w64-mingw32-gcc-posix -Wall -Werror -O2 -mwindows -o "$tool" "$out/mark.c" ||
  fail "the System Info stand-in does not build"

# The prefix of the stage's own, named before anything can stop a Wine server: the clean-up
# stops this prefix's server, never the user's. No Mono or Gecko to offer, and no menu
# entries written into the host's desktop.
work="$out/run"
export WINEPREFIX="$out/wine-prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" XDG_CACHE_HOME="$work/cache"
stop_wine() { "$wineserver64" -k 2>/dev/null || true; }
"$wineserver64" -k 2>/dev/null || true  # a prefix left running by an interrupted run
rm -rf "$work" "$WINEPREFIX"
mkdir -p "$work/linux"
start_display "$work" || fail "no display"
on_exit stop_wine
timed 300 "$wine64" wineboot --init >"$work/wineboot.log" 2>&1 &&
  timed 60 "$wine64" cmd /c exit 0 >/dev/null 2>&1 ||
  fail "wine does not start: $(tail -n 1 "$work/wineboot.log")"
drive_c="$WINEPREFIX/drive_c"

# The 64-bit view of the registry, the one the 64-bit programs read.
reg() { timed 60 "$wine64" reg "$@" /reg:64 >/dev/null || fail "wine reg $*"; }
tool_folder='C:\Program Files\Common Files\Microsoft Shared\MSInfo'
msinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
location_key='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
reg add "$msinfo_key" /v PATH /t REG_SZ /d "$tool_folder\\msinfo32.exe" /f
reg add "$location_key" /v MSINFO /t REG_SZ /d 'C:\Program Files\Common Files\Microsoft Shared\NoTool' /f
reg add 'HKLM\SOFTWARE\Vespera Check' /v Number /t REG_DWORD /d 0x12345678 /f
reg add 'HKLM\SOFTWARE\Vespera Check' /v Binary /t REG_BINARY /d 0102 /f
reg add 'HKLM\SOFTWARE\Vespera Check' /v Empty /t REG_BINARY /f
reg add 'HKLM\SOFTWARE\Vespera Check' /v Long /t REG_SZ /d "$(printf 'x%.0s' $(seq 1024))" /f
echo "Running GetKeyValue on Wine's registry and on the stand-in"
timed 120 "$wine64" "$check" || fail "GetKeyValue on Wine's registry differs from the stand-in"

step "Installing silently"
timed 300 "$wine64" "$installer" /S || fail "the installer failed"
program_dir="$drive_c/Program Files/Vespera"
for file in vespera.exe vespera-batch.exe platforms/qwindows.dll Uninstall.exe; do
  [ -f "$program_dir/$file" ] || fail "the installer left out $file"
done
pe32plus "$program_dir/Uninstall.exe" || fail "the uninstaller is not a 64-bit program"
[ -f "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vespera 3.3/Vespera 3.3.lnk" ] ||
  fail "the installer made no Start-menu entry"

step "vespera-batch.exe against the Linux build"
cp "$here/docs/measured-stars.csv" "$drive_c/stelle.csv"
"$build/batch/vespera-batch" -q "$here/docs/measured-stars.csv" -o "$work/linux/risultati.csv" ||
  fail "the Linux vespera-batch failed"
timed 120 "$wine64" 'C:\Program Files\Vespera\vespera-batch.exe' -q 'C:\stelle.csv' \
  -o 'C:\risultati.csv' || fail "vespera-batch.exe failed"
cmp "$work/linux/risultati.csv" "$drive_c/risultati.csv" ||
  fail "vespera-batch.exe's output differs from the Linux build's"

# focus TITLE: gives the keyboard to the window titled TITLE, once it is there.
focus() {
  local id
  id=$(wait_for_window 30 "$1") || fail "no window \"$1\" appeared"
  xdotool windowfocus --sync "$id"
}
keys() { xdotool key --delay 40 "$@"; }
tabs() { keys $(printf "$1 %.0s" $(seq "$2")); }
clipboard() { timed 5 xclip -o -selection clipboard 2>/dev/null; }
clipboard_holds() { grep -qF -- "$1" <<<"$(clipboard)"; }
# box_says TITLE TEXT: the message box TITLE says TEXT. Ctrl+C puts a box's title and text on
# the clipboard, read until TEXT is there; then Enter closes the box. What was on the
# clipboard before is put out of the way first: xclip holds a mark of its own there (until
# the box takes the clipboard over), and only once the mark can be read is Ctrl+C pressed.
box_says() {
  focus "$1"
  printf 'nothing copied' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  wait_until 10 clipboard_holds 'nothing copied' || fail "xclip could not take the clipboard"
  keys ctrl+c
  wait_until 10 clipboard_holds "$2" || fail "the box \"$1\" does not say \"$2\"; it says: $(clipboard)"
  keys Return
}
# From the start, keys only (Tab stops in the window's order; the first preset has the
# focus): 4.83 into the apparent magnitude, 10 into the distance, the 5750 K preset,
# CALCOLA, then "Salva Misura in C:\.... .txt" with the file name as it starts, C:\.txt;
# then the box that follows is closed, and read first where Qt copies a box's text (Windows).
measure_and_save() {
  focus "VESPERA 3.3"
  tabs Tab 41 && xdotool type --delay 60 4.83
  tabs Tab 2 && xdotool type --delay 60 10
  tabs Tab 17 && keys space
  tabs shift+Tab 18 && keys space
  tabs Tab 47 && keys space
  if [ "$1" = read ]; then
    box_says Salva 'Salvataggio effettuato!'
  else
    focus Salva && keys Return
  fi
}

step "vespera.exe driven by keyboard, and the Linux build the same way"
# On Linux the default name C:\.txt is a file of that name in the working folder.
linux_pid=
stop_linux() { [ -z "$linux_pid" ] || kill "$linux_pid" 2>/dev/null || true; }
on_exit stop_linux
(cd "$work/linux" && exec "$build/app/vespera" >"$work/linux/vespera.log" 2>&1) &
linux_pid=$!
measure_and_save close
stop_linux
wait "$linux_pid" 2>/dev/null || true
linux_record="$work/linux/C:\\.txt"
[ -s "$linux_record" ] || fail "the Linux build saved no record"

(cd "$work" && exec "$wine64" 'C:\Program Files\Vespera\vespera.exe' >"$work/vespera.log" 2>&1) &
measure_and_save read
cmp "$linux_record" "$drive_c/.txt" || fail "the record in C:\\.txt differs from the Linux build's"
echo "C:\\.txt holds the Linux build's record, $(stat -c %s "$drive_c/.txt") bytes"

step "System Info through Wine's registry"
mkdir -p "$drive_c/Program Files/Common Files/Microsoft Shared/MSInfo"
cp "$tool" "$drive_c/Program Files/Common Files/Microsoft Shared/MSInfo/msinfo32.exe"
mark="$drive_c/sysinfo-mark.txt"
focus "VESPERA 3.3"
keys alt+a p
# system_info WHAT: presses "System Info..." in the About box and waits for the tool's mark.
system_info() {
  rm -f "$mark"
  focus "Informazioni su Vespera 3.3"
  keys alt+s
  wait_for_file 10 "$mark" || fail "System Info did not start the tool $1"
}
system_info "from the MSINFO key's PATH"
reg delete "$msinfo_key" /f
reg add "$location_key" /v MSINFO /t REG_SZ /d "$tool_folder" /f
system_info "from the folder in Shared Tools Location"
reg delete "$location_key" /f
rm -f "$mark"
focus "Informazioni su Vespera 3.3"
keys alt+s
box_says "Vespera 3.3" 'Le informazioni sul sistema non sono attualmente disponibili.'
[ ! -e "$mark" ] || fail "with no key, System Info still started something"

step "Uninstalling silently"
"$wineserver64" -k
timed 120 "$wine64" "$program_dir/Uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller runs on from a copy of itself in the temporary folder.
timed 120 "$wineserver64" -w || fail "the uninstaller did not end"
# Paths inside drive_c only: the prefix's own path may well name vespera.
left=$(cd "$drive_c" && find . -ipath '*vespera*' ! -path './users/*/Temp/*')
[ -z "$left" ] || fail "the uninstaller left: $left"
grep -qi 'Vespera 3\.3\|Program Files\\\\Vespera' "$WINEPREFIX/system.reg" &&
  fail "the uninstaller left its registry keys"

echo "Installer: $(stat -c %s "$installer") bytes, 64-bit; DLLs:" \
  $(cd "$out/build/_CPack_Packages/win64/NSIS/vespera-3.3.0-win64" && find . -iname '*.dll' | sort)
echo "Windows stage passed in $((SECONDS - started)) s."
