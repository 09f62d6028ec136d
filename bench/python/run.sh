#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Python module side by side with vespera-batch and with the peer a Python user would
# write, the formula as a plain NumPy expression with the same constants, on N seeded stars
# (surface_mag, v, distance_pc; default one million). Checks on every row that the module
# and NumPy agree to 12 significant digits, then prints rows per second and peak resident
# memory of each (each in a process of its own; the module's and NumPy's time is that of
# the calculation, the batch tool's that of the whole run, reading and writing the CSV).
#   bench/python/run.sh [ROWS]   (VESPERA_BUILD_DIR: the build to use, default build/;
#                                 its python/ folder holds the module)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
rows=${1:-1000000}
build="${VESPERA_BUILD_DIR:-$here/build}"
[ -x "$build/batch/vespera-batch" ] && [ -d "$build/python/vespera" ] ||
  { echo "no vespera-batch or Python module in $build: build the project first" >&2; exit 1; }
install_packages python3-numpy time
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python=/usr/bin/python3  # Debian's, which its NumPy is for, whatever else PATH offers
export PYTHONPATH="$build/python" ROWS=$rows WORK=$work

cat >"$work/stars.py" <<'PY'
import os, numpy as np
rows = int(os.environ["ROWS"])
random = np.random.default_rng(20261208)
S = np.round(random.uniform(45.99, 74, rows), 4)
m = np.round(random.uniform(-1.5, 16, rows), 3)
d = np.round(10 ** random.uniform(0, 3.7, rows), 2)
PY
"$python" - <<'PY'
import os
exec(open(os.environ["WORK"] + "/stars.py").read())
with open(os.environ["WORK"] + "/stars.csv", "w") as out:
    out.write("name,surface_mag,v,distance_pc\n")
    out.writelines(f"S{i},{a!r},{b!r},{c!r}\n" for i, (a, b, c) in enumerate(zip(S, m, d)))
PY

cat >"$work/with_module.py" <<'PY'
import os, time, numpy as np, vespera
exec(open(os.environ["WORK"] + "/stars.py").read())
started = time.perf_counter()
result = vespera.estimate(surface_mag=S, v=m, distance_pc=d)
print(time.perf_counter() - started)
np.save(os.environ["WORK"] + "/module.npy", result.diameter_m)
PY
cat >"$work/peer.py" <<'PY'
import os, time, numpy as np
exec(open(os.environ["WORK"] + "/stars.py").read())
started = time.perf_counter()
M = (m + 5) - np.log10(d) * 5
D = 2 * np.sqrt(10 ** ((S - M) / 2.51) / 3.141592)
ratio, parallax, ly, au, km = D / 1.391e9, 1 / (d / 1000), d * 3.26156, d * 206265, d * 3.086e13
print(time.perf_counter() - started)
np.save(os.environ["WORK"] + "/numpy.npy", D)
PY

measure() {  # NAME COMMAND...: the command's own seconds (or wall time) and peak RSS
  local name=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/$name.time" "$@" >"$work/$name.out"
}
measure module "$python" "$work/with_module.py"
measure numpy "$python" "$work/peer.py"
measure batch "$build/batch/vespera-batch" "$work/stars.csv" -o "$work/batch.csv" --quiet

"$python" - <<'PY'
import os, numpy as np
work, rows = os.environ["WORK"], int(os.environ["ROWS"])
module, peer = np.load(f"{work}/module.npy"), np.load(f"{work}/numpy.npy")
worst = np.max(np.abs(module - peer) / np.abs(peer))
assert worst < 1e-12, f"the module and NumPy differ by {worst:.3g}"
print(f"{rows} stars; the module and NumPy agree to {worst:.1g} on every diameter")
print(f"{'program':<18}{'seconds':>9}{'rows/s':>13}{'peak RSS':>12}")
for name, label in (("module", "vespera.estimate"), ("batch", "vespera-batch"), ("numpy", "NumPy expression")):
    wall, kilobytes = open(f"{work}/{name}.time").read().split()[-2:]
    own = open(f"{work}/{name}.out").read().split()
    seconds = float(own[0]) if own else float(wall)
    print(f"{label:<18}{seconds:>9.2f}{rows / seconds:>13,.0f}{int(kilobytes) / 1024:>9.1f} MB")
PY
