#!/usr/bin/env bash
# Takes screenshots of the viewer under a virtual X display, with the
# Japanese fonts installed, into shots/ (or the folder given as $1).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots}")
scripts/install-deps.sh --gui --xvfb
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"${ZOR_JOBS:-2}" --target zorview
mkdir -p "$out"

data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
display=:$((90 + RANDOM % 9))
# ZOR_SCREEN sets the virtual screen, e.g. 800x600x24 for a small one.
Xvfb "$display" -screen 0 "${ZOR_SCREEN:-1280x900x24}" -nolisten tcp &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$data"' EXIT
sleep 1

# shot NAME SECONDS ARGS...: starts the viewer, waits, grabs the screen.
shot() {
  local name=$1 wait=$2
  shift 2
  DISPLAY=$display XDG_DATA_HOME=$data XDG_RUNTIME_DIR=$data build/src/zorview "$@" &
  local pid=$!
  sleep "$wait"
  DISPLAY=$display import -window root "$out/$name.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

shot about 3
if [ -f samples/demo/INDEX_C.XML ]; then
  shot main 5 samples/demo/INDEX_C.XML
fi
# The browsing panels on a generated delivery.
cmake --build build -j"${ZOR_JOBS:-2}" --target browse_screenshots
DISPLAY=$display XDG_DATA_HOME=$data XDG_RUNTIME_DIR=$data build/tests/forms/browse_screenshots "$out"
# The secondary windows, the choosers over the bundled sample.
cmake --build build -j"${ZOR_JOBS:-2}" --target window_screenshots
DISPLAY=$display XDG_DATA_HOME=$data XDG_RUNTIME_DIR=$data build/tests/forms/window_screenshots "$out" "$PWD/samples/demo" "$PWD/data/help/index.html"
echo "screenshots in $out"
