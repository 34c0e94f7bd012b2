#!/usr/bin/env bash
# The full bit-identity checks of the fast paths, far beyond the suite's slices:
#   number texts through std::to_chars against the C library's texts (singles and doubles),
#   the library's fast forms and kept values against the step-by-step forms (solver calls),
#   the batch tool's reset loop against a fresh model per line (sweep lines, every format).
# Usage: scripts/bitcheck.sh [COUNT]   (default 2 000 000 values / 500 000 calls / 200 000 lines)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)" --target tests_common tests_steam tests_tools
KALORIMO_FULL_CHECK="${1:-2000000}" build/tests/tests_common --gtest_filter='DecimalDigits.*'
KALORIMO_FULL_CHECK="${1:-500000}" build/tests/tests_steam --gtest_filter='FastPaths.*'
KALORIMO_FULL_CHECK="${1:-200000}" build/tests/tests_tools --gtest_filter='ResetLoop.*'
