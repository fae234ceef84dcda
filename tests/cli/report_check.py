#!/usr/bin/env python3
"""The report of the shipped examples against what `run` and `irradiation` print for
the same project and parameters; the page must be well-formed HTML5 with no
reference outside itself, its pictures well-formed XML, and the German and the
English page the same but for their texts.

usage: report_check.py PENUMBRO_CLI EXAMPLES_DIR"""

import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

CLI, EXAMPLES = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
ENV = dict(os.environ, SOURCE_DATE_EPOCH="1780000000", LC_ALL="C")
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]
VOID = {"meta", "br", "hr", "img", "input", "link", "col", "area", "base", "wbr", "source", "track",
        "embed", "param"}
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def cli(*args, cwd):
    r = subprocess.run([CLI, *args], cwd=cwd, env=ENV, capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit("penumbro-cli %s failed (%d): %s" % (" ".join(args), r.returncode, r.stderr))
    return r.stdout


def write_weather(path, lat, lon_east, zone):
    """Daylight from 7 to 19 o'clock, every other day overcast."""
    out = ["LOCATION,Probeort,-,DEU,TMY,000000,%g,%g,%g,100.0" % (lat, lon_east, zone)] + ["X,0"] * 7
    for n, (m, d) in enumerate((m, d) for m, days in enumerate([31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31])
                               for d in range(days)):
        for h in range(1, 25):
            up, clear = 7 <= h <= 19, n % 2 == 0
            ghi, dni, dhi = (300 if clear else 150, 400 if clear else 0, 100 if clear else 150) if up else (0, 0, 0)
            out.append("1995,%d,%d,%d,60,-,5.0,1.0,75,101300,0,1415,300,%d,%d,%d,0,0,0,0,180,2.0,5,5,20.0,9999,9,"
                       "999999999,0,0.10,0,88,0.0,0.0,0.0" % (m + 1, d + 1, h, ghi, dni, dhi))
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")


class Page(html.parser.HTMLParser):
    """Strict reading: every element closed in order, tables by id, tags and texts in order."""

    def __init__(self, name):
        super().__init__(convert_charrefs=True)
        self.name, self.stack, self.tables, self.tags, self.texts = name, [], {}, [], []
        self.doctype = None
        self.table = self.row = self.cell = None

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        self.tags.append((tag, sorted((k, v) for k, v in attrs if not (tag == "html" and k == "lang"))))
        if tag == "table":
            self.table = self.tables.setdefault(a.get("id", "?%d" % len(self.tables)), [])
        elif tag == "tr" and self.table is not None:
            self.row = [a.get("data-month")]
            self.table.append(self.row)
        elif tag in ("td", "th") and self.row is not None:
            self.cell = ""
        if tag not in VOID:
            self.stack.append(tag)

    def handle_startendtag(self, tag, attrs):
        # "<x/>" is allowed in HTML only on void elements and inside SVG.
        check(tag in VOID or "svg" in self.stack, "%s: <%s/> outside SVG" % (self.name, tag))
        self.tags.append((tag, sorted(attrs)))

    def handle_endtag(self, tag):
        check(self.stack and self.stack[-1] == tag,
              "%s: </%s> closes <%s>" % (self.name, tag, self.stack[-1] if self.stack else "nothing"))
        if self.stack:
            self.stack.pop()
        if tag in ("td", "th") and self.row is not None and self.cell is not None:
            self.row.append(self.cell.strip())
            self.cell = None
        elif tag == "table":
            self.table = None
        elif tag == "tr":
            self.row = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data
        if data.strip():
            self.texts.append(data.strip())


def read_page(path):
    raw = open(path, "rb").read()
    text = raw.decode("utf-8")  # raises for bytes that are not UTF-8
    page = Page(os.path.basename(path))
    page.feed(text)
    page.close()
    check(page.doctype and page.doctype.lower() == "doctype html", path + ": no HTML5 doctype")
    check(not page.stack, "%s: elements left open: %s" % (path, page.stack))
    check(re.search(r'<meta charset="utf-8">', text) is not None, path + ": no UTF-8 declaration")
    for pattern in (r"https?:", r"\bsrc\s*=", r"<link\b", r"<script\b", r"url\(\s*['\"]?[^#'\"\s]", r"@import",
                    r"\bhref\s*=", r"file:"):
        check(re.search(pattern, text, re.I) is None, "%s: external reference %s" % (path, pattern))
    svgs = re.findall(r"<svg\b.*?</svg>", text, re.S)
    check(len(svgs) >= 3, "%s: %d pictures" % (path, len(svgs)))
    for svg in svgs:
        try:
            ET.fromstring(svg)
        except ET.ParseError as e:
            failures.append("%s: picture is not XML: %s" % (path, e))
    return page


def run_numbers(out):
    shading, diffuse, section = {}, {}, None
    for line in out.splitlines():
        if line.startswith("mean shading"):
            section = shading
        elif line.startswith("diffuse factors"):
            section = diffuse
        elif section is not None and line.startswith("  "):
            f = line.split()
            month = str(MONTHS.index(f[0]) + 1)
            section[month] = [f[1], f[2].lstrip("("), f[4]] if section is shading else [f[2], f[4]]
    return shading, diffuse


def irradiation_numbers(out):
    rows = {}
    for line in out.splitlines():
        f = line.split()
        if f and (f[0].isdigit() or f[0] == "year"):
            rows[f[0]] = f[1:]
    return rows


def table_rows(page, table):
    return {r[0]: r[2:] for r in page.tables.get(table, []) if r[0]}


def compare(name, project, options, weather, far=False, sky=()):
    work = tempfile.mkdtemp(prefix="report_check_")
    try:
        shutil.copy(os.path.join(EXAMPLES, project), work)
        args = [project, *options]
        extra = []
        if weather:
            write_weather(os.path.join(work, "w.epw"), *weather)
            extra = ["--weather", "w.epw", *sky]
        before = set(os.listdir(work))
        pages = {}
        for lang in ("d", "e"):
            cli("report", *args, *extra, "--lang", lang, "-o", "r_%s.html" % lang, cwd=work)
            pages[lang] = read_page(os.path.join(work, "r_%s.html" % lang))
        check(set(os.listdir(work)) - before == {"r_d.html", "r_e.html"},
              "%s: the report left files: %s" % (name, sorted(set(os.listdir(work)) - before)))
        shading, diffuse = run_numbers(cli("run", *args, "-o", "base", cwd=work))
        check(len(shading) > 0, name + ": run printed no months")
        for lang, page in pages.items():
            what = "%s (%s)" % (name, lang)
            check(table_rows(page, "monthly") == shading, "%s: monthly shading %s, run %s"
                  % (what, table_rows(page, "monthly"), shading))
            check(table_rows(page, "diffuse") == diffuse, "%s: diffuse factors differ from run's" % what)
            if weather:
                printed = irradiation_numbers(cli("irradiation", *args, *extra, "-o", "base", cwd=work))
                page_rows = table_rows(page, "irradiation-table")
                check(page_rows == printed, "%s: irradiation %s, irradiation printed %s" % (what, page_rows, printed))
        # The two languages: the same elements and attributes, the same numbers in their texts.
        d, e = pages["d"], pages["e"]
        check(d.tags == e.tags, name + ": German and English pages differ in their elements")
        numbers = [re.findall(r"-?\d+(?:\.\d+)?", " ".join(p.texts)) for p in (d, e)]
        check(numbers[0] == numbers[1], name + ": German and English pages differ in their numbers")
        for page in pages.values():
            warned = any(t.startswith(("Warning", "Achtung")) for t in page.texts)
            check(warned == far, "%s: far-away weather warning %s" % (name, "shown" if warned else "missing"))
    finally:
        shutil.rmtree(work)


compare("collector with weather and diffuse light", "collector.dat", ["--set", "diffuse=1"], (48.0, 11.6, 1))
compare("collector exact, isotropic sky", "collector.dat", ["--method", "exact"], (48.0, 11.6, 1),
        sky=("--sky-model", "isotropic"))
compare("facade, weather from far away", "facade.dat", ["--set", "interval-minutes=30"], (40.0, 11.6, 1), True)
compare("facade without weather, daily steps", "facade.dat", ["--set", "monthly=0"], None)
compare("collector, weather an hour off", "collector.dat", [], (48.0, 11.6, 3), True)

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
