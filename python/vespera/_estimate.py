# SPDX-License-Identifier: GPL-3.0-or-later
"""vespera.estimate: stars given as numbers or NumPy arrays, worked as the window would."""

from __future__ import annotations

from typing import Any, Literal

import numpy as np

from . import _core
from ._columns import COLUMNS, DISTANCE_SOURCES, SURFACE_SOURCES
from ._inputs import numbers


class CalculationError(ArithmeticError):
    """A star the window's calculation stopped on, with the window's Italian message
    (str(error)) and the star's place among the inputs (index, a tuple; () for scalars)."""

    def __init__(self, message: str, index: tuple[int, ...] = ()) -> None:
        super().__init__(message)
        self.message = message
        self.index = index


class Estimate:
    """The results of vespera.estimate, named as the batch tool's output columns: floats for
    scalar input, NumPy arrays of the broadcast shape for arrays. NaN stands where the window
    leaves a field empty (a star that faulted, a panel not used).

    temperature_k  kelvin that chose the temperature button (teff, or the B-V panel's)
    preset_k       kelvin on the button pressed
    surface_mag    absolute magnitude of one square metre of the surface (mag)
    v              apparent V magnitude (mag)
    distance_pc    distance (pc)
    diameter_m     the star's diameter (m)
    abs_mag        absolute magnitude (mag)
    sun_ratio      diameter against the Sun's
    parallax_mas   parallax (mas), when the distance panel converted one
    light_years, au, km   the distance panel's distance in light years, au and kilometres
    theta_deg      the angular diameter in degrees, as typed into the angular panel
    angular_km     the diameter that angle gives at the distance (km)
    error          the window's Italian message for a star that faulted, else ''
    """

    __slots__ = COLUMNS
    temperature_k: Any
    preset_k: Any
    surface_mag: Any
    v: Any
    distance_pc: Any
    diameter_m: Any
    abs_mag: Any
    sun_ratio: Any
    parallax_mas: Any
    light_years: Any
    au: Any
    km: Any
    theta_deg: Any
    angular_km: Any
    error: Any

    def __init__(self, values: dict[str, Any]) -> None:
        for name in COLUMNS:
            setattr(self, name, values[name])

    def as_dict(self) -> dict[str, Any]:
        """The results by column name, in the batch tool's order."""
        return {name: getattr(self, name) for name in COLUMNS}

    def __repr__(self) -> str:
        shown = ", ".join(f"{name}={getattr(self, name)!r}" for name in COLUMNS)
        return f"Estimate({shown})"


def _one_of(kind: str, given: dict[str, Any]) -> tuple[str, Any]:
    present = [name for name, value in given.items() if value is not None]
    if len(present) != 1:
        names = ", ".join(given)
        raise TypeError(
            f"serve una sola tra {names} ({kind}); date: {', '.join(present) or 'nessuna'}"
        )
    return present[0], given[present[0]]


def estimate(
    *,
    v: Any = None,
    surface_mag: Any = None,
    teff: Any = None,
    b_v: Any = None,
    distance_pc: Any = None,
    parallax_mas: Any = None,
    theta_mas: Any = None,
    errors: Literal["coerce", "raise"] = "coerce",
) -> Estimate:
    """Estimates stars' diameters as the Vespera window does, with its exact digits.

    Give v (apparent V magnitude, mag), one of surface_mag (absolute magnitude of one square
    metre of the surface, mag), teff (kelvin: the temperature button nearest it is pressed,
    the cooler one halfway) or b_v (B-V colour index, mag: the B-V panel's temperature, then
    the nearest button), and one of distance_pc (parsecs) or parallax_mas (milliarcseconds,
    converted by the distance panel); theta_mas (angular diameter, milliarcseconds) is
    optional, NaN for a star without one. Each is a number, an array, or an astropy Quantity
    in any unit of its kind; arrays broadcast by NumPy's rules.

    Returns an Estimate whose attributes are the batch tool's output columns. A star the
    calculation stops on gets NaN in the fields it did not reach and the window's Italian
    message in `error`; the others go on. With errors="raise", the first such star raises
    CalculationError instead. Missing, infinite or non-numeric input raises TypeError or
    ValueError naming the input.
    """
    if errors not in ("coerce", "raise"):
        raise ValueError(f'errors vuole "coerce" o "raise", non {errors!r}')
    if v is None:
        raise TypeError("manca v, la magnitudine apparente V")
    surface_from, surface = _one_of(
        "per la magnitudine superficiale", dict(zip(SURFACE_SOURCES, (surface_mag, teff, b_v)))
    )
    distance_from, distance = _one_of(
        "per la distanza", dict(zip(DISTANCE_SOURCES, (distance_pc, parallax_mas)))
    )
    arrays = {
        "v": numbers("v", v),
        surface_from: numbers(surface_from, surface),
        distance_from: numbers(distance_from, distance),
    }
    if theta_mas is not None:
        arrays["theta_mas"] = numbers("theta_mas", theta_mas, optional=True)
    try:
        shape = np.broadcast_shapes(*(array.shape for array in arrays.values()))
    except ValueError:
        shapes = ", ".join(f"{name} {array.shape}" for name, array in arrays.items())
        raise ValueError(f"forme che non si combinano per le regole di NumPy: {shapes}") from None
    flat = {name: np.broadcast_to(array, shape).ravel() for name, array in arrays.items()}

    columns, error_numbers, messages = _core.calculate(
        surface_from,
        flat[surface_from],
        flat["v"],
        distance_from,
        flat[distance_from],
        flat.get("theta_mas"),
    )
    if errors == "raise" and error_numbers.any():
        first = int(np.flatnonzero(error_numbers)[0])
        index = tuple(int(i) for i in np.unravel_index(first, shape))
        raise CalculationError(messages[error_numbers[first]], index)
    columns["error"] = np.array(messages, dtype=object)[error_numbers]
    if shape == ():
        return Estimate({name: values.tolist()[0] for name, values in columns.items()})
    return Estimate({name: values.reshape(shape) for name, values in columns.items()})
