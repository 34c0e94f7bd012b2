#!/usr/bin/env bash
# Installs the Debian 12 packages Kalorimo needs to build, run and test; skips what is there.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config          # compiler, make, CMake
  libgtest-dev libgmock-dev                 # GoogleTest
  libbenchmark-dev                          # Google Benchmark
  qt6-base-dev qt6-base-dev-tools libgl-dev # Qt 6 Widgets and Test (Qt's CMake files need the GL headers)
  qt6-qpa-plugins                           # the X11 (xcb) and offscreen platform plugins
  qt6-svg-dev                               # SVG export of the I-S chart
  nlohmann-json3-dev                        # JSON output of kalorimo-calc
  fonts-dejavu-core fontconfig              # readable fonts for the windows (also offscreen)
  xdg-utils                                 # xdg-open: opens the report in the desktop's editor
  libqt6svg6                                # the SVG window icon
  qt6-translations-l10n                     # Qt's own Polish texts (dialog buttons, edit menus)
  dpkg-dev file                             # dpkg-shlibdeps: the package's Depends (CPack)
  appstream                                 # appstreamcli: checks the AppStream metainfo
  desktop-file-utils                        # desktop-file-validate: checks the desktop entry
  clang-format                              # the format check of the test command
  libsqlite3-dev                            # the turbine database (SQLite 3)
  sqlite3                                   # the sqlite3 command: the turbine database's fault test
  libcsv-dev                                # the plant's CSV exports (turbine workbench import)
  qt6-charts-dev libqt6opengl6-dev          # the workbench's trend chart (Qt Charts needs the OpenGL module's files)
  libxlsxwriter-dev                         # the workbench's XLSX export
  poppler-utils unzip                       # tests read the workbench's PDF report and XLSX back
)
if [ "${KALORIMO_WITH_X:-0}" = 1 ]; then
  PACKAGES+=(xvfb xauth)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
