# SPDX-License-Identifier: GPL-3.0-or-later
"""A catalogue too big for one process, as the README shows it: a CSV read by Dask in four
partitions, worked by two worker processes of a LocalCluster, equals the one-process result."""

import numpy as np
import pandas as pd

import vespera


def test_dask_cluster_equals_one_process(tmp_path):
    dd = __import__("dask.dataframe", fromlist=["read_csv"])
    from distributed import Client, LocalCluster

    random = np.random.default_rng(30)
    rows = 4000
    stars = pd.DataFrame({"name": [f"S{i}" for i in range(rows)],
                          "v": np.round(random.uniform(-2, 16, rows), 2),
                          "teff": np.round(random.uniform(2000, 45000, rows)),
                          "parallax_mas": np.round(random.uniform(-1, 300, rows), 3)})
    path = tmp_path / "stars.csv"
    stars.to_csv(path, index=False)
    # Blank lines (which readers skip) make the file a multiple of four bytes long, so four
    # blocks are four partitions whether Dask rounds the count up or down.
    path.write_text(path.read_text() + "\n" * (-path.stat().st_size % 4))
    alone = vespera.estimate_table(pd.read_csv(path))

    catalogue = dd.read_csv(path, blocksize=path.stat().st_size // 4)
    assert catalogue.npartitions == 4
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster) as client:
        assert len(client.scheduler_info()["workers"]) == 2
        spread = catalogue.map_partitions(vespera.estimate_table).compute()
    pd.testing.assert_frame_equal(spread.reset_index(drop=True), alone)
    assert alone["error"].astype(bool).sum() > 0 and alone["diameter_m"].notna().sum() > 0
