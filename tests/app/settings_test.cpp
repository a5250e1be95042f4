#include "app/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "text/encoding.h"

namespace zor {
namespace {

std::string CrLf(const std::vector<std::string>& utf8_lines) {
  std::string out;
  for (const std::string& line : utf8_lines) out += Sj(line) + "\r\n";
  return out;
}

// The program folder is the temporary folder; ZOR.INI lives in the user
// data folder under it.
class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(tmp_.path().empty());
    folders_ = ComputeFolders(tmp_.path() + "prog", tmp_.path() + "data", "");
    settings_ = DefaultSettings(folders_);
    file_ = SettingsFilePath(folders_);
  }
  bool Read() { return SettingsReadWrite('R', settings_, folders_, &error_); }
  bool Write() { return SettingsReadWrite('W', settings_, folders_, &error_); }
  // Reads a file with one section "MainPrg_Env" holding the given lines.
  void ReadSection(const std::vector<std::string>& lines) {
    std::vector<std::string> all{"[MainPrg_Env]"};
    all.insert(all.end(), lines.begin(), lines.end());
    WriteBytes(file_, CrLf(all));
    ASSERT_TRUE(Read()) << error_;
  }

  TempFolder tmp_;
  Folders folders_;
  Settings settings_;
  std::string file_;
  std::string error_;
};

TEST_F(SettingsFile, DefaultsTakePathsFromTheFolders) {
  EXPECT_EQ(file_, tmp_.path() + "data/TALMO/TempFiles/ZORVIEW/ZOR.INI");
  EXPECT_EQ(settings_.XmlLoad_Path, tmp_.path() + "prog");
  EXPECT_EQ(settings_.Backup_Path, tmp_.path() + "data/TALMO/TempFiles/ZORVIEW");
  EXPECT_EQ(settings_.GrphFormName, Sj("A4縦3連A.KBF"));
  EXPECT_EQ(settings_.MastFileName, Sj("基本マスタ"));
  EXPECT_FALSE(settings_.SettingsLoaded);
  // A plain Settings has the same non-path defaults.
  Settings plain;
  plain.Graph_Path = settings_.Graph_Path;
  plain.Graph_Dir = settings_.Graph_Dir;
  plain.SaveFile_Path = settings_.SaveFile_Path;
  plain.XmlLoad_Path = settings_.XmlLoad_Path;
  plain.XmlSave_Path = settings_.XmlSave_Path;
  plain.HtmlSave_Path = settings_.HtmlSave_Path;
  plain.Backup_Path = settings_.Backup_Path;
  EXPECT_EQ(plain, settings_);
}

TEST_F(SettingsFile, MissingFileReadsDefaultsAndIsWrittenInFull) {
  ASSERT_TRUE(Read()) << error_;
  EXPECT_TRUE(settings_.SettingsLoaded);
  EXPECT_EQ(settings_, [&] {
    Settings s = DefaultSettings(folders_);
    s.SettingsLoaded = true;
    return s;
  }());
  ASSERT_TRUE(Write()) << error_;
  const std::string prog = tmp_.path() + "prog";
  const std::string work = tmp_.path() + "data/TALMO/TempFiles/ZORVIEW";
  EXPECT_EQ(ReadBytes(file_), CrLf({"[MainPrg_Env]",
                                    "THUMBNAIL_USER=2",
                                    "ThumbnailMinFit=0",
                                    "GraphicSwap=0",
                                    "Kouhini=0",
                                    "IconStyle=1",
                                    "InputLevel=0",
                                    "Graph_Path=" + prog,
                                    "Graph_Dir=" + prog,
                                    "SaveFile_Path=" + prog,
                                    "XmlLoad_Path=" + prog,
                                    "XmlSave_Path=" + prog,
                                    "HtmlSave_Path=" + prog,
                                    "Backup_Path=" + work,
                                    "Sait_Path=",
                                    "MastFileName=基本マスタ",
                                    "MainSeekIciran=1",
                                    "MainSeekSort=0",
                                    "MainSeekKoumoku=0",
                                    "MainSeekPos=1",
                                    "MainSeekStyle=2",
                                    "MainSeekHanniSt=0",
                                    "MainSeekHanniEn=0",
                                    "MastSeekPos=1",
                                    "MastSeekStyle=2",
                                    "MastSeekHanniSt=0",
                                    "MastSeekHanniEn=0",
                                    "MissHanni=0",
                                    "DataSort=1",
                                    "AlbumSort=1",
                                    "FormSort=1",
                                    "PrnFormSort=1",
                                    "PrnNewSort=1",
                                    "MsXmlParser=1",
                                    "DiskSize=650",
                                    "PdfDriver=",
                                    "FileJName=0",
                                    "FileTitle=0",
                                    "StampMode=1",
                                    "FDIFileName=1",
                                    "BackupFile=1",
                                    "AutoSaveTime=0",
                                    "DeleteOneKey=0",
                                    "ViewHtmlFile=0",
                                    "DiskCheck=0",
                                    "DensiOn=1",
                                    "PhotoOn=1",
                                    "BookOn=1",
                                    "DTDVer=0",
                                    "FolderDown=0",
                                    "OrgGrphXml=0",
                                    "OrgGrphHtml=0",
                                    "GrphPageInc=1",
                                    "GrphOffsetX=0",
                                    "GrphOffsetY=0",
                                    "GrphFormName=A4縦3連A",
                                    "GrphGridPitch=5",
                                    "GrphPanelRitu=0",
                                    "GrphRenzoku=0",
                                    "GrphBubun=1",
                                    "GrphShiftLock=1",
                                    "GrphLock=0",
                                    "GrphGroup=0",
                                    "GrphKouhini=1",
                                    "FormGridPitch=5",
                                    "FormPanelRitu=0",
                                    "FormRenzoku=0",
                                    "FormBubun=1",
                                    "FormShiftLock=1",
                                    "FormLock=0",
                                    "FormGroup=0",
                                    "FormKouhini=0",
                                    "HyojunPrnDialog=0",
                                    "PrnImagekit=1",
                                    "CompressionQuality=90",
                                    "Xhtml=0",
                                    "HtmlPage=2",
                                    "HtmlSanko=0",
                                    "KeikokuRed=1"}));
  // What was written reads back to the same values.
  Settings before = settings_;
  settings_ = Settings();
  ASSERT_TRUE(Read()) << error_;
  EXPECT_EQ(settings_, before);
}

TEST_F(SettingsFile, UnknownSectionsKeysAndCommentsStayInPlace) {
  WriteBytes(file_, CrLf({"; written by hand", "[Other]", "A=1", "", "[MainPrg_Env]", "THUMBNAIL_USER=5",
                          "OwnKey=日本語", "  IconStyle = 0  ", "", "[After]", "B=2"}));
  ASSERT_TRUE(Read()) << error_;
  EXPECT_EQ(settings_.THUMBNAIL_USER, 5);
  EXPECT_EQ(settings_.IconStyle, 0);
  settings_.THUMBNAIL_USER = 7;
  ASSERT_TRUE(Write()) << error_;
  const std::string text = ReadBytes(file_);
  // Known keys are replaced in their lines, the rest of our keys follow the
  // section's last entry, and everything else is untouched.
  const std::string head = CrLf({"; written by hand", "[Other]", "A=1", "", "[MainPrg_Env]", "THUMBNAIL_USER=7",
                                 "OwnKey=日本語", "IconStyle=0", "ThumbnailMinFit=0"});
  const std::string tail = CrLf({"KeikokuRed=1", "", "[After]", "B=2"});
  EXPECT_EQ(text.substr(0, head.size()), head);
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(SettingsFile, ValuesAreReadByTheirKind) {
  struct Case {
    const char* line;
    std::function<bool(const Settings&)> check;
  } cases[] = {
      {"IconStyle=257", [](const Settings& s) { return s.IconStyle == 1; }},  // low 8 bits
      {"MainSeekPos=-1", [](const Settings& s) { return s.MainSeekPos == 255; }},
      {"CompressionQuality=257", [](const Settings& s) { return s.CompressionQuality == 100; }},
      {"CompressionQuality=-3", [](const Settings& s) { return s.CompressionQuality == 0; }},
      {"GrphPageInc=70000", [](const Settings& s) { return s.GrphPageInc == 32767; }},
      {"GrphPageInc=-70000", [](const Settings& s) { return s.GrphPageInc == -32768; }},
      {"ThumbnailMinFit=2", [](const Settings& s) { return s.ThumbnailMinFit; }},  // any non-zero
      {"KeikokuRed=0", [](const Settings& s) { return !s.KeikokuRed; }},
      {"HtmlPage=+4", [](const Settings& s) { return s.HtmlPage == 4; }},
      {"GrphOffsetX=1.5mm", [](const Settings& s) { return s.GrphOffsetX == Currency{15000}; }},
      {"GrphOffsetY=-0.00005", [](const Settings& s) { return s.GrphOffsetY == Currency{-1}; }},
      {"GrphFormName=A3横", [](const Settings& s) { return s.GrphFormName == Sj("A3横.KBF"); }},
      {"GrphFormName=", [](const Settings& s) { return s.GrphFormName == ".KBF"; }},
      {"Sait_Path=  /srv/site  ", [](const Settings& s) { return s.Sait_Path == "/srv/site"; }},
  };
  for (const Case& c : cases) {
    settings_ = DefaultSettings(folders_);
    ReadSection({c.line});
    EXPECT_TRUE(c.check(settings_)) << c.line;
  }
}

TEST_F(SettingsFile, GarbageAndMissingValuesKeepTheCurrentOne) {
  settings_.THUMBNAIL_USER = 6;
  settings_.MsXmlParser = false;
  settings_.IconStyle = 0;
  settings_.GrphOffsetX = Currency{25000};
  settings_.GrphOffsetY = Currency{25000};
  settings_.MastFileName = "M";
  ReadSection({"THUMBNAIL_USER=6x", "MsXmlParser=", "IconStyle=99999999999", "GrphOffsetX=abc"});
  EXPECT_EQ(settings_.THUMBNAIL_USER, 6);
  EXPECT_FALSE(settings_.MsXmlParser);
  EXPECT_EQ(settings_.IconStyle, 0);
  EXPECT_EQ(settings_.GrphOffsetX, Currency{0});  // text that is no number reads as 0
  EXPECT_EQ(settings_.GrphOffsetY, Currency{25000});
  EXPECT_EQ(settings_.MastFileName, "M");
}

TEST_F(SettingsFile, SomeKeysDoNotDefaultToTheCurrentValue) {
  settings_.DTDVer = 5;
  settings_.XmlLoad_Path = "/somewhere/else";
  settings_.GrphFormName = "Mine.KBF";
  ReadSection({});
  EXPECT_EQ(settings_.DTDVer, 0);
  EXPECT_EQ(settings_.XmlLoad_Path, tmp_.path() + "prog");
  EXPECT_EQ(settings_.GrphFormName, "Mine.KBF");  // not "Mine.KBF.KBF"
}

TEST_F(SettingsFile, MissingSectionAndOtherLineEnds) {
  struct Case {
    const char* name;
    std::string bytes;
    int thumbnails;
    const char* mast;  // UTF-8
  } cases[] = {
      {"other section only", "[Other]\r\nTHUMBNAIL_USER=9\r\n", 2, "基本マスタ"},
      {"LF", "[MainPrg_Env]\nTHUMBNAIL_USER=3\nMastFileName=" + Sj("台帳") + "\n", 3, "台帳"},
      {"CR", "[MainPrg_Env]\rTHUMBNAIL_USER=3\rMastFileName=" + Sj("台帳"), 3, "台帳"},
      {"UTF-8 BOM", "\xEF\xBB\xBF[MainPrg_Env]\r\nTHUMBNAIL_USER=3\r\nMastFileName=台帳\r\n", 3, "台帳"},
      {"lower-case names", "[mainprg_env]\r\nthumbnail_user=3\r\nMASTFILENAME=" + Sj("台帳") + "\r\n", 3, "台帳"},
  };
  for (const Case& c : cases) {
    settings_ = DefaultSettings(folders_);
    WriteBytes(file_, c.bytes);
    ASSERT_TRUE(Read()) << c.name << ": " << error_;
    EXPECT_EQ(settings_.THUMBNAIL_USER, c.thumbnails) << c.name;
    EXPECT_EQ(settings_.MastFileName, Sj(c.mast)) << c.name;
    // Written back as code page 932 with CR LF, without the mark.
    ASSERT_TRUE(Write()) << c.name << ": " << error_;
    const std::string text = ReadBytes(file_);
    EXPECT_FALSE(text.starts_with("\xEF\xBB\xBF")) << c.name;
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << c.name;
    EXPECT_EQ(text.find("\r\r"), std::string::npos) << c.name;
    EXPECT_NE(text.find(Sj(std::string("MastFileName=") + c.mast + "\r\n")), std::string::npos) << c.name;
    Settings reread = DefaultSettings(folders_);
    ASSERT_TRUE(SettingsReadWrite('R', reread, folders_, &error_)) << c.name;
    EXPECT_EQ(reread, settings_) << c.name;
  }
}

TEST_F(SettingsFile, DeletedBetweenReadAndWriteIsWrittenAgainInFull) {
  ReadSection({"THUMBNAIL_USER=4"});
  std::remove(file_.c_str());
  ASSERT_TRUE(Write()) << error_;
  Settings reread = DefaultSettings(folders_);
  ASSERT_TRUE(SettingsReadWrite('R', reread, folders_, &error_)) << error_;
  EXPECT_EQ(reread, settings_);
  EXPECT_EQ(reread.THUMBNAIL_USER, 4);
}

// A file that cannot be read leaves SettingsLoaded false; nothing is then
// written, so the file survives as it was.
TEST_F(SettingsFile, UnreadableFileIsNeitherLoadedNorOverwritten) {
  const std::string original = CrLf({"[MainPrg_Env]", "THUMBNAIL_USER=8"});
  WriteBytes(file_, original);
  ASSERT_EQ(chmod(file_.c_str(), 0), 0);
  if (access(file_.c_str(), R_OK) == 0) GTEST_SKIP() << "running with rights that read any file";
  EXPECT_FALSE(Read());
  EXPECT_FALSE(error_.empty());
  EXPECT_FALSE(settings_.SettingsLoaded);
  EXPECT_EQ(settings_.THUMBNAIL_USER, 2);
  EXPECT_TRUE(Write());  // nothing to do
  chmod(file_.c_str(), 0644);
  EXPECT_EQ(ReadBytes(file_), original);
}

TEST_F(SettingsFile, FailuresAreReported) {
  // Unreadable even with every right: a folder in the file's place.
  std::filesystem::create_directory(file_);
  EXPECT_FALSE(Read());
  EXPECT_FALSE(settings_.SettingsLoaded);
  EXPECT_NE(error_.find("ZOR.INI"), std::string::npos) << error_;

  // A file that has become unreadable since it was read is not replaced.
  std::filesystem::remove(file_);
  ASSERT_TRUE(Read()) << error_;
  std::filesystem::create_directory(file_);
  error_.clear();
  EXPECT_FALSE(Write());
  EXPECT_FALSE(error_.empty());
  EXPECT_TRUE(std::filesystem::is_directory(file_));

  // The settings folder has gone.
  std::filesystem::remove_all(folders_.settings);
  error_.clear();
  EXPECT_FALSE(Write());
  EXPECT_FALSE(error_.empty());

  // A UTF-16 file is refused rather than misread and then overwritten.
  std::filesystem::create_directories(folders_.settings);
  const std::string utf16("\xFF\xFE[\0M\0", 6);
  WriteBytes(file_, utf16);
  EXPECT_FALSE(Read());
  EXPECT_TRUE(Write());
  EXPECT_EQ(ReadBytes(file_), utf16);

  EXPECT_FALSE(SettingsReadWrite('X', settings_, folders_, &error_));
}

TEST(CurrencyText, ShortestDecimal) {
  struct Case {
    std::int64_t value;
    const char* text;
  } cases[] = {{0, "0"},         {15000, "1.5"},          {-1, "-0.0001"},
               {-250000, "-25"}, {12345678, "1234.5678"}, {INT64_MIN, "-922337203685477.5808"}};
  for (const Case& c : cases) EXPECT_EQ(CurrencyText(Currency{c.value}), c.text);
}

TEST(ParseCurrency, LeadingNumber) {
  struct Case {
    const char* text;
    std::int64_t value;
  } cases[] = {
      {"", 0},       {"abc", 0},   {"  -2.5", -25000}, {"1.23456", 12346}, {"1.23454", 12345},
      {"3.", 30000}, {".5", 5000}, {"7,5", 70000},     {"1e3", 10000},     {"99999999999999999999", INT64_MAX}};
  for (const Case& c : cases) EXPECT_EQ(ParseCurrency(c.text), Currency{c.value}) << c.text;
}

}  // namespace
}  // namespace zor
