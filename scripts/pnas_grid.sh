#!/usr/bin/env bash
# The saturation pressure search with its known degrees against every pass computed, over every
# temperature from -50 to 700 C in 0.01 K steps (75 001 calls per record, a few minutes), and
# the pressure search from temperature and enthalpy that runs to its limit.
# Usage: scripts/pnas_grid.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" -j2 --target tests_steam
KALORIMO_PNAS_GRID=1 "$build/tests/tests_steam" --gtest_filter='PnasGrid.KnownDegreesGiveEveryPassAsComputed'
# The pressure search from temperature and enthalpy likewise, over 400 x 400 states.
KALORIMO_PTH_GRID=1 "$build/tests/tests_steam" --gtest_filter='PthLimit.*'
