#!/usr/bin/env bash
# Whole-program photo ledger of a generated delivery of camera-like 12 MP
# photos (4000 x 3000, a few megabytes each): `zorview --ledger` next to
# `djpeg -scale 1/4` decoding the same photos one after another, divided by
# the number of cores. Goal: the ledger within 1.5 times that. Prints
# wall-clock seconds and peak resident memory of every run, and the PDF's
# size per page.
#
#   bench/ledger_1000.sh [BUILD_DIR] [PHOTOS] [WORK_DIR] [WIDTH HEIGHT]
#
# The photos share the bytes of four pictures (hard links), so 10,000 of
# them take little disk; the PDF takes about 0.5 MB per page.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
photos=${2:-1000}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_GUI=OFF -DZOR_BUILD_TESTS=OFF -DZOR_BUILD_BENCH=ON > /dev/null
cmake --build "$build" -j"${ZOR_JOBS:-2}" --target zorview ledger_delivery > /dev/null

work=${3:-$(mktemp -d)}
[ -n "${3:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work"
if [ ! -f "$work/delivery/PHOTO/PHOTO.XML" ]; then
  "$build/bench/ledger_delivery" "$work/delivery" "$photos" ${4:-4000} ${5:-3000}
fi
export XDG_DATA_HOME="$work/xdg"
pics=("$work"/delivery/PHOTO/PIC/*.JPG)
cores=$(nproc)
echo "delivery: ${#pics[@]} photos of $(du -k "${pics[0]}" | cut -f1) KB, ${4:-4000} x ${5:-3000}; $cores cores"

measure() {  # label command...
  local label=$1
  shift
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" > "$work/out" 2> "$work/err" || { cat "$work/err"; exit 1; }
  read -r secs user system kb < "$work/time"
  cpu=$(echo "$user + $system" | bc -l)
  printf '%-34s %8.2f s %8.2f s CPU %9.1f MB\n' "$label" "$secs" "$cpu" "$(echo "$kb / 1024" | bc -l)"
  last=$secs
  lastcpu=$cpu
}

printf '%s\0' "${pics[@]}" > "$work/list"
measure "djpeg -scale 1/4 (warming)" bash -c "xargs -0 -a '$work/list' -n 1 djpeg -scale 1/4 -outfile /dev/null"
for run in 1 2 3; do
  measure "djpeg -scale 1/4, one after another" bash -c "xargs -0 -a '$work/list' -n 1 djpeg -scale 1/4 -outfile /dev/null"
  djpeg=$last
  djpegcpu=$lastcpu
  measure "zorview --ledger" "$build/src/zorview" --ledger "$work/delivery" "$work/ledger.pdf"
  ledger=$last
  printf '  goal 1.5 x %.2f / %d = %.2f s; ledger %.2f s (%.2f of djpeg / cores)\n' "$djpeg" "$cores" \
    "$(echo "1.5 * $djpeg / $cores" | bc -l)" "$ledger" "$(echo "$ledger * $cores / $djpeg" | bc -l)"
  # On a machine others share the wall-clock ratio says little; the CPU
  # time is what the cores would have to give.
  printf '  CPU time: ledger %.2f s, djpeg %.2f s (%.2f)\n' "$lastcpu" "$djpegcpu" "$(echo "$lastcpu / $djpegcpu" | bc -l)"
done
pages=$(pdfinfo "$work/ledger.pdf" | awk '/^Pages:/ {print $2}')
bytes=$(stat -c %s "$work/ledger.pdf")
printf 'PDF: %d pages, %.1f MB, %.2f MB per page of three photos\n' "$pages" "$(echo "$bytes / 1048576" | bc -l)" \
  "$(echo "$bytes / 1048576 / ($pages - 1)" | bc -l)"
