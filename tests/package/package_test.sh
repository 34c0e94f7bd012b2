#!/usr/bin/env bash
# Builds the Debian package from a finished build folder, unpacks it into a scratch root and runs
# kalorimo-calc from there: the package holds the programs, the desktop files and usable Depends.
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/pkg" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/pkg/kalorimo_*.deb)
dpkg-deb -x "$deb" "$scratch/root"

fail() { echo "FAIL: $*"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[[ "$(dpkg-deb -f "$deb" Package)" == kalorimo ]] || fail "package name"
[[ "$depends" == *libc6* ]] || fail "Depends not computed from the libraries"
for f in usr/bin/kalorimo-calc usr/bin/kalorimo usr/share/applications/kalorimo.desktop \
  usr/share/icons/hicolor/scalable/apps/kalorimo.svg usr/share/metainfo/org.example.kalorimo.metainfo.xml; do
  [[ -f "$scratch/root/$f" ]] || fail "missing $f"
done
[[ "$depends" == *libqt6widgets6* ]] || fail "Depends lacks Qt Widgets"

calc="$scratch/root/usr/bin/kalorimo-calc"
out=$("$calc" --data "$scratch/dane" --format csv p,t 10 500)
echo "$out"
grep -q '500' <<<"$out" || fail "no result from the installed kalorimo-calc"
[[ -f "$scratch/dane/Kalorimo.dat" ]] || fail "no Kalorimo.dat in the chosen data folder"
# Installed: a file stands where the folder beside the program would be made, so the per-user
# data folder serves as the default --data.
touch "$scratch/root/usr/bin/Kalorimo"
XDG_DATA_HOME="$scratch/xdg" "$calc" p,t 1 200 >/dev/null || fail "kalorimo-calc without --data"
[[ -f "$scratch/xdg/Kalorimo/Kalorimo.dat" ]] || fail "no per-user data folder"
desktop-file-validate "$scratch/root/usr/share/applications/kalorimo.desktop" || fail "desktop entry does not validate"
command -v appstreamcli >/dev/null && appstreamcli validate --no-net \
  "$scratch/root/usr/share/metainfo/org.example.kalorimo.metainfo.xml"
echo "OK $deb"
