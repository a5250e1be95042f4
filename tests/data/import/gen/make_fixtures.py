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


# ------------------------------------------------------ writing XML and DTDs
#
# A document's content is a list of (tag, value) pairs in document order: a
# list value is an element holding those pairs, any other value an element
# with that text, and None no element at all, so that optional items can be
# passed along as they come.


def xml_lines(items, depth):
    pad = "  " * depth
    lines = []
    for tag, value in items:
        if value is None:
            continue
        if isinstance(value, list):
            lines.append("%s<%s>" % (pad, tag))
            lines += xml_lines(value, depth + 1)
            lines.append("%s</%s>" % (pad, tag))
        else:
            lines.append("%s<%s>%s</%s>" % (pad, tag, value, tag))
    return lines


def xml_document(root, items, version=None, dtd=None):
    """The whole document, with a DOCTYPE line when dtd names the DTD file."""
    lines = ['<?xml version="1.0" encoding="Shift_JIS"?>']
    if dtd:
        lines.append('<!DOCTYPE %s SYSTEM "%s">' % (root, dtd))
    lines.append('<%s DTD_version="%s">' % (root, version) if version else "<%s>" % root)
    return "\n".join(lines + xml_lines(items, 1) + ["</%s>" % root]) + "\n"


# A DTD item is a text element's name or a group: group(NAME, ...) with its
# children, where a string may hold several text elements' names.

def group(name, *children):
    items = []
    for child in children:
        items += child.split() if isinstance(child, str) else [child]
    return (name, items)


def dtd_lines(items):
    out = ""
    for item in items:
        if isinstance(item, str):
            out += "<!ELEMENT %s (#PCDATA)>\n" % item
        else:
            name, children = item
            names = [c if isinstance(c, str) else c[0] for c in children]
            out += "<!ELEMENT %s (%s)*>\n" % (name, "|".join(names))
            out += dtd_lines(children)
    return out


def dtd_document(root, content, version, *items):
    """The root's content model, its fixed DTD_version, then each item and what it holds."""
    return ("<!ELEMENT %s (%s)>\n" % (root, content)
            + '<!ATTLIST %s DTD_version CDATA #FIXED "%s">\n' % (root, version)
            + dtd_lines(items))


# ---------------------------------------------------------------- DTDs

CLASSIFICATION_DTD = group("撮影工種区分", "写真-大分類 写真区分 工種 種別 細別 写真タイトル 工種区分予備")
ORDERER_DTD = group("発注者情報", "発注者-大分類 発注者-中分類 発注者-小分類 発注者コード")
INDEX_BASICS_DTD = group("基礎情報", "メディア番号 メディア総枚数 適用要領基準 写真フォルダ名")
ADDRESS_DTD = group("住所情報", "住所コード 住所")
BOUNDARY_DTD = group("境界座標情報", "西側境界座標経度 東側境界座標経度 北側境界座標緯度 南側境界座標緯度")
FACILITY_DTD = group("施設情報", "施設名称")
CONTRACTOR_DTD = group("受注者情報", "受注者名 受注者コード")


def photo_current_dtd(version):
    return dtd_document(
        "photodata", "基礎情報,写真情報*,ソフトメーカ用TAG*", version,
        group("基礎情報", "写真フォルダ名 参考図フォルダ名 適用要領基準"),
        group("写真情報",
              group("写真ファイル情報", "シリアル番号 写真ファイル名 写真ファイル日本語名 メディア番号"),
              CLASSIFICATION_DTD,
              group("付加情報", "参考図ファイル名 参考図ファイル日本語名 参考図タイトル 付加情報予備"),
              group("撮影情報", "撮影箇所 撮影年月日"),
              "代表写真 提出頻度写真 施工管理値 請負者説明文"),
        "ソフトメーカ用TAG")


PHOTO_2002_DTD = dtd_document(
    "photodata", "基礎情報,工事情報,写真情報*", "02",
    group("基礎情報", "写真フォルダ名 参考図フォルダ名 媒体情報予備 ソフトウェア名 バージョン情報 メーカ名 メーカ連絡先",
          "ソフトメーカ用TAG"),
    group("工事情報",
          group("工事件名等", "発注年度 工事番号 案件番号 河川-路線名等 路線水系名等 工事名称 工事箇所 工期開始日 工期終了日"),
          ORDERER_DTD,
          group("請負者情報", "請負者名 請負者コード"),
          "請負者備考"),
    group("写真情報",
          group("写真ファイル情報", "シリアル番号 写真ファイル名 写真ファイル日本語名 メディア番号 写真MIME 写真ファイル情報予備"),
          CLASSIFICATION_DTD,
          group("付加情報", "参考図ファイル名 参考図ファイル日本語名 参考図タイトル 参考図MIME 付加情報予備"),
          group("撮影情報", "撮影箇所 撮影年月日 撮影情報予備"),
          group("施工管理値情報", "施工管理値 施工管理値予備"),
          "状況説明予備",
          group("その他", "請負者説明文 写真情報予備")))

PHOTO_1999_LEAVES = """DTDバージョン 写真フォルダ名 参考図フォルダ名 媒体情報予備 ソフトウェア名 バージョン情報
メーカ名 メーカ連絡先 ソフトメーカ用TAG 発注年度 工事番号 河川路線名等 工事名称 工事箇所 工期開始日 工期終了日
発注者-大分類 発注者-中分類 発注者-小分類 発注者コード 請負者名 請負者コード 発注者備考 請負者備考 シリアル番号
写真ファイル名 メディア番号 写真整理フラグ 写真ファイル情報予備 写真-大分類 写真区分 工種 種別 細別 写真タイトル
工種区分予備1 工種区分予備2 工種区分予備3 参考図1 参考図2 参考図3 撮影箇所 付加情報予備 撮影年月日 フィルム番号
コマ番号 撮影情報予備 施工管理値 施工管理値予備 状況説明予備 請負者説明文 発注者説明文 写真情報予備1 写真情報予備2
写真情報予備3""".split()

# The 1999 DTD has no DTD_version; its three groups come first, then every text element.
PHOTO_1999_DTD = (
    "<!ELEMENT photodata (基礎情報,工事情報,写真情報*)>\n"
    "<!ELEMENT 基礎情報 (%s)*>\n" % "|".join(PHOTO_1999_LEAVES[:9])
    + "<!ELEMENT 工事情報 (%s)*>\n" % "|".join(PHOTO_1999_LEAVES[9:24])
    + "<!ELEMENT 写真情報 (%s)*>\n" % "|".join(PHOTO_1999_LEAVES[24:])
    + dtd_lines(PHOTO_1999_LEAVES))

INDEX_C_DTD = dtd_document(
    "constdata", "基礎情報,工事件名等,場所情報?,施設情報*,発注者情報,受注者情報,予備*", "05",
    INDEX_BASICS_DTD,
    group("工事件名等", "発注年度 工事番号 工事名称 工事実績システムバージョン番号 工事分野 工事業種",
          group("工種-工法型式", "工種 工法型式"),
          ADDRESS_DTD,
          "工期開始日 工期終了日 工事内容"),
    group("場所情報", "測地系",
          group("水系-路線情報", "対象水系路線名 現道-旧道区分 対象河川コード 左右岸上下線コード",
                group("測点情報", "起点側測点-n 起点側測点-m 終点側測点-n 終点側測点-m"),
                group("距離標情報", "起点側距離標-n 起点側距離標-m 終点側距離標-n 終点側距離標-m")),
          BOUNDARY_DTD),
    FACILITY_DTD,
    ORDERER_DTD,
    CONTRACTOR_DTD,
    "予備")

INDEX_D_DTD = dtd_document(
    "gyomudata", "基礎情報,業務件名等,場所情報?,施設情報*,発注者情報,受注者情報,業務情報,予備*", "04",
    INDEX_BASICS_DTD,
    group("業務件名等", "業務実績システムバージョン番号 業務実績システム登録番号 設計書コード 業務名称",
          ADDRESS_DTD,
          "履行期間-着手 履行期間-完了"),
    group("場所情報", "測地系", BOUNDARY_DTD),
    FACILITY_DTD,
    group("発注者情報", "発注者機関コード 発注者機関事務所名"),
    CONTRACTOR_DTD,
    group("業務情報", "主な業務の内容 業務分野コード 業務キーワード 業務概要"),
    "予備")

# ------------------------------------------------- pieces of the documents


def index_basics(standard):
    return ("基礎情報", [("メディア番号", 1), ("メディア総枚数", 1), ("適用要領基準", standard),
                     ("写真フォルダ名", "PHOTO")])


def address(code, name):
    return ("住所情報", [("住所コード", code), ("住所", name)])


def stations(start_n, start_m, end_n, end_m):
    return ("測点情報", [("起点側測点-n", start_n), ("起点側測点-m", start_m),
                     ("終点側測点-n", end_n), ("終点側測点-m", end_m)])


def boundary(west, east, north, south):
    return ("境界座標情報", [("西側境界座標経度", west), ("東側境界座標経度", east),
                       ("北側境界座標緯度", north), ("南側境界座標緯度", south)])


def orderer(major, middle, minor, code):
    return ("発注者情報", [("発注者-大分類", major), ("発注者-中分類", middle), ("発注者-小分類", minor),
                      ("発注者コード", code)])


def contractor(name, code):
    return ("受注者情報", [("受注者名", name), ("受注者コード", code)])


def photo_basics(pictures, drawings=None, standard=None):
    return ("基礎情報", [("写真フォルダ名", pictures), ("参考図フォルダ名", drawings), ("適用要領基準", standard)])


def classification(cls, title, major="工事", kind=None, sort=None, detail=None, reserves=()):
    return ("撮影工種区分", [("写真-大分類", major), ("写真区分", cls), ("工種", kind), ("種別", sort),
                       ("細別", detail), ("写真タイトル", title)] + [("工種区分予備", r) for r in reserves])


def photo_record(name, cls, title, serial=None, japanese=None, media=None, drawings=(), place=None, date=None,
                 tail=(), **classes):
    """One photo of the 2004 and later layouts; drawings are (file, Japanese name, title[, reserve]),
    tail the items after 撮影情報, classes what classification() takes besides cls and title."""
    items = [("写真ファイル情報", [("シリアル番号", serial), ("写真ファイル名", name), ("写真ファイル日本語名", japanese),
                            ("メディア番号", media)]),
             classification(cls, title, **classes)]
    for drawing in drawings:
        file, japanese_name, drawing_title, reserve = (tuple(drawing) + (None,))[:4]
        items.append(("付加情報", [("参考図ファイル名", file), ("参考図ファイル日本語名", japanese_name),
                               ("参考図タイトル", drawing_title), ("付加情報予備", reserve)]))
    if place is not None or date is not None:
        items.append(("撮影情報", [("撮影箇所", place), ("撮影年月日", date)]))
    return ("写真情報", items + list(tail))


# ------------------------------------------------------- construction

INDEX_C = xml_document("constdata", [
    index_basics("土木201009-01"),
    ("工事件名等", [
        ("発注年度", "2010"),
        ("工事番号", "0012345"),
        ("工事名称", "一般国道１２号　白石改良工事"),
        ("工事実績システムバージョン番号", "4.0"),
        ("工事分野", "道路改良"),
        ("工事業種", "一般土木工事"),
        ("工種-工法型式", [("工種", "道路土工"), ("工法型式", "掘削工")]),
        address("01101", "北海道札幌市白石区"),
        ("工期開始日", "2010-10-01"),
        ("工期終了日", "2011-03-25"),
        ("工事内容", "掘削工　Ｖ＝１２００ｍ３")]),
    ("場所情報", [
        ("測地系", "01"),
        ("水系-路線情報", [("対象水系路線名", "一般国道１２号"), stations(12, 0, 15, 20)]),
        boundary("1412000", "1412100", "0430300", "0430200")]),
    ("施設情報", [("施設名称", "白石跨線橋")]),
    orderer("国土交通省", "北海道開発局", "札幌開発建設部", "12345678"),
    contractor("株式会社白石建設", "00012345"),
    ("予備", "予備その一"),
    ("予備", "予備その二"),
], version="05", dtd="INDE_C05.DTD")

PHOTO_CONSTRUCTION = xml_document("photodata", [
    photo_basics("PHOTO/PIC", "PHOTO/DRA", "土木201009-01"),
    photo_record("P0000001.JPG", "施工状況写真", "掘削状況 No.12", serial=1, japanese="掘削状況.JPG", media=1,
                 kind="道路土工", sort="掘削工", reserves=("a", "", "b"),
                 drawings=[("D0000001.JPG", "横断図.JPG", "横断図 No.12", "図面予備"),
                           (None, "名前だけの参考図.JPG", "ファイル名のない参考図")],
                 place="No.12", date="2010-10-05",
                 tail=[("代表写真", "1"), ("提出頻度写真", "0"), ("施工管理値", "H=1.2m"), ("請負者説明文", "掘削の状況")]),
    photo_record("p0000002.jpg", "施工状況写真", "路体盛土状況", serial=2, japanese="盛土状況.JPG", media=1,
                 kind="道路土工", sort="路体盛土工", drawings=[("D0000002.JPG", None, "ない参考図")],
                 date="2010-10-20", tail=[("代表写真", "1a"), ("提出頻度写真", "a1")]),
    photo_record("P0000003.JPG", "品質管理写真", "締固め度試験", serial=3, media=1, kind="道路土工",
                 date="2010-11-02"),
], version="05", dtd="PHOTO05.DTD")

# ----------------------------------------------------------- services

INDEX_D = xml_document("gyomudata", [
    index_basics("土木200805-01"),
    ("業務件名等", [
        ("業務実績システムバージョン番号", "3.0"),
        ("業務実績システム登録番号", "1234567890"),
        ("設計書コード", "D-0815"),
        ("業務名称", "○○川堤防詳細設計業務"),
        address("13101", "東京都千代田区"),
        ("履行期間-着手", "2009-06-01"),
        ("履行期間-完了", "2010-02-26")]),
    ("場所情報", [("測地系", "00")]),
    ("発注者情報", [("発注者機関コード", "20001000"), ("発注者機関事務所名", "○○河川事務所")]),
    contractor("株式会社○○設計", "0000123456"),
    ("業務情報", [
        ("主な業務の内容", "1"),
        ("業務分野コード", "1010101"),
        ("業務キーワード", "堤防"),
        ("業務キーワード", "詳細設計"),
        ("業務キーワード", "護岸"),
        ("業務概要", "堤防の詳細設計を行った。")]),
    ("予備", "予備"),
], version="04", dtd="INDE_D04.DTD")

# No DOCTYPE: the root's DTD_version tells the revision.
PHOTO_SERVICES = xml_document("photodata", [
    photo_basics("PHOTO/PIC", standard="土木200805-01"),
    photo_record("P0000001.JPG", "着手前及び完成写真", "堤防現況", japanese="現況.JPG", major="調査",
                 date="2009-07-14"),
], version="04")

# ----------------------------------------------------- 2002 layouts

PHOTO_2002 = xml_document("photodata", [
    ("基礎情報", [
        ("写真フォルダ名", "PHOTO/PIC"),
        ("参考図フォルダ名", "PHOTO/DRA"),
        ("媒体情報予備", "媒体の予備"),
        ("ソフトウェア名", "写真管理")]),
    ("工事情報", [
        ("工事件名等", [
            ("発注年度", "2002"),
            ("工事番号", "A-001"),
            ("案件番号", "B-002"),
            ("河川-路線名等", "一級河川○○川"),
            ("工事名称", "○○川護岸工事"),
            ("工事箇所", "○○県○○市"),
            ("工期開始日", "2002-08-01"),
            ("工期終了日", "2003-03-20")]),
        orderer("国土交通省", "関東地方整備局", "○○河川事務所", "20304050"),
        ("請負者情報", [("請負者名", "○○建設株式会社"), ("請負者コード", "0001")]),
        ("請負者備考", "請負者の備考")]),
    ("写真情報", [
        ("写真ファイル情報", [
            ("シリアル番号", "1"),
            ("写真ファイル名", "P0000001.JPG"),
            ("写真ファイル日本語名", "ブロック張.JPG"),
            ("メディア番号", "1"),
            ("写真MIME", "image/jpeg"),
            ("写真ファイル情報予備", "fj1"),
            ("写真ファイル情報予備", "fj2")]),
        classification("施工状況写真", "ブロック張状況", kind="護岸工", sort="法覆護岸工", detail="コンクリートブロック張",
                       reserves=["k1"]),
        ("付加情報", [
            ("参考図ファイル名", "D0000001.JPG"),
            ("参考図ファイル日本語名", "展開図.JPG"),
            ("参考図タイトル", "護岸展開図"),
            ("参考図MIME", "image/jpeg"),
            ("付加情報予備", "f1")]),
        ("撮影情報", [
            ("撮影箇所", "No.3"),
            ("撮影年月日", "2002-09-10"),
            ("撮影情報予備", "s1"),
            ("撮影情報予備", "s2")]),
        ("施工管理値情報", [("施工管理値", "t=35cm"), ("施工管理値予備", "c1")]),
        ("状況説明予備", "j1"),
        ("その他", [("請負者説明文", "u1"), ("写真情報予備", "o1")])]),
    ("写真情報", [
        ("写真ファイル情報", [("写真ファイル名", "P0000002.JPG")]),
        classification("出来形管理写真", "法長測定", kind="護岸工")]),
], version="02", dtd="PHOTO02.DTD")

# The farm-works revision without DOCTYPE.
PHOTO_2002N = xml_document("photodata", [
    ("基礎情報", [("写真フォルダ名", "PHOTO/PIC")]),
    ("工事情報", [
        ("工事件名等", [("発注年度", "H15"), ("路線水系名等", "○○幹線用水路"), ("工事名称", "○○地区用水路工事")])]),
    ("写真情報", [
        ("写真ファイル情報", [("写真ファイル名", "P0000001.JPG")]),
        classification("施工状況写真", "水路据付状況", kind="水路工")]),
], version="02_200304")

# --------------------------------------------------------- 1999 layout

PHOTO_1999 = xml_document("photodata", [
    ("基礎情報", [
        ("DTDバージョン", "1.0"),
        ("写真フォルダ名", "PIC"),
        ("参考図フォルダ名", "./DRA"),
        ("媒体情報予備", "媒体予備1999")]),
    ("工事情報", [
        ("発注年度", "1999"),
        ("工事番号", "11-0815"),
        ("河川路線名等", "一般国道４号"),
        ("工事名称", "○○地区舗装工事"),
        ("工事箇所", "○○県○○町"),
        ("工期開始日", "1999-08-01"),
        ("工期終了日", "2000-03-15"),
        ("発注者-大分類", "建設省"),
        ("発注者-中分類", "東北地方建設局"),
        ("発注者-小分類", "○○国道工事事務所"),
        ("発注者コード", "30405060"),
        ("請負者名", "○○道路株式会社"),
        ("請負者コード", "0815"),
        ("発注者備考", "発注者の備考"),
        ("請負者備考", "請負者の備考")]),
    ("写真情報", [
        ("シリアル番号", "1"),
        ("写真ファイル名", "P0000001.JPG"),
        ("メディア番号", "1"),
        ("写真整理フラグ", "2"),
        ("写真ファイル情報予備", "fj"),
        ("写真-大分類", "工事"),
        ("写真区分", "施工状況写真"),
        ("工種", "舗装工"),
        ("種別", "アスファルト舗装工"),
        ("細別", "表層工"),
        ("写真タイトル", "表層転圧状況"),
        ("工種区分予備1", "k1"),
        ("工種区分予備2", ""),
        ("工種区分予備3", "k3"),
        ("参考図1", ""),
        ("参考図2", "D0000001.JPG"),
        ("撮影箇所", "No.40"),
        ("付加情報予備", "fu"),
        ("撮影年月日", "19990801"),
        ("フィルム番号", "3"),
        ("コマ番号", "12"),
        ("撮影情報予備", "s"),
        ("施工管理値", "t=5cm"),
        ("施工管理値予備", "c"),
        ("状況説明予備", "j"),
        ("請負者説明文", "転圧の状況"),
        ("発注者説明文", "立会"),
        ("写真情報予備1", "o1"),
        ("写真情報予備2", "o2")]),
    ("写真情報", [
        ("写真ファイル名", "P0000002.JPG"),
        ("写真-大分類", "工事"),
        ("写真区分", "出来形管理写真"),
        ("工種", "舗装工"),
        ("写真タイトル", "厚さ測定"),
        ("撮影年月日", "1999/8/1")]),
], dtd="PHOTO.DTD")

# ------------------------------------------------------- multi-media

PHOTO_MULTIMEDIA = xml_document("photodata", [
    photo_basics("PHOTO/PIC", "PHOTO/DRA", "土木200406-01"),
    photo_record("P0000001.JPG", "着手前及び完成写真", "着手前", media=1),
    photo_record("P0000002.JPG", "施工状況写真", "床掘状況", media=2, drawings=[("D0000001.JPG", None, "平面図")]),
    photo_record("P0000003.JPG", "着手前及び完成写真", "完成"),
], version="04", dtd="PHOTO04.DTD")

PHOTO_UNKNOWN = xml_document("photodata", [photo_basics("PHOTO/PIC")], version="05")


def main():
    for sub in ("construction", "services", "photo2002", "photo2002n", "photo1999", "multimedia", "unknown"):
        shutil.rmtree(os.path.join(ROOT, sub), ignore_errors=True)

    write_text("construction/INDEX_C.XML", INDEX_C)
    write_text("construction/INDE_C05.DTD", INDEX_C_DTD)
    write_text("construction/PHOTO/PHOTO.XML", PHOTO_CONSTRUCTION)
    write_text("construction/PHOTO/PHOTO05.DTD", photo_current_dtd("05"))
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
    write_text("multimedia/PHOTO/PHOTO04.DTD", photo_current_dtd("04"))
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
