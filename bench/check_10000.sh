#!/usr/bin/env bash
# Whole-program check of a generated delivery of blackboard photos next to
# the inspection of the same pictures: `zorview --check --json` and
# `zorview --inspect --json`, both with the pictures in the page cache (a
# first inspection warms it), each run three times alternately. Prints
# wall-clock seconds and peak resident memory of every run and the ratio of
# the medians.
#
#   bench/check_10000.sh [BUILD_DIR] [PHOTOS] [SIZE_MB] [WORK_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
photos=${2:-10000}
size=${3:-1}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_GUI=OFF -DZOR_BUILD_BENCH=ON > /dev/null
cmake --build "$build" -j"${ZOR_JOBS:-2}" --target zorview inspect_delivery > /dev/null

work=${4:-$(mktemp -d)}
[ -n "${4:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work"
if [ ! -f "$work/delivery/PHOTO/PHOTO.XML" ]; then
  "$build/bench/inspect_delivery" "$work/delivery" "$photos" "$size"
fi
export XDG_DATA_HOME="$work/xdg"
echo "delivery: $(ls "$work/delivery/PHOTO/PIC" | wc -l) photos, $(du -sm "$work/delivery" | cut -f1) MB, PHOTO.XML $(du -k "$work/delivery/PHOTO/PHOTO.XML" | cut -f1) kB; $(nproc) cores"

measure() {  # label command...
  local label=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" > "$work/out" 2> "$work/err" || true
  read -r secs kb < "$work/time"
  printf '%-28s %8.2f s %9.1f MB\n' "$label" "$secs" "$(echo "$kb / 1024" | bc -l)"
  echo "$secs" >> "$work/$2.times"
}

rm -f "$work"/*.times
"$build/src/zorview" --inspect --json "$work/delivery" > /dev/null 2>&1 || true
for run in 1 2 3; do
  measure "zorview --inspect --json" "$build/src/zorview" --inspect --json "$work/delivery"
  measure "zorview --check --json" "$build/src/zorview" --check --json "$work/delivery"
done
tail -1 "$work/out"
median() { sort -n "$1" | sed -n 2p; }
echo "check / inspect (medians): $(echo "$(median "$work/--check.times") / $(median "$work/--inspect.times")" | bc -l | cut -c1-5)"
