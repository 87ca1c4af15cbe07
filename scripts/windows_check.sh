#!/usr/bin/env bash
# Runs the Linux build and the Windows build (under wine) on each case and
# checks that the console text, the exit status and every file the run leaves
# in its directory are byte-identical between the two (and the error report on
# standard error, but for its line ends).
#
#   scripts/windows_check.sh [CASE_DIR...]
#
# With no arguments every directory under examples/ that holds a quilbar.ctrl
# is a case. Each build gets its own scratch copy of the case directory and runs
# there twice, the second time over the first run's outputs; standard input is
# /dev/null (so an error stop's pause prompt returns at once).
#
# Environment:
#   LINUX_EXE, WINDOWS_EXE  use these programs instead of building them
#   RUN_TIMEOUT             seconds allowed for one run (default 300)
#   KEEP_SCRATCH=1          keep the scratch directory for inspection
#
# Needs: cmake, g++, g++-mingw-w64-x86-64-posix, wine64 (Debian: wine64 wine).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

run_timeout="${RUN_TIMEOUT:-300}"

# Builds: the Linux release without the test suite, and the Windows preset.
if [ -z "${LINUX_EXE:-}" ]; then
  cmake -S . -B build/windows-check-linux -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build build/windows-check-linux -j2 >/dev/null
  LINUX_EXE="$root/build/windows-check-linux/quilbar"
fi
if [ -z "${WINDOWS_EXE:-}" ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j2 >/dev/null
  WINDOWS_EXE="$root/build/windows/quilbar.exe"
fi
LINUX_EXE="$(realpath "$LINUX_EXE")"
WINDOWS_EXE="$(realpath "$WINDOWS_EXE")"

# Debian installs the 64-bit loader outside PATH.
if command -v wine64 >/dev/null 2>&1; then
  wine_cmd="$(command -v wine64)"
elif [ -x /usr/lib/wine/wine64 ]; then
  wine_cmd=/usr/lib/wine/wine64
elif command -v wine >/dev/null 2>&1; then
  wine_cmd="$(command -v wine)"
else
  echo "windows_check: wine64 not found (apt-get install wine64 wine)" >&2
  exit 2
fi
wineserver_cmd="$(command -v wineserver || echo /usr/lib/wine/wineserver)"

cases=("$@")
if [ ${#cases[@]} -eq 0 ]; then
  for ctrl in examples/*/quilbar.ctrl; do
    [ -e "$ctrl" ] && cases+=("$(dirname "$ctrl")")
  done
fi
if [ ${#cases[@]} -eq 0 ]; then
  echo "windows_check: no case directories found" >&2
  exit 2
fi

scratch="$(mktemp -d "${TMPDIR:-/tmp}/quilbar-wincheck.XXXXXX")"
export WINEPREFIX="$scratch/wineprefix"
export WINEDEBUG=-all
cleanup() {
  "$wineserver_cmd" -k >/dev/null 2>&1 || true
  if [ "${KEEP_SCRATCH:-0}" = 1 ]; then
    echo "windows_check: scratch kept in $scratch"
  else
    rm -rf "$scratch"
  fi
}
trap cleanup EXIT

# Creating the prefix once keeps wine's first-run notes out of the runs.
timeout 300 "$wine_cmd" wineboot --init >/dev/null 2>&1 || true
"$wineserver_cmd" -w >/dev/null 2>&1 || true

# run_case EXE WORKDIR OUTBASE [LAUNCHER]: runs the program in WORKDIR and
# leaves OUTBASE.stdout, OUTBASE.stderr and OUTBASE.rc.
run_case() {
  local exe="$1" dir="$2" out="$3"
  shift 3
  local rc=0
  (cd "$dir" && timeout "$run_timeout" "$@" "$exe" </dev/null >"$out.stdout" 2>"$out.stderr") || rc=$?
  echo "$rc" >"$out.rc"
}

# The files of a tree, as sorted relative paths.
file_list() {
  (cd "$1" && find . -type f -print | LC_ALL=C sort)
}

passed=0
failed=0
for case_dir in "${cases[@]}"; do
  case_dir="${case_dir%/}"
  name="$(basename "$case_dir")"
  if [ ! -d "$case_dir" ]; then
    echo "FAIL $name: no such directory: $case_dir"
    failed=$((failed + 1))
    continue
  fi
  work="$scratch/cases/$name"
  mkdir -p "$work"
  cp -a "$case_dir" "$work/linux"
  cp -a "$case_dir" "$work/windows"

  # The second run meets the first run's outputs in place: replacing an
  # existing file is where the two systems differ most.
  problems=()
  for run in 1 2; do
    when=""
    [ "$run" = 2 ] && when=" (second run over the first one's outputs)"
    run_case "$LINUX_EXE" "$work/linux" "$work/linux-run$run"
    run_case "$WINDOWS_EXE" "$work/windows" "$work/windows-run$run" "$wine_cmd"

    linux_rc="$(cat "$work/linux-run$run.rc")"
    windows_rc="$(cat "$work/windows-run$run.rc")"
    [ "$linux_rc" = 124 ] && problems+=("the Linux run timed out$when")
    [ "$windows_rc" = 124 ] && problems+=("the Windows run timed out$when")
    [ "$linux_rc" = "$windows_rc" ] ||
      problems+=("exit status $linux_rc on Linux, $windows_rc on Windows$when")
    if ! diff_at="$(cmp "$work/linux-run$run.stdout" "$work/windows-run$run.stdout" 2>&1)"; then
      problems+=("console text differs$when: ${diff_at//$work\//}")
    fi
    # Standard error stays in text mode on Windows: its lines end in CR LF there.
    if ! cmp -s <(tr -d '\r' <"$work/linux-run$run.stderr") \
      <(tr -d '\r' <"$work/windows-run$run.stderr"); then
      problems+=("the error report differs$when")
    fi
    if ! list_diff="$(diff <(file_list "$work/linux") <(file_list "$work/windows"))"; then
      problems+=("the runs left different files$when: $(echo "$list_diff" | grep '^[<>]' | tr '\n' ' ')")
    fi
    files=0
    while IFS= read -r f; do
      [ -f "$work/windows/$f" ] || continue
      files=$((files + 1))
      if ! diff_at="$(cmp "$work/linux/$f" "$work/windows/$f" 2>&1)"; then
        problems+=("${f#./} differs$when: ${diff_at//$work\//}")
      fi
    done < <(file_list "$work/linux")
  done

  stdout_bytes="$(wc -c <"$work/linux-run1.stdout")"
  if [ ${#problems[@]} -eq 0 ]; then
    echo "PASS $name: exit status $linux_rc, console $stdout_bytes bytes, $files files identical, twice"
    passed=$((passed + 1))
  else
    echo "FAIL $name:"
    for p in "${problems[@]}"; do echo "  - $p"; done
    for run in 1 2; do
      if [ -s "$work/windows-run$run.stderr" ]; then
        echo "  Windows stderr, run $run: $(head -c 400 "$work/windows-run$run.stderr")"
      fi
    done
    failed=$((failed + 1))
  fi
done

echo "windows_check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
