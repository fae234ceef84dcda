"""A year at 10-minute steps (52,560 instants) through one Project.shading call, against the
CLI's full-year run of the same scene (its own "wall time" line, without process start).

    PYTHONPATH=build/python python3 bench/python/shading_year.py build/cli/penumbro-cli examples/collector.dat
"""

import subprocess
import sys
import time

import numpy as np
import penumbro


def main(cli, project_path, repeats=5):
    project = penumbro.Project(project_path)
    days = np.repeat(np.arange(1, 366), 144)
    hours = np.tile(np.arange(144) / 6.0, 365)
    sets = ["monthly=0", "first-day=1", "stop-day=365", "interval-days=1", "interval-minutes=10"]
    args = [cli, "run", project_path, "--out", "/tmp/penumbro-bench"] + sum((["--set", s] for s in sets), [])
    cli_seconds = min(float(subprocess.run(args, check=True, capture_output=True, text=True).stdout
                            .split("wall time: ")[1].split()[0]) for _ in range(repeats))
    print(f"penumbro-cli run, full year:          {cli_seconds:.3f} s")
    for threads in (1, None):
        best = float("inf")
        for _ in range(repeats):
            start = time.perf_counter()
            project.shading(days, hours, threads=threads)
            best = min(best, time.perf_counter() - start)
        label = "1 thread" if threads == 1 else "all cores"
        print(f"Project.shading, 52,560 instants, {label:9}: {best:.3f} s ({best / cli_seconds:.2f} x the CLI)")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
