#!/usr/bin/env bash
# The program built with the thread sanitizer (the `tsan` preset), run on every
# example with its run report on 1, 2 and 7 threads. A report of the sanitizer
# (a data race, a lock taken in a bad order) or anything else on standard
# error fails the check, and so does any byte of the console or of a file that
# differs from the one-thread run.
#
#   scripts/thread_check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cmake --preset tsan > /dev/null
if ! cmake --build --preset tsan --target quilbar > "$work/build.log" 2>&1; then
  cat "$work/build.log" >&2
  exit 1
fi
exe="$PWD/build/tsan/quilbar"

export TSAN_OPTIONS="halt_on_error=1 exitcode=66"
for example in examples/*/; do
  name="$(basename "$example")"
  for threads in 1 2 7; do
    d="$work/$name-$threads"
    cp -r "$example" "$d"
    status=0
    (cd "$d" && QUILBAR_THREADS="$threads" "$exe" < /dev/null > console.txt 2> ../stderr.txt) ||
      status=$?
    if [ "$status" -ne 0 ] || [ -s "$work/stderr.txt" ]; then
      echo "thread_check: $name on $threads threads: status $status" >&2
      cat "$work/stderr.txt" >&2
      exit 1
    fi
  done
  for threads in 2 7; do
    if ! diff -r "$work/$name-1" "$work/$name-$threads" > /dev/null; then
      echo "thread_check: $name on $threads threads differs from one thread:" >&2
      diff -rq "$work/$name-1" "$work/$name-$threads" >&2 || true
      exit 1
    fi
  done
  echo "thread_check: $name clean and the same on 1, 2 and 7 threads"
done
