#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares vespera-batch's diameters with interferometric ones.
#
#   docs/make-accuracy.sh BATCH_EXECUTABLE [STARS_CSV]
#
# Runs the batch tool twice over the stars (docs/measured-stars.csv unless
# another file is given): once pressing the temperature button nearest the
# spectral-type temperature (column teff_sptype), once with the temperature
# the B-V panel gives from the b_v column. Both runs also feed theta_ld_mas to
# the angular panel, which turns it into the measured linear diameter at the
# same Hipparcos distance (theta in radians times distance). Writes
# docs/accuracy.csv (one line per star) and docs/accuracy.png (log-log plot,
# gnuplot), and prints the Markdown table used in docs/accuracy.md.
# It builds nothing: build the program first and pass the executable's path.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 BATCH_EXECUTABLE [STARS_CSV]" >&2
  exit 2
fi
batch=$1
docs=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
stars=${2:-$docs/measured-stars.csv}
[ -x "$batch" ] || { echo "not an executable: $batch" >&2; exit 1; }
[ -r "$stars" ] || { echo "cannot read: $stars" >&2; exit 1; }
command -v gnuplot >/dev/null || {
  echo "gnuplot is missing (Debian: source tools/lib.sh; install_packages gnuplot-nox)" >&2
  exit 1
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$batch" --surface-from teff --column teff=teff_sptype --column theta_mas=theta_ld_mas \
  "$stars" >"$scratch/sptype.csv"
"$batch" --surface-from b_v --column theta_mas=theta_ld_mas \
  "$stars" >"$scratch/bv.csv"

# One line per star from the two runs, lined up by row. Diameters in km; a
# ratio above 1 means the estimate is larger than the measurement.
awk -F, -v OFS=, '
  FNR == 1 { for (i = 1; i <= NF; i++) col[$i] = i; next }
  FNR == NR {
    if ($col["error"] != "") { print "error for " $1 ": " $col["error"] > "/dev/stderr"; exit 1 }
    name[FNR] = $col["name"]; measured[FNR] = $col["angular_km"]
    tsp[FNR] = $col["temperature_k"]; psp[FNR] = $col["preset_k"]
    dsp[FNR] = $col["diameter_m"] / 1000
    next
  }
  {
    if ($col["error"] != "") { print "error for " $1 ": " $col["error"] > "/dev/stderr"; exit 1 }
    if ($col["name"] != name[FNR]) { print "the two runs disagree at line " FNR > "/dev/stderr"; exit 1 }
    dbv = $col["diameter_m"] / 1000
    if (!header++) print "name,measured_km,teff_sptype,preset_sptype,predicted_sptype_km,ratio_sptype,teff_bv,preset_bv,predicted_bv_km,ratio_bv"
    printf "%s,%.6g,%s,%s,%.6g,%.4f,%.0f,%s,%.6g,%.4f\n", name[FNR], measured[FNR], tsp[FNR], psp[FNR],
      dsp[FNR], dsp[FNR] / measured[FNR], $col["temperature_k"], $col["preset_k"], dbv, dbv / measured[FNR]
  }
' "$scratch/sptype.csv" "$scratch/bv.csv" >"$docs/accuracy.csv"

# Top: estimate against measurement, log-log, with the 1:1 line. Bottom: their
# ratio, where the scatter of the crowded dwarfs shows. Stars are numbered as
# in the table.
gnuplot <<GNUPLOT
set terminal pngcairo size 900,1150 font "DejaVu Sans,11"
set output "$docs/accuracy.png"
set datafile separator ","
set multiplot
set logscale x
set xrange [3e5:3e9]
set format x "10^{%L}"
set grid xtics ytics mxtics mytics lc rgb "#dddddd"
set key top left box opaque

set origin 0,0.36
set size 1,0.64
set logscale y
set yrange [3e5:3e9]
set format y "10^{%L}"
set title "vespera-batch: estimated against interferometric diameter (stars numbered as in the table)"
set xlabel "measured diameter, km (limb-darkened angular diameter x Hipparcos distance)"
set ylabel "estimated diameter, km"
plot x title "1:1" with lines lc rgb "black" lw 1.5, \\
     1.25*x title "+25% and -20%" with lines lc rgb "#999999" dt 2, \\
     0.8*x notitle with lines lc rgb "#999999" dt 2, \\
     "$docs/accuracy.csv" using 2:9 skip 1 title "temperature from B-V (B-V panel)" \\
        with points pt 9 ps 1.6 lc rgb "#d95f02", \\
     "$docs/accuracy.csv" using 2:5 skip 1 title "temperature of the spectral type" \\
        with points pt 7 ps 1.3 lc rgb "#1b5e9e", \\
     "$docs/accuracy.csv" using 2:5:(sprintf("%d", \$0 + 1)) skip 1 notitle \\
        with labels left offset 0.7,-0.5 font ",9" tc rgb "#1b5e9e"

set origin 0,0
set size 1,0.36
set title ""
set yrange [0.5:2.6]
set ytics (0.5, 0.6, 0.7, 0.8, 0.9, 1, 1.25, 1.5, 2, 2.5)
set format y "%g"
set ylabel "estimated / measured"
set key bottom right box opaque
plot 1 title "equal" with lines lc rgb "black" lw 1.5, \\
     "$docs/accuracy.csv" using 2:10 skip 1 title "temperature from B-V" \\
        with points pt 9 ps 1.6 lc rgb "#d95f02", \\
     "$docs/accuracy.csv" using 2:6 skip 1 title "temperature of the spectral type" \\
        with points pt 7 ps 1.3 lc rgb "#1b5e9e", \\
     "$docs/accuracy.csv" using 2:6:(sprintf("%d", \$0 + 1)) skip 1 notitle \\
        with labels left offset 0.7,0 font ",9" tc rgb "#1b5e9e"
unset multiplot
GNUPLOT

# The Markdown table of docs/accuracy.md: diameters in millions of km.
awk -F, 'NR == 1 {
    print "| # | Star | Measured | T sp. type (button) | Estimate | Ratio | T from B-V (button) | Estimate | Ratio |"
    print "|---:|---|---:|---:|---:|---:|---:|---:|---:|"
    next
  }
  { printf "| %d | %s | %.3f | %s (%s) | %.3f | %.2f | %s (%s) | %.3f | %.2f |\n",
      NR - 1, $1, $2 / 1e6, $3, $4, $5 / 1e6, $6, $7, $8, $9 / 1e6, $10 }' "$docs/accuracy.csv"
