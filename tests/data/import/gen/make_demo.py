#!/usr/bin/env python3
"""Writes the demo delivery under samples/demo: a construction delivery with
INDEX_C.XML, PHOTO/PHOTO.XML, twelve site photos and two drawings, in code
page 932 with CR LF line ends.

    OMP_NUM_THREADS=1 python3 make_demo.py PATH/TO/make_picture

(one thread, so that the same script gives the same pictures.)
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

INDEX_C = fx.xml_document("constdata", [
    fx.index_basics("土木201009-01"),
    ("工事件名等", [
        ("発注年度", "2010"),
        ("工事番号", "22-土-0815"),
        ("工事名称", WORK),
        ("工事実績システムバージョン番号", "4.0"),
        ("工事分野", "道路改良"),
        ("工事業種", "一般土木工事"),
        ("工種-工法型式", [("工種", "道路土工"), ("工法型式", "掘削工")]),
        ("工種-工法型式", [("工種", "舗装工"), ("工法型式", "アスファルト舗装工")]),
        fx.address("99999", "中央県中央市本町"),
        ("工期開始日", "2010-10-01"),
        ("工期終了日", "2011-03-18"),
        ("工事内容", "道路改良　Ｌ＝２５０ｍ、側溝工、舗装工")]),
    ("場所情報", [
        ("測地系", "01"),
        ("水系-路線情報", [("対象水系路線名", "市道中央線"), fx.stations(0, 0, 10, 0)]),
        fx.boundary("1394500", "1394530", "0354110", "0354100")]),
    fx.orderer("市区町村", "中央県", "中央市建設部道路課", "99999001"),
    fx.contractor("中央土木株式会社", "00099999"),
], version="05", dtd="INDE_C05.DTD")


def photo_xml():
    records = []
    for serial, (name, cls, kind, sort, detail, title, place, date, drawing) in enumerate(PHOTOS, 1):
        records.append(fx.photo_record(
            name, cls, title, serial=serial, japanese=title.replace(" ", "") + ".JPG", media=1,
            kind=kind or None, sort=sort or None, detail=detail or None,
            drawings=[DRAWINGS[drawing]] if drawing is not None else [], place=place, date=date,
            tail=[("代表写真", 1 if serial in (1, 12) else 0),
                  ("提出頻度写真", 1 if cls in ("品質管理写真", "出来形管理写真") else 0)]))
    return fx.xml_document("photodata", [fx.photo_basics("PHOTO/PIC", "PHOTO/DRA", "土木201009-01")] + records,
                           version="05", dtd="PHOTO05.DTD")


def picture(*args):
    subprocess.run([fx.MAKE_PICTURE] + list(args), check=True)


def main():
    shutil.rmtree(DEMO, ignore_errors=True)
    fx.ROOT = DEMO
    fx.write_text("INDEX_C.XML", INDEX_C)
    fx.write_text("INDE_C05.DTD", fx.INDEX_C_DTD)
    fx.write_text("PHOTO/PHOTO.XML", photo_xml())
    fx.write_text("PHOTO/PHOTO05.DTD", fx.photo_current_dtd("05"))
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
