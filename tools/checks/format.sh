#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/../.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "Some files are not clang-formatted; run: git ls-files '*.cpp' '*.h' | xargs clang-format -i" >&2
    exit 1
fi
echo "format: ${#files[@]} files clang-formatted"
