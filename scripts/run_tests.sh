#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a release build with warnings as
# errors, and a build with the address and undefined-behaviour sanitizers;
# each under ctest (a process per test) and once more as one process, so that
# state one test leaves for another is caught; then checks the formatting.
set -euo pipefail
cd "$(dirname "$0")/.."
# The end-to-end tests of the run report read its page with python3's XML parser.
extra=()
command -v python3 > /dev/null || extra+=(python3)
scripts/install_build_tools.sh "${extra[@]}"
# Builds and tests on every core (the presets leave the count to the machine).
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"
cmake --workflow --preset ci-release
cmake --workflow --preset ci
for preset in ci-release ci; do
  echo "quilbar_tests of $preset as one process"
  build/$preset/quilbar_tests --gtest_brief=1
done
scripts/check_format.sh
