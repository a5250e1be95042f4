#!/usr/bin/env bash
# Installs what is missing, builds, and opens the viewer on the bundled sample
# delivery (or on the delivery named as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --gui
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"${ZOR_JOBS:-2}" --target zorview
target=${1:-samples/demo/INDEX_C.XML}
exec build/src/zorview "$target"
