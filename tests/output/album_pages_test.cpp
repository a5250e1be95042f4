// Whole files of a small album, line by line with their indentation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "album_fixture.h"

namespace zor {
namespace {

using Lines_ = std::vector<std::string>;

std::string Pad(int level) { return std::string(static_cast<std::size_t>(level) * 3, ' '); }

// The four lines of a row; width "" for the free form.
Lines_ Row(int level, const std::string& width, const std::string& label, const std::string& value) {
  const std::string w = width.empty() ? "" : "width=\"" + width + "\" ";
  return {Pad(level) + "<tr>",
          Pad(level + 1) + "<td " + w + "align=\"center\" bgcolor=\"#999999\"><font color=\"#ffffff\"><b>" + label +
              "</b></font></td>",
          Pad(level + 1) + "<td bgcolor=\"#ffffff\">" + value + "</td>", Pad(level) + "</tr>"};
}

void Append(Lines_& to, const Lines_& more) { to.insert(to.end(), more.begin(), more.end()); }

const Lines_ kHead = {"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">", "<html>", "<head>",
                      "<title>ミナロッサHTML</title>", "</head>"};
const std::string kPageBody =
    "<body bgcolor=\"#dddced\" text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\">";

class AlbumPagesTest : public AlbumTest {
 protected:
  void SetUp() override {
    AlbumTest::SetUp();
    PhotoContractBlock& c = d_.PhotoContractInfo;
    c.SetOrderYear("2004");
    c.SetText(ContractText::ConstructionName, Sj("堤防工事"));
    c.SetText(ContractText::PeriodStart, "2004-04-01");
    c.SetText(ContractText::ContractorName, Sj("ミナロッサ建設"));
    c.SetReserve(1, Sj("予備の二"));
    WriteBytes(dir_ / "photo.jpg", "\xFF\xD8 not really decoded \xFF\xD9");
    AddPhoto({{"TITLE", "堤防  <A>"},
              {"JFILENAME", "P0000001.JPG"},
              {"DATE", "2004-05-31"},
              {"FILMNUM", "1"},
              {"FILENAME", (dir_ / "photo.jpg").string()}});
  }
};

TEST_F(AlbumPagesTest, EveryFileOfAOnePhotoAlbum) {
  const AlbumResult result = Write();
  ASSERT_TRUE(result.finished);
  EXPECT_EQ(result.pages, 2);
  EXPECT_EQ(result.photos, 1);

  Lines_ start = kHead;
  start.pop_back();  // the start file's head comes from the frameset text
  Append(start, {"</head>", "<frameset cols=\"129,*\">", "  <frame src=\"HTML/INDEX.HTM\">",
                 "  <frame src=\"HTML/PAGE1.HTM\" name=\"page_main\">", "<noframes>", "<body>",
                 "<p>このページをご覧いただくにはフレーム対応のブラウザが必要です。</p>", "</body>", "</noframes>",
                 "</frameset>", "</html>"});
  EXPECT_EQ(Lines(Album("ALBUM.HTM")), start);

  Lines_ page1 = kHead;
  Append(page1, {kPageBody, "Page.1<br><br>", Pad(2) + "<table width=\"620\" border=\"1\" cellpadding=\"3\">",
                 Pad(2) + "<caption align=\"left\"><b>基礎情報</b></caption>", Pad(2) + "<tbody>"});
  Append(page1, Row(3, "150", "写真フォルダ名", "PHOTO/PIC"));
  Append(page1, Row(3, "150", "参考図フォルダ名", "PHOTO/DRA"));
  Append(page1, Row(3, "150", "ソフトウェア名", "ミナロッサ電子納品写真ビューア"));
  Append(page1, Row(3, "150", "バージョン情報", "3.10"));
  Append(page1, Row(3, "150", "メーカ名", "ミナロッサ開発チーム"));
  Append(page1, Row(3, "150", "メーカ連絡先", "support@zorview.invalid"));
  Append(page1, {Pad(2) + "</tbody>", Pad(2) + "</table>", Pad(2) + "<br>",
                 Pad(2) + "<table width=\"620\" border=\"1\" cellpadding=\"3\">",
                 Pad(2) + "<caption align=\"left\"><b>工事情報</b></caption>", Pad(2) + "<tbody>"});
  Append(page1, Row(2, "150", "発注年度", "2004"));
  Append(page1, Row(2, "150", "工事名称", "堤防工事"));
  Append(page1, Row(2, "150", "工期開始日", "2004 年 04 月 01 日"));
  Append(page1, Row(2, "150", "受注者名", "ミナロッサ建設"));  // standard 7 says 受注者
  Append(page1, Row(2, "150", "予備", "予備の二"));
  Append(page1,
         {Pad(2) + "</tbody>", Pad(2) + "</table>", "<p><a href=\"PAGE2.HTM\">次ページ</a></p>", "</body>", "</html>"});
  EXPECT_EQ(Lines(Album("HTML/PAGE1.HTM")), page1);

  Lines_ page2 = kHead;
  Append(page2,
         {kPageBody, "Page.2", "<table>", Pad(1) + "<tbody>", Pad(2) + "<tr>",
          Pad(2) + "<td width=\"260\" height=\"260\" align=\"center\"><a href=\"../PIC/P0000001.JPG\" "
                   "target=\"_blank\"><img src=\"../PIC/P0000001.JPG\" border=\"2\" hspace=\"5\" vspace=\"5\" "
                   "width=\"260\"></a></td>",
          Pad(2) + "<td width=\"260\" height=\"260\">", Pad(2) + "<table width=\"340\" border=\"1\" cellpadding=\"3\">",
          Pad(2) + "<col span=\"1\" align=\"center\">", Pad(2) + "<tbody>"});
  Append(page2, Row(3, "120", "シリアル番号", "1"));
  Append(page2, Row(3, "120", "写真ファイル日本語名", "P0000001.JPG"));
  Append(page2, Row(3, "120", "写真-大分類", "工事"));
  Append(page2, Row(3, "120", "写真区分", "施工状況写真"));
  Append(page2, Row(3, "120", "写真タイトル", "堤防&nbsp;&nbsp;&lt;A&gt;"));
  Append(page2, Row(3, "120", "撮影年月日", "2004 年 05 月 31 日"));
  Append(page2, Row(3, "120", "提出頻度写真", "1"));
  Append(page2, {Pad(2) + "</tbody>", Pad(2) + "</table>", Pad(2) + "</td>", Pad(2) + "</tr>", Pad(1) + "</tbody>",
                 "</table>", Pad(1) + "</tbody>", "</table>", "</center>", "<p><a href=\"PAGE1.HTM\">前ページ</a></p>",
                 "</body>", "</html>"});
  EXPECT_EQ(Lines(Album("HTML/PAGE2.HTM")), page2);

  Lines_ index = kHead;
  Append(index,
         {"<body bgcolor=\"#bdbedd\" text=\"#ffffff\" link=\"#00008a\" vlink=\"#00008a\" alink=\"#00008a\">",
          "<p align=\"center\"><b>目次</b></p>",
          "<p align=\"center\"><a href=\"PAGE1.HTM\" target=\"page_main\">Page.1</a></p>",
          "<p align=\"center\"><a href=\"PAGE2.HTM\" target=\"page_main\">Page.2</a></p>", "</body>", "</html>"});
  EXPECT_EQ(Lines(Album("HTML/INDEX.HTM")), index);

  // The JPEG is copied byte for byte; progress ran over total + 1; the browser was asked for.
  EXPECT_EQ(ReadBytes(Album("PIC/P0000001.JPG")), ReadBytes(dir_ / "photo.jpg"));
  EXPECT_EQ(host_.progress, (std::vector<std::string>{"S2", "R2", "E0"}));
  EXPECT_EQ(host_.opened, (std::vector<std::string>{Album("ALBUM.HTM").string()}));
}

TEST_F(AlbumPagesTest, XhtmlMarkupWords) {
  options_.xhtml = true;
  ASSERT_TRUE(Write().finished);
  for (const char* file : {"ALBUM.HTM", "HTML/PAGE1.HTM", "HTML/PAGE2.HTM", "HTML/INDEX.HTM"}) {
    const Lines_ lines = Lines(Album(file));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>") << file;
    EXPECT_EQ(lines[1],
              "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" \"DTD/xhtml1-transitional.dtd\">")
        << file;
  }
  const Lines_ page1 = Page(1);
  EXPECT_EQ(page1[7], "Page.1<br /><br />");
  EXPECT_EQ(Count(page1, "<br />"), 2);  // and the one between the tables
  const Lines_ page2 = Page(2);
  EXPECT_EQ(Count(page2, "width=\"260\" /></a></td>"), 1);
  EXPECT_EQ(Count(page2, "<img"), 1);
}

TEST_F(AlbumPagesTest, StandardZeroRowsAndMultiLineReserves) {
  d_.DigiVersion = 0;
  d_.PhotoContractInfo.SetText(ContractText::MediaReserve, Sj("媒体"));
  ASSERT_TRUE(d_.GotoPhotoRecord(1));
  TViewDataSet& t = d_.PhotoTable;
  t.Edit();
  t.SetAsInteger(t.FieldPos.FLAG, 3);
  t.SetAsString(t.FieldPos.NEGANUM, "12");
  t.SetAsString(t.FieldPos.YOBI_SJ, Sj("一行目 & <b>\r\n\r\n二行目"));
  t.SetAsString(t.FieldPos.YOBI_SO, "1\r\n2\r\n3\r\n4");
  t.SetAsString(t.FieldPos.DATE, "2004/5/31");
  t.Post();
  ASSERT_TRUE(Write().finished);

  const Lines_ page1 = Page(1);
  EXPECT_EQ(Count(page1, "<b>媒体情報予備</b>"), 1);
  EXPECT_EQ(Count(page1, "<b>河川路線名等</b>"), 0);  // empty value, no row
  EXPECT_EQ(Count(page1, "<b>請負者名</b>"), 1);

  const Lines_ page2 = Page(2);
  auto valueOf = [&](const std::string& label) {
    Lines_ values;
    for (std::size_t i = 0; i + 1 < page2.size(); ++i)
      if (page2[i].find("<b>" + label + "</b>") != std::string::npos) values.push_back(page2[i + 1]);
    return values;
  };
  EXPECT_EQ(valueOf("写真整理フラグ"), (Lines_{"<td bgcolor=\"#ffffff\">3</td>"}));
  EXPECT_EQ(valueOf("フィルム番号"), (Lines_{"<td bgcolor=\"#ffffff\">1</td>"}));
  EXPECT_EQ(valueOf("コマ番号"), (Lines_{"<td bgcolor=\"#ffffff\">12</td>"}));
  EXPECT_EQ(valueOf("撮影情報予備"),
            (Lines_{"<td bgcolor=\"#ffffff\">一行目 &amp; &lt;b&gt;</td>", "<td bgcolor=\"#ffffff\">二行目</td>"}));
  EXPECT_EQ(valueOf("写真情報予備").size(), 3u);  // standard 0 keeps the first three lines
  EXPECT_EQ(valueOf("撮影年月日"), (Lines_{"<td bgcolor=\"#ffffff\">2004/5/31</td>"}));
  EXPECT_TRUE(valueOf("代表写真").empty());
  EXPECT_TRUE(valueOf("提出頻度写真").empty());
}

}  // namespace
}  // namespace zor
