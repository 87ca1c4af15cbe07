#!/usr/bin/env bash
# Builds the packages into build/packages/: the Debian package and the tar.gz
# from the release build, the zip from the Windows cross build (mingw-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_build_tools.sh dpkg-dev g++-mingw-w64-x86-64-posix
mkdir -p build/packages
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target quilbar quilbar_manual
(cd build/release && cpack -G "DEB;TGZ" -B "$PWD/../packages" >/dev/null)
cmake --preset windows >/dev/null
cmake --build --preset windows -j2
(cd build/windows && cpack -G ZIP -B "$PWD/../packages" >/dev/null)
rm -rf build/packages/_CPack_Packages
ls -l build/packages
