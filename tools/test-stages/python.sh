#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Test stage: the Python module as a Python user installs it. Makes a fresh venv over
# Debian's own Python packages (--system-site-packages), installs the repository into it the
# pip way with no package index (--no-build-isolation: setuptools, pybind11 and CMake from
# Debian), checks the window's digits from the installed module, and runs tests/python against
# it: every cell against vespera-batch from the tested build ("$VESPERA_BUILD_DIR"), the
# interface, and a Dask LocalCluster.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
build="${VESPERA_BUILD_DIR:-$here/build}"

# What README's "In Python" lists for the pip way, and what the tests use.
install_packages python3-venv python3-dev python3-pybind11 python3-numpy python3-setuptools python3-wheel \
  cmake g++ python3-pytest python3-pandas python3-astropy python3-dask python3-distributed
batch="$build/batch/vespera-batch"
[ -x "$batch" ] || fail "no $batch: build the project there first (tools/dev.sh test does)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vespera-python.XXXXXX")
remove_work() { rm -rf "$work"; }
on_exit remove_work

# Debian's Python, which its packages are for, whatever else PATH offers; no pip
# configuration of the machine's (a mirror, a folder of wheels) takes part.
python=/usr/bin/python3
export PIP_CONFIG_FILE=/dev/null PIP_NO_INDEX=1 PIP_NO_CACHE_DIR=1 PIP_DISABLE_PIP_VERSION_CHECK=1
export PYTHONDONTWRITEBYTECODE=1

started=$SECONDS
timed 60 "$python" -m venv --system-site-packages "$work/venv" || fail "python3 -m venv failed"
timed 900 "$work/venv/bin/pip" install --no-build-isolation "$here" >"$work/pip.log" 2>&1 || {
  tail -n 40 "$work/pip.log" >&2
  fail "pip install --no-build-isolation of the repository failed (or took over 15 minutes)"
}
echo "Installed the pip way in $((SECONDS - started)) s"

# Run from elsewhere, so that only the installed module can be imported.
cd "$work"
where=$(timed 60 "$work/venv/bin/python" -c 'import vespera; print(vespera.__file__)') ||
  fail "the installed module does not import"
[[ "$where" == "$work/venv/"* ]] || fail "vespera imported from $where, not from the venv"
digits=$(timed 60 "$work/venv/bin/python" -c \
  'import vespera; print(vespera.text(vespera.estimate(v=4.83, teff=5750, distance_pc=10).diameter_m))')
[ "$digits" = 1548478941.99956 ] || fail "the Sun's diameter is '$digits', not the window's 1548478941.99956"

VESPERA_BATCH="$batch" timed 600 "$work/venv/bin/python" -m pytest -q -p no:cacheprovider \
  --rootdir "$work" "$here/tests/python" || fail "tests/python failed on the installed module"
