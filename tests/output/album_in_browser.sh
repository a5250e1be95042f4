#!/bin/sh
# Writes the HTML album of a delivery with `zorview --album` and opens it in
# headless Chromium (Debian's chromium package): every page that INDEX.HTM
# lists is loaded and every picture on it must have decoded
# (naturalWidth > 0). Exit status 0 when every picture shows.
#
#   tests/output/album_in_browser.sh [DELIVERY [BUILD_DIR]]
#   tests/output/album_in_browser.sh --album ALBUM_FOLDER   (check a written album)
#
# DELIVERY defaults to tests/data/output/album_delivery, BUILD_DIR to build
# (configured and built when needed); ZORVIEW=path skips the build.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "album_in_browser: chromium is not installed (scripts/install-deps.sh --browser)" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zor_album_check.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [ "${1:-}" = "--album" ]; then
  album=$(cd "$2" && pwd)
else
  delivery=${1:-$root/tests/data/output/album_delivery}
  zorview=${ZORVIEW:-}
  if [ -z "$zorview" ]; then
    build=${2:-$root/build}
    if [ ! -f "$build/CMakeCache.txt" ]; then
      cmake -S "$root" -B "$build" -DZOR_BUILD_GUI=OFF >/dev/null
    fi
    cmake --build "$build" -j2 --target zorview >/dev/null
    zorview=$build/src/zorview
  fi
  start=$(XDG_DATA_HOME="$work/data" "$zorview" --album "$delivery" "$work")
  album=$(dirname "$start")
  echo "album: $start"
fi

# The checking page loads the album's pages into frames of its own; file
# URLs may read each other only with --allow-file-access-from-files.
cat >"$work/check.html" <<HTML
<html><body><pre id="result">RUNNING</pre><script>
const album = "file://$album/";
function load(url) {
  return new Promise(done => {
    const frame = document.createElement("iframe");
    frame.onload = () => done(frame.contentDocument);
    frame.src = url;
    document.body.appendChild(frame);
  });
}
(async () => {
  const lines = [];
  let missing = 0, pictures = 0;
  const start = await load(album + "ALBUM.HTM");
  if (start.querySelectorAll("frame").length !== 2) { lines.push("ALBUM.HTM: no frameset"); ++missing; }
  const index = await load(album + "HTML/INDEX.HTM");
  const pages = [...index.querySelectorAll("a")].map(a => a.href);
  if (pages.length === 0) { lines.push("INDEX.HTM lists no page"); ++missing; }
  for (const page of pages) {
    const doc = await load(page);
    if (!doc || !doc.body) { lines.push("PAGE NOT LOADED " + page); ++missing; continue; }
    const images = [...doc.images];
    for (const img of images) {
      ++pictures;
      if (!(img.naturalWidth > 0)) { lines.push("MISSING " + page + " " + img.getAttribute("src")); ++missing; }
    }
    lines.push("page " + page.replace(/.*\//, "") + ": " + images.length + " pictures");
  }
  lines.push((missing ? "FAILED " + missing : "OK") + " (" + pages.length + " pages, " + pictures + " pictures)");
  document.getElementById("result").textContent = lines.join("\n");
})();
</script></body></html>
HTML

sandbox=""
[ "$(id -u)" = 0 ] && sandbox="--no-sandbox"
"$browser" --headless --disable-gpu $sandbox --allow-file-access-from-files --virtual-time-budget=60000 \
  --user-data-dir="$work/profile" --dump-dom "file://$work/check.html" 2>/dev/null |
  sed -n '/<pre id="result">/,/<\/pre>/p' | sed 's/<[^>]*>//g' >"$work/result.txt"
cat "$work/result.txt"
grep -q '^OK ' "$work/result.txt"
