#!/usr/bin/env bash
# Fails when a tracked C++ source differs from its clang-format layout
# (.clang-format), naming the files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_build_tools.sh clang-format
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "check_format: every source is formatted"
