# SPDX-License-Identifier: GPL-3.0-or-later
"""What a Python user meets: broadcasting, astropy units, the three kinds of table, errors
raised or kept, and bad input refused with a clear message."""

import subprocess
import sys

import numpy as np
import pandas as pd
import pytest
from astropy import units as u
from astropy.table import Table

import vespera

SUN = {"v": 4.83, "teff": 5750, "distance_pc": 10}


def texts(result):
    return {name: vespera.text(value) if name != "error" else value
            for name, value in result.as_dict().items()}


def test_arrays_broadcast_to_what_each_star_gives_alone():
    # 2 x 1500 stars: enough rows for the work to be shared among threads.
    v = np.array([[4.83], [-1.5]])
    teff = np.linspace(900, 50000, 1500)
    result = vespera.estimate(v=v, teff=teff, parallax_mas=[[100], [0]], theta_mas=2.0)
    assert result.diameter_m.shape == (2, 1500) and result.error.shape == (2, 1500)
    for row, column in [(0, 0), (0, 749), (0, 1499), (1, 3)]:
        alone = vespera.estimate(v=v[row, 0], teff=teff[column],
                                 parallax_mas=[100, 0][row], theta_mas=2.0)
        assert texts(alone) == {name: vespera.text(value[row, column]) if name != "error"
                                else value[row, column] for name, value in result.as_dict().items()}
    assert set(result.error[1]) == {"Errore di run-time: divisione per zero"}
    assert vespera.text(vespera.estimate(**SUN).diameter_m) == "1548478941.99956"
    # The number given reaches the calculation whole, all 17 digits of it.
    assert vespera.estimate(**{**SUN, "v": 0.1 + 0.2}).v == 0.1 + 0.2


@pytest.mark.parametrize("quantities", [
    {"teff": 5750 * u.K, "distance_pc": 10 * u.pc},
    {"teff": (5750 * u.K).to(u.deg_C, equivalencies=u.temperature()), "distance_pc": 3.0856775814913673e17 * u.m},
    {"teff": 5750, "parallax_mas": 0.1 * u.arcsec, "v": 4.83 * u.mag},
    {"teff": 5750, "parallax_mas": 100 * u.mas, "v": 4.83 * u.dimensionless_unscaled},
])
def test_quantities_are_converted(quantities):
    assert vespera.text(vespera.estimate(**{**{"v": 4.83}, **quantities}).diameter_m) == \
        vespera.text(vespera.estimate(**SUN).diameter_m)


@pytest.mark.parametrize("call, error, words", [
    (lambda: vespera.estimate(**{**SUN, "v": "abc"}), TypeError, "v: servono numeri"),
    (lambda: vespera.estimate(**{**SUN, "v": [1, 2], "teff": [1, 2, 3]}), ValueError, "forme"),
    (lambda: vespera.estimate(**{**SUN, "v": [1, np.nan]}), ValueError, "v[1]: valore mancante"),
    (lambda: vespera.estimate(**{**SUN, "distance_pc": np.inf}), ValueError, "distance_pc:"),
    (lambda: vespera.estimate(v=1, distance_pc=1), TypeError, "serve una sola tra surface_mag"),
    (lambda: vespera.estimate(**SUN, parallax_mas=3), TypeError, "date: distance_pc, parallax"),
    (lambda: vespera.estimate(**{**SUN, "distance_pc": 1 * u.s}), u.UnitConversionError, "s non"),
    (lambda: vespera.estimate(**{**SUN, "distance_pc": [10, 0]}, errors="raise"),
     vespera.CalculationError, "Errore di run-time: logaritmo di un numero minore o uguale a zero"),
    (lambda: vespera.estimate_table({"teff": [1], "distance_pc": [1]}), ValueError,
     'manca la colonna obbligatoria "v"'),
    (lambda: vespera.estimate_table(pd.DataFrame({"v": ["4", "x"], "teff": 1, "distance_pc": 1})),
     TypeError, "colonna v: servono numeri"),
    (lambda: vespera.estimate_table({**SUN, "b_v": 1}), ValueError, "ci sono più colonne tra"),
    (lambda: vespera.estimate_table([1, 2]), TypeError, "serve una tabella"),
])
def test_bad_input_is_refused_clearly(call, error, words):
    with pytest.raises(error) as raised:
        call()
    assert words in str(raised.value)


def test_every_kind_of_table_gets_the_same_results():
    columns = {"name": ["Sun", "Nowhere"], "v": [4.83, 4.83], "teff": [5750, 5750],
               "distance_pc": [10.0, 0.0], "theta_mas": [np.nan, 1.0]}
    empty = vespera.estimate(v=[], teff=[], distance_pc=[])
    assert empty.diameter_m.shape == (0,) and empty.error.shape == (0,)
    tables = [vespera.estimate_table(columns), vespera.estimate_table(pd.DataFrame(columns)),
              vespera.estimate_table(Table(columns))]
    expected = vespera.estimate(**{k: np.array(v) for k, v in columns.items() if k != "name"})
    for table in tables:
        assert list(table["name"]) == ["Sun", "Nowhere"]
        for name, values in expected.as_dict().items():
            got = table[name] if name == "error" else vespera.text(np.asarray(table[name], float))
            assert list(got) == list(values if name == "error" else vespera.text(values)), name
    assert tables[2]["diameter_m"].unit == u.m and tables[2]["parallax_mas"].unit == u.mas
    assert list(tables[0]["error"]) == ["", "Errore di run-time: logaritmo di un numero minore o uguale a zero"]


def test_works_where_astropy_is_not_installed():
    script = ("import sys; sys.modules['astropy'] = None; import vespera; "
              "print(vespera.text(vespera.estimate(v=4.83, teff=5750, distance_pc=10).diameter_m))")
    run = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, check=False)
    assert run.stdout == "1548478941.99956\n", run.stderr
