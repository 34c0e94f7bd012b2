#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# shellcheck disable=SC2086
cmake --preset dev ${KALORIMO_CMAKE_ARGS:-}
cmake --build --preset dev -j"$(nproc)"
ctest --preset dev -j"$(nproc)"
