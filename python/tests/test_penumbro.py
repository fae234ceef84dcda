"""The Python module against the command-line tool: the same engine must give the same numbers."""

import math
import os
import subprocess
import tempfile
import unittest

try:
    import numpy as np
    import penumbro
except ImportError as error:  # the module was not built
    raise unittest.SkipTest(f"the penumbro module is not available: {error}")

SOURCE = os.environ.get("PENUMBRO_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
CLI = os.environ.get("PENUMBRO_CLI", "penumbro-cli")
EXAMPLES = [os.path.join(SOURCE, "examples", name) for name in ("collector.dat", "facade.dat")]


def cli(*args):
    return subprocess.run([CLI, *args], check=True, capture_output=True, text=True).stdout


def synthetic_weather(path, latitude, longitude_west, correction):
    """A clear-sky year with overcast days: enough light in every clearness bin."""
    lines = [f"LOCATION,Test,-,-,synthetic,0,{latitude},{-longitude_west},{-correction},0"]
    lines += ["DESIGN CONDITIONS,0", "TYPICAL/EXTREME PERIODS,0", "GROUND TEMPERATURES,0",
              "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0", "COMMENTS 1,", "COMMENTS 2,", "DATA PERIODS,1,1,Data,Sunday,1/1,12/31"]
    days_in_month = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
    day_number = 0
    for month, days in enumerate(days_in_month, start=1):
        for day in range(1, days + 1):
            day_number += 1
            overcast = day_number % 3 == 0
            for hour in range(1, 25):
                _, elevation = penumbro.sun(day_number, hour - 0.5, latitude, longitude_west, correction)
                s = max(0.0, math.sin(math.radians(elevation)))
                beam = 0.0 if overcast or s <= 0 else 850.0 * s ** 0.3
                diffuse = (250.0 if overcast else 90.0) * s
                glob = beam * s + diffuse
                fields = [1995, month, day, hour, 0, "?", 10, 5, 80, 101325, 0, 0, 300,
                          f"{glob:.0f}", f"{beam:.0f}", f"{diffuse:.0f}"] + [0] * 19
                lines.append(",".join(str(f) for f in fields))
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


class ModuleTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        # Start values written out, so neither side reads a standard.kon of its own.
        cls.kon = os.path.join(cls.tmp.name, "start.kon")
        cli("kon", "--write", cls.kon)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_instants_equal_the_cli(self):
        days, times = [35, 172, 300], ["07:10", "08:00", "09:20", "10:30", "12:00", "13:40", "15:00", "16:50", "18:20"]
        for path in EXAMPLES:
            project = penumbro.Project(path)
            for method in ("raster", "exact"):
                for online in ((False, True) if method == "raster" else (False,)):
                    d = np.repeat(days, len(times))
                    h = np.tile([int(t[:2]) + int(t[3:]) / 60 for t in times], len(days))
                    got = project.shading(d, h, method=method, online=online, kon=self.kon)
                    for day, hour, value in zip(d, h, got):
                        hh, mm = divmod(round(hour * 60), 60)
                        args = ["instant", path, "--day", str(day), "--time", f"{hh:02d}:{mm:02d}",
                                "--kon", self.kon, "--method", method] + (["--online"] if online else [])
                        expected = float(cli(*args).split("result=")[1])
                        with self.subTest(path=os.path.basename(path), method=method, online=online, day=day, hour=hour):
                            self.assertAlmostEqual(value, expected, delta=5e-7)

    def test_vectorised_calls_equal_scalar_calls(self):
        project = penumbro.Project(EXAMPLES[1])
        days = np.array([[20, 100, 200], [250, 300, 355]])
        hours = np.array([[9.5, 12.0, 14.25], [8.0, 11.0, 15.75]])
        grid = project.shading(days, hours)
        self.assertEqual(grid.shape, (2, 3))
        azimuth, elevation = penumbro.sun(days, hours, 48.0, -11.6, -1.0)
        for index in np.ndindex(days.shape):
            self.assertEqual(grid[index], project.shading(int(days[index]), float(hours[index])))
            a, e = penumbro.sun(int(days[index]), float(hours[index]), 48.0, -11.6, -1.0)
            self.assertEqual((azimuth[index], elevation[index]), (a, e))
        # A scalar goes with any shape.
        self.assertTrue(np.array_equal(project.shading(172, np.array([10.0, 12.0])),
                                       project.shading([172, 172], [10.0, 12.0])))

    def test_sun_agrees_with_the_cli(self):
        for day, time, lat, lon, corr in [(98, "12:29", 51, -8, -1), (169, "06:00", -33.9, -18.4, -2), (355, "15:45", 60, 10, 0)]:
            out = cli("sun", "--day", str(day), "--time", time, "--lat", str(lat), "--lon", str(lon), "--correction", str(corr))
            expected = {k: float(v) for k, v in (field.split("=") for field in out.split())}
            a, e = penumbro.sun(day, int(time[:2]) + int(time[3:]) / 60, lat, lon, corr)
            self.assertAlmostEqual(a % 360, expected["azimuth"] % 360, delta=6e-5)
            self.assertAlmostEqual(e, expected["elevation"], delta=6e-5)

    def test_threads_do_not_change_results(self):
        project = penumbro.Project(EXAMPLES[0])
        days = np.repeat(np.arange(1, 366), 24)
        hours = np.tile(np.arange(24) + 0.5, 365)
        for method in ("raster", "exact"):
            one = project.shading(days, hours, method=method, threads=1)
            two = project.shading(days, hours, method=method, threads=2)
            self.assertTrue(np.array_equal(one, two), method)

    def test_run_writes_the_cli_files(self):
        for parameters, cli_sets in [({}, []),
                                     ({"monthly": False, "first_day": 150, "stop_day": 160, "interval_minutes": 20},
                                      ["monthly=0", "first-day=150", "stop-day=160", "interval-minutes=20"])]:
            base_py, base_cli = os.path.join(self.tmp.name, "py"), os.path.join(self.tmp.name, "cli")
            result = penumbro.Project(EXAMPLES[0]).run(base_py, kon=self.kon, **parameters)
            cli("run", EXAMPLES[0], "--kon", self.kon, "--out", base_cli, *sum((["--set", s] for s in cli_sets), []))
            for ext in (".rep", ".mit"):
                with open(base_py + ext, "rb") as a, open(base_cli + ext, "rb") as b:
                    self.assertEqual(a.read(), b.read(), (parameters, ext))
            self.assertGreater(result["instants"], 0)

    def test_diffuse_factors_equal_the_run(self):
        factors = penumbro.Project(EXAMPLES[0]).diffuse_factors(kon=self.kon)
        out = cli("run", EXAMPLES[0], "--kon", self.kon, "--set", "diffuse=1", "--out", os.path.join(self.tmp.name, "d"))
        rows = [line.split() for line in out.split("diffuse factors, by month:")[1].splitlines() if "sky" in line]
        self.assertEqual(len(rows), 12)
        for month, row in enumerate(rows):
            self.assertAlmostEqual(factors["sky"][month], float(row[2]), delta=5e-4)
            self.assertAlmostEqual(factors["ground"][month], float(row[4]), delta=5e-4)

    def test_irradiation_equals_the_hourly_file(self):
        project = penumbro.Project(EXAMPLES[0])
        weather = os.path.join(self.tmp.name, "year.epw")
        site = project.site
        synthetic_weather(weather, site["latitude"], site["longitude"], site["correction"])
        for sky in ("perez", "isotropic"):
            base = os.path.join(self.tmp.name, "irr_" + sky)
            cli("irradiation", EXAMPLES[0], "--weather", weather, "--kon", self.kon, "--sky-model", sky, "--hourly",
                "--out", base)
            columns = project.irradiation(weather, sky_model=sky, kon=self.kon)
            with open(base + "_irradiation_hourly.csv") as f:
                header = f.readline().strip().split(",")
                rows = [line.rstrip("\n").split(",") for line in f]
            self.assertEqual(list(columns), header)
            self.assertEqual(len(rows), 8760)
            for c, name in enumerate(header):
                expected = np.array([float(r[c]) if r[c] else math.nan for r in rows])
                got = np.asarray(columns[name], dtype=float)
                decimals = 4 if name == "shading" else 2
                self.assertTrue(np.allclose(got, expected, rtol=0, atol=0.51 * 10 ** -decimals, equal_nan=True),
                                f"{sky}: column {name}")

    def test_bad_input_raises_clear_errors(self):
        project = penumbro.Project(EXAMPLES[0])
        broken = os.path.join(self.tmp.name, "broken.dat")
        with open(broken, "w") as f:
            f.write("* broken\n2\nWand\n3\n0 0 0\n1 0 0\n")
        cases = [
            (lambda: penumbro.Project(os.path.join(self.tmp.name, "missing.dat")), "missing.dat"),
            (lambda: penumbro.Project(broken), "broken.dat:"),
            (lambda: project.shading([1, 2, 3], [12.0, 13.0]), "shape"),
            (lambda: project.shading(0, 12.0), "1..365"),
            (lambda: project.shading(366, 12.0), "1..365"),
            (lambda: project.shading(10.5, 12.0), "1..365"),
            (lambda: project.shading(10, math.nan), "hour"),
            (lambda: project.shading(10, 24.0), "hour"),
            (lambda: project.shading(10, 12.0, method="fast"), "method"),
            (lambda: project.shading(10, 12.0, threads=0), "threads"),
            (lambda: project.shading(10, 12.0, no_such_key=1), "no-such-key"),
            (lambda: project.shading(10, 12.0, resolution=0), "resolution"),
            (lambda: project.irradiation(os.path.join(self.tmp.name, "none.epw")), "none.epw"),
            (lambda: penumbro.sun(10, 12.0, 91, 0), "latitude"),
        ]
        for call, word in cases:
            with self.subTest(word=word):
                with self.assertRaises(ValueError) as caught:
                    call()
                self.assertIn(word, str(caught.exception))

    def test_data_frame_when_pandas_is_there(self):
        try:
            import pandas  # noqa: F401
        except ImportError:
            self.skipTest("pandas is not installed")
        project = penumbro.Project(EXAMPLES[0])
        weather = os.path.join(self.tmp.name, "frame.epw")
        synthetic_weather(weather, 48.0, -11.6, -1.0)
        frame = project.irradiation(weather, as_frame=True, kon=self.kon)
        self.assertEqual(len(frame), 8760)
        self.assertEqual(str(frame.index[0]), "1995-01-01 01:00:00")


if __name__ == "__main__":
    unittest.main()
