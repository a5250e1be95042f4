#!/usr/bin/env bash
# The cost of reading the blackboard's own record: `zorview --inspect` over
# a generated delivery of PHOTOS blackboard photos (about SIZE_MB each) whose
# pictures each carry the board's XMP packet, next to the same delivery
# without the packets; both with the pictures in the page cache, each run
# five times alternately. Prints wall-clock and CPU seconds and peak
# resident memory of every run and the ratios of the medians (the target:
# 1.1 or less; on a shared machine the CPU time is the steadier figure).
#
#   bench/inspect_blackboard.sh [BUILD_DIR] [PHOTOS] [SIZE_MB] [WORK_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
photos=${2:-1000}
size=${3:-2}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_GUI=OFF -DZOR_BUILD_BENCH=ON > /dev/null
cmake --build "$build" -j"${ZOR_JOBS:-2}" --target zorview inspect_delivery > /dev/null

work=${4:-$(mktemp -d)}
[ -n "${4:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work"
[ -f "$work/plain/PHOTO/PHOTO.XML" ] || "$build/bench/inspect_delivery" "$work/plain" "$photos" "$size"
[ -f "$work/board/PHOTO/PHOTO.XML" ] || "$build/bench/inspect_delivery" "$work/board" "$photos" "$size" --blackboard
export XDG_DATA_HOME="$work/xdg"
echo "two deliveries of $photos photos, $(du -sm "$work/plain/PHOTO/PIC" | cut -f1) MB each; $(nproc) cores"
cat "$work"/plain/PHOTO/PIC/*.JPG "$work"/board/PHOTO/PIC/*.JPG > /dev/null  # into the page cache

declare -A times cpus
measure() {  # label delivery
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$build/src/zorview" --inspect --json "$work/$2" > "$work/out" 2> "$work/err" || true
  read -r secs user sys kb < "$work/time"
  cpu=$(echo "$user + $sys" | bc -l)
  printf '%-34s %8.2f s  cpu %7.2f s %9.1f MB\n' "$1" "$secs" "$cpu" "$(echo "$kb / 1024" | bc -l)"
  times[$2]="${times[$2]:-} $secs"
  cpus[$2]="${cpus[$2]:-} $cpu"
  tail -1 "$work/out" | grep -q "\"tamper_intact\":$photos," || { echo "inspection did not pass:"; tail -3 "$work/out"; exit 1; }
}
for run in 1 2 3 4 5; do
  measure "--inspect, without packets" plain
  measure "--inspect, each with a packet" board
  grep -q "\"blackboard\":$photos,\"blackboard_differing\":0," "$work/out" || { echo "boards not read alike:"; tail -3 "$work/out"; exit 1; }
done
tail -1 "$work/out"
median() { tr ' ' '\n' <<< "$1" | grep . | sort -n | sed -n 3p; }
for kind in times cpus; do
  declare -n of=$kind
  plain=$(median "${of[plain]}")
  board=$(median "${of[board]}")
  printf '%-5s median without %.2f s, with %.2f s: ratio %.3f\n' "${kind%s}" "$plain" "$board" "$(echo "$board / $plain" | bc -l)"
done
