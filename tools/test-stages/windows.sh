#!/usr/bin/env bash
# Test stage: Vespera on Windows, as a Windows user gets it. Cross-builds both programs with
# the shared Qt for mingw-w64, warnings as errors, and makes the NSIS installer; then, in a
# Wine prefix and on an Xvfb display of its own:
#   - runs the Qt-free registry check (tests/get_key_value_check.cpp) on Wine's registry;
#   - installs silently and checks the folder holds the programs, their DLLs and the plugin;
#   - compares vespera-batch.exe's output with the Linux build's, byte for byte;
#   - drives vespera.exe by keyboard: the 5750 K preset, 4.83 and 10, CALCOLA, and the save
#     under the default name C:\.txt, whose record must match the Linux build's;
#   - starts System Info through Wine's registry, both ways the program looks the tool up,
#     and reads the "unavailable" box when neither key is there;
#   - uninstalls silently and checks nothing installed is left.
# Needs the Linux build in VESPERA_BUILD_DIR (tools/dev.sh test makes it first).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"
out="$build/windows"
qt_archive="${VESPERA_QT_MINGW:-$here/../shared/toolchains/qt6.4.2-mingw-w64-x86_64.tar.xz}"
started=$SECONDS
step() { echo "== [$((SECONDS - started)) s] $*"; }

[ -x "$build/app/vespera" ] && [ -x "$build/batch/vespera-batch" ] ||
  fail "no Linux build in $build to compare with: build it first (tools/dev.sh test does)"
[ -f "$qt_archive" ] || fail "the Qt for Windows is missing: $qt_archive"

step "Packages"
# NSIS installers are 32-bit programs: Wine needs its 32-bit half, from the i386 architecture.
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
install_packages g++-mingw-w64-x86-64-posix nsis cmake ninja-build qt6-base-dev xz-utils \
  xvfb xauth xdotool xclip wine wine64 wine32:i386 || fail "the packages could not be installed"
command -v wine >/dev/null && [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] ||
  fail "Wine with its 32-bit and 64-bit halves is not installed"
mkdir -p "$out"

step "Cross-building for Windows"
qt="$out/qt6-mingw"
if [ ! -x "$qt/bin/qt-cmake" ] || [ "$qt_archive" -nt "$out/qt6-mingw.stamp" ]; then
  rm -rf "$qt"
  tar -xJf "$qt_archive" -C "$out" || fail "could not extract $qt_archive"
  touch "$out/qt6-mingw.stamp"
fi
"$qt/bin/qt-cmake" -S "$here" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVESPERA_BUILD_TESTS=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >"$out/configure.log" 2>&1 ||
  fail "configuring the Windows build failed: $(tail -n 5 "$out/configure.log")"
cmake --build "$out/build" -j"$(nproc)" || fail "the Windows build failed (warnings count as errors)"
(cd "$out/build" && cpack >"$out/cpack.log" 2>&1) ||
  fail "the installer was not made: $(tail -n 5 "$out/cpack.log")"
installer="$out/build/vespera-3.3.0-win64.exe"
[ -f "$installer" ] || fail "cpack made no $installer"

headers() { x86_64-w64-mingw32-objdump -p "$out/build/$1"; }
grep -q '(Windows GUI)' <<<"$(headers vespera.exe)" || fail "vespera.exe is not a window program"
grep -q '(Windows CUI)' <<<"$(headers vespera-batch.exe)" ||
  fail "vespera-batch.exe is not a console program"
for program in vespera.exe vespera-batch.exe; do
  for flag in DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA; do
    grep -q "$flag" <<<"$(headers "$program")" || fail "$program is linked without $flag"
  done
  resources=$(x86_64-w64-mingw32-windres -i "$out/build/$program" -O rc 2>/dev/null) ||
    fail "$program has no resources"
  grep -q 'RT_GROUP_ICON' <<<"$resources" && grep -q '"FileVersion", "3.3.0"' <<<"$resources" ||
    fail "$program lacks its icon or its version information"
done

step "The registry code on its own"
check="$out/get_key_value_check.exe"
# Only Qt-free sources belong here: a Qt header would fail the build, as it must.
(cd "$here" && x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -Werror -O2 -I src \
  src/platform/memory_registry.cpp src/platform/registry_value.cpp \
  src/platform/windows_registry.cpp tests/get_key_value_check.cpp \
  -static -ladvapi32 -o "$check") || fail "the registry code does not compile or link for Windows"
for function in RegOpenKeyExA RegQueryValueExA RegCloseKey; do
  grep -q "$function" <<<"$(x86_64-w64-mingw32-objdump -p "$check")" ||
    fail "$function is not imported from advapi32"
done
# The System Info tool of this stage: it leaves a mark when it starts.
tool="$out/mark.exe"
printf '%s\n' '#include <stdio.h>' 'int main(void) {' \
  '  FILE* mark = fopen("C:\\sysinfo-mark.txt", "w");' \
  '  return !mark || fputs("started\n", mark) < 0 || fclose(mark) != 0;' '}' >"$out/mark.c"
x86_64-w64-mingw32-gcc-posix -Wall -Werror -O2 -mwindows -o "$tool" "$out/mark.c" ||
  fail "the System Info stand-in does not build"

# The display, and a prefix of the stage's own made only now that Wine is complete; no Mono
# or Gecko to offer, and no menu entries written into the host's desktop.
work="$out/run"
rm -rf "$work"
mkdir -p "$work/linux"
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP  # through the EXIT trap
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
export WINEPREFIX="$out/wine-prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" XDG_CACHE_HOME="$work/cache"
wineserver -k 2>/dev/null || true  # a prefix left running by an interrupted run
rm -rf "$WINEPREFIX"
timeout 300 wineboot --init >"$work/wineboot.log" 2>&1 && wine cmd /c exit 0 >/dev/null 2>&1 ||
  fail "wine does not start: $(tail -n 1 "$work/wineboot.log")"
drive_c="$WINEPREFIX/drive_c"

# The 64-bit view of the registry, the one the 64-bit programs read.
reg() { timeout 60 wine reg "$@" /reg:64 >/dev/null || fail "wine reg $*"; }
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
timeout 120 wine "$check" || fail "GetKeyValue on Wine's registry differs from the stand-in"

step "Installing silently"
timeout 300 wine "$installer" /S || fail "the installer failed"
program_dir="$drive_c/Program Files/Vespera"
for file in vespera.exe vespera-batch.exe platforms/qwindows.dll Uninstall.exe; do
  [ -f "$program_dir/$file" ] || fail "the installer left out $file"
done
[ -f "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vespera 3.3/Vespera 3.3.lnk" ] ||
  fail "the installer made no Start-menu entry"

step "vespera-batch.exe against the Linux build"
cp "$here/docs/measured-stars.csv" "$drive_c/stelle.csv"
"$build/batch/vespera-batch" -q "$here/docs/measured-stars.csv" -o "$work/linux/risultati.csv" ||
  fail "the Linux vespera-batch failed"
timeout 120 wine 'C:\Program Files\Vespera\vespera-batch.exe' -q 'C:\stelle.csv' \
  -o 'C:\risultati.csv' || fail "vespera-batch.exe failed"
cmp "$work/linux/risultati.csv" "$drive_c/risultati.csv" ||
  fail "vespera-batch.exe's output differs from the Linux build's"

# window TITLE: the visible window titled exactly TITLE, once it is there (xdotool's own
# match ignores letter case, and "Vespera 3.3" must not find "VESPERA 3.3").
window() {
  for _ in $(seq 300); do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
    done
    sleep 0.1
  done
  fail "no window \"$1\" appeared"
}
focus() { xdotool windowfocus --sync "$(window "$1")"; }
keys() { xdotool key --delay 40 "$@"; }
tabs() { keys $(printf "$1 %.0s" $(seq "$2")); }
# box_text TITLE: the title and text of the message box TITLE, which Ctrl+C puts on the
# clipboard; then Enter closes it.
box_text() {
  focus "$1"
  keys ctrl+c
  sleep 0.3
  timeout 10 xclip -o -selection clipboard 2>/dev/null || true  # checked by the caller
  keys Return
}
# From the start, keys only (Tab stops in the window's order; the first preset has the
# focus): 4.83 into the apparent magnitude, 10 into the distance, the 5750 K preset,
# CALCOLA, then "Salva Misura in C:\.... .txt" with the file name as it starts, C:\.txt.
measure_and_save() {
  focus "VESPERA 3.3"
  tabs Tab 41 && xdotool type --delay 60 4.83
  tabs Tab 2 && xdotool type --delay 60 10
  tabs Tab 17 && keys space
  tabs shift+Tab 18 && keys space
  tabs Tab 47 && keys space
  box_text Salva
}

step "vespera.exe driven by keyboard, and the Linux build the same way"
# On Linux the default name C:\.txt is a file of that name in the working folder.
(cd "$work/linux" && exec "$build/app/vespera" >"$work/linux/vespera.log" 2>&1) &
linux_pid=$!
measure_and_save >/dev/null
kill "$linux_pid" 2>/dev/null || true
wait "$linux_pid" 2>/dev/null || true
linux_record="$work/linux/C:\\.txt"
[ -s "$linux_record" ] || fail "the Linux build saved no record"

(cd "$work" && exec wine 'C:\Program Files\Vespera\vespera.exe' >"$work/vespera.log" 2>&1) &
said=$(measure_and_save)
grep -q 'Salvataggio effettuato!' <<<"$said" || fail "saving under Wine said: $said"
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
  for _ in $(seq 100); do [ -s "$mark" ] && return 0; sleep 0.1; done
  fail "System Info did not start the tool $1"
}
system_info "from the MSINFO key's PATH"
reg delete "$msinfo_key" /f
reg add "$location_key" /v MSINFO /t REG_SZ /d "$tool_folder" /f
system_info "from the folder in Shared Tools Location"
reg delete "$location_key" /f
rm -f "$mark"
focus "Informazioni su Vespera 3.3"
keys alt+s
said=$(box_text "Vespera 3.3")
grep -q 'Le informazioni sul sistema non sono attualmente disponibili.' <<<"$said" ||
  fail "with no key, System Info said: $said"
[ ! -e "$mark" ] || fail "with no key, System Info still started something"

step "Uninstalling silently"
wineserver -k
timeout 120 wine "$program_dir/Uninstall.exe" /S || fail "the uninstaller failed"
# The uninstaller runs on from a copy of itself in the temporary folder.
timeout 120 wineserver -w || fail "the uninstaller did not end"
# Paths inside drive_c only: the prefix's own path may well name vespera.
left=$(cd "$drive_c" && find . -ipath '*vespera*' ! -path './users/*/Temp/*')
[ -z "$left" ] || fail "the uninstaller left: $left"
grep -qi 'Vespera 3\.3\|Program Files\\\\Vespera' "$WINEPREFIX/system.reg" &&
  fail "the uninstaller left its registry keys"

echo "Installer: $(stat -c %s "$installer") bytes; DLLs:" \
  $(cd "$out/build/_CPack_Packages/win64/NSIS/vespera-3.3.0-win64" && find . -iname '*.dll' | sort)
echo "Windows stage passed in $((SECONDS - started)) s."
