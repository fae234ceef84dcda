"""Monthly shading loss of a target from a weather year, as a yield study would compute it.

    PYTHONPATH=build/python python3 examples/python/shading_loss.py examples/collector.dat [WEATHER.epw]

Without a weather file the script writes a synthetic clear-sky year for the project's site
(a stand-in for a real EPW file, e.g. from a national weather service or a typical
meteorological year) and uses that.
"""

import math
import os
import sys
import tempfile

import numpy as np
import penumbro

MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]


def clear_sky_year(path, site):
    """Eight header lines and 8760 hours of a simple clear sky (Wh/m2 per hour)."""
    lat, lon_west, corr = site["latitude"], site["longitude"], site["correction"]
    rows = [f"LOCATION,Synthetic,-,-,clear sky,0,{lat},{-lon_west},{-corr},0"] + ["COMMENT,"] * 7
    days = np.repeat(np.arange(1, 366), 24)
    hours = np.tile(np.arange(1, 25), 365)
    _, elevation = penumbro.sun(days, hours - 0.5, lat, lon_west, corr)
    s = np.clip(np.sin(np.radians(elevation)), 0, None)
    beam = np.where(s > 0, 900 * s ** 0.3, 0)
    diffuse = 100 * s
    month_of_day = np.repeat(np.arange(1, 13), [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31])
    day_in_month = np.concatenate([np.arange(1, n + 1) for n in [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]])
    for i in range(8760):
        d = i // 24
        fields = [1995, month_of_day[d], day_in_month[d], hours[i], 0, "?"] + [0] * 7
        fields += [round(beam[i] * s[i] + diffuse[i]), round(beam[i]), round(diffuse[i])] + [0] * 19
        rows.append(",".join(str(f) for f in fields))
    with open(path, "w") as out:
        out.write("\n".join(rows) + "\n")


def main(project_path, weather_path=None):
    project = penumbro.Project(project_path)
    target = project.targets[0]
    print(f"{os.path.basename(project_path)}: target {target['name']!r}, {target['area']:.2f} m2, "
          f"azimuth {target['azimuth']:.1f} deg, tilt {target['tilt']:.1f} deg")
    with tempfile.TemporaryDirectory() as tmp:
        if weather_path is None:
            weather_path = os.path.join(tmp, "clear-sky.epw")
            clear_sky_year(weather_path, project.site)
        hours = project.irradiation(weather_path, sky_model="perez")
    unshaded = hours["beam_wh"] + hours["sky_wh"] + hours["ground_wh"]
    shaded = hours["beam_shaded_wh"] + hours["sky_shaded_wh"] + hours["ground_shaded_wh"]
    print(f"{'month':5} {'unshaded':>10} {'shaded':>10} {'loss':>7}")
    print(f"{'':5} {'kWh/m2':>10} {'kWh/m2':>10} {'%':>7}")
    for m in range(1, 13):
        rows = hours["month"] == m
        u, s = unshaded[rows].sum() / 1000, shaded[rows].sum() / 1000
        loss = 100 * (1 - s / u) if u > 0 else math.nan
        print(f"{MONTHS[m - 1]:5} {u:10.1f} {s:10.1f} {loss:7.1f}")
    u, s = unshaded.sum() / 1000, shaded.sum() / 1000
    print(f"{'year':5} {u:10.1f} {s:10.1f} {100 * (1 - s / u):7.1f}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None)
