#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: every C++ file in the repository laid out as .clang-format says, by one
# clang-format on every release: version 19.1.7 compiled to WebAssembly, from the npm
# registry at the version and integrity tools/format/package-lock.json pins, run under node.
# (Debian 12 has clang-format 13 to 16 and Debian 13 has 17 to 19: no version is in both, and
# another version may lay out the same code differently.) Fails naming the files that differ;
#   bash tools/test-stages/format.sh --fix
# lays them out in place.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"

install_packages git

work=$(mktemp -d "${TMPDIR:-/tmp}/vespera-format.XXXXXX")
remove_work() { rm -rf "$work"; }
on_exit remove_work
npm_install_pinned "$here/tools/format" "$work" || fail "npm could not install the pinned clang-format"
clang_format=("$work/node_modules/.bin/clang-format")

cd "$here"
# The files under version control, so that build folders and scratch files are left alone;
# a copy without its .git folder falls back to the source folders.
if git -c safe.directory="$here" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git -c safe.directory="$here" ls-files '*.cpp' '*.h' '*.c')
else
  mapfile -t files < <(find app batch bench fuzz src tests web -name '*.cpp' -o -name '*.h' -o -name '*.c')
fi
[ ${#files[@]} -gt 0 ] || fail "found no C++ files in $here"

if [ "${1:-}" = --fix ]; then
  timed 300 "${clang_format[@]}" -i "${files[@]}" || fail "clang-format could not lay out the files"
  echo "Laid out ${#files[@]} files with $("${clang_format[@]}" --version | cut -d' ' -f1-3)."
  exit 0
fi
"${clang_format[@]}" --version >/dev/null || fail "the pinned clang-format does not run under $(node --version)"
# One run over every file (node starts once); the files named in its complaints are those
# that differ. A run that fails naming none could not read a file or crashed.
status=0
timed 300 "${clang_format[@]}" --dry-run --Werror "${files[@]}" >"$work/complaints" 2>&1 || status=$?
mapfile -t unformatted < <(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' \
  "$work/complaints" | sort -u)
if [ "$status" -ne 0 ] && [ ${#unformatted[@]} -eq 0 ]; then
  tail -n 20 "$work/complaints" >&2
  fail "clang-format failed (status $status)"
fi
if [ ${#unformatted[@]} -gt 0 ]; then
  printf '  %s\n' "${unformatted[@]}" >&2
  fail "${#unformatted[@]} file(s) not laid out as .clang-format says; run: bash tools/test-stages/format.sh --fix"
fi
echo "Format stage passed: ${#files[@]} files."
