#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the package build
# need (scripts/run.sh, scripts/test.sh, scripts/package.sh). Idempotent:
# only missing packages are installed, and nothing is done when all are
# present. As root it runs apt-get itself, else through sudo; without sudo
# it says what to run as root and exits 1.
# Usage: scripts/install-deps.sh [--gui] [--browser] [--xvfb]
#   --gui is kept for old callers (the fonts are always installed), --browser the chromium that
#   tests/output/album_in_browser.sh opens the album in, --xvfb the virtual
#   display and the screen grabber of scripts/screenshots.sh
set -euo pipefail

packages=(
  build-essential cmake pkg-config dpkg-dev file gettext locales
  desktop-file-utils appstream lintian man-db
  qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  libjpeg62-turbo-dev libgif-dev libxml2-dev libgraphicsmagick++1-dev librsvg2-dev libexempi-dev
  libcairo2-dev libpango1.0-dev fonts-noto-cjk poppler-utils libjpeg-turbo-progs
  libgtest-dev libgmock-dev libbenchmark-dev libssl-dev
  clang libclang-rt-14-dev
)
for option in "$@"; do
  case "$option" in
    --gui) ;;  # the viewer's fonts are always installed: the photo ledger embeds them
    --browser) packages+=(chromium) ;;
    --xvfb) packages+=(xvfb xauth imagemagick) ;;
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
  if ! command -v sudo >/dev/null; then
    {
      echo "These Debian packages are missing: ${missing[*]}"
      echo "Installing them needs root, and sudo is not installed. Run as root:"
      echo "  apt-get update && apt-get install --no-install-recommends ${missing[*]}"
      echo "then run this command again."
    } >&2
    exit 1
  fi
  sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
