#include "import/dispatch.h"

#include <sys/stat.h>

#include <fstream>
#include <optional>
#include <string_view>

#include "import/delivery_files.h"
#include "import/element_names.h"
#include "import/reader_support.h"
#include "import/readers.h"
#include "import/revision.h"
#include "store/standards.h"
#include "text/encoding.h"
#include "text/sjis.h"
#include "xml/xml_tree.h"

namespace zor {
namespace {

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string WithoutSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string LastComponent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The index file of folder when it exists (found ignoring case).
std::optional<std::string> FindIndex(const std::string& folder, int kind) {
  std::optional<std::string> found = ResolveCaseInsensitive(folder, EntryFileName(kind));
  if (found && IsRegularFile(*found)) return found;
  return std::nullopt;
}

}  // namespace

const char* EntryFileName(int kind) {
  switch (kind) {
    case kEntryConstruction:
      return "INDEX_C.XML";
    case kEntryServices:
      return "INDEX_D.XML";
    default:
      return "PHOTO.XML";
  }
}

std::string EntryFileOf(const std::string& folder, int kind) {
  if (std::optional<std::string> found = ResolveCaseInsensitive(folder, EntryFileName(kind))) return *found;
  const std::string base = WithoutSlash(folder);
  return (base == "/" ? base : base + "/") + EntryFileName(kind);
}

bool IsSupportedIndex(ImportContext& ctx, const std::string& indexFile) {
  enum { kBasicInfo, kStandard };
  static const ElementNames names{{kBasicInfo, "基礎情報"}, {kStandard, "適用要領基準"}};
  static const std::string kSupported[] = {Sj("土木200406-01"), Sj("農村振興土木200504-01"), Sj("土木200805-01"),
                                           Sj("土木201009-01")};
  // A later guideline's value is accepted when the index reader of this
  // file's kind accepts it.
  const GuidelineSource source = SameTextIgnoringCase(LastComponent(indexFile), "INDEX_D.XML")
                                     ? GuidelineSource::kServicesIndex
                                     : GuidelineSource::kConstructionIndex;
  TXMLTreeView view;
  if (!LoadNodeTree(ctx, view, indexFile)) return false;
  ElementPath path;
  for (int i = 0; i < view.NodeCount(); ++i) {
    const XmlNode& node = view.NodeAt(i);
    path.Set(node.Level, names.Find(node.Text));
    if (node.Level != 2 || path[1] != kBasicInfo || path[2] != kStandard) continue;
    for (const std::string& s : kSupported)
      if (NodeValue(node) == s) return true;
    return LaterStandardOf(NodeValue(node), source).has_value();
  }
  return false;
}

int FindIndexForPhotoFolder(ImportContext& ctx, std::string& folder) {
  const std::string self = WithoutSlash(folder);
  const std::size_t slash = self.rfind('/');
  if (slash == std::string::npos || self == "/") return kEntryPhoto;
  const std::string parent = self.substr(0, slash + 1);
  if (std::optional<std::string> c = FindIndex(parent, kEntryConstruction)) {
    if (!IsSupportedIndex(ctx, *c)) return kEntryPhoto;
    folder = parent;
    return kEntryConstruction;
  }
  if (std::optional<std::string> d = FindIndex(parent, kEntryServices)) {
    if (!IsSupportedIndex(ctx, *d)) return kEntryPhoto;
    folder = parent;
    return kEntryServices;
  }
  return kEntryPhoto;
}

bool DispatchDeliveryFile(ImportContext& ctx, const std::string& path, const std::string& workName, bool* loaded) {
  if (loaded) *loaded = false;
  std::string photoFile = path;
  bool indexRead = false;
  // The entry file is recognised by its name ignoring case: a delivery on a
  // medium mounted in lower case names it index_c.xml.
  const std::string name = LastComponent(path);
  const bool construction = SameTextIgnoringCase(name, "INDEX_C.XML");
  if (construction || SameTextIgnoringCase(name, "INDEX_D.XML")) {
    if (IsRegularFile(path)) {
      ctx.host.ShowStatus(Sj("工事情報を読み込んでいます・・・"));
      indexRead = construction ? ReadConstructionIndex(ctx, path, workName) : ReadServicesIndex(ctx, path, workName);
    }
    const std::string folder = FolderOf(path);
    std::optional<std::string> found = ResolveCaseInsensitive(folder, "PHOTO/PHOTO.XML");
    photoFile = found ? *found : folder + "PHOTO/PHOTO.XML";
    if (!indexRead) return false;
  }

  std::optional<PhotoRevision> revision;
  bool utf16 = false;
  {
    if (!IsRegularFile(photoFile)) return false;
    std::ifstream in(photoFile, std::ios::binary);
    if (!in) return false;
    if (indexRead) ctx.host.ShowStatus(Sj("写真情報を読み込んでいます・・・"));
    revision = RecognizePhotoRevision(in);
    if (!revision) {
      in.clear();
      in.seekg(0);
      char head[2] = {};
      in.read(head, 2);
      const std::string_view two(head, static_cast<std::size_t>(in.gcount()));
      utf16 = two == "\xFF\xFE" || two == "\xFE\xFF" || two == std::string_view("<\0", 2) ||
              two == std::string_view("\0<", 2);
    }
  }
  if (!revision) {
    // The revision is read from the bytes of a Shift_JIS or UTF-8 file; a
    // UTF-16 one is said as such.
    std::string message = Sj("PHOTO.XML の改正バージョンが不明です。");
    if (utf16)
      message += "\r\n" +
                 Sj("このファイルは UTF-16 で書かれています。Shift_JIS か UTF-8 で保存したファイルを開いてください。");
    ctx.host.ShowInformation(message);
    return false;
  }
  bool ok = false;
  switch (revision->layout) {
    case PhotoLayout::k1999:
      ok = ReadPhoto1999(ctx, photoFile, workName);
      break;
    case PhotoLayout::k2002:
      ok = ReadPhoto2002(ctx, revision->standard, photoFile, workName);
      break;
    case PhotoLayout::kCurrent:
      ok = ReadPhotoCurrent(ctx, photoFile, indexRead, workName);
      break;
  }
  if (loaded) *loaded = ok;
  return true;
}

}  // namespace zor
