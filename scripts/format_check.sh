#!/usr/bin/env bash
# Fails when clang-format (.clang-format) would change any C++ file of the tree.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- src tests tools bench fuzz | grep -E '\.(cpp|h)$')
clang-format --dry-run -Werror "${files[@]}"
echo "format: ${#files[@]} files checked"
