# SPDX-License-Identifier: GPL-3.0-or-later
"""The names and units of the inputs and results, as the batch tool's CSV spells them."""

from __future__ import annotations

from . import _core

# Each choice of input, as the batch tool offers it: where the surface magnitude comes from,
# and where the distance does.
SURFACE_SOURCES = ("surface_mag", "teff", "b_v")
DISTANCE_SOURCES = ("distance_pc", "parallax_mas")

# The unit of every input, as astropy writes it; "mag" also takes a dimensionless number.
INPUT_UNITS = {
    "v": "mag",
    "surface_mag": "mag",
    "teff": "K",
    "b_v": "mag",
    "distance_pc": "pc",
    "parallax_mas": "mas",
    "theta_mas": "mas",
}

# The results, in the batch tool's order of columns (after its "name"), and their units.
COLUMNS: tuple[str, ...] = tuple(_core.RESULT_COLUMNS) + ("error",)
RESULT_UNITS = {
    "temperature_k": "K",
    "preset_k": "K",
    "surface_mag": "mag",
    "v": "mag",
    "distance_pc": "pc",
    "diameter_m": "m",
    "abs_mag": "mag",
    "sun_ratio": "",
    "parallax_mas": "mas",
    "light_years": "lyr",
    "au": "AU",
    "km": "km",
    "theta_deg": "deg",
    "angular_km": "km",
}
