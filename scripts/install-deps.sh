#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent: only
# missing packages are installed, and nothing is done when all are present.
# Usage: scripts/install-deps.sh [--gui] [--browser]
#   --gui adds the fonts the viewer uses, --browser the chromium that
#   tests/output/album_in_browser.sh opens the album in
set -euo pipefail

packages=(
  build-essential cmake pkg-config dpkg-dev desktop-file-utils
  qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  libjpeg62-turbo-dev libgif-dev libxml2-dev libgraphicsmagick++1-dev librsvg2-dev libexempi-dev
  libgtest-dev libgmock-dev libbenchmark-dev libssl-dev
  clang libclang-rt-14-dev
)
for option in "$@"; do
  case "$option" in
    --gui) packages+=(fonts-noto-cjk) ;;
    --browser) packages+=(chromium) ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
