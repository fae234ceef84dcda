#!/usr/bin/env python3
"""Prints the report of each shipped example with headless Chromium and checks the PDF:
at least two pages, every one A4 portrait. Skipped (77) without /usr/bin/chromium.

usage: report_print.py PENUMBRO_CLI EXAMPLES_DIR"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

CHROMIUM = "/usr/bin/chromium"
if not os.path.exists(CHROMIUM):
    print("no " + CHROMIUM + ": skipped")
    sys.exit(77)
CLI, EXAMPLES = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
failures = []
work = tempfile.mkdtemp(prefix="report_print_")
try:
    for example in ("collector.dat", "facade.dat"):
        shutil.copy(os.path.join(EXAMPLES, example), work)
        html = os.path.join(work, example + ".html")
        pdf = os.path.join(work, example + ".pdf")
        subprocess.run([CLI, "report", example, "--set", "diffuse=1", "-o", html], cwd=work, check=True,
                       capture_output=True)
        subprocess.run([CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--no-pdf-header-footer",
                        "--user-data-dir=" + os.path.join(work, "profile"), "--print-to-pdf=" + pdf,
                        "file://" + html], cwd=work, capture_output=True, timeout=180)
        if not os.path.exists(pdf):
            failures.append(example + ": Chromium wrote no PDF")
            continue
        data = open(pdf, "rb").read()
        pages = len(re.findall(rb"/Type\s*/Page\b(?!s)", data))
        boxes = re.findall(rb"/MediaBox\s*\[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s*\]", data)
        if pages < 2:
            failures.append("%s: %d page(s)" % (example, pages))
        for box in boxes:
            x0, y0, x1, y1 = (float(v) for v in box)
            if abs(x1 - x0 - 595.3) > 3 or abs(y1 - y0 - 841.9) > 3:
                failures.append("%s: page of %.1f x %.1f pt, not A4 portrait" % (example, x1 - x0, y1 - y0))
        if not boxes:
            failures.append(example + ": no page size in the PDF")
        print("%s: %d pages" % (example, pages))
finally:
    shutil.rmtree(work)
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
