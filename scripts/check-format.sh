#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "Formatting differs from .clang-format; run: git ls-files '*.cpp' '*.h' | xargs clang-format -i" >&2
  exit 1
fi
echo "Format check: ${#files[@]} files as .clang-format wants them"
