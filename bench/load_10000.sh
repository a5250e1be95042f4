#!/usr/bin/env bash
# Whole-program load of a generated construction delivery of 10,000 photos
# (one drawing per ten photos): a fresh `zorview --dump` process with each
# parser, next to `xmllint --noout` on the same PHOTO.XML, in the same run.
# Prints wall-clock seconds and peak resident memory of every process.
#
#   bench/load_10000.sh [BUILD_DIR] [PHOTOS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
photos=${2:-10000}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_GUI=OFF -DZOR_BUILD_TESTS=OFF > /dev/null
cmake --build "$build" -j"${ZOR_JOBS:-2}" --target zorview > /dev/null 2>&1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fixture=tests/data/import/construction

python3 - "$work/delivery" "$photos" "$fixture" <<'PYEOF'
import os, shutil, sys
root, count, fixture = sys.argv[1], int(sys.argv[2]), sys.argv[3]
pic, dra = os.path.join(root, "PHOTO", "PIC"), os.path.join(root, "PHOTO", "DRA")
os.makedirs(pic)
os.makedirs(dra)
shutil.copy(os.path.join(fixture, "INDEX_C.XML"), root)
shutil.copy(os.path.join(fixture, "INDE_C05.DTD"), root)
shutil.copy(os.path.join(fixture, "PHOTO", "PHOTO05.DTD"), os.path.join(root, "PHOTO"))
with open(os.path.join(fixture, "PHOTO", "PIC", "P0000001.JPG"), "rb") as f:
    jpeg = f.read()
classes = ["施工状況写真", "品質管理写真", "出来形管理写真", "安全管理写真"]
kinds = [("道路土工", "掘削工", "土砂掘削"), ("舗装工", "アスファルト舗装工", "表層工"),
         ("排水構造物工", "側溝工", "自由勾配側溝"), ("擁壁工", "場所打擁壁工", "コンクリート")]
out = ['<?xml version="1.0" encoding="Shift_JIS"?>', '<!DOCTYPE photodata SYSTEM "PHOTO05.DTD">',
       '<photodata DTD_version="05">', '<基礎情報>', '<写真フォルダ名>PHOTO/PIC</写真フォルダ名>',
       '<参考図フォルダ名>PHOTO/DRA</参考図フォルダ名>', '<適用要領基準>土木201009-01</適用要領基準>', '</基礎情報>']
drawings = 0
for n in range(1, count + 1):
    name = "P%07d.JPG" % n
    with open(os.path.join(pic, name), "wb") as f:
        f.write(jpeg)
    kind = kinds[n % len(kinds)]
    out += ['<写真情報>', '<写真ファイル情報>', '<シリアル番号>%d</シリアル番号>' % n,
            '<写真ファイル名>%s</写真ファイル名>' % name, '<写真ファイル日本語名>写真%d.JPG</写真ファイル日本語名>' % n,
            '<メディア番号>1</メディア番号>', '</写真ファイル情報>', '<撮影工種区分>', '<写真-大分類>工事</写真-大分類>',
            '<写真区分>%s</写真区分>' % classes[n % len(classes)], '<工種>%s</工種>' % kind[0],
            '<種別>%s</種別>' % kind[1], '<細別>%s</細別>' % kind[2], '<写真タイトル>施工状況 No.%d</写真タイトル>' % n,
            '</撮影工種区分>']
    if n % 10 == 0:
        drawings += 1
        dname = "D%07d.JPG" % drawings
        with open(os.path.join(dra, dname), "wb") as f:
            f.write(jpeg)
        out += ['<付加情報>', '<参考図ファイル名>%s</参考図ファイル名>' % dname, '<参考図タイトル>参考図 %d</参考図タイトル>' % drawings,
                '</付加情報>']
    out += ['<撮影情報>', '<撮影箇所>No.%d</撮影箇所>' % (n % 100), '<撮影年月日>2010-10-05</撮影年月日>', '</撮影情報>',
            '<代表写真>0</代表写真>', '<提出頻度写真>0</提出頻度写真>', '</写真情報>']
out.append('</photodata>')
with open(os.path.join(root, "PHOTO", "PHOTO.XML"), "wb") as f:
    f.write(("\r\n".join(out) + "\r\n").encode("cp932"))
PYEOF

photo_xml="$work/delivery/PHOTO/PHOTO.XML"
export XDG_DATA_HOME="$work/xdg"
measure() {  # label command...
  local label=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" > "$work/out" 2> "$work/err" || true
  read -r secs kb < "$work/time"
  printf '%-34s %8.2f s %9.1f MB\n' "$label" "$secs" "$(echo "$kb / 1024" | bc -l)"
}

echo "delivery: $photos photos, $((photos / 10)) drawings, PHOTO.XML $(($(stat -c %s "$photo_xml") / 1024)) KB"
measure "zorview --dump --own" "$build/src/zorview" --dump --own "$photo_xml"
grep -q '"records"' "$work/out" || { echo "zorview --dump --own failed:"; cat "$work/err"; exit 1; }
measure "zorview --dump --validating" "$build/src/zorview" --dump --validating "$photo_xml"
grep -q '"records"' "$work/out" || { echo "zorview --dump --validating failed:"; cat "$work/err"; exit 1; }
measure "xmllint --noout" xmllint --noout "$photo_xml"
