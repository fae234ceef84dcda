#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, checks it with dpkg-deb and
# lintian, installs it, runs the installed CLI and the installed program (offscreen)
# against a shipped example, and removes the package again. Run as root.
#   tools/deb-check.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="$(mktemp -d)"
installed=0
cleanup() {
  if [ "$installed" = 1 ]; then apt-get remove -y -qq penumbro >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "deb-check: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$(ls "$work"/package/penumbro_*_amd64.deb)"
echo "package: $(basename "$deb")"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb" > "$work/contents"
for path in ./usr/bin/penumbro ./usr/bin/penumbro-cli ./usr/share/applications/penumbro.desktop \
            ./usr/share/mime/packages/penumbro.xml ./usr/share/icons/hicolor/scalable/apps/penumbro.svg \
            ./usr/share/penumbro/doc/manual_de.html ./usr/share/penumbro/doc/manual_en.html \
            ./usr/share/penumbro/examples/collector.dat ./usr/share/doc/penumbro/copyright; do
  grep -q " $path\$" "$work/contents" || fail "the package lacks $path"
done
if ls "$build"/python/penumbro*.so >/dev/null 2>&1; then
  grep -q './usr/lib/python3/dist-packages/penumbro' "$work/contents" || fail "the package lacks the Python module"
fi

# Errors fail; the warnings the README accepts are listed there.
lintian --fail-on error --suppress-tags-from-file "$root/packaging/lintian-accepted" "$deb"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
installed=1
desktop-file-validate /usr/share/applications/penumbro.desktop

# A user of the installed program: its run parameters and settings live in
# $XDG_CONFIG_HOME/penumbro, never beside the program in /usr/bin.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/penumbro"
/usr/bin/penumbro-cli run /usr/share/penumbro/examples/collector.dat --out "$work/collector" > "$work/default.txt"
[ -s "$work/collector.rep" ] && [ -s "$work/collector.mit" ] || fail "the installed CLI wrote no .rep/.mit"
/usr/bin/penumbro-cli kon --write "$XDG_CONFIG_HOME/penumbro/standard.kon" --set interval-minutes=60
/usr/bin/penumbro-cli run /usr/share/penumbro/examples/collector.dat --out "$work/hourly" > "$work/hourly.txt"
instants() { sed -n 's/^instants simulated: //p' "$1"; }
if ls "$build"/python/penumbro*.so >/dev/null 2>&1; then
  /usr/bin/python3 -c "import penumbro; assert penumbro.Project('/usr/share/penumbro/examples/collector.dat').surface_count > 0" \
    || fail "Debian's python3 cannot import the installed module"
fi
[ "$(instants "$work/hourly.txt")" -lt "$(instants "$work/default.txt")" ] \
  || fail "the installed CLI did not read standard.kon from \$XDG_CONFIG_HOME/penumbro"
rm "$XDG_CONFIG_HOME/penumbro/standard.kon"

cp /usr/share/penumbro/examples/collector.dat "$work/"
PENUMBRO_SCREENSHOTS="$work/shots" QT_QPA_PLATFORM=offscreen timeout 300 /usr/bin/penumbro "$work/collector.dat" \
  > "$work/program.log" 2>&1 || { cat "$work/program.log"; fail "the installed program did not run to its end"; }
[ -s "$work/shots/1-dateneingabe.png" ] || fail "the installed program showed no main window"
for f in penumbro.ini standard.kon daten; do
  [ ! -e "/usr/bin/$f" ] || fail "the installed program wrote /usr/bin/$f"
done

apt-get remove -y -qq penumbro >/dev/null
installed=0
[ ! -e /usr/bin/penumbro-cli ] || fail "removing the package left /usr/bin/penumbro-cli"
echo "deb-check: package built, checked, installed, run and removed"
