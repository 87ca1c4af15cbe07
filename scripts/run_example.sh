#!/usr/bin/env bash
# Builds quilbar and runs it on the shipped example cases. Each case is copied
# to build/examples/<case>/ and run there, so the source tree stays clean:
#   scripts/run_example.sh [case...]      (default: every case under examples/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install_build_tools.sh
cmake --preset release > /dev/null
CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" \
  cmake --build --preset release --target quilbar > /dev/null
exe="$PWD/build/release/quilbar"
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=($(ls examples))
for c in "${cases[@]}"; do
  work="build/examples/$c"
  rm -rf "$work"
  mkdir -p "$work"
  cp -r "examples/$c/." "$work/"
  before=$(ls "$work")
  echo "=== $c: quilbar run in $work"
  status=0
  (cd "$work" && "$exe" < /dev/null) || status=$?
  echo "=== $c: exit status $status; files written:"
  (cd "$work" && for f in *; do grep -qxF "$f" <<< "$before" || ls -l "$f"; done)
done
if [ -f build/examples/coast_year/coast_report.html ]; then
  echo
  echo "Run report of coast_year: open $PWD/build/examples/coast_year/coast_report.html in a browser"
fi
