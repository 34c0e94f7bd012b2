#!/usr/bin/env bash
# The full property sweep: builds kalorimo-sweep (Release) and runs it.
# Extra arguments go to kalorimo-sweep, e.g. --count 1000000 --seed 7 --faults 50.
# Prints calculations, messages by text, errors by number and the slowest calculations;
# exits 1 when any calculation showed NaN/inf, hung or crashed.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-sweep -DCMAKE_BUILD_TYPE=Release -DKALORIMO_GUI=OFF -DKALORIMO_TESTS=OFF -DKALORIMO_BENCH=OFF
cmake --build build-sweep -j"$(nproc)" --target kalorimo-sweep
exec build-sweep/tools/kalorimo-sweep --count 200000 --seed 1 "$@"
