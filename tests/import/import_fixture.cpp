#include "import_fixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "text/encoding.h"

namespace zor::test {

namespace fs = std::filesystem;

void RecordingHost::ReportProgress(char code, int) {
  if (code == 'S') ++progressStarts;
  if (code == 'E') ++progressEnds;
}
void RecordingHost::ShowStatus(const std::string& text) { calls.push_back("status: " + Cp932ToUtf8(text)); }
void RecordingHost::ShowInformation(const std::string& text) { calls.push_back("info: " + Cp932ToUtf8(text)); }
void RecordingHost::ShowWarning(const std::string& text) { calls.push_back("warning: " + Cp932ToUtf8(text)); }
void RecordingHost::ShowLevelWarning(const std::string& text) {
  calls.push_back("level warning: " + Cp932ToUtf8(text));
}
bool RecordingHost::ConfirmYesCancel(const std::string& text) {
  calls.push_back("question: " + Cp932ToUtf8(text));
  if (answers.empty()) return false;
  const bool a = answers.front();
  answers.pop_front();
  return a;
}
bool RecordingHost::ConfirmYesNo(const std::string& text) {
  calls.push_back("question: " + Cp932ToUtf8(text));
  return false;
}

std::vector<std::string> RecordingHost::Messages() const {
  std::vector<std::string> out;
  for (const std::string& c : calls)
    if (c.find(": ") != std::string::npos) out.push_back(c);
  return out;
}

std::vector<std::string> RecordingHost::Steps() const {
  std::vector<std::string> out;
  for (const std::string& c : calls)
    if (c.find(": ") == std::string::npos) out.push_back(c);
  return out;
}

int RecordingHost::Count(const std::string& call) const {
  int n = 0;
  for (const std::string& c : calls) n += c == call;
  return n;
}

void ImportTest::SetUp() {
  std::string pattern = (fs::temp_directory_path() / "zor-import-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  temp_ = pattern + "/";
  folders.userData = temp_ + "user/";
  folders.workData = folders.userData;
  folders.settings = folders.userData;
  folders.sysFile = fs::weakly_canonical(fs::path(ZOR_TEST_DATA) / ".." / ".." / "data" / "SYSFILE").string() + "/";
  fs::create_directories(folders.userData);
}

void ImportTest::TearDown() {
  d.PhotoTable.Close();
  std::error_code ec;
  fs::remove_all(temp_, ec);
}

std::string ImportTest::Data(const std::string& rel) { return std::string(ZOR_TEST_DATA) + "/import/" + rel; }

std::string ImportTest::Write(const std::string& rel, const std::string& utf8) {
  const fs::path path = temp_ + rel;
  fs::create_directories(path.parent_path());
  std::string text;
  for (char c : utf8) {
    if (c == '\n') text += '\r';
    text += c;
  }
  std::ofstream(path, std::ios::binary) << Utf8ToCp932(text);
  return path.string();
}

std::string ImportTest::Picture(const std::string& rel) {
  const fs::path path = temp_ + rel;
  fs::create_directories(path.parent_path());
  fs::copy_file(Data("construction/PHOTO/PIC/P0000001.JPG"), path, fs::copy_options::overwrite_existing);
  return path.string();
}

std::string ImportTest::Text(int record, int pos) {
  if (!d.PhotoTable.GotoPhotoRecord(record)) return "<no record>";
  return Cp932ToUtf8(d.PhotoTable.AsString(pos));
}

int ImportTest::Number(int record, int pos) {
  if (!d.PhotoTable.GotoPhotoRecord(record)) return -999;
  return d.PhotoTable.AsInteger(pos);
}

std::vector<std::string> ImportTest::Tree() const {
  std::vector<std::string> lines;
  for (const HierarchyNode* node : d.Tree.Nodes()) {
    std::string line = std::to_string(node->Level()) + " " + Cp932ToUtf8(node->Caption()) + " [";
    for (std::size_t i = 0; i < node->Records().size(); ++i)
      line += (i ? " " : "") + std::to_string(node->Records()[i]);
    lines.push_back(line + "]");
  }
  return lines;
}

std::string CurrentPhotoXml(const std::string& basic, const std::string& sections) {
  return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
         "<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\n"
         "<photodata DTD_version=\"05\">\n"
         "<基礎情報>\n" +
         basic + "</基礎情報>\n" + sections + "</photodata>\n";
}

}  // namespace zor::test
