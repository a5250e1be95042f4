#!/usr/bin/env bash
# Whole-program inspection of a generated delivery of blackboard photos
# (about 6 MB each, EXIF dates and tamper values written by our own code):
# `zorview --inspect` next to `sha256sum` over the same pictures, both with
# the pictures in the page cache (a first sha256sum run warms it), each run
# three times alternately. Prints wall-clock seconds and peak resident
# memory of every run.
#
#   bench/inspect_10000.sh [BUILD_DIR] [PHOTOS] [SIZE_MB] [WORK_DIR]
#
# 10,000 photos of 6 MB need 60 GB of disk; pass fewer photos when the disk
# or the page cache is smaller.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
photos=${2:-10000}
size=${3:-6}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_GUI=OFF -DZOR_BUILD_BENCH=ON > /dev/null
cmake --build "$build" -j"${ZOR_JOBS:-2}" --target zorview inspect_delivery > /dev/null

work=${4:-$(mktemp -d)}
[ -n "${4:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work"
if [ ! -f "$work/delivery/PHOTO/PHOTO.XML" ]; then
  "$build/bench/inspect_delivery" "$work/delivery" "$photos" "$size"
fi
export XDG_DATA_HOME="$work/xdg"
pics=("$work"/delivery/PHOTO/PIC/*.JPG)
echo "delivery: ${#pics[@]} photos, $(du -sm "$work/delivery/PHOTO/PIC" | cut -f1) MB; $(nproc) cores"

measure() {  # label command...
  local label=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" > "$work/out" 2> "$work/err" || true
  read -r secs kb < "$work/time"
  printf '%-28s %8.2f s %9.1f MB\n' "$label" "$secs" "$(echo "$kb / 1024" | bc -l)"
}

printf '%s\0' "${pics[@]}" > "$work/list"
measure "sha256sum (warming)" xargs -0 -a "$work/list" sha256sum
for run in 1 2 3; do
  measure "sha256sum" xargs -0 -a "$work/list" sha256sum
  measure "zorview --inspect --json" "$build/src/zorview" --inspect --json "$work/delivery"
  tail -1 "$work/out" | grep -q "\"tamper_intact\":${#pics[@]}," || { echo "inspection did not pass:"; tail -3 "$work/out"; exit 1; }
done
tail -1 "$work/out"
