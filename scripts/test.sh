#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in the normal
# build and in the sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer).
# Then builds the Debian package (Release) and checks it with lintian and its
# menu and software-centre entries with their validators. A warning in any
# build's log fails the run; the skipped tests are listed with their reasons.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=${ZOR_JOBS:-2}
export QT_QPA_PLATFORM=offscreen
# The tests read the program's English messages; the test of the Japanese
# ones sets its own locale.
export LC_ALL=C.UTF-8
unset LANGUAGE
logs=build-logs
mkdir -p "$logs"

# ctest keeps the whole output of every test in its JUnit file, so that the
# skips' reasons can be listed.
run_ctest() {
  ctest --test-dir "$1" --output-on-failure -j"$jobs" --output-junit junit.xml --test-output-size-passed 1000000
}

{
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$jobs"
} 2>&1 | tee "$logs/build.log"
run_ctest build

{
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZOR_SANITIZE=ON -DZOR_BUILD_GUI=OFF
  cmake --build build-asan -j"$jobs"
} 2>&1 | tee "$logs/build-asan.log"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  run_ctest build-asan

deb=$(scripts/package.sh --log "$logs/build-package.log" | tail -1)
echo "package: $deb"
# Informational tags too: each one the package keeps is overridden with its
# reason in data/package/lintian-overrides.
lintian --pedantic --info --fail-on error,warning,info,pedantic "$deb"
desktop-file-validate data/zorview.desktop
appstreamcli validate --no-net data/package/org.example.zorview.metainfo.xml

if grep -n -i -E 'warning:|CMake Warning' "$logs"/*.log; then
  echo "the build logs above hold warnings" >&2
  exit 1
fi
scripts/skipped_tests.sh build=build/junit.xml build-asan=build-asan/junit.xml
