#!/usr/bin/env bash
# scripts/report_check.sh: every example's run report in a real browser.
#
#   scripts/report_check.sh [--exe PATH] [--pictures DIR]
#
# Runs quilbar on each example case (a copy under build/report-check/), then
# renders its report page with headless Chromium twice: to a PNG screenshot
# and to its DOM after loading. Fails when the page does not load, when the
# DOM lacks the plan view or a station section (one per station of the
# case's station table), or when the screenshot is blank (next to no
# colours). Installs Debian's chromium when it is missing (as root, or
# through sudo). --pictures DIR keeps each full-page screenshot there as
# <case>.png; the README's pictures in docs/ are crops of coast_year.png
# (scripts/png_tool.py crop).
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
exe="$repo/build/release/quilbar"
pictures=""
while [ $# -gt 0 ]; do
  case "$1" in
    --exe) exe="$2"; shift 2 ;;
    --pictures) pictures="$2"; shift 2 ;;
    *) echo "usage: $0 [--exe PATH] [--pictures DIR]" >&2; exit 2 ;;
  esac
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! command -v chromium > /dev/null; then
  echo "Installing chromium"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq chromium > /dev/null
fi
if ! command -v python3 > /dev/null; then
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq python3 > /dev/null
fi
if [ ! -x "$exe" ]; then
  (cd "$repo" && cmake --preset release > /dev/null && cmake --build --preset release -j "$(nproc)" --target quilbar > /dev/null)
fi
exe="$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")"

work="$repo/build/report-check"
rm -rf "$work"
mkdir -p "$work"
[ -z "$pictures" ] || mkdir -p "$pictures"

browser() {  # browser PROFILE ARGS...: headless Chromium, nothing fetched from the network
  local profile="$1"
  shift
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars "$@"
}

failed=0
for case_dir in "$repo"/examples/*/; do
  name="$(basename "$case_dir")"
  d="$work/$name"
  cp -r "$case_dir" "$d"
  report="$(sed -n 's/^REP[A-Za-z]*[[:space:]]\{1,\}\([^[:space:]!]*\).*/\1/p' "$d/quilbar.ctrl" | tail -n 1)"
  if [ -z "$report" ]; then
    echo "$name: no REPORT record in quilbar.ctrl"
    failed=1
    continue
  fi
  (cd "$d" && "$exe" < /dev/null > console.txt 2> stderr.txt) || {
    echo "$name: quilbar failed (see $d/console.txt)"
    failed=1
    continue
  }
  stations=$(($(wc -l < "$d/${report%.*}_stations.csv") - 1))
  url="file://$d/$report"
  browser "$work/profile-$name" --window-size=1280,1600 --screenshot="$d/page.png" "$url" \
    > "$d/browser.log" 2>&1 || true
  browser "$work/profile-$name" --dump-dom "$url" > "$d/dom.html" 2>> "$d/browser.log" || true
  problems=""
  [ -s "$d/dom.html" ] || problems+=" the page did not load (see $d/browser.log);"
  plans=$(grep -c '<svg class="plan"' "$d/dom.html" || true)
  sections=$(grep -o '<details class="station"' "$d/dom.html" | wc -l)
  [ "$plans" -eq 1 ] || problems+=" $plans plan views;"
  [ "$sections" -eq "$stations" ] || problems+=" $sections station sections for $stations stations;"
  if [ ! -s "$d/page.png" ]; then
    problems+=" no screenshot;"
  else
    colours=$(python3 "$repo/scripts/png_tool.py" colours "$d/page.png")
    [ "$colours" -ge 20 ] || problems+=" the screenshot is blank ($colours colours);"
    [ -z "$pictures" ] || cp "$d/page.png" "$pictures/$name.png"
  fi
  if [ -n "$problems" ]; then
    echo "$name: FAILED:$problems"
    failed=1
  else
    echo "$name: $report loads, plan view and $sections station sections, screenshot of $colours colours"
  fi
done
exit "$failed"
