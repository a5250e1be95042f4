#!/usr/bin/env bash
# Installs what is missing, builds, and opens the viewer on the bundled sample
# delivery (or on the delivery named as the first argument). The window needs
# a display: without one this says so and how to get one, and exits 2.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  # The same words as the program's own (src/forms/display_check.cpp).
  cat >&2 <<'TEXT'
zorview: 画面がないため、ウィンドウを表示できません。
zorview: there is no display to show the window on.
  デスクトップの中で起動するか、ssh -X で接続するか、仮想画面で起動してください:
  Start it in a desktop session, over ssh -X, or on a virtual display:
    xvfb-run -a scripts/run.sh      (apt-get install xvfb xauth)
  コマンドラインの機能は画面なしで使えます / the verbs need no display: zorview --help
TEXT
  exit 2
fi
scripts/install-deps.sh --gui
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"${ZOR_JOBS:-2}" --target zorview
target=${1:-samples/demo/INDEX_C.XML}
exec build/src/zorview "$target"
