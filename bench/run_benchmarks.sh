#!/usr/bin/env bash
# bench/run_benchmarks.sh: the whole program against the I/O floor, on large cases.
#
#   bench/run_benchmarks.sh [--reps N] [--dir DIR] [--exe PATH] [--no-scaling]
#
#   --reps N      timed repetitions of every command, at least 3 (default 5)
#   --dir DIR     scratch directory for the cases (default /tmp/quilbar-bench);
#                 cases are generated once and regenerated only when the
#                 generator changes; they take about 3 GB with their outputs
#   --exe PATH    the quilbar binary to time (default: the `bench` preset's
#                 release build, build/bench/quilbar, built here first)
#   --no-scaling  only the three presets, without the scaling cases
#
# Cases: the presets ts-map, ts-dun and ss-dun of bench/generate_case.py, and for
# the scaling figures ts-map at 100 and 400 stations and at 4380 and 17520 events
# (200 stations and 8760 events are ts-map itself); ts-map-rep and ts-dun-rep
# are ts-map and ts-dun with the run report asked for, timed side by side with
# them for the report's cost.
#
# For every case, after an untimed warm-up run (which fills the page cache and
# measures the bytes the program writes, its console output included), each
# repetition times, one after the other and alternating case by case:
#   program: quilbar in the case directory, stdin from /dev/null, under
#            /usr/bin/time -v for the peak resident memory;
#   floor:   every input file read once (cat > /dev/null) plus as many bytes
#            written as the program wrote (dd from /dev/zero into a file in the
#            case directory, no fsync);
#   files floor: the same read, and the same bytes written into as many files
#            as the program wrote, of the same sizes (its console counted with
#            the first), each rewritten in place as dd rewrites its one file
#            (one perl process, 1 MiB writes, in DIR/CASE/.floor). A run that
#            writes 200 wave files pays for 200 files, which one file does not.
# A `sync` (untimed) precedes each command, so no command pays for the dirty
# pages of the one before. Reported per case: the medians of all three, the
# program's ratio to each floor, its throughput (input + output bytes over its
# median), its peak resident memory against the budget (the run's tables +
# 64 MiB), and the cost per station x step. The time-series cases' outputs are deterministic: their
# SHA-256 sums go to DIR/checksums.txt, so that a speed-up can be checked to
# keep every output byte-identical.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
reps=5
dir=/tmp/quilbar-bench
exe=""
scaling=1
while [ $# -gt 0 ]; do
  case "$1" in
    --reps) reps="$2"; shift 2 ;;
    --dir) dir="$2"; shift 2 ;;
    --exe) exe="$2"; shift 2 ;;
    --no-scaling) scaling=0; shift ;;
    -h|--help) sed -n '2,40p' "$0"; exit 0 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
if ! [ "$reps" -ge 3 ] 2>/dev/null; then
  echo "--reps must be a number of at least 3" >&2
  exit 2
fi

if [ ! -x /usr/bin/time ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y time
fi

if [ -z "$exe" ]; then
  (cd "$repo" && cmake --preset bench > /dev/null && cmake --build --preset bench -j 2 --target quilbar > /dev/null)
  exe="$repo/build/bench/quilbar"
fi
exe="$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")"
[ -x "$exe" ] || { echo "no quilbar binary at $exe" >&2; exit 2; }

# name, preset, generator overrides
cases=("ts-map ts-map" "ts-dun ts-dun" "ss-dun ss-dun" "ts-map-rep ts-map --report"
       "ts-dun-rep ts-dun --report")
if [ "$scaling" -eq 1 ]; then
  cases+=("ts-map-s100 ts-map --stations 100" "ts-map-s400 ts-map --stations 400"
          "ts-map-e4380 ts-map --events 4380" "ts-map-e17520 ts-map --events 17520")
fi

mkdir -p "$dir/logs"
generator="$repo/bench/generate_case.py"
gen_sum="$(sha256sum "$generator" | cut -d' ' -f1)"

field() {  # field CASE_DIR KEY: a value of the case's case.txt
  sed -n "s/^$2=//p" "$1/case.txt"
}

echo "Generating the cases in $dir"
for c in "${cases[@]}"; do
  read -r name preset args <<< "$c"
  stamp="$gen_sum $preset $args"
  if [ -f "$dir/$name/.generated" ] && [ "$(cat "$dir/$name/.generated")" = "$stamp" ]; then
    continue
  fi
  rm -rf "${dir:?}/$name"
  # shellcheck disable=SC2086  # the overrides are separate words
  python3 "$generator" "$preset" "$dir/$name" $args
  echo "$stamp" > "$dir/$name/.generated"
  echo "  $name"
done

now() { echo "${EPOCHREALTIME/,/.}"; }

declare -A out_bytes in_bytes out_files
fail() { echo "$1" >&2; exit 1; }

run_program() {  # run_program NAME: one run; sets $elapsed, $cpu and $rss_kb
  local name="$1" t0 t1 status=0
  local log="$dir/logs/$name.stdout" tv="$dir/logs/$name.time"
  t0=$(now)
  (cd "$dir/$name" && /usr/bin/time -v -o "$tv" "$exe" < /dev/null > "$log" 2> "$dir/logs/$name.stderr") || status=$?
  t1=$(now)
  [ "$status" -eq 0 ] || fail "$name: quilbar ended with status $status (see $dir/logs/$name.*)"
  [ ! -s "$dir/logs/$name.stderr" ] || fail "$name: quilbar wrote to standard error (see $dir/logs/$name.stderr)"
  ! grep -q "ERROR" "$log" || fail "$name: quilbar reported an error (see $log)"
  elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }')
  rss_kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$tv")
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%.4f", s }' "$tv")
}

# The files floor's writer: NAME SIZE pairs, each file rewritten with SIZE zeros.
# shellcheck disable=SC2016  # perl's own variables
write_files='my $block = "\0" x 1048576;
while (@ARGV) {
  my ($name, $size) = splice(@ARGV, 0, 2);
  open(my $f, ">:raw", $name) or die "$name: $!";
  for (; $size > 0; $size -= 1048576) {
    defined(syswrite($f, $block, $size < 1048576 ? $size : 1048576)) or die "$name: $!";
  }
  close($f) or die "$name: $!";
}'

# The inner shell of each floor: $1 the inputs, then what it writes.
# shellcheck disable=SC2016  # their variables belong to the inner shell
one_file='cat $1 > /dev/null && dd if=/dev/zero of=floor.out bs=1M count="$2" iflag=count_bytes status=none'
# shellcheck disable=SC2016
many_files='cat $1 > /dev/null && cd .floor && shift && perl -e "$0" "$@"'

run_floor() {  # run_floor NAME one|files: sets $elapsed and $cpu
  local name="$1" t0 t1
  local tv="$dir/logs/$name.floor-$2-time"
  t0=$(now)
  if [ "$2" = one ]; then
    (cd "$dir/$name" && /usr/bin/time -f '%U %S' -o "$tv" bash -c "$one_file" \
      floor "$(field . inputs)" "${out_bytes[$name]}")
  else
    # shellcheck disable=SC2086  # the NAME SIZE pairs are words
    (cd "$dir/$name" && /usr/bin/time -f '%U %S' -o "$tv" bash -c "$many_files" \
      "$write_files" "$(field . inputs)" ${out_files[$name]})
  fi
  t1=$(now)
  elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f", b - a }')
  cpu=$(awk '{ printf "%.4f", $1 + $2 }' "$tv")
}

echo "Warm-up run of every case"
: > "$dir/checksums.txt"
for c in "${cases[@]}"; do
  read -r name preset _ <<< "$c"
  d="$dir/$name"
  rm -rf "$d/floor.out" "$d/.floor"
  read -r -a inputs <<< "$(field "$d" inputs)"
  (cd "$d" && cat "${inputs[@]}" > /dev/null)
  run_program "$name"
  # Every file that is neither an input nor bookkeeping is an output.
  outputs=()
  while IFS= read -r f; do
    case " ${inputs[*]} case.txt .generated floor.out .floor " in
      *" $f "*) ;;
      *) outputs+=("$f") ;;
    esac
  done < <(cd "$d" && ls -A)
  [ ${#outputs[@]} -gt 0 ] || fail "$name: quilbar wrote no output file"
  bytes=$(cd "$d" && cat "${outputs[@]}" | wc -c)
  console=$(wc -c < "$dir/logs/$name.stdout")
  out_bytes[$name]=$((bytes + console))
  # The files floor's files: one per output, of its size, the console with the first.
  out_files[$name]=""
  k=0
  while read -r size; do
    [ "$k" -gt 0 ] || size=$((size + console))
    k=$((k + 1))
    out_files[$name]+="$k.out $size "
  done < <(cd "$d" && stat -c %s "${outputs[@]}")
  mkdir -p "$d/.floor"
  in_bytes[$name]=$(cd "$d" && cat "${inputs[@]}" | wc -c)
  if [[ "$preset" == ts-* ]]; then
    (cd "$d" && sha256sum "${outputs[@]}") | sed "s|^|$name |" >> "$dir/checksums.txt"
  fi
done

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
echo "Timing: $reps repetitions, program, floor and files floor alternating"
declare -A prog_times floor_times files_times prog_cpu floor_cpu rss_max
for ((r = 1; r <= reps; r++)); do
  for c in "${cases[@]}"; do
    read -r name _ <<< "$c"
    sync
    run_program "$name"
    prog_times[$name]+="$elapsed "
    prog_cpu[$name]+="$cpu "
    if [ -z "${rss_max[$name]:-}" ] || [ "$rss_kb" -gt "${rss_max[$name]}" ]; then
      rss_max[$name]=$rss_kb
    fi
    sync
    run_floor "$name" one
    floor_times[$name]+="$elapsed "
    floor_cpu[$name]+="$cpu "
    sync
    run_floor "$name" files
    files_times[$name]+="$elapsed "
  done
  echo "  repetition $r done"
done

median() {  # median VALUES...
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 }
    END { if (NR % 2) printf "%.3f", v[(NR + 1) / 2]; else printf "%.3f", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo
echo "program $exe (kit at $(git -C "$repo" rev-parse --short HEAD 2>/dev/null || echo "?")), $(nproc) cores," \
  "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), $reps repetitions (medians)," \
  "load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"
echo "wall: elapsed seconds; cpu: user + system seconds (what other load on the machine leaves alone)"
printf '%-14s %8s %7s %7s %8s %7s %7s %7s %7s %7s %7s %7s %7s %7s %7s %8s %8s\n' case stations \
  steps in_MB out_MB prog_s floor_s ratio files files_s ratio MB/s prog_cpu flr_cpu ratio \
  peak_MiB budget
declare -A prog_median prog_cpu_median
for c in "${cases[@]}"; do
  read -r name _ <<< "$c"
  d="$dir/$name"
  # shellcheck disable=SC2086
  p=$(median ${prog_times[$name]})
  # shellcheck disable=SC2086
  f=$(median ${floor_times[$name]})
  # shellcheck disable=SC2086
  ff=$(median ${files_times[$name]})
  # shellcheck disable=SC2086
  pc=$(median ${prog_cpu[$name]})
  # shellcheck disable=SC2086
  fc=$(median ${floor_cpu[$name]})
  prog_median[$name]=$p
  prog_cpu_median[$name]=$pc
  awk -v n="$name" -v st="$(field "$d" stations)" -v ev="$(field "$d" output_events)" \
    -v ib="${in_bytes[$name]}" -v ob="${out_bytes[$name]}" -v p="$p" -v f="$f" -v pc="$pc" \
    -v ff="$ff" -v nf="$(wc -w <<< "${out_files[$name]}")" \
    -v fc="$fc" -v rss="${rss_max[$name]}" -v tb="$(field "$d" table_bytes)" 'BEGIN {
      printf "%-14s %8d %7d %7.1f %8.1f %7.3f %7.3f %6.2fx %7d %7.3f %6.2fx %7.1f %8.3f %7.3f %6.2fx %8.1f %8.1f\n",
        n, st, ev, ib / 1e6, ob / 1e6, p, f, p / f, nf / 2, ff, p / ff, (ib + ob) / 1e6 / p, pc, fc,
        pc / fc, rss / 1024, tb / 1048576 + 64 }'
done
echo "floor: the bytes written into one file; files: the output files, files_s: their floor;"
echo "MB/s: input + output bytes over the program's wall median; peak: the largest resident set;"
echo "budget: the run's tables at their element sizes + 64 MiB"

echo
echo "Cost of the run report (REPORT), each against the same case without it"
printf '%-14s %9s %7s %9s %7s %9s\n' case prog_s x_wall prog_cpu x_cpu +peak_MiB
for base in ts-map ts-dun; do
  name="$base-rep"
  awk -v n="$name" -v p="${prog_median[$name]}" -v b="${prog_median[$base]}" \
    -v pc="${prog_cpu_median[$name]}" -v bc="${prog_cpu_median[$base]}" \
    -v r="${rss_max[$name]}" -v rb="${rss_max[$base]}" 'BEGIN {
      printf "%-14s %9.3f %6.2fx %9.3f %6.2fx %9.1f\n", n, p, p / b, pc, pc / bc, (r - rb) / 1024 }'
done

if [ "$scaling" -eq 1 ]; then
  echo
  echo "Scaling of ts-map (time against the 200-station, 8760-event case)"
  printf '%-14s %8s %7s %9s %7s %8s %7s %16s\n' case stations steps prog_s x_wall prog_cpu x_cpu \
    cpu_ns/stn-step
  for name in ts-map-s100 ts-map ts-map-s400 ts-map-e4380 ts-map-e17520; do
    d="$dir/$name"
    awk -v n="$name" -v st="$(field "$d" stations)" -v ev="$(field "$d" output_events)" \
      -v p="${prog_median[$name]}" -v base="${prog_median[ts-map]}" \
      -v pc="${prog_cpu_median[$name]}" -v cbase="${prog_cpu_median[ts-map]}" 'BEGIN {
        printf "%-14s %8d %7d %9.3f %6.2fx %8.3f %6.2fx %16.1f\n", n, st, ev, p, p / base, pc,
          pc / cbase, pc / (st * ev) * 1e9 }'
  done
fi
echo
echo "Output checksums of the time-series cases: $dir/checksums.txt"
