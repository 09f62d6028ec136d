# SPDX-License-Identifier: GPL-3.0-or-later
"""Vespera's star diameters in Python, with the desktop calculator's exact digits.

    >>> import vespera
    >>> star = vespera.estimate(v=4.83, teff=5750, distance_pc=10)
    >>> vespera.text(star.diameter_m)
    '1548478941.99956'

estimate() takes numbers, NumPy arrays or astropy quantities; estimate_table() a dict, a
pandas DataFrame or an astropy Table with the columns of vespera-batch; text() gives a
number as the window's fields show it.
"""

from __future__ import annotations

from typing import Any

import numpy as np

from . import _core
from ._columns import COLUMNS
from ._estimate import CalculationError, Estimate, estimate
from ._table import estimate_table

__all__ = ["COLUMNS", "CalculationError", "Estimate", "estimate", "estimate_table", "text"]
__version__ = "3.3.0"

_texts = np.frompyfunc(_core.text, 1, 1)


def text(value: Any) -> Any:
    """The window's text for a number: at most 15 significant digits, the period as decimal
    point, the exponent form (3.086E+15) where 15 digits do not reach; '' for NaN, where the
    window and the batch tool leave the field empty. For an array, an array of texts."""
    if np.ndim(value) == 0:
        return _core.text(float(value))
    return _texts(np.asarray(value, dtype=np.float64))
