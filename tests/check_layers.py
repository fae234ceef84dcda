#!/usr/bin/env python3
"""Checks the build's link graph and the sources' includes against the layers.

Configures the source tree once more in a scratch folder with `cmake --graphviz`
(no build) and compares the direct links between our own targets with the table
below; then checks that no file under src/ includes a header of a layer its own
layer does not link, header-only ones included. Usage:
check_layers.py CMAKE SOURCE_DIR SCRATCH_DIR
"""
import pathlib
import re
import shutil
import subprocess
import sys

# Each library and the layers it links directly; a test program links its own layer.
LAYERS = {
    "penumbro_project": set(),
    "penumbro_formats": {"penumbro_project"},
    "penumbro_engine": {"penumbro_project"},
    "penumbro_simulation": {"penumbro_formats", "penumbro_engine"},
    "penumbro_editor": {"penumbro_simulation"},
    "penumbro_views": {"penumbro_simulation"},
    "penumbro_import": {"penumbro_editor"},
    "penumbro_ui": {"penumbro_editor", "penumbro_views", "penumbro_import"},
}
TOP = {"penumbro_views", "penumbro_import"}
PROGRAMS = {
    "penumbro-cli": TOP,
    "test_cli": TOP,
    "penumbro": {"penumbro_ui"},
    "penumbro_python": {"penumbro_simulation"},
}


def read_graph(dot_text):
    names = dict(re.findall(r'"(node\d+)"\s*\[\s*label\s*=\s*"([^"]+)"', dot_text))
    edges = {}
    for source, target in re.findall(r'"(node\d+)"\s*->\s*"(node\d+)"', dot_text):
        edges.setdefault(names[source], set()).add(names[target])
    return set(names.values()), edges


def below(layer):
    """The layers a layer may use: itself and everything it links, directly or not."""
    seen = {layer}
    stack = [layer]
    while stack:
        for dep in LAYERS[stack.pop()]:
            if dep not in seen:
                seen.add(dep)
                stack.append(dep)
    return {name[len("penumbro_"):] for name in seen}


def include_failures(source):
    failures = []
    layers = {name[len("penumbro_"):] for name in LAYERS}
    for path in sorted(pathlib.Path(source, "src").rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        layer = path.relative_to(pathlib.Path(source, "src")).parts[0]
        if layer not in layers:
            continue
        allowed = below("penumbro_" + layer)
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = re.match(r'\s*#\s*include\s*"([a-z]+)/', line)
            if match and match.group(1) in layers and match.group(1) not in allowed:
                failures.append(f"{path.relative_to(source)}:{number}: includes {match.group(1)}/ "
                                f"from the {layer} layer")
    return failures


def main():
    cmake, source, scratch = sys.argv[1:4]
    scratch = pathlib.Path(scratch)
    shutil.rmtree(scratch, ignore_errors=True)
    scratch.mkdir(parents=True)
    dot = scratch / "links.dot"
    # Benchmarks and fuzzing are left out: they are tools, not layers.
    done = subprocess.run([cmake, "-S", source, "-B", str(scratch / "tree"), f"--graphviz={dot}",
                           "-DPENUMBRO_BENCH=OFF", "-DPENUMBRO_FUZZ=OFF"],
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if done.returncode != 0:
        print(done.stderr)
        return 1
    nodes, edges = read_graph(dot.read_text())

    def ours(target):
        return {t for t in edges.get(target, set()) if t.startswith("penumbro_")}

    expected = dict(LAYERS)
    expected.update({p: deps for p, deps in PROGRAMS.items() if p in nodes})
    for node in nodes:
        if node.startswith("test_") and node != "test_cli":
            expected[node] = {"penumbro_" + node[len("test_"):]}
        elif node.startswith("tst_"):
            expected[node] = {"penumbro_ui"}
    failures = []
    for target, deps in sorted(expected.items()):
        if target not in nodes:
            if target in LAYERS and target != "penumbro_ui":
                failures.append(f"{target}: missing from the build")
            continue
        if ours(target) != deps:
            failures.append(f"{target} links {sorted(ours(target))}, expected {sorted(deps)}")
    for target in sorted(nodes - expected.keys()):
        if target.startswith("penumbro") and ours(target):
            failures.append(f"{target}: not in the layer table, links {sorted(ours(target))}")
    failures += include_failures(source)
    for failure in failures:
        print(failure)
    print(f"{len(expected)} targets checked, {len(failures)} wrong")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
