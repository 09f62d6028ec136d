#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Vespera's diameters against the interferometric ones, through the Python module.

    python3 docs/plot-python.py [OUTPUT_PNG]     (default docs/python-accuracy.png)

Reads docs/measured-stars.csv with astropy, estimates each star twice with
vespera.estimate_table (the temperature button nearest the spectral-type temperature, and
the B-V panel's temperature), and turns the measured angular diameter into kilometres at the
same Hipparcos distance through the angular panel. Needs the module (pip install ., or
python3-vespera), python3-astropy and python3-matplotlib.
"""

import sys
from pathlib import Path

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt
import numpy as np
from astropy.table import Table

import vespera

docs = Path(__file__).resolve().parent
output = Path(sys.argv[1]) if len(sys.argv) > 1 else docs / "python-accuracy.png"
stars = Table.read(docs / "measured-stars.csv", format="ascii.csv", comment="#")
stars.rename_column("theta_ld_mas", "theta_mas")
stars.rename_column("teff_sptype", "teff")

figure, axes = plt.subplots(figsize=(8, 7))
for surface, label, marker in (("teff", "spectral-type temperature", "o"),
                               ("b_v", "B-V panel's temperature", "s")):
    results = vespera.estimate_table(stars, surface_from=surface)
    estimated_km = np.asarray(results["diameter_m"]) / 1000
    measured_km = np.asarray(results["angular_km"])
    axes.loglog(measured_km, estimated_km, marker, fillstyle="none", label=label)
for name, x, y in zip(stars["name"], measured_km, estimated_km):
    axes.annotate(name, (x, y), textcoords="offset points", xytext=(4, -10), fontsize=7)
line = np.array([3e5, 3e9])
axes.loglog(line, line, "k-", linewidth=0.8, label="estimate = measurement")
axes.fill_between(line, line * 0.8, line * 1.25, color="0.9", label="20 % small to 25 % large")
axes.set(xlabel="interferometric diameter (km)", ylabel="Vespera's diameter (km)",
         title="vespera.estimate_table on the measured stars of docs/")
axes.grid(True, which="both", color="0.92")
axes.legend(loc="upper left")
figure.tight_layout()
figure.savefig(output, dpi=100)
print(f"wrote {output}")
