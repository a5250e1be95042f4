#!/usr/bin/env bash
# Builds the Debian package in build-package/ (Release, without the tests);
# its dependencies come from dpkg-shlibdeps. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=${ZOR_JOBS:-2}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-package -j"$jobs" --target zorview
(cd build-package && cpack -G DEB >/dev/null)
ls "$PWD"/build-package/zorview_*.deb
