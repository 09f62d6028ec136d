# SPDX-License-Identifier: GPL-3.0-or-later
"""The user's numbers, arrays and astropy quantities as arrays of doubles, refused clearly
where they are not numbers."""

from __future__ import annotations

from typing import Any

import numpy as np

from ._columns import INPUT_UNITS


def _without_unit(name: str, value: Any) -> Any:
    """A Quantity's value in the unit the input takes (any length for a distance, any angle
    for a parallax or an angular diameter, degrees Celsius for a temperature); anything else
    as it is. astropy is imported only when a quantity comes, so it need not be installed."""
    if getattr(value, "unit", None) is None or not hasattr(value, "to_value"):
        return value
    from astropy import units as u

    target = u.Unit(INPUT_UNITS[name])
    if target == u.mag and value.unit == u.dimensionless_unscaled:
        return value.value
    equivalencies = u.temperature() if name == "teff" else []
    try:
        return value.to_value(target, equivalencies=equivalencies)
    except u.UnitConversionError:
        raise u.UnitConversionError(
            f"{name}: un valore in {value.unit} non si converte in {target}"
        ) from None


def numbers(name: str, value: Any, *, optional: bool = False) -> np.ndarray:
    """The input as an array of doubles. A required input must be finite everywhere; an
    optional one (theta_mas) may hold NaN, for a star without one."""
    value = _without_unit(name, value)
    if isinstance(value, str) or np.asarray(value).dtype.kind in "bUSV":
        raise TypeError(f"{name}: servono numeri, non {type(value).__name__} {value!r:.60}")
    try:
        array = np.asarray(value, dtype=np.float64)
    except (TypeError, ValueError) as error:
        raise TypeError(f"{name}: servono numeri ({error})") from None
    faulty = ~np.isfinite(array) & ~(optional & np.isnan(array))
    if faulty.any():
        where = tuple(int(i) for i in np.argwhere(faulty)[0])
        at = f"{name}[{', '.join(map(str, where))}]" if where else name
        raise ValueError(f"{at}: valore mancante o non finito ({array[where]})")
    return array
