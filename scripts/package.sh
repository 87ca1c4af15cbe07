#!/usr/bin/env bash
# Builds the packages into build/packages/: the Debian package and the tar.gz
# from a Linux build (the release preset, or the one QUILBAR_PACKAGE_PRESET
# names, e.g. ci-release, whose build is then reused), the zip from the
# Windows cross build (mingw-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${QUILBAR_PACKAGE_PRESET:-release}"
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
scripts/install_build_tools.sh dpkg-dev g++-mingw-w64-x86-64-posix
mkdir -p build/packages
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target quilbar quilbar_manual
(cd "build/$preset" && cpack -G "DEB;TGZ" -B "$PWD/../packages" >/dev/null)
cmake --preset windows >/dev/null
cmake --build --preset windows
(cd build/windows && cpack -G ZIP -B "$PWD/../packages" >/dev/null)
rm -rf build/packages/_CPack_Packages
ls -l build/packages
