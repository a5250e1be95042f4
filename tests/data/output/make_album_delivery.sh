#!/bin/sh
# Writes album_delivery: a photo file (PHOTO/PHOTO.XML, code page 932, CR LF)
# whose pictures come in every format the album converts, for the browser
# check of the HTML album. Needs ImageMagick's convert.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$here/album_delivery
rm -rf "$out"
mkdir -p "$out/PHOTO/PIC" "$out/PHOTO/DRA"
cp "$here/PHOTO05.DTD" "$out/PHOTO/PHOTO05.DTD"

picture() {  # picture FILE COLOUR1 COLOUR2
  convert -size 64x48 "gradient:$2-$3" "$1"
}
picture "$out/PHOTO/PIC/P0000001.JPG" red yellow
picture "$out/PHOTO/PIC/P0000002.PNG" green white
picture "$out/PHOTO/PIC/P0000003.BMP" blue white
picture "$out/PHOTO/PIC/P0000004.TIF" orange black
picture "$out/PHOTO/PIC/P0000005.GIF" purple white
picture "$out/PHOTO/DRA/D0000001.BMP" gray white
picture "$out/PHOTO/DRA/D0000002.TIF" navy white
picture "$out/PHOTO/DRA/D0000003.PNG" teal white
picture "$out/PHOTO/DRA/D0000004.PCX" maroon white

photo() {  # photo SERIAL FILE TITLE DRAWINGS
  cat <<XML
  <写真情報>
    <写真ファイル情報>
      <シリアル番号>$1</シリアル番号>
      <写真ファイル名>$2</写真ファイル名>
      <写真ファイル日本語名>$2</写真ファイル日本語名>
      <メディア番号>1</メディア番号>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>施工状況写真</写真区分>
      <工種>道路土工</工種>
      <写真タイトル>$3</写真タイトル>
    </撮影工種区分>
$4    <撮影情報>
      <撮影箇所>No.$1</撮影箇所>
      <撮影年月日>2010-10-0$1</撮影年月日>
    </撮影情報>
    <代表写真>0</代表写真>
    <提出頻度写真>0</提出頻度写真>
  </写真情報>
XML
}
drawing() {  # drawing FILE TITLE
  cat <<XML
    <付加情報>
      <参考図ファイル名>$1</参考図ファイル名>
      <参考図ファイル日本語名>$1</参考図ファイル日本語名>
      <参考図タイトル>$2</参考図タイトル>
    </付加情報>
XML
}

{
  cat <<XML
<?xml version="1.0" encoding="Shift_JIS"?>
<!DOCTYPE photodata SYSTEM "PHOTO05.DTD">
<photodata DTD_version="05">
  <基礎情報>
    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>
    <参考図フォルダ名>PHOTO/DRA</参考図フォルダ名>
    <適用要領基準>土木201009-01</適用要領基準>
  </基礎情報>
XML
  photo 1 P0000001.JPG "JPEG の写真" ""
  photo 2 P0000002.PNG "PNG の写真" "$(drawing D0000001.BMP "BMP の参考図"; drawing D0000002.TIF "TIFF の参考図"; drawing D0000003.PNG "PNG の参考図"; drawing D0000004.PCX "PCX の参考図")
"
  photo 3 P0000003.BMP "BMP の写真" ""
  photo 4 P0000004.TIF "TIFF の写真" ""
  photo 5 P0000005.GIF "GIF の写真" ""
  echo "</photodata>"
} | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$out/PHOTO/PHOTO.XML"
