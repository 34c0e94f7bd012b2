#!/usr/bin/env bash
# The saturation pressure search with its known degrees against every pass computed, over every
# temperature from -50 to 700 C in 0.01 K steps (75 001 calls per record, a few minutes).
# Usage: scripts/pnas_grid.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" -j2 --target tests_steam
KALORIMO_PNAS_GRID=1 "$build/tests/tests_steam" --gtest_filter='PnasGrid.KnownDegreesGiveEveryPassAsComputed'
