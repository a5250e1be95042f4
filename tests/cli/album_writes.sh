#!/bin/sh
# zorview --album writes the whole album: one page per photo with
# --per-page 1, the drawings and the photos copied as they are, XHTML pages
# with --xhtml; it prints where the album starts.
# Usage: album_writes.sh ZORVIEW DELIVERY OUT
zorview=$1
delivery=$2
out=$3
rm -rf "$out" && mkdir -p "$out" || exit 1
fail() {
  echo "FAIL: $*"
  exit 1
}

printed=$("$zorview" --album "$delivery" "$out" --per-page 1 --xhtml)
status=$?
[ $status -eq 0 ] || fail "--album gave $status: $printed"
[ "$printed" = "$out/ALBUM/ALBUM.HTM" ] || fail "--album printed \"$printed\", not $out/ALBUM/ALBUM.HTM"
album=$out/ALBUM
test -f "$album/HTML/PAGE6.HTM" || fail "no PAGE6.HTM for the sixth photo"
test ! -e "$album/HTML/PAGE7.HTM" || fail "a PAGE7.HTM beyond the six photos"
test -f "$album/DRA/D0000004.JPG" || fail "the drawing D0000004.JPG was not copied"
[ "$(head -c 2 "$album/PIC/P0000004.JPG" | od -An -tx1 | tr -d ' \n')" = ffd8 ] ||
  fail "P0000004.JPG does not start as a JPEG"
grep -q 'xhtml1-transitional' "$album/ALBUM.HTM" || fail "ALBUM.HTM is not XHTML"
echo OK
