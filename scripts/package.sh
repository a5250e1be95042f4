#!/usr/bin/env bash
# Builds the Debian package in build-package/ (Release, without the tests,
# with the hardening flags dpkg-buildflags gives); its dependencies come from
# dpkg-shlibdeps. Prints the package's path.
# Usage: scripts/package.sh [--log FILE]   (FILE: the build's output, kept)
set -euo pipefail
cd "$(dirname "$0")/.."
log=/dev/null
if [ "${1:-}" = "--log" ]; then
  log=$2
fi
scripts/install-deps.sh

jobs=${ZOR_JOBS:-2}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# Fortify, stack protector, relro and bindnow as Debian builds its packages;
# no debug information, as the package ships none (the binary is stripped).
# Release's optimisation level follows and wins over dpkg-buildflags' -O2.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
flags() {
  local all
  all="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get "$1")"
  # The map of the source folder cannot be passed when its name has a space.
  case "$PWD" in *' '*) all=$(printf '%s\n' "$all" | sed 's/-ffile-prefix-map=[^ ]*//; s/-fdebug-prefix-map=[^ ]*//') ;; esac
  printf '%s' "$all"
}
ldflags=$(dpkg-buildflags --get LDFLAGS)

{
  cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_TESTS=OFF "${launcher[@]}" \
    -DCMAKE_C_FLAGS="$(flags CFLAGS)" -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" >/dev/null
  cmake --build build-package -j"$jobs" --target zorview
} 2>&1 | tee "$log" >&2
rm -f build-package/zorview_*.deb
(cd build-package && cpack -G DEB >/dev/null)
ls "$PWD"/build-package/zorview_*.deb
