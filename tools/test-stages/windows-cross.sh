#!/usr/bin/env bash
# Test stage: the registry code as Windows builds and runs it. Cross-compiles the advapi32
# registry (WindowsRegistry), GetKeyValue and the stand-in registry with mingw-w64, with
# the Qt-free check tests/get_key_value_check.cpp, warnings as errors; then, in a Wine
# prefix of its own, writes the check's keys into Wine's registry with reg add and runs
# the check, which compares each case on the real registry with the stand-in.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
out="${VESPERA_BUILD_DIR:-$here/build}/windows-cross"

install_packages mingw-w64 wine wine64
compiler=x86_64-w64-mingw32-g++
command -v "$compiler" >/dev/null || fail "$compiler is not installed"
mkdir -p "$out"
program="$out/get_key_value_check.exe"
rm -f "$program"

# Only Qt-free sources belong here: a Qt header would fail the build, as it must.
echo "Cross-compiling the registry code for Windows with $compiler"
(cd "$here" && "$compiler" -std=c++20 -Wall -Wextra -Werror -O2 -I src \
  src/platform/memory_registry.cpp src/platform/registry_value.cpp \
  src/platform/windows_registry.cpp tests/get_key_value_check.cpp \
  -static -ladvapi32 -o "$program") || fail "the registry code does not compile or link for Windows"
imports=$(x86_64-w64-mingw32-objdump -p "$program")
for function in RegOpenKeyExA RegQueryValueExA RegCloseKey; do
  grep -q "$function" <<<"$imports" || fail "$function is not imported from advapi32"
done

# A prefix of the stage's own; no display, and no Mono or Gecko to offer installing.
export WINEPREFIX="$out/wine-prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true' EXIT
if ! timeout 300 wineboot --init >"$out/wineboot.log" 2>&1 || ! wine cmd /c exit 0 >/dev/null 2>&1; then
  echo "SKIPPED: wine: the prefix could not be made ($(tail -n 1 "$out/wineboot.log"))"
  fail "wine does not start"
fi

add() { timeout 60 wine reg add "$@" /f >/dev/null || fail "wine reg add $*"; }
add 'HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO' /v PATH /t REG_SZ \
  /d 'C:\Program Files\Common Files\Microsoft Shared\MSInfo\msinfo32.exe'
add 'HKLM\SOFTWARE\Microsoft\Shared Tools Location' /v MSINFO /t REG_SZ \
  /d 'C:\Program Files\Common Files\Microsoft Shared\NoTool'
add 'HKLM\SOFTWARE\Vespera Check' /v Number /t REG_DWORD /d 0x12345678
add 'HKLM\SOFTWARE\Vespera Check' /v Binary /t REG_BINARY /d 0102
add 'HKLM\SOFTWARE\Vespera Check' /v Empty /t REG_BINARY
add 'HKLM\SOFTWARE\Vespera Check' /v Long /t REG_SZ /d "$(printf 'x%.0s' $(seq 1024))"

echo "Running GetKeyValue on Wine's registry and on the stand-in"
timeout 120 wine "$program" || fail "GetKeyValue on Wine's registry differs from the stand-in"
echo "Windows cross stage passed."
