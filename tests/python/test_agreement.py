# SPDX-License-Identifier: GPL-3.0-or-later
"""The module against vespera-batch, run as a program on the same stars: for every star and
every column, vespera.text of the module's number is the batch tool's cell, and every
error message is the same."""

import csv
import io
import itertools
import os
import subprocess
from pathlib import Path

import numpy as np
import pytest

import vespera

DOCS = Path(__file__).resolve().parents[2] / "docs"
# The batch test's own stars (a tie between two buttons, a parallax of 0), then the
# measured stars of docs/.
TEST_STARS = {"name": ["Alpha", "Beta", "Gamma"], "teff": [5772, 3300, 43000],
              "v": [4.83, 1.5, 2], "parallax_mas": [100, 0.5, 0], "theta_mas": [2, np.nan, 1]}
# Seeded stars over and beyond the realistic ranges: zero and negative distances and
# parallaxes fault, as do magnitudes far out.
RANGES = {"v": (-30, 400), "surface_mag": (-10, 200), "teff": (-100, 70000), "b_v": (-1, 3),
          "distance_pc": (-50, 5000), "parallax_mas": (-20, 800), "theta_mas": (0, 60)}


def measured_stars():
    lines = [line for line in DOCS.joinpath("measured-stars.csv").read_text().splitlines()
             if not line.startswith("#")]
    rows = list(csv.DictReader(lines))
    stars = {name: [row[name] for row in rows] for name in ("name", "v", "b_v", "parallax_mas")}
    stars["teff"] = [row["teff_sptype"] for row in rows]
    stars["surface_mag"] = [50 + float(row["b_v"]) for row in rows]
    stars["distance_pc"] = [1000 / float(row["parallax_mas"]) for row in rows]
    stars["theta_mas"] = [row["theta_ld_mas"] for row in rows]
    return {name: np.asarray(values, dtype=object if name == "name" else float)
            for name, values in stars.items()}


def seeded_stars(rows, seed):
    random = np.random.default_rng(seed)
    stars = {name: np.round(random.uniform(low, high, rows), 3) + 0.0
             for name, (low, high) in RANGES.items()}
    for name in ("distance_pc", "parallax_mas", "teff"):
        stars[name][random.random(rows) < 0.05] = 0.0
    stars["theta_mas"][random.random(rows) < 0.3] = np.nan
    stars["name"] = np.array([f"S{i}" for i in range(rows)], dtype=object)
    return stars


def cell(value):
    if isinstance(value, str):
        return value
    return "" if np.isnan(value) else f"{value:.15g}"


@pytest.mark.parametrize("surface, distance", itertools.product(
    ("surface_mag", "teff", "b_v"), ("distance_pc", "parallax_mas")))
def test_every_cell_is_the_batch_tools(surface, distance, tmp_path):
    parts = [measured_stars(), seeded_stars(1500, seed=len(surface) * 7 + len(distance))]
    if (surface, distance) == ("teff", "parallax_mas"):
        parts.insert(0, {name: np.asarray(values, dtype=object if name == "name" else float)
                         for name, values in TEST_STARS.items()})
    names = ["name", surface, "v", distance, "theta_mas"]
    stars = {name: np.concatenate([part[name] for part in parts]) for name in names}
    # The module takes the very numbers the file gives the batch tool.
    for name in names[1:]:
        stars[name] = np.array([float(cell(value) or "nan") for value in stars[name]])
    path = tmp_path / "stars.csv"
    with path.open("w", newline="") as file:
        writer = csv.writer(file)
        writer.writerow(names)
        writer.writerows(zip(*([cell(value) for value in stars[name]] for name in names)))
    run = subprocess.run([os.environ["VESPERA_BATCH"], str(path), "--quiet"],
                         capture_output=True, text=True, timeout=120, check=False)
    assert run.returncode == 0, run.stderr
    batch = list(csv.DictReader(io.StringIO(run.stdout)))
    assert list(batch[0]) == ["name", *vespera.COLUMNS]

    module = vespera.estimate_table(stars)
    differences = [
        (row["name"], column, row[column], vespera.text(module[column][i]))
        for i, row in enumerate(batch) for column in vespera.COLUMNS[:-1]
        if vespera.text(module[column][i]) != row[column]]
    differences += [(row["name"], "error", row["error"], module["error"][i])
                    for i, row in enumerate(batch) if module["error"][i] != row["error"]]
    assert len(batch) == len(stars["v"]) and list(module["name"]) == [r["name"] for r in batch]
    assert differences == [], f"{len(differences)} cells differ, first: {differences[:5]}"
    faulted = sum(1 for row in batch if row["error"])
    assert 0 < faulted < len(batch) / 2  # both paths are compared, not only one
