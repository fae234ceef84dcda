#!/usr/bin/env bash
# Saves pictures of the program for reviewing its look: one per mode, every editor panel
# in both languages, the online page at a shaded instant, the editor's 3D
# preview from two views (software OpenGL of the virtual X server) and one of the
# fast-run window after a short run. Runs the program under a virtual X server.
# With Chromium installed, also the first page of the project's HTML report.
#   tools/screenshots.sh [BUILD_DIR] [PROJECT.dat] [OUT_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
project="${2:-}"
out="${3:-$root/build/screenshots}"
program="$build/app/penumbro"
[ -x "$program" ] || { echo "no program at $program (build the target penumbro first)" >&2; exit 1; }
if [ -z "$project" ]; then
  project="$(ls "$root"/examples/*.dat 2>/dev/null | head -n 1 || true)"
fi
[ -n "$project" ] || { echo "no example project: give PROJECT.dat" >&2; exit 1; }
mkdir -p "$out"
# A copy, so the run's output files land beside it and not among the examples.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$project" "$work/"
PENUMBRO_SCREENSHOTS="$out" xvfb-run -a -s "-screen 0 1280x800x24" \
  "$program" "$work/$(basename "$project")"
cli="$(cd "$build" && pwd)/cli/penumbro-cli"
if [ -x /usr/bin/chromium ] && [ -x "$cli" ]; then
  (cd "$work" && "$cli" report "$(basename "$project")" -o report.html >/dev/null &&
   /usr/bin/chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$work/chromium" \
     --window-size=794,1123 --screenshot="$out/report_page1.png" "file://$work/report.html" >/dev/null 2>&1) ||
    echo "report picture failed" >&2
fi
ls -1 "$out"/*.png
