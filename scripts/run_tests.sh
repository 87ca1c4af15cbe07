#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a release build with warnings as
# errors, and a build with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_build_tools.sh
cmake --workflow --preset ci-release
cmake --workflow --preset ci
