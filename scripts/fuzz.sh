#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, address and undefined-behaviour
# sanitizers) and runs each fuzz target for a bounded time.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# SECONDS_PER_TARGET defaults to 10; TARGET names are those of fuzz/*_fuzz.cpp
# without "_fuzz" (free_format, control_file, ...), all by default. Each target
# starts from its seed corpus fuzz/corpus/<target>/ plus what earlier runs
# found (build/fuzz/corpus/<target>/). A crash, a sanitizer report, a failed
# property or a hang (10 s for one input) fails the target; its input is kept as
# build/fuzz/artifacts/<target>-crash-... and the report is in
# build/fuzz/logs/<target>.log.
#
# Needs: cmake, clang-14 (clang++ on PATH) and libclang-rt-14-dev.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

seconds="${1:-10}"
shift || true
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]" >&2
  exit 2
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" >/dev/null

build="$root/build/fuzz"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do
    name="$(basename "$source" .cpp)"
    targets+=("${name%_fuzz}")
  done
fi

mkdir -p "$build/logs" "$build/artifacts"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"

passed=0
failed=0
failed_names=()
printf '%-16s %10s %7s %7s %6s  %s\n' target executions cov ft corpus result
for target in "${targets[@]}"; do
  exe="$build/fuzz/${target}_fuzz"
  if [ ! -x "$exe" ]; then
    echo "fuzz: no target $target (looked for $exe)" >&2
    failed=$((failed + 1))
    failed_names+=("$target")
    continue
  fi
  corpus="$build/corpus/$target"
  seeds="$root/fuzz/corpus/$target"
  mkdir -p "$corpus"
  log="$build/logs/$target.log"
  seed_args=()
  [ -d "$seeds" ] && seed_args+=("$seeds")
  rc=0
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
    "$corpus" "${seed_args[@]}" >"$log" 2>&1 || rc=$?

  # libFuzzer's closing lines: "#N DONE cov: C ft: F corp: U/S ..." and
  # "stat::number_of_executed_units: N".
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  last="$(grep -E '^#[0-9]+' "$log" | tail -1 || true)"
  cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")"
  ft="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")"
  corp="$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")"
  if [ "$rc" -eq 0 ] && grep -q 'DONE' <<<"$last"; then
    result=ok
    passed=$((passed + 1))
  else
    result="FAILED (exit status $rc)"
    failed=$((failed + 1))
    failed_names+=("$target")
  fi
  printf '%-16s %10s %7s %7s %6s  %s\n' "$target" "${runs:-?}" "${cov:-?}" "${ft:-?}" \
    "${corp:-?}" "$result"
done

for target in "${failed_names[@]}"; do
  log="$build/logs/$target.log"
  echo
  echo "---- $target: $log"
  [ -f "$log" ] && grep -E -A40 'ERROR: |runtime error|property failed|==[0-9]+==|Test unit written' "$log" |
    head -60
done

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
