#!/usr/bin/env bash
# Test stage: every C++ file in the repository laid out as .clang-format says. Fails naming
# the files that differ; `clang-format -i FILE...` puts them right.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"

# Debian 12's clang-format (14): another version may lay out the same code differently.
install_packages clang-format git

cd "$here"
# The files under version control, so that build folders and scratch files are left alone;
# a copy without its .git folder falls back to the source folders.
if git -c safe.directory="$here" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git -c safe.directory="$here" ls-files '*.cpp' '*.h' '*.c')
else
  mapfile -t files < <(find app batch bench fuzz src tests -name '*.cpp' -o -name '*.h' -o -name '*.c')
fi
[ ${#files[@]} -gt 0 ] || fail "found no C++ files in $here"

unformatted=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  printf '  %s\n' "${unformatted[@]}" >&2
  fail "${#unformatted[@]} file(s) not laid out as .clang-format says; run: clang-format -i ${unformatted[*]}"
fi
echo "Format stage passed: ${#files[@]} files."
