// A delivery filled by hand in a scratch folder, the album written from it,
// and its files read back as UTF-8 lines.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/host.h"
#include "output/album_writer.h"
#include "store/delivery.h"
#include "text/encoding.h"

namespace zor {

// Remembers progress, warnings and the document it was asked to open;
// onProgress, when set, runs at each progress step.
class AlbumHost : public Host {
 public:
  void ReportProgress(char code, int value) override {
    progress.push_back(std::string(1, code) + std::to_string(value));
    if (onProgress) onProgress(code, value);
  }
  void ShowWarning(const std::string& text) override { warnings.push_back(Cp932ToUtf8(text)); }
  void OpenInBrowser(const std::string& path) override { opened.push_back(path); }
  void Beep() override { ++beeps; }
  std::vector<std::string> progress;
  std::vector<std::string> warnings;
  std::vector<std::string> opened;
  int beeps = 0;
  std::function<void(char, int)> onProgress;
};

// Field values of a photo or drawing record, by field name, in UTF-8.
using Fields = std::map<std::string, std::string>;

class AlbumTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("zor_output_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "work");
    d_.WorkName = Sj(kXmlInputWorkNameUtf8);
    d_.PhotoTable.OpenPhotoTable(true, d_.WorkTableFile((dir_ / "work").string() + "/"));
    d_.BuildTreeSkeleton();
    d_.ResetPhotoBlocks();
    options_.folder = dir_ / "out" / kAlbumFolderName;
  }
  void TearDown() override {
    d_.Finish();
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(dir_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                   ec);
    std::filesystem::remove_all(dir_, ec);
  }

  // Appends a record; numbers go to FLAG and FILMNUM, texts elsewhere.
  int AddRecord(const Fields& fields) {
    TViewDataSet& t = d_.PhotoTable;
    const int record = t.RecordCount() + 1;
    t.Append();
    t.SetAsInteger(t.FieldPos.RECORD, record);
    for (const auto& [name, value] : fields) {
      const int pos = FieldPosByName(t, name);
      EXPECT_GE(pos, 0) << name;
      if (name == "FLAG" || name == "FILMNUM")
        t.SetAsInteger(pos, std::stoi(value));
      else
        t.SetAsString(pos, Sj(value));
    }
    t.Post();
    return record;
  }
  // A photo under the node of path (UTF-8 captions), with its drawings.
  int AddPhoto(const Fields& fields, const std::vector<std::string>& path = {"工事", "施工状況写真"},
               const TIntList& drawings = {}) {
    const int record = AddRecord(fields);
    HierarchyPath p;
    for (std::size_t i = 0; i < path.size(); ++i) p[i] = Sj(path[i]);
    d_.Tree.AddToHierarchy(*d_.Tree.ConstructionNode(), p, record);
    if (!drawings.empty()) {
      EXPECT_TRUE(d_.GotoPhotoRecord(record));
      d_.PhotoTable.Edit();
      d_.DrawingRecordList = drawings;
      d_.StoreDrawingList();
      d_.PhotoTable.Post();
    }
    return record;
  }
  void AddPhotos(int count) {
    for (int i = 1; i <= count; ++i) AddPhoto({{"TITLE", "写真" + std::to_string(i)}});
  }

  AlbumResult Write() { return WriteHtmlAlbum(d_, options_, host_); }

  std::filesystem::path Album(const std::string& name) const { return options_.folder / name; }
  static std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // The file's lines in UTF-8; every line must end in CR LF.
  static std::vector<std::string> Lines(const std::filesystem::path& path) {
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
    const std::string text = ReadBytes(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find("\r\n", start);
      EXPECT_NE(end, std::string::npos) << path << ": last line without CR LF";
      if (end == std::string::npos) break;
      const std::string line = text.substr(start, end - start);
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << path << ": bare CR or LF in " << line;
      std::size_t replaced = 0;
      lines.push_back(Cp932ToUtf8(line, &replaced));
      EXPECT_EQ(replaced, 0u) << path << ": not code page 932: " << line;
      start = end + 2;
    }
    return lines;
  }
  // Lines of a page, without their indentation.
  std::vector<std::string> Page(int n) const {
    std::vector<std::string> lines = Lines(Album("HTML/PAGE" + std::to_string(n) + ".HTM"));
    for (std::string& l : lines) l.erase(0, l.find_first_not_of(' '));
    return lines;
  }
  static std::vector<std::string> Tail(const std::vector<std::string>& lines, std::size_t n) {
    return std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(std::min(n, lines.size())), lines.end());
  }
  static int Count(const std::vector<std::string>& lines, const std::string& part) {
    int count = 0;
    for (const std::string& l : lines) count += l.find(part) != std::string::npos;
    return count;
  }

  std::filesystem::path dir_;
  Delivery d_;
  AlbumOptions options_;
  AlbumHost host_;
};

}  // namespace zor
