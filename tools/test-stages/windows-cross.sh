#!/usr/bin/env bash
# Test stage: the registry code as Windows builds it. Cross-compiles the
# advapi32 registry (WindowsRegistry), GetKeyValue and the in-memory registry
# with mingw-w64, together with the plain C++ check of GetKeyValue
# (tests/get_key_value_check.cpp), warnings as errors, and links it against
# advapi32. Runs the check under wine when wine is installed; otherwise
# compiling and linking is the test. A compile or link error fails the stage.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
out="${VESPERA_BUILD_DIR:-$here/build}/windows-cross"

fail() {
  echo "WINDOWS CROSS STAGE FAILED: $*" >&2
  exit 1
}

install_packages mingw-w64
compiler=x86_64-w64-mingw32-g++
command -v "$compiler" >/dev/null || fail "$compiler is not installed"

mkdir -p "$out"
program="$out/get_key_value_check.exe"
rm -f "$program"

# Only Qt-free sources belong here: a Qt header would fail the build, as it must.
sources=(
  src/platform/memory_registry.cpp
  src/platform/registry_value.cpp
  src/platform/windows_registry.cpp
  tests/get_key_value_check.cpp
)

echo "Cross-compiling the registry code for Windows with $compiler"
(cd "$here" && "$compiler" -std=c++20 -Wall -Wextra -Werror -O2 -I src \
  "${sources[@]}" -static -ladvapi32 -o "$program") \
  || fail "the registry code does not compile or link for Windows"

# The program must really call advapi32, not a stand-in.
imports=$(x86_64-w64-mingw32-objdump -p "$program")
for function in RegOpenKeyExA RegQueryValueExA RegCloseKey; do
  grep -q "$function" <<<"$imports" || fail "$function is not imported from advapi32"
done
echo "Built $program"

if command -v wine >/dev/null; then
  echo "Running the check under wine"
  WINEDEBUG=-all wine "$program" || fail "GetKeyValue check failed under wine"
else
  echo "wine is not installed: built and linked, not run"
fi
