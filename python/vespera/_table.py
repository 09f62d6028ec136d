# SPDX-License-Identifier: GPL-3.0-or-later
"""vespera.estimate_table: a catalogue with the batch tool's columns, as a dict of columns,
a pandas DataFrame or an astropy Table, with the results added."""

from __future__ import annotations

from typing import Any, Literal, Optional

import numpy as np

from ._columns import DISTANCE_SOURCES, RESULT_UNITS, SURFACE_SOURCES
from ._estimate import estimate


def _kind(table: Any) -> str:
    module = type(table).__module__
    if module.startswith("astropy.table"):
        return "astropy"
    if module.startswith("pandas") and hasattr(table, "columns"):
        return "pandas"
    if hasattr(table, "keys") and hasattr(table, "__getitem__"):
        return "dict"
    raise TypeError(
        "serve una tabella: un dict di colonne, un DataFrame di pandas o una Table di astropy,"
        f" non {type(table).__name__}"
    )


def _pick(names: list[str], sources: tuple[str, ...], chosen: Optional[str], option: str) -> str:
    """The one column of a choice the table holds, or the one chosen, in the batch tool's
    words."""
    if chosen is not None:
        if chosen not in sources:
            raise ValueError(f"{option} vuole {' o '.join(sources)}, non {chosen!r}")
        if chosen not in names:
            raise ValueError(f'manca la colonna "{chosen}" scelta con {option}')
        return chosen
    present = [name for name in sources if name in names]
    if len(present) == 1:
        return present[0]
    if not present:
        raise ValueError(f"serve una delle colonne {', '.join(sources)}")
    raise ValueError(
        f"ci sono più colonne tra {', '.join(present)}: scegliere quale usare con {option}"
    )


def _column(table: Any, kind: str, name: str) -> Any:
    column = table[name]
    if kind == "pandas":
        try:
            return column.to_numpy(dtype=np.float64, na_value=np.nan)
        except (TypeError, ValueError) as error:
            raise TypeError(f"colonna {name}: servono numeri ({error})") from None
    if kind == "astropy":
        if np.ma.is_masked(column):
            column = column.filled(np.nan)
        if getattr(column, "unit", None) is not None and not hasattr(column, "to_value"):
            return column.quantity
    return column


def estimate_table(
    table: Any,
    *,
    surface_from: Optional[str] = None,
    distance_from: Optional[str] = None,
    errors: Literal["coerce", "raise"] = "coerce",
) -> Any:
    """Estimates every star of a table, as vespera-batch does with a CSV file.

    The table is a dict of columns, a pandas DataFrame or an astropy Table, with the batch
    tool's columns: v (mag); one of surface_mag (mag), teff (K) or b_v (mag); one of
    distance_pc (pc) or parallax_mas (mas); optionally theta_mas (mas, NaN or masked for
    none) and anything else (a name, a catalogue number), which is kept. Where a table holds
    several of a choice, surface_from or distance_from names the one to use. astropy columns
    with units are converted.

    Returns a table of the same kind, a copy, with the result columns of vespera.estimate
    added (those named as inputs replaced by the same values as the window holds them);
    astropy columns carry units (m, pc, mas, K, ...). A star the calculation stops on gets
    NaN and the window's Italian message in `error`, or with errors="raise" raises
    CalculationError.
    """
    kind = _kind(table)
    names = list(table.colnames if kind == "astropy" else table.keys())
    if "v" not in names:
        raise ValueError('manca la colonna obbligatoria "v"')
    surface = _pick(names, SURFACE_SOURCES, surface_from, "surface_from")
    distance = _pick(names, DISTANCE_SOURCES, distance_from, "distance_from")
    given = {name: _column(table, kind, name) for name in ("v", surface, distance)}
    if "theta_mas" in names:
        given["theta_mas"] = _column(table, kind, "theta_mas")
    for name, column in given.items():
        if np.ndim(column) != 1:
            raise ValueError(f"colonna {name}: serve una colonna, non forma {np.shape(column)}")
    results = estimate(**given, errors=errors).as_dict()

    if kind == "dict":
        return {**table, **results}
    if kind == "pandas":
        out = table.copy()
        for name, values in results.items():
            out[name] = values
        return out
    from astropy.table import Column

    out = table.copy()
    for name, values in results.items():
        out[name] = Column(values, name=name, unit=RESULT_UNITS.get(name) or None)
    return out
