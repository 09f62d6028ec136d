#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vespera-batch side by side with a mawk program and a Python script that compute the
# same results (diameter in metres, absolute magnitude, ratio to the Sun, parallax,
# light years, astronomical units, kilometres) with the same constants, on N seeded
# synthetic stars (name,surface_mag,v,distance_pc; default 2 million). Checks on a
# sample of rows that the three agree to 12 significant digits, then prints rows per
# second, peak resident memory and the speed relative to mawk, and vespera-batch's peak
# memory on 10 000 rows beside it.
#   bench/batch/run.sh [ROWS]      (VESPERA_BUILD_DIR: the build to use, default build/)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/tools/lib.sh"
rows=${1:-2000000}
program="${VESPERA_BUILD_DIR:-$here/build}/batch/vespera-batch"
[ -x "$program" ] || { echo "no $program: build the project first (tools/dev.sh test)" >&2; exit 1; }
install_packages mawk python3 time
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$rows" >"$work/stars.csv" <<'PY'
import random, sys
r = random.Random(20261207)
out = sys.stdout
out.write("name,surface_mag,v,distance_pc\n")
for i in range(int(sys.argv[1])):
    out.write("HD %d,%.4f,%.3f,%.6g\n" % (i, r.uniform(45.99, 74), r.uniform(-1.5, 16),
                                            10 ** r.uniform(0, 3.7)))
PY

cat >"$work/diameter.awk" <<'AWK'
BEGIN { FS = ","; print "name,diameter_m,abs_mag,sun_ratio,parallax_mas,light_years,au,km" }
NR > 1 {
  S = $2 + 0; m = $3 + 0; d = $4 + 0
  M = (m + 5) - (log(d) * 5) / log(10)
  D = 2 * sqrt(10 ^ ((S - M) / 2.51) / 3.141592)
  printf "%s,%.15g,%.15g,%.15g,%.15g,%.15g,%.15g,%.15g\n", $1, D, M, D / 1.391e9,
         1 / (d / 1000), d * 3.26156, d * 206265, d * 3.086e13
}
AWK

cat >"$work/diameter.py" <<'PY'
import math, sys
out = sys.stdout
next(sys.stdin)
out.write("name,diameter_m,abs_mag,sun_ratio,parallax_mas,light_years,au,km\n")
for line in sys.stdin:
    name, S, m, d = line.rstrip("\n").split(",")
    S, m, d = float(S), float(m), float(d)
    M = (m + 5) - (math.log(d) * 5) / math.log(10)
    D = 2 * math.sqrt(10 ** ((S - M) / 2.51) / 3.141592)
    out.write("%s,%.15g,%.15g,%.15g,%.15g,%.15g,%.15g,%.15g\n" % (
        name, D, M, D / 1.391e9, 1 / (d / 1000), d * 3.26156, d * 206265, d * 3.086e13))
PY

# measure NAME COMMAND...: wall seconds and peak resident kilobytes, output in NAME.csv.
measure() {
  local name=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/$name.time" "$@" <"$work/stars.csv" >"$work/$name.csv"
}
measure vespera "$program" -
measure mawk mawk -f "$work/diameter.awk"
measure python python3 "$work/diameter.py"
head -n 10001 "$work/stars.csv" | /usr/bin/time -f "%e %M" -o "$work/small.time" "$program" - >/dev/null

python3 - "$work" "$rows" <<'PY'
import csv, itertools, sys
work, rows = sys.argv[1], int(sys.argv[2])
columns = ["diameter_m", "abs_mag", "sun_ratio", "parallax_mas", "light_years", "au", "km"]
step = max(1, rows // 2000)
readers = [csv.DictReader(open(f"{work}/{n}.csv")) for n in ("vespera", "mawk", "python")]
checked = 0
for number, found in enumerate(zip(*readers)):
    if number % step:
        continue
    for column in columns:
        values = [float(row[column]) for row in found]
        if any(abs(v - values[0]) > 5e-12 * abs(values[0]) for v in values):
            sys.exit(f"row {number + 1}, {column}: vespera-batch, mawk and Python give {values}")
    checked += 1
if checked == 0 or number + 1 != rows:
    sys.exit(f"the outputs have {number + 1} rows, not {rows}")
def timing(name):
    seconds, kilobytes = open(f"{work}/{name}.time").read().split()[-2:]
    return float(seconds), int(kilobytes)
mawk = rows / timing("mawk")[0]
print(f"{rows} stars; {checked} sampled rows agree to 12 significant digits in all three")
print(f"{'program':<14}{'seconds':>9}{'rows/s':>12}{'peak RSS':>11}{'x mawk':>8}")
for name in ("vespera", "mawk", "python"):
    seconds, kilobytes = timing(name)
    label = "vespera-batch" if name == "vespera" else name
    print(f"{label:<14}{seconds:>9.2f}{rows / seconds:>12,.0f}{kilobytes / 1024:>8.1f} MB"
          f"{rows / seconds / mawk:>8.2f}")
print(f"vespera-batch on 10000 rows: peak RSS {timing('small')[1] / 1024:.1f} MB")
PY
