#!/usr/bin/env bash
# Rebuilds the example projects with the command-line editor, exactly as the editor
# window would write them. Usage: tools/make-examples.sh [path/to/penumbro-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
C=${1:-build/cli/penumbro-cli}
out=examples
rm -f "$out/collector.dat" "$out/facade.dat"

$C new $out/collector.dat
$C comment $out/collector.dat "Kollektor auf dem Garagendach mit Nachbarhaus, Linde und Gartenmauer"
$C add $out/collector.dat rectangle name=Kollektor target=1 lu=4 lv=2 u0=0 v0=0 azimuth=180 elevation=45 x=10 y=12 z=3
$C add $out/collector.dat house name=Nachbarhaus ew-width=8 ns-width=10 height=6 roof=3 rotation=0 x=2 y=-6 z=0
$C add $out/collector.dat tree name=Linde trunk-height=3 trunk-diameter=0.4 crown-diameter=6 x=18 y=4 z=0 \
  foliage=0,0,10,50,90,100,100,100,90,60,20,0
$C add $out/collector.dat rectangle name=Gartenmauer target=0 lu=12 lv=2.5 u0=0 v0=0 azimuth=180 elevation=0 x=6 y=7 z=0
$C site $out/collector.dat 48.0 -11.6 -1.0

$C new $out/facade.dat
$C comment $out/facade.dat "Suedfenster mit Vordach, seitlicher Wandscheibe und Horizontlinie"
$C add $out/facade.dat rectangle name=Fenster target=1 lu=1.5 lv=1.2 u0=0 v0=0 azimuth=180 elevation=0 x=0 y=0 z=1
$C add $out/facade.dat overhang name=Vordach target=1 "corners=-0.3,1.4;1.8,1.4;1.8,2.2;-0.3,2.2" \
  azimuth-difference=0 elevation-difference=-90
$C add $out/facade.dat rectangle name=Wandscheibe target=0 lu=0.8 lv=2.4 u0=0 v0=0 azimuth=90 elevation=0 x=-0.4 y=-0.8 z=0.5
$C horizon $out/facade.dat 0-100=4 100-160=9.5 160-200=6 200-260=12 260-360=3
$C site $out/facade.dat 51.0 -7.0 -1.0
