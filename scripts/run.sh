#!/usr/bin/env bash
# Installs what is missing, builds and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target kalorimo
exec ./build/src/gui/kalorimo "$@"
