#include "delivery_fixture.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "inspect/sha256.h"
#include "text/encoding.h"

namespace zor::test {
namespace {

namespace fs = std::filesystem;

void Write(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// A text of the source (UTF-8) written as code page 932.
void WriteSj(const std::string& path, const std::string& utf8) { Write(path, Sj(utf8)); }

const char* const kIndexDtd = R"(<!ELEMENT constdata (基礎情報)>
<!ATTLIST constdata DTD_version CDATA #FIXED "05">
<!ELEMENT 基礎情報 (適用要領基準, 写真フォルダ名?, 施工計画書フォルダ名?, 施工計画書オリジナルファイルフォルダ名?,
  打合せ簿フォルダ名?, 打合せ簿オリジナルファイルフォルダ名?, 完成図フォルダ名?, その他フォルダ名?, 台帳フォルダ名?)>
<!ELEMENT 適用要領基準 (#PCDATA)>
<!ELEMENT 写真フォルダ名 (#PCDATA)>
<!ELEMENT 施工計画書フォルダ名 (#PCDATA)>
<!ELEMENT 施工計画書オリジナルファイルフォルダ名 (#PCDATA)>
<!ELEMENT 打合せ簿フォルダ名 (#PCDATA)>
<!ELEMENT 打合せ簿オリジナルファイルフォルダ名 (#PCDATA)>
<!ELEMENT 完成図フォルダ名 (#PCDATA)>
<!ELEMENT その他フォルダ名 (#PCDATA)>
<!ELEMENT 台帳フォルダ名 (#PCDATA)>
)";

const char* const kPhotoDtd = R"(<!ELEMENT photodata (基礎情報, 写真情報+)>
<!ATTLIST photodata DTD_version CDATA #FIXED "05">
<!ELEMENT 基礎情報 (写真フォルダ名)>
<!ELEMENT 写真フォルダ名 (#PCDATA)>
<!ELEMENT 写真情報 (写真ファイル情報)>
<!ELEMENT 写真ファイル情報 (写真ファイル名)>
<!ELEMENT 写真ファイル名 (#PCDATA)>
)";

const char* const kPlanDtd = R"(<!ELEMENT plandata (計画書情報+)>
<!ELEMENT 計画書情報 (施工計画書ファイル名, オリジナルファイル名*)>
<!ELEMENT 施工計画書ファイル名 (#PCDATA)>
<!ELEMENT オリジナルファイル名 (#PCDATA)>
)";

const char* const kMeetDtd = R"(<!ELEMENT meetdata (打合せ簿情報+)>
<!ELEMENT 打合せ簿情報 (打合せ簿名称, 打合せ簿ファイル名, 打合せ簿オリジナルファイル名*)>
<!ELEMENT 打合せ簿名称 (#PCDATA)>
<!ELEMENT 打合せ簿ファイル名 (#PCDATA)>
<!ELEMENT 打合せ簿オリジナルファイル名 (#PCDATA)>
)";

std::string Index(const Faults& f) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
  xml += std::string("<!DOCTYPE constdata SYSTEM \"") + (f.otherDtd ? "INDE_C09.DTD" : "INDE_C05.DTD") + "\">\r\n";
  xml += "<constdata DTD_version=\"05\">\r\n<基礎情報>\r\n";
  xml += "<適用要領基準>土木201009-01</適用要領基準>\r\n";
  xml += "<写真フォルダ名>PHOTO</写真フォルダ名>\r\n";
  xml += "<施工計画書フォルダ名>PLAN</施工計画書フォルダ名>\r\n";
  xml += "<施工計画書オリジナルファイルフォルダ名>PLAN/ORG</施工計画書オリジナルファイルフォルダ名>\r\n";
  xml += "<打合せ簿フォルダ名>MEET</打合せ簿フォルダ名>\r\n";
  if (!f.unnamedMeetOrg)
    xml += "<打合せ簿オリジナルファイルフォルダ名>MEET/ORG</打合せ簿オリジナルファイルフォルダ名>\r\n";
  if (f.missingFolder) xml += "<完成図フォルダ名>DRAWINGF</完成図フォルダ名>\r\n";
  if (f.linkOut) xml += "<その他フォルダ名>OTHRS</その他フォルダ名>\r\n";
  if (f.missingManagement) xml += "<台帳フォルダ名>REGISTER</台帳フォルダ名>\r\n";
  return xml + "</基礎情報>\r\n</constdata>\r\n";
}

std::string Photo(const Faults& f) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
  xml += "<!DOCTYPE photodata SYSTEM \"PHOTO05.DTD\">\r\n<photodata DTD_version=\"05\">\r\n";
  xml += "<基礎情報><写真フォルダ名>PHOTO/PIC</写真フォルダ名></基礎情報>\r\n";
  xml += "<写真情報><写真ファイル情報><写真ファイル名>P0000001.JPG</写真ファイル名></写真ファイル情報>";
  if (f.invalid) xml += "<余計な要素>1</余計な要素>";
  return xml + "</写真情報>\r\n</photodata>\r\n";
}

std::string Plan(const Faults& f) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
  xml += "<!DOCTYPE plandata SYSTEM \"PLAN05.DTD\">\r\n<plandata>\r\n";
  xml +=
      "<計画書情報><施工計画書ファイル名>PLAN01.PDF</施工計画書ファイル名>"
      "<オリジナルファイル名>PLAN01_1.DOC</オリジナルファイル名></計画書情報>\r\n";
  if (f.listedMissing) xml += "<計画書情報><施工計画書ファイル名>PLAN02.PDF</施工計画書ファイル名></計画書情報>\r\n";
  return xml + "</plandata>\r\n";
}

std::string Meet(const Faults& f) {
  std::string xml =
      std::string("<?xml version=\"1.0\" encoding=\"") + (f.utf8File ? "UTF-8" : "Shift_JIS") + "\"?>\r\n";
  xml += "<!DOCTYPE meetdata SYSTEM \"MEET05.DTD\">\r\n<meetdata>\r\n";
  xml +=
      "<打合せ簿情報><打合せ簿名称>第1回打合せ</打合せ簿名称><打合せ簿ファイル名>MEET0001.PDF</打合せ簿ファイル名>"
      "<打合せ簿オリジナルファイル名>MEET0001.DOC</打合せ簿オリジナルファイル名></打合せ簿情報>\r\n";
  return xml + "</meetdata>\r\n";
}

}  // namespace

void WriteDelivery(const std::string& root, const std::string& outside, const Faults& f) {
  WriteSj(root + "INDEX_C.XML", Index(f));
  WriteSj(root + "INDE_C05.DTD", kIndexDtd);
  WriteSj(root + "PHOTO/PHOTO.XML", Photo(f));
  WriteSj(root + "PHOTO/PHOTO05.DTD", kPhotoDtd);
  Write(root + "PHOTO/PIC/P0000001.JPG", "\xFF\xD8\xFF\xD9");
  WriteSj(root + "PLAN/PLAN.XML", Plan(f));
  WriteSj(root + "PLAN/PLAN05.DTD", kPlanDtd);
  Write(root + "PLAN/PLAN01.PDF", "%PDF-1.4\n");
  Write(root + (f.lowerCaseListed ? "PLAN/ORG/plan01_1.doc" : "PLAN/ORG/PLAN01_1.DOC"), "doc");
  if (f.utf8File)
    Write(root + "MEET/MEET.XML", Meet(f));
  else
    WriteSj(root + "MEET/MEET.XML", Meet(f));
  WriteSj(root + "MEET/MEET05.DTD", kMeetDtd);
  Write(root + "MEET/MEET0001.PDF", "%PDF-1.4\n");
  Write(root + "MEET/ORG/MEET0001.DOC", "doc");
  if (f.thumbs) Write(root + "PHOTO/PIC/Thumbs.db", "thumbs");
  if (f.tooLong) Write(root + "MEET/MEETING01.PDF", "%PDF-1.4\n");
  if (f.unknownFolder) fs::create_directories(root + "WORK");
  if (f.linkOut) {
    WriteSj(outside + "OTHRS/OTHRS.XML", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<othrsdata/>\r\n");
    fs::create_directory_symlink(outside + "OTHRS", root + "OTHRS");
  }
  if (f.missingManagement) Write(root + "REGISTER/REG01.PDF", "%PDF-1.4\n");
}

void MakeLayout(const std::string& root, FixtureLayout& out) {
  out.pictures.root = root;
  out.pictures.currentLayout = true;
  out.pictures.entries.push_back(
      ListedPicture{1, false, "P0000001.JPG", root + "PHOTO/PIC/P0000001.JPG", false, "", 1});
  out.pictures.folders.push_back(root + "PHOTO/PIC/");
  out.layout.root = root;
  out.layout.indexFile = root + "INDEX_C.XML";
  out.layout.photoFile = root + "PHOTO/PHOTO.XML";
  out.layout.fourCharExtensions = false;
  out.layout.pictures = &out.pictures;
}

std::map<std::string, std::string> HashTree(const std::string& root) {
  std::map<std::string, std::string> hashes;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const std::string relative = it->path().string().substr(root.size());
    if (it->is_symlink(ec)) {
      const std::string target = fs::read_symlink(it->path(), ec).string();
      hashes[relative] = "link " + target;
    } else if (it->is_directory(ec)) {
      hashes[relative] = "folder";
    } else {
      std::ifstream in(it->path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      hashes[relative] = Sha256Hex(bytes.data(), bytes.size());
    }
  }
  return hashes;
}

}  // namespace zor::test
