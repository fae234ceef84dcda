#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run Penumbro.
# clang and its runtimes (sanitizers, libFuzzer) serve tools/fuzz.sh.
# qt6-translations-l10n gives Qt's own buttons and file dialogs their German texts.
# python3-dev, pybind11 and numpy build and test the Python module.
# dpkg-dev, lintian and desktop-file-utils build and check the Debian package (tools/deb-check.sh).
# chromium prints the HTML report to PDF in a test and photographs it for tools/screenshots.sh.
# Run as root. Installs only missing packages, so a second run costs nothing.
set -euo pipefail
packages=(cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev qt6-translations-l10n
          qt6-base-dev libqt6opengl6-dev qt6-svg-dev libgl-dev fonts-dejavu-core view3dscene xvfb xauth libgl1-mesa-dri libboost-dev nlohmann-json3-dev
          clang libclang-rt-dev libcitygml-dev libassimp-dev
          dpkg-dev lintian desktop-file-utils chromium
          python3-dev pybind11-dev python3-pybind11 python3-numpy)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
