#!/usr/bin/env python3
"""Writes the demo delivery under samples/demo: a construction delivery with
INDEX_C.XML, PHOTO/PHOTO.XML, twelve site photos and two drawings, in code
page 932 with CR LF line ends.

    python3 make_demo.py PATH/TO/make_picture
"""
import os
import shutil
import subprocess
import sys

import make_fixtures as fx

HERE = os.path.dirname(os.path.abspath(__file__))
DEMO = os.path.normpath(os.path.join(HERE, "..", "..", "..", "..", "samples", "demo"))

WORK = "市道中央線道路改良工事"

# (file, 写真区分, 工種, 種別, 細別, title, place, date, drawing index or None)
PHOTOS = [
    ("P0000001.JPG", "着手前及び完成写真", "", "", "", "着手前 全景", "No.0～No.10", "2010-10-04", None),
    ("P0000002.JPG", "施工状況写真", "道路土工", "掘削工", "", "掘削状況", "No.5", "2010-10-12", 0),
    ("P0000003.JPG", "施工状況写真", "道路土工", "掘削工", "", "掘削完了", "No.5", "2010-10-15", None),
    ("P0000004.JPG", "施工状況写真", "道路土工", "路体盛土工", "", "敷均し状況", "No.7", "2010-10-22", None),
    ("P0000005.JPG", "施工状況写真", "道路土工", "路体盛土工", "", "締固め状況", "No.7", "2010-10-25", None),
    ("P0000006.JPG", "施工状況写真", "排水構造物工", "側溝工", "自由勾配側溝", "側溝据付状況", "No.3", "2010-11-09", 1),
    ("P0000007.JPG", "施工状況写真", "舗装工", "アスファルト舗装工", "上層路盤工", "上層路盤転圧状況", "No.2", "2010-12-01", None),
    ("P0000008.JPG", "施工状況写真", "舗装工", "アスファルト舗装工", "表層工", "表層舗設状況", "No.2", "2010-12-08", None),
    ("P0000009.JPG", "安全管理写真", "", "", "", "安全訓練実施状況", "現場事務所", "2010-11-01", None),
    ("P0000010.JPG", "品質管理写真", "道路土工", "路体盛土工", "", "現場密度試験", "No.7", "2010-10-26", None),
    ("P0000011.JPG", "出来形管理写真", "舗装工", "アスファルト舗装工", "表層工", "表層厚さ測定", "No.2", "2010-12-09", None),
    ("P0000012.JPG", "着手前及び完成写真", "", "", "", "完成 全景", "No.0～No.10", "2011-02-18", None),
]

DRAWINGS = [
    ("D0000001.JPG", "横断図.JPG", "掘削横断図 No.5"),
    ("D0000002.JPG", "側溝構造図.JPG", "自由勾配側溝 構造図"),
]

INDEX_C = """
<?xml version="1.0" encoding="Shift_JIS"?>
<!DOCTYPE constdata SYSTEM "INDE_C05.DTD">
<constdata DTD_version="05">
  <基礎情報>
    <メディア番号>1</メディア番号>
    <メディア総枚数>1</メディア総枚数>
    <適用要領基準>土木201009-01</適用要領基準>
    <写真フォルダ名>PHOTO</写真フォルダ名>
  </基礎情報>
  <工事件名等>
    <発注年度>2010</発注年度>
    <工事番号>22-土-0815</工事番号>
    <工事名称>{work}</工事名称>
    <工事実績システムバージョン番号>4.0</工事実績システムバージョン番号>
    <工事分野>道路改良</工事分野>
    <工事業種>一般土木工事</工事業種>
    <工種-工法型式>
      <工種>道路土工</工種>
      <工法型式>掘削工</工法型式>
    </工種-工法型式>
    <工種-工法型式>
      <工種>舗装工</工種>
      <工法型式>アスファルト舗装工</工法型式>
    </工種-工法型式>
    <住所情報>
      <住所コード>99999</住所コード>
      <住所>中央県中央市本町</住所>
    </住所情報>
    <工期開始日>2010-10-01</工期開始日>
    <工期終了日>2011-03-18</工期終了日>
    <工事内容>道路改良　Ｌ＝２５０ｍ、側溝工、舗装工</工事内容>
  </工事件名等>
  <場所情報>
    <測地系>01</測地系>
    <水系-路線情報>
      <対象水系路線名>市道中央線</対象水系路線名>
      <測点情報>
        <起点側測点-n>0</起点側測点-n>
        <起点側測点-m>0</起点側測点-m>
        <終点側測点-n>10</終点側測点-n>
        <終点側測点-m>0</終点側測点-m>
      </測点情報>
    </水系-路線情報>
    <境界座標情報>
      <西側境界座標経度>1394500</西側境界座標経度>
      <東側境界座標経度>1394530</東側境界座標経度>
      <北側境界座標緯度>0354110</北側境界座標緯度>
      <南側境界座標緯度>0354100</南側境界座標緯度>
    </境界座標情報>
  </場所情報>
  <発注者情報>
    <発注者-大分類>市区町村</発注者-大分類>
    <発注者-中分類>中央県</発注者-中分類>
    <発注者-小分類>中央市建設部道路課</発注者-小分類>
    <発注者コード>99999001</発注者コード>
  </発注者情報>
  <受注者情報>
    <受注者名>中央土木株式会社</受注者名>
    <受注者コード>00099999</受注者コード>
  </受注者情報>
</constdata>
""".replace("{work}", WORK)


def photo_xml():
    out = ['<?xml version="1.0" encoding="Shift_JIS"?>',
           '<!DOCTYPE photodata SYSTEM "PHOTO05.DTD">',
           '<photodata DTD_version="05">',
           '  <基礎情報>',
           '    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>',
           '    <参考図フォルダ名>PHOTO/DRA</参考図フォルダ名>',
           '    <適用要領基準>土木201009-01</適用要領基準>',
           '  </基礎情報>']
    for serial, (name, cls, kind, sort, detail, title, place, date, drawing) in enumerate(PHOTOS, 1):
        out += ['  <写真情報>',
                '    <写真ファイル情報>',
                '      <シリアル番号>%d</シリアル番号>' % serial,
                '      <写真ファイル名>%s</写真ファイル名>' % name,
                '      <写真ファイル日本語名>%s.JPG</写真ファイル日本語名>' % title.replace(" ", ""),
                '      <メディア番号>1</メディア番号>',
                '    </写真ファイル情報>',
                '    <撮影工種区分>',
                '      <写真-大分類>工事</写真-大分類>',
                '      <写真区分>%s</写真区分>' % cls]
        for tag, value in (("工種", kind), ("種別", sort), ("細別", detail)):
            if value:
                out.append('      <%s>%s</%s>' % (tag, value, tag))
        out += ['      <写真タイトル>%s</写真タイトル>' % title,
                '    </撮影工種区分>']
        if drawing is not None:
            d = DRAWINGS[drawing]
            out += ['    <付加情報>',
                    '      <参考図ファイル名>%s</参考図ファイル名>' % d[0],
                    '      <参考図ファイル日本語名>%s</参考図ファイル日本語名>' % d[1],
                    '      <参考図タイトル>%s</参考図タイトル>' % d[2],
                    '    </付加情報>']
        out += ['    <撮影情報>',
                '      <撮影箇所>%s</撮影箇所>' % place,
                '      <撮影年月日>%s</撮影年月日>' % date,
                '    </撮影情報>',
                '    <代表写真>%d</代表写真>' % (1 if serial in (1, 12) else 0),
                '    <提出頻度写真>%d</提出頻度写真>' % (1 if cls in ("品質管理写真", "出来形管理写真") else 0),
                '  </写真情報>']
    out.append('</photodata>')
    return "\n".join(out) + "\n"


def picture(*args):
    subprocess.run([fx.MAKE_PICTURE] + list(args), check=True)


def main():
    shutil.rmtree(DEMO, ignore_errors=True)
    fx.ROOT = DEMO
    fx.write_text("INDEX_C.XML", INDEX_C)
    fx.write_text("INDE_C05.DTD", fx.INDEX_C_DTD)
    fx.write_text("PHOTO/PHOTO.XML", photo_xml())
    fx.write_text("PHOTO/PHOTO05.DTD", fx.PHOTO_CURRENT_DTD.replace("{ver}", "05"))
    os.makedirs(os.path.join(DEMO, "PHOTO", "PIC"))
    os.makedirs(os.path.join(DEMO, "PHOTO", "DRA"))
    for seed, (name, cls, kind, sort, detail, title, place, date, _) in enumerate(PHOTOS, 1):
        work_type = " ".join(v for v in (kind, sort, detail) if v) or cls
        board = "|".join(["工事名 " + WORK, "工種 " + work_type, title + "  " + place, date.replace("-", ".")])
        picture("scene", os.path.join(DEMO, "PHOTO", "PIC", name), str(seed * 7), board)
    for seed, (name, _, title) in enumerate(DRAWINGS, 1):
        picture("drawing", os.path.join(DEMO, "PHOTO", "DRA", name), str(seed), title)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    fx.MAKE_PICTURE = os.path.abspath(sys.argv[1])
    main()
