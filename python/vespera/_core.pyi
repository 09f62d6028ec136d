# SPDX-License-Identifier: GPL-3.0-or-later
from typing import Optional

import numpy as np
import numpy.typing as npt

RESULT_COLUMNS: tuple[str, ...]

def calculate(
    surface_from: str,
    surface: npt.ArrayLike,
    v: npt.ArrayLike,
    distance_from: str,
    distance: npt.ArrayLike,
    theta_mas: Optional[npt.ArrayLike] = None,
) -> tuple[dict[str, np.ndarray], np.ndarray, list[str]]: ...
def text(value: float) -> str: ...
