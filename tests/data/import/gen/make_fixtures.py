#!/usr/bin/env python3
"""Writes the import fixtures under tests/data/import: small deliveries in each
layout, in code page 932 with CR LF line ends, with tiny JPEGs and DTDs of our
own. Run it again only when a fixture must change:

    python3 make_fixtures.py PATH/TO/make_picture

(make_picture.cpp beside this script says how to build make_picture.)
"""
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)  # tests/data/import


def write_text(rel, text):
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    body = text.lstrip("\n").replace("\r\n", "\n").replace("\n", "\r\n")
    with open(path, "wb") as f:
        f.write(body.encode("cp932"))


def write_jpeg(rel, shade):
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    subprocess.run([MAKE_PICTURE, "tiny", path, str(shade)], check=True)


# ---------------------------------------------------------------- DTDs

PHOTO_CURRENT_DTD = """
<!ELEMENT photodata (基礎情報,写真情報*,ソフトメーカ用TAG*)>
<!ATTLIST photodata DTD_version CDATA #FIXED "{ver}">
<!ELEMENT 基礎情報 (写真フォルダ名|参考図フォルダ名|適用要領基準)*>
<!ELEMENT 写真フォルダ名 (#PCDATA)>
<!ELEMENT 参考図フォルダ名 (#PCDATA)>
<!ELEMENT 適用要領基準 (#PCDATA)>
<!ELEMENT 写真情報 (写真ファイル情報|撮影工種区分|付加情報|撮影情報|代表写真|提出頻度写真|施工管理値|請負者説明文)*>
<!ELEMENT 写真ファイル情報 (シリアル番号|写真ファイル名|写真ファイル日本語名|メディア番号)*>
<!ELEMENT シリアル番号 (#PCDATA)>
<!ELEMENT 写真ファイル名 (#PCDATA)>
<!ELEMENT 写真ファイル日本語名 (#PCDATA)>
<!ELEMENT メディア番号 (#PCDATA)>
<!ELEMENT 撮影工種区分 (写真-大分類|写真区分|工種|種別|細別|写真タイトル|工種区分予備)*>
<!ELEMENT 写真-大分類 (#PCDATA)>
<!ELEMENT 写真区分 (#PCDATA)>
<!ELEMENT 工種 (#PCDATA)>
<!ELEMENT 種別 (#PCDATA)>
<!ELEMENT 細別 (#PCDATA)>
<!ELEMENT 写真タイトル (#PCDATA)>
<!ELEMENT 工種区分予備 (#PCDATA)>
<!ELEMENT 付加情報 (参考図ファイル名|参考図ファイル日本語名|参考図タイトル|付加情報予備)*>
<!ELEMENT 参考図ファイル名 (#PCDATA)>
<!ELEMENT 参考図ファイル日本語名 (#PCDATA)>
<!ELEMENT 参考図タイトル (#PCDATA)>
<!ELEMENT 付加情報予備 (#PCDATA)>
<!ELEMENT 撮影情報 (撮影箇所|撮影年月日)*>
<!ELEMENT 撮影箇所 (#PCDATA)>
<!ELEMENT 撮影年月日 (#PCDATA)>
<!ELEMENT 代表写真 (#PCDATA)>
<!ELEMENT 提出頻度写真 (#PCDATA)>
<!ELEMENT 施工管理値 (#PCDATA)>
<!ELEMENT 請負者説明文 (#PCDATA)>
<!ELEMENT ソフトメーカ用TAG (#PCDATA)>
"""

PHOTO_2002_DTD = """
<!ELEMENT photodata (基礎情報,工事情報,写真情報*)>
<!ATTLIST photodata DTD_version CDATA #FIXED "02">
<!ELEMENT 基礎情報 (写真フォルダ名|参考図フォルダ名|媒体情報予備|ソフトウェア名|バージョン情報|メーカ名|メーカ連絡先|ソフトメーカ用TAG)*>
<!ELEMENT 写真フォルダ名 (#PCDATA)>
<!ELEMENT 参考図フォルダ名 (#PCDATA)>
<!ELEMENT 媒体情報予備 (#PCDATA)>
<!ELEMENT ソフトウェア名 (#PCDATA)>
<!ELEMENT バージョン情報 (#PCDATA)>
<!ELEMENT メーカ名 (#PCDATA)>
<!ELEMENT メーカ連絡先 (#PCDATA)>
<!ELEMENT ソフトメーカ用TAG (#PCDATA)>
<!ELEMENT 工事情報 (工事件名等|発注者情報|請負者情報|請負者備考)*>
<!ELEMENT 工事件名等 (発注年度|工事番号|案件番号|河川-路線名等|路線水系名等|工事名称|工事箇所|工期開始日|工期終了日)*>
<!ELEMENT 発注年度 (#PCDATA)>
<!ELEMENT 工事番号 (#PCDATA)>
<!ELEMENT 案件番号 (#PCDATA)>
<!ELEMENT 河川-路線名等 (#PCDATA)>
<!ELEMENT 路線水系名等 (#PCDATA)>
<!ELEMENT 工事名称 (#PCDATA)>
<!ELEMENT 工事箇所 (#PCDATA)>
<!ELEMENT 工期開始日 (#PCDATA)>
<!ELEMENT 工期終了日 (#PCDATA)>
<!ELEMENT 発注者情報 (発注者-大分類|発注者-中分類|発注者-小分類|発注者コード)*>
<!ELEMENT 発注者-大分類 (#PCDATA)>
<!ELEMENT 発注者-中分類 (#PCDATA)>
<!ELEMENT 発注者-小分類 (#PCDATA)>
<!ELEMENT 発注者コード (#PCDATA)>
<!ELEMENT 請負者情報 (請負者名|請負者コード)*>
<!ELEMENT 請負者名 (#PCDATA)>
<!ELEMENT 請負者コード (#PCDATA)>
<!ELEMENT 請負者備考 (#PCDATA)>
<!ELEMENT 写真情報 (写真ファイル情報|撮影工種区分|付加情報|撮影情報|施工管理値情報|状況説明予備|その他)*>
<!ELEMENT 写真ファイル情報 (シリアル番号|写真ファイル名|写真ファイル日本語名|メディア番号|写真MIME|写真ファイル情報予備)*>
<!ELEMENT シリアル番号 (#PCDATA)>
<!ELEMENT 写真ファイル名 (#PCDATA)>
<!ELEMENT 写真ファイル日本語名 (#PCDATA)>
<!ELEMENT メディア番号 (#PCDATA)>
<!ELEMENT 写真MIME (#PCDATA)>
<!ELEMENT 写真ファイル情報予備 (#PCDATA)>
<!ELEMENT 撮影工種区分 (写真-大分類|写真区分|工種|種別|細別|写真タイトル|工種区分予備)*>
<!ELEMENT 写真-大分類 (#PCDATA)>
<!ELEMENT 写真区分 (#PCDATA)>
<!ELEMENT 工種 (#PCDATA)>
<!ELEMENT 種別 (#PCDATA)>
<!ELEMENT 細別 (#PCDATA)>
<!ELEMENT 写真タイトル (#PCDATA)>
<!ELEMENT 工種区分予備 (#PCDATA)>
<!ELEMENT 付加情報 (参考図ファイル名|参考図ファイル日本語名|参考図タイトル|参考図MIME|付加情報予備)*>
<!ELEMENT 参考図ファイル名 (#PCDATA)>
<!ELEMENT 参考図ファイル日本語名 (#PCDATA)>
<!ELEMENT 参考図タイトル (#PCDATA)>
<!ELEMENT 参考図MIME (#PCDATA)>
<!ELEMENT 付加情報予備 (#PCDATA)>
<!ELEMENT 撮影情報 (撮影箇所|撮影年月日|撮影情報予備)*>
<!ELEMENT 撮影箇所 (#PCDATA)>
<!ELEMENT 撮影年月日 (#PCDATA)>
<!ELEMENT 撮影情報予備 (#PCDATA)>
<!ELEMENT 施工管理値情報 (施工管理値|施工管理値予備)*>
<!ELEMENT 施工管理値 (#PCDATA)>
<!ELEMENT 施工管理値予備 (#PCDATA)>
<!ELEMENT 状況説明予備 (#PCDATA)>
<!ELEMENT その他 (請負者説明文|写真情報予備)*>
<!ELEMENT 請負者説明文 (#PCDATA)>
<!ELEMENT 写真情報予備 (#PCDATA)>
"""

PHOTO_1999_LEAVES = """DTDバージョン 写真フォルダ名 参考図フォルダ名 媒体情報予備 ソフトウェア名 バージョン情報
メーカ名 メーカ連絡先 ソフトメーカ用TAG 発注年度 工事番号 河川路線名等 工事名称 工事箇所 工期開始日 工期終了日
発注者-大分類 発注者-中分類 発注者-小分類 発注者コード 請負者名 請負者コード 発注者備考 請負者備考 シリアル番号
写真ファイル名 メディア番号 写真整理フラグ 写真ファイル情報予備 写真-大分類 写真区分 工種 種別 細別 写真タイトル
工種区分予備1 工種区分予備2 工種区分予備3 参考図1 参考図2 参考図3 撮影箇所 付加情報予備 撮影年月日 フィルム番号
コマ番号 撮影情報予備 施工管理値 施工管理値予備 状況説明予備 請負者説明文 発注者説明文 写真情報予備1 写真情報予備2
写真情報予備3""".split()

PHOTO_1999_DTD = (
    "<!ELEMENT photodata (基礎情報,工事情報,写真情報*)>\n"
    "<!ELEMENT 基礎情報 (DTDバージョン|写真フォルダ名|参考図フォルダ名|媒体情報予備|ソフトウェア名|バージョン情報|"
    "メーカ名|メーカ連絡先|ソフトメーカ用TAG)*>\n"
    "<!ELEMENT 工事情報 (発注年度|工事番号|河川路線名等|工事名称|工事箇所|工期開始日|工期終了日|発注者-大分類|"
    "発注者-中分類|発注者-小分類|発注者コード|請負者名|請負者コード|発注者備考|請負者備考)*>\n"
    "<!ELEMENT 写真情報 (" + "|".join(PHOTO_1999_LEAVES[24:]) + ")*>\n"
    + "".join("<!ELEMENT %s (#PCDATA)>\n" % n for n in PHOTO_1999_LEAVES))

INDEX_C_DTD = """
<!ELEMENT constdata (基礎情報,工事件名等,場所情報?,施設情報*,発注者情報,受注者情報,予備*)>
<!ATTLIST constdata DTD_version CDATA #FIXED "05">
<!ELEMENT 基礎情報 (メディア番号|メディア総枚数|適用要領基準|写真フォルダ名)*>
<!ELEMENT メディア番号 (#PCDATA)>
<!ELEMENT メディア総枚数 (#PCDATA)>
<!ELEMENT 適用要領基準 (#PCDATA)>
<!ELEMENT 写真フォルダ名 (#PCDATA)>
<!ELEMENT 工事件名等 (発注年度|工事番号|工事名称|工事実績システムバージョン番号|工事分野|工事業種|工種-工法型式|住所情報|工期開始日|工期終了日|工事内容)*>
<!ELEMENT 発注年度 (#PCDATA)>
<!ELEMENT 工事番号 (#PCDATA)>
<!ELEMENT 工事名称 (#PCDATA)>
<!ELEMENT 工事実績システムバージョン番号 (#PCDATA)>
<!ELEMENT 工事分野 (#PCDATA)>
<!ELEMENT 工事業種 (#PCDATA)>
<!ELEMENT 工種-工法型式 (工種|工法型式)*>
<!ELEMENT 工種 (#PCDATA)>
<!ELEMENT 工法型式 (#PCDATA)>
<!ELEMENT 住所情報 (住所コード|住所)*>
<!ELEMENT 住所コード (#PCDATA)>
<!ELEMENT 住所 (#PCDATA)>
<!ELEMENT 工期開始日 (#PCDATA)>
<!ELEMENT 工期終了日 (#PCDATA)>
<!ELEMENT 工事内容 (#PCDATA)>
<!ELEMENT 場所情報 (測地系|水系-路線情報|境界座標情報)*>
<!ELEMENT 測地系 (#PCDATA)>
<!ELEMENT 水系-路線情報 (対象水系路線名|現道-旧道区分|対象河川コード|左右岸上下線コード|測点情報|距離標情報)*>
<!ELEMENT 対象水系路線名 (#PCDATA)>
<!ELEMENT 現道-旧道区分 (#PCDATA)>
<!ELEMENT 対象河川コード (#PCDATA)>
<!ELEMENT 左右岸上下線コード (#PCDATA)>
<!ELEMENT 測点情報 (起点側測点-n|起点側測点-m|終点側測点-n|終点側測点-m)*>
<!ELEMENT 起点側測点-n (#PCDATA)>
<!ELEMENT 起点側測点-m (#PCDATA)>
<!ELEMENT 終点側測点-n (#PCDATA)>
<!ELEMENT 終点側測点-m (#PCDATA)>
<!ELEMENT 距離標情報 (起点側距離標-n|起点側距離標-m|終点側距離標-n|終点側距離標-m)*>
<!ELEMENT 起点側距離標-n (#PCDATA)>
<!ELEMENT 起点側距離標-m (#PCDATA)>
<!ELEMENT 終点側距離標-n (#PCDATA)>
<!ELEMENT 終点側距離標-m (#PCDATA)>
<!ELEMENT 境界座標情報 (西側境界座標経度|東側境界座標経度|北側境界座標緯度|南側境界座標緯度)*>
<!ELEMENT 西側境界座標経度 (#PCDATA)>
<!ELEMENT 東側境界座標経度 (#PCDATA)>
<!ELEMENT 北側境界座標緯度 (#PCDATA)>
<!ELEMENT 南側境界座標緯度 (#PCDATA)>
<!ELEMENT 施設情報 (施設名称)*>
<!ELEMENT 施設名称 (#PCDATA)>
<!ELEMENT 発注者情報 (発注者-大分類|発注者-中分類|発注者-小分類|発注者コード)*>
<!ELEMENT 発注者-大分類 (#PCDATA)>
<!ELEMENT 発注者-中分類 (#PCDATA)>
<!ELEMENT 発注者-小分類 (#PCDATA)>
<!ELEMENT 発注者コード (#PCDATA)>
<!ELEMENT 受注者情報 (受注者名|受注者コード)*>
<!ELEMENT 受注者名 (#PCDATA)>
<!ELEMENT 受注者コード (#PCDATA)>
<!ELEMENT 予備 (#PCDATA)>
"""

INDEX_D_DTD = """
<!ELEMENT gyomudata (基礎情報,業務件名等,場所情報?,施設情報*,発注者情報,受注者情報,業務情報,予備*)>
<!ATTLIST gyomudata DTD_version CDATA #FIXED "04">
<!ELEMENT 基礎情報 (メディア番号|メディア総枚数|適用要領基準|写真フォルダ名)*>
<!ELEMENT メディア番号 (#PCDATA)>
<!ELEMENT メディア総枚数 (#PCDATA)>
<!ELEMENT 適用要領基準 (#PCDATA)>
<!ELEMENT 写真フォルダ名 (#PCDATA)>
<!ELEMENT 業務件名等 (業務実績システムバージョン番号|業務実績システム登録番号|設計書コード|業務名称|住所情報|履行期間-着手|履行期間-完了)*>
<!ELEMENT 業務実績システムバージョン番号 (#PCDATA)>
<!ELEMENT 業務実績システム登録番号 (#PCDATA)>
<!ELEMENT 設計書コード (#PCDATA)>
<!ELEMENT 業務名称 (#PCDATA)>
<!ELEMENT 住所情報 (住所コード|住所)*>
<!ELEMENT 住所コード (#PCDATA)>
<!ELEMENT 住所 (#PCDATA)>
<!ELEMENT 履行期間-着手 (#PCDATA)>
<!ELEMENT 履行期間-完了 (#PCDATA)>
<!ELEMENT 場所情報 (測地系|境界座標情報)*>
<!ELEMENT 測地系 (#PCDATA)>
<!ELEMENT 境界座標情報 (西側境界座標経度|東側境界座標経度|北側境界座標緯度|南側境界座標緯度)*>
<!ELEMENT 西側境界座標経度 (#PCDATA)>
<!ELEMENT 東側境界座標経度 (#PCDATA)>
<!ELEMENT 北側境界座標緯度 (#PCDATA)>
<!ELEMENT 南側境界座標緯度 (#PCDATA)>
<!ELEMENT 施設情報 (施設名称)*>
<!ELEMENT 施設名称 (#PCDATA)>
<!ELEMENT 発注者情報 (発注者機関コード|発注者機関事務所名)*>
<!ELEMENT 発注者機関コード (#PCDATA)>
<!ELEMENT 発注者機関事務所名 (#PCDATA)>
<!ELEMENT 受注者情報 (受注者名|受注者コード)*>
<!ELEMENT 受注者名 (#PCDATA)>
<!ELEMENT 受注者コード (#PCDATA)>
<!ELEMENT 業務情報 (主な業務の内容|業務分野コード|業務キーワード|業務概要)*>
<!ELEMENT 主な業務の内容 (#PCDATA)>
<!ELEMENT 業務分野コード (#PCDATA)>
<!ELEMENT 業務キーワード (#PCDATA)>
<!ELEMENT 業務概要 (#PCDATA)>
<!ELEMENT 予備 (#PCDATA)>
"""

# ------------------------------------------------------- construction

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
    <工事番号>0012345</工事番号>
    <工事名称>一般国道１２号　白石改良工事</工事名称>
    <工事実績システムバージョン番号>4.0</工事実績システムバージョン番号>
    <工事分野>道路改良</工事分野>
    <工事業種>一般土木工事</工事業種>
    <工種-工法型式>
      <工種>道路土工</工種>
      <工法型式>掘削工</工法型式>
    </工種-工法型式>
    <住所情報>
      <住所コード>01101</住所コード>
      <住所>北海道札幌市白石区</住所>
    </住所情報>
    <工期開始日>2010-10-01</工期開始日>
    <工期終了日>2011-03-25</工期終了日>
    <工事内容>掘削工　Ｖ＝１２００ｍ３</工事内容>
  </工事件名等>
  <場所情報>
    <測地系>01</測地系>
    <水系-路線情報>
      <対象水系路線名>一般国道１２号</対象水系路線名>
      <測点情報>
        <起点側測点-n>12</起点側測点-n>
        <起点側測点-m>0</起点側測点-m>
        <終点側測点-n>15</終点側測点-n>
        <終点側測点-m>20</終点側測点-m>
      </測点情報>
    </水系-路線情報>
    <境界座標情報>
      <西側境界座標経度>1412000</西側境界座標経度>
      <東側境界座標経度>1412100</東側境界座標経度>
      <北側境界座標緯度>0430300</北側境界座標緯度>
      <南側境界座標緯度>0430200</南側境界座標緯度>
    </境界座標情報>
  </場所情報>
  <施設情報>
    <施設名称>白石跨線橋</施設名称>
  </施設情報>
  <発注者情報>
    <発注者-大分類>国土交通省</発注者-大分類>
    <発注者-中分類>北海道開発局</発注者-中分類>
    <発注者-小分類>札幌開発建設部</発注者-小分類>
    <発注者コード>12345678</発注者コード>
  </発注者情報>
  <受注者情報>
    <受注者名>株式会社白石建設</受注者名>
    <受注者コード>00012345</受注者コード>
  </受注者情報>
  <予備>予備その一</予備>
  <予備>予備その二</予備>
</constdata>
"""

PHOTO_CONSTRUCTION = """
<?xml version="1.0" encoding="Shift_JIS"?>
<!DOCTYPE photodata SYSTEM "PHOTO05.DTD">
<photodata DTD_version="05">
  <基礎情報>
    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>
    <参考図フォルダ名>PHOTO/DRA</参考図フォルダ名>
    <適用要領基準>土木201009-01</適用要領基準>
  </基礎情報>
  <写真情報>
    <写真ファイル情報>
      <シリアル番号>1</シリアル番号>
      <写真ファイル名>P0000001.JPG</写真ファイル名>
      <写真ファイル日本語名>掘削状況.JPG</写真ファイル日本語名>
      <メディア番号>1</メディア番号>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>施工状況写真</写真区分>
      <工種>道路土工</工種>
      <種別>掘削工</種別>
      <写真タイトル>掘削状況 No.12</写真タイトル>
      <工種区分予備>a</工種区分予備>
      <工種区分予備></工種区分予備>
      <工種区分予備>b</工種区分予備>
    </撮影工種区分>
    <付加情報>
      <参考図ファイル名>D0000001.JPG</参考図ファイル名>
      <参考図ファイル日本語名>横断図.JPG</参考図ファイル日本語名>
      <参考図タイトル>横断図 No.12</参考図タイトル>
      <付加情報予備>図面予備</付加情報予備>
    </付加情報>
    <付加情報>
      <参考図ファイル日本語名>名前だけの参考図.JPG</参考図ファイル日本語名>
      <参考図タイトル>ファイル名のない参考図</参考図タイトル>
    </付加情報>
    <撮影情報>
      <撮影箇所>No.12</撮影箇所>
      <撮影年月日>2010-10-05</撮影年月日>
    </撮影情報>
    <代表写真>1</代表写真>
    <提出頻度写真>0</提出頻度写真>
    <施工管理値>H=1.2m</施工管理値>
    <請負者説明文>掘削の状況</請負者説明文>
  </写真情報>
  <写真情報>
    <写真ファイル情報>
      <シリアル番号>2</シリアル番号>
      <写真ファイル名>p0000002.jpg</写真ファイル名>
      <写真ファイル日本語名>盛土状況.JPG</写真ファイル日本語名>
      <メディア番号>1</メディア番号>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>施工状況写真</写真区分>
      <工種>道路土工</工種>
      <種別>路体盛土工</種別>
      <写真タイトル>路体盛土状況</写真タイトル>
    </撮影工種区分>
    <付加情報>
      <参考図ファイル名>D0000002.JPG</参考図ファイル名>
      <参考図タイトル>ない参考図</参考図タイトル>
    </付加情報>
    <撮影情報>
      <撮影年月日>2010-10-20</撮影年月日>
    </撮影情報>
    <代表写真>1a</代表写真>
    <提出頻度写真>a1</提出頻度写真>
  </写真情報>
  <写真情報>
    <写真ファイル情報>
      <シリアル番号>3</シリアル番号>
      <写真ファイル名>P0000003.JPG</写真ファイル名>
      <メディア番号>1</メディア番号>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>品質管理写真</写真区分>
      <工種>道路土工</工種>
      <写真タイトル>締固め度試験</写真タイトル>
    </撮影工種区分>
    <撮影情報>
      <撮影年月日>2010-11-02</撮影年月日>
    </撮影情報>
  </写真情報>
</photodata>
"""

# ----------------------------------------------------------- services

INDEX_D = """
<?xml version="1.0" encoding="Shift_JIS"?>
<!DOCTYPE gyomudata SYSTEM "INDE_D04.DTD">
<gyomudata DTD_version="04">
  <基礎情報>
    <メディア番号>1</メディア番号>
    <メディア総枚数>1</メディア総枚数>
    <適用要領基準>土木200805-01</適用要領基準>
    <写真フォルダ名>PHOTO</写真フォルダ名>
  </基礎情報>
  <業務件名等>
    <業務実績システムバージョン番号>3.0</業務実績システムバージョン番号>
    <業務実績システム登録番号>1234567890</業務実績システム登録番号>
    <設計書コード>D-0815</設計書コード>
    <業務名称>○○川堤防詳細設計業務</業務名称>
    <住所情報>
      <住所コード>13101</住所コード>
      <住所>東京都千代田区</住所>
    </住所情報>
    <履行期間-着手>2009-06-01</履行期間-着手>
    <履行期間-完了>2010-02-26</履行期間-完了>
  </業務件名等>
  <場所情報>
    <測地系>00</測地系>
  </場所情報>
  <発注者情報>
    <発注者機関コード>20001000</発注者機関コード>
    <発注者機関事務所名>○○河川事務所</発注者機関事務所名>
  </発注者情報>
  <受注者情報>
    <受注者名>株式会社○○設計</受注者名>
    <受注者コード>0000123456</受注者コード>
  </受注者情報>
  <業務情報>
    <主な業務の内容>1</主な業務の内容>
    <業務分野コード>1010101</業務分野コード>
    <業務キーワード>堤防</業務キーワード>
    <業務キーワード>詳細設計</業務キーワード>
    <業務キーワード>護岸</業務キーワード>
    <業務概要>堤防の詳細設計を行った。</業務概要>
  </業務情報>
  <予備>予備</予備>
</gyomudata>
"""

# No DOCTYPE: the root's DTD_version tells the revision.
PHOTO_SERVICES = """
<?xml version="1.0" encoding="Shift_JIS"?>
<photodata DTD_version="04">
  <基礎情報>
    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>
    <適用要領基準>土木200805-01</適用要領基準>
  </基礎情報>
  <写真情報>
    <写真ファイル情報>
      <写真ファイル名>P0000001.JPG</写真ファイル名>
      <写真ファイル日本語名>現況.JPG</写真ファイル日本語名>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>調査</写真-大分類>
      <写真区分>着手前及び完成写真</写真区分>
      <写真タイトル>堤防現況</写真タイトル>
    </撮影工種区分>
    <撮影情報>
      <撮影年月日>2009-07-14</撮影年月日>
    </撮影情報>
  </写真情報>
</photodata>
"""

# ----------------------------------------------------- 2002 layouts

PHOTO_2002 = """
<?xml version="1.0" encoding="Shift_JIS"?>
<!DOCTYPE photodata SYSTEM "PHOTO02.DTD">
<photodata DTD_version="02">
  <基礎情報>
    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>
    <参考図フォルダ名>PHOTO/DRA</参考図フォルダ名>
    <媒体情報予備>媒体の予備</媒体情報予備>
    <ソフトウェア名>写真管理</ソフトウェア名>
  </基礎情報>
  <工事情報>
    <工事件名等>
      <発注年度>2002</発注年度>
      <工事番号>A-001</工事番号>
      <案件番号>B-002</案件番号>
      <河川-路線名等>一級河川○○川</河川-路線名等>
      <工事名称>○○川護岸工事</工事名称>
      <工事箇所>○○県○○市</工事箇所>
      <工期開始日>2002-08-01</工期開始日>
      <工期終了日>2003-03-20</工期終了日>
    </工事件名等>
    <発注者情報>
      <発注者-大分類>国土交通省</発注者-大分類>
      <発注者-中分類>関東地方整備局</発注者-中分類>
      <発注者-小分類>○○河川事務所</発注者-小分類>
      <発注者コード>20304050</発注者コード>
    </発注者情報>
    <請負者情報>
      <請負者名>○○建設株式会社</請負者名>
      <請負者コード>0001</請負者コード>
    </請負者情報>
    <請負者備考>請負者の備考</請負者備考>
  </工事情報>
  <写真情報>
    <写真ファイル情報>
      <シリアル番号>1</シリアル番号>
      <写真ファイル名>P0000001.JPG</写真ファイル名>
      <写真ファイル日本語名>ブロック張.JPG</写真ファイル日本語名>
      <メディア番号>1</メディア番号>
      <写真MIME>image/jpeg</写真MIME>
      <写真ファイル情報予備>fj1</写真ファイル情報予備>
      <写真ファイル情報予備>fj2</写真ファイル情報予備>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>施工状況写真</写真区分>
      <工種>護岸工</工種>
      <種別>法覆護岸工</種別>
      <細別>コンクリートブロック張</細別>
      <写真タイトル>ブロック張状況</写真タイトル>
      <工種区分予備>k1</工種区分予備>
    </撮影工種区分>
    <付加情報>
      <参考図ファイル名>D0000001.JPG</参考図ファイル名>
      <参考図ファイル日本語名>展開図.JPG</参考図ファイル日本語名>
      <参考図タイトル>護岸展開図</参考図タイトル>
      <参考図MIME>image/jpeg</参考図MIME>
      <付加情報予備>f1</付加情報予備>
    </付加情報>
    <撮影情報>
      <撮影箇所>No.3</撮影箇所>
      <撮影年月日>2002-09-10</撮影年月日>
      <撮影情報予備>s1</撮影情報予備>
      <撮影情報予備>s2</撮影情報予備>
    </撮影情報>
    <施工管理値情報>
      <施工管理値>t=35cm</施工管理値>
      <施工管理値予備>c1</施工管理値予備>
    </施工管理値情報>
    <状況説明予備>j1</状況説明予備>
    <その他>
      <請負者説明文>u1</請負者説明文>
      <写真情報予備>o1</写真情報予備>
    </その他>
  </写真情報>
  <写真情報>
    <写真ファイル情報>
      <写真ファイル名>P0000002.JPG</写真ファイル名>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>出来形管理写真</写真区分>
      <工種>護岸工</工種>
      <写真タイトル>法長測定</写真タイトル>
    </撮影工種区分>
  </写真情報>
</photodata>
"""

# The farm-works revision without DOCTYPE.
PHOTO_2002N = """
<?xml version="1.0" encoding="Shift_JIS"?>
<photodata DTD_version="02_200304">
  <基礎情報>
    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>
  </基礎情報>
  <工事情報>
    <工事件名等>
      <発注年度>H15</発注年度>
      <路線水系名等>○○幹線用水路</路線水系名等>
      <工事名称>○○地区用水路工事</工事名称>
    </工事件名等>
  </工事情報>
  <写真情報>
    <写真ファイル情報>
      <写真ファイル名>P0000001.JPG</写真ファイル名>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>施工状況写真</写真区分>
      <工種>水路工</工種>
      <写真タイトル>水路据付状況</写真タイトル>
    </撮影工種区分>
  </写真情報>
</photodata>
"""

# --------------------------------------------------------- 1999 layout

PHOTO_1999 = """
<?xml version="1.0" encoding="Shift_JIS"?>
<!DOCTYPE photodata SYSTEM "PHOTO.DTD">
<photodata>
  <基礎情報>
    <DTDバージョン>1.0</DTDバージョン>
    <写真フォルダ名>PIC</写真フォルダ名>
    <参考図フォルダ名>./DRA</参考図フォルダ名>
    <媒体情報予備>媒体予備1999</媒体情報予備>
  </基礎情報>
  <工事情報>
    <発注年度>1999</発注年度>
    <工事番号>11-0815</工事番号>
    <河川路線名等>一般国道４号</河川路線名等>
    <工事名称>○○地区舗装工事</工事名称>
    <工事箇所>○○県○○町</工事箇所>
    <工期開始日>1999-08-01</工期開始日>
    <工期終了日>2000-03-15</工期終了日>
    <発注者-大分類>建設省</発注者-大分類>
    <発注者-中分類>東北地方建設局</発注者-中分類>
    <発注者-小分類>○○国道工事事務所</発注者-小分類>
    <発注者コード>30405060</発注者コード>
    <請負者名>○○道路株式会社</請負者名>
    <請負者コード>0815</請負者コード>
    <発注者備考>発注者の備考</発注者備考>
    <請負者備考>請負者の備考</請負者備考>
  </工事情報>
  <写真情報>
    <シリアル番号>1</シリアル番号>
    <写真ファイル名>P0000001.JPG</写真ファイル名>
    <メディア番号>1</メディア番号>
    <写真整理フラグ>2</写真整理フラグ>
    <写真ファイル情報予備>fj</写真ファイル情報予備>
    <写真-大分類>工事</写真-大分類>
    <写真区分>施工状況写真</写真区分>
    <工種>舗装工</工種>
    <種別>アスファルト舗装工</種別>
    <細別>表層工</細別>
    <写真タイトル>表層転圧状況</写真タイトル>
    <工種区分予備1>k1</工種区分予備1>
    <工種区分予備2></工種区分予備2>
    <工種区分予備3>k3</工種区分予備3>
    <参考図1></参考図1>
    <参考図2>D0000001.JPG</参考図2>
    <撮影箇所>No.40</撮影箇所>
    <付加情報予備>fu</付加情報予備>
    <撮影年月日>19990801</撮影年月日>
    <フィルム番号>3</フィルム番号>
    <コマ番号>12</コマ番号>
    <撮影情報予備>s</撮影情報予備>
    <施工管理値>t=5cm</施工管理値>
    <施工管理値予備>c</施工管理値予備>
    <状況説明予備>j</状況説明予備>
    <請負者説明文>転圧の状況</請負者説明文>
    <発注者説明文>立会</発注者説明文>
    <写真情報予備1>o1</写真情報予備1>
    <写真情報予備2>o2</写真情報予備2>
  </写真情報>
  <写真情報>
    <写真ファイル名>P0000002.JPG</写真ファイル名>
    <写真-大分類>工事</写真-大分類>
    <写真区分>出来形管理写真</写真区分>
    <工種>舗装工</工種>
    <写真タイトル>厚さ測定</写真タイトル>
    <撮影年月日>1999/8/1</撮影年月日>
  </写真情報>
</photodata>
"""

# ------------------------------------------------------- multi-media

PHOTO_MULTIMEDIA = """
<?xml version="1.0" encoding="Shift_JIS"?>
<!DOCTYPE photodata SYSTEM "PHOTO04.DTD">
<photodata DTD_version="04">
  <基礎情報>
    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>
    <参考図フォルダ名>PHOTO/DRA</参考図フォルダ名>
    <適用要領基準>土木200406-01</適用要領基準>
  </基礎情報>
  <写真情報>
    <写真ファイル情報>
      <写真ファイル名>P0000001.JPG</写真ファイル名>
      <メディア番号>1</メディア番号>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>着手前及び完成写真</写真区分>
      <写真タイトル>着手前</写真タイトル>
    </撮影工種区分>
  </写真情報>
  <写真情報>
    <写真ファイル情報>
      <写真ファイル名>P0000002.JPG</写真ファイル名>
      <メディア番号>2</メディア番号>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>施工状況写真</写真区分>
      <写真タイトル>床掘状況</写真タイトル>
    </撮影工種区分>
    <付加情報>
      <参考図ファイル名>D0000001.JPG</参考図ファイル名>
      <参考図タイトル>平面図</参考図タイトル>
    </付加情報>
  </写真情報>
  <写真情報>
    <写真ファイル情報>
      <写真ファイル名>P0000003.JPG</写真ファイル名>
    </写真ファイル情報>
    <撮影工種区分>
      <写真-大分類>工事</写真-大分類>
      <写真区分>着手前及び完成写真</写真区分>
      <写真タイトル>完成</写真タイトル>
    </撮影工種区分>
  </写真情報>
</photodata>
"""

PHOTO_UNKNOWN = """
<?xml version="1.0" encoding="Shift_JIS"?>
<photodata DTD_version="05">
  <基礎情報>
    <写真フォルダ名>PHOTO/PIC</写真フォルダ名>
  </基礎情報>
</photodata>
"""


def main():
    for sub in ("construction", "services", "photo2002", "photo2002n", "photo1999", "multimedia", "unknown"):
        shutil.rmtree(os.path.join(ROOT, sub), ignore_errors=True)

    write_text("construction/INDEX_C.XML", INDEX_C)
    write_text("construction/INDE_C05.DTD", INDEX_C_DTD)
    write_text("construction/PHOTO/PHOTO.XML", PHOTO_CONSTRUCTION)
    write_text("construction/PHOTO/PHOTO05.DTD", PHOTO_CURRENT_DTD.replace("{ver}", "05"))
    write_jpeg("construction/PHOTO/PIC/P0000001.JPG", 60)
    write_jpeg("construction/PHOTO/PIC/P0000002.JPG", 90)  # named in lower case in PHOTO.XML
    write_jpeg("construction/PHOTO/DRA/D0000001.JPG", 200)

    # Laid out as a CD mounted in lower case.
    write_text("services/INDEX_D.XML", INDEX_D)
    write_text("services/INDE_D04.DTD", INDEX_D_DTD)
    write_text("services/photo/photo.xml", PHOTO_SERVICES)
    write_jpeg("services/photo/pic/p0000001.jpg", 120)

    write_text("photo2002/PHOTO/PHOTO.XML", PHOTO_2002)
    write_text("photo2002/PHOTO/PHOTO02.DTD", PHOTO_2002_DTD)
    write_jpeg("photo2002/PHOTO/PIC/P0000001.JPG", 30)
    write_jpeg("photo2002/PHOTO/PIC/P0000002.JPG", 150)
    write_jpeg("photo2002/PHOTO/DRA/D0000001.JPG", 210)

    write_text("photo2002n/PHOTO/PHOTO.XML", PHOTO_2002N)
    write_jpeg("photo2002n/PHOTO/PIC/P0000001.JPG", 80)

    write_text("photo1999/PHOTO.XML", PHOTO_1999)
    write_text("photo1999/PHOTO.DTD", PHOTO_1999_DTD)
    write_jpeg("photo1999/PIC/P0000001.JPG", 100)
    write_jpeg("photo1999/DRA/D0000001.JPG", 220)

    write_text("multimedia/PHOTO/PHOTO.XML", PHOTO_MULTIMEDIA)
    write_text("multimedia/PHOTO/PHOTO04.DTD", PHOTO_CURRENT_DTD.replace("{ver}", "04"))
    write_jpeg("multimedia/PHOTO/PIC/P0000001.JPG", 40)
    write_jpeg("multimedia/PHOTO/PIC/P0000002.JPG", 140)
    write_jpeg("multimedia/PHOTO/PIC/P0000003.JPG", 180)
    write_jpeg("multimedia/PHOTO/DRA/D0000001.JPG", 230)

    write_text("unknown/PHOTO/PHOTO.XML", PHOTO_UNKNOWN)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    MAKE_PICTURE = os.path.abspath(sys.argv[1])
    main()
