#include "check/delivery_folders.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "app/folders.h"
#include "check/delivery_walk.h"
#include "check/name_rules.h"
#include "check/named_elements.h"
#include "check/shown_name.h"
#include "import/delivery_files.h"
#include "text/encoding.h"
#include "text/sjis.h"
#include "xml/xml_prolog.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

// A path as the checks compare paths: lexically normal, no trailing '/'.
std::string Normal(const std::string& path) {
  std::string s = fs::path(path).lexically_normal().string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string LastComponentUtf8(const std::string& sjisName) {
  const std::optional<std::vector<std::string>> parts = DeliveryNameComponents(sjisName);
  return parts && !parts->empty() ? parts->back() : std::string();
}

Finding Make(const char* check, Severity severity, std::string file, std::string message, std::string item = {}) {
  Finding f;
  f.check = check;
  f.severity = severity;
  f.file = std::move(file);
  f.message = std::move(message);
  f.item = std::move(item);
  return f;
}

// The index's DTD at the root: INDE_C or INDE_D, digits, ".DTD".
bool IsIndexDtdName(const std::string& name) {
  const std::string key = FileNameKey(name);
  if (key.size() < 11 || (key.compare(0, 6, "INDE_C") != 0 && key.compare(0, 6, "INDE_D") != 0)) return false;
  if (key.compare(key.size() - 4, 4, ".DTD") != 0) return false;
  for (std::size_t i = 6; i + 4 < key.size(); ++i)
    if (key[i] < '0' || key[i] > '9') return false;
  return true;
}

struct Expected {
  std::string name;    // as written (UTF-8)
  const char* source;  // what writes it, for the message
};

class FolderCheck {
 public:
  FolderCheck(const DeliveryLayout& layout, const std::vector<ListedName>& listed) : layout_(layout) {
    rootNormal_ = Normal(layout.root);
    std::error_code ec;
    realRoot_ = fs::canonical(layout.root, ec).string();
    for (const ListedName& l : listed) {
      expected_.emplace(Normal(l.path), Expected{l.name, l.fixed ? "要領が定める名前" : "管理ファイルに記載の名前"});
      if (l.folder) Account(l.path);
    }
  }

  std::vector<Finding> Run() {
    const bool haveIndex = !layout_.indexFile.empty();
    bool rootChecks = false;
    if (haveIndex) {
      const IndexFolders index = ReadIndexFolders(layout_.indexFile);
      rootChecks = index.read;
      if (index.read)
        CheckNamedFolders(index);
      else
        out_.push_back(Make("folder.missing", Severity::kNote, "",
                            Sj("索引ファイルを読み込めないため、索引ファイルが示すフォルダの有無と"
                               "規定外のフォルダ／ファイルの検査は行っていません。")));
      AcceptRootFiles();
    } else {
      out_.push_back(Make("folder.missing", Severity::kNote, "",
                          Sj("索引ファイル（INDEX_C.XML・INDEX_D.XML）がないため、索引ファイルが示すフォルダの"
                             "有無と規定外のフォルダ／ファイルの検査は行っていません（写真フォルダの中だけを検査しま"
                             "した）。")));
    }
    AccountPhotoFolders();

    std::string top = layout_.root;
    if (!haveIndex && !layout_.photoFile.empty()) {
      const std::string photoFolder = FolderOf(layout_.photoFile);
      if (photoFolder.size() > layout_.root.size() && photoFolder.compare(0, layout_.root.size(), layout_.root) == 0)
        top = photoFolder;
    }
    WalkAndCheck(top, rootChecks && top == layout_.root);
    return std::move(out_);
  }

 private:
  // The folder and every folder above it up to the root.
  void Account(const std::string& path) {
    for (std::string p = Normal(path);
         p.size() > rootNormal_.size() && p.compare(0, rootNormal_.size(), rootNormal_) == 0;
         p = fs::path(p).parent_path().string())
      if (!accounted_.insert(p).second) break;
  }

  bool Outside(const std::string& path) const {
    std::error_code ec;
    const std::string real = fs::canonical(path, ec).string();
    if (ec || realRoot_.empty()) return true;
    return !(real.size() > realRoot_.size() && real.compare(0, realRoot_.size(), realRoot_) == 0 &&
             (realRoot_.back() == '/' || real[realRoot_.size()] == '/'));
  }

  void CheckNamedFolders(const IndexFolders& index) {
    std::set<std::string> missing;  // FileNameKey of the components of every folder found missing
    std::set<std::string> seen;
    for (const NamedElement& named : index.folders) {
      if (!named.components) {
        out_.push_back(Make("folder.missing", Severity::kError, named.shown,
                            Sj("納品データの外を指す名前です（「..」は使えません）。"), named.element));
        continue;
      }
      const std::vector<std::string>& parts = *named.components;
      if (parts.empty()) continue;
      std::string key;
      bool underMissing = false;
      for (const std::string& part : parts) {
        key += FileNameKey(part) + '/';
        if (missing.count(key)) underMissing = true;
      }
      if (!seen.insert(key).second || underMissing) continue;
      ResolveNamed(named, parts, key, missing);
    }
  }

  void ResolveNamed(const NamedElement& named, const std::vector<std::string>& parts, const std::string& key,
                    std::set<std::string>& missing) {
    std::string dir = layout_.root;
    for (const std::string& part : parts) {
      const std::optional<std::string> found = ResolveCaseInsensitive(dir, part);
      const std::string shown = ShownName(dir.substr(layout_.root.size()) + part);
      struct stat st {};
      if (!found || lstat(found->c_str(), &st) != 0) {
        missing.insert(key);
        out_.push_back(Make("folder.missing", Severity::kError, shown,
                            Sj("索引ファイルの ") + named.element + Sj(" が示すフォルダがありません。"),
                            named.element));
        return;
      }
      if (S_ISLNK(st.st_mode) && Outside(*found)) {
        // Named all the same: not also a folder nobody names.
        Account(*found);
        missing.insert(key);
        out_.push_back(Make("folder.missing", Severity::kError, shown,
                            Sj("納品データのフォルダの外を指すリンクのため読み込みません（索引ファイルの ") +
                                named.element + Sj("）。"),
                            named.element));
        return;
      }
      if (stat(found->c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        Account(*found);
        missing.insert(key);
        out_.push_back(Make("folder.missing", Severity::kError, shown,
                            Sj("フォルダではありません（索引ファイルの ") + named.element + Sj(" が示すフォルダ）。"),
                            named.element));
        return;
      }
      expected_.emplace(Normal(*found), Expected{part, "索引ファイルに記載の名前"});
      dir = *found + '/';
    }
    Account(dir);
  }

  // INDEX_C.XML, INDEX_D.XML, their DTDs and the DTD the index names.
  void AcceptRootFiles() {
    rootFiles_ = {FileNameKey("INDEX_C.XML"), FileNameKey("INDEX_D.XML")};
    if (std::optional<XmlProlog> prolog = ReadXmlPrologFile(layout_.indexFile); prolog && prolog->doctype) {
      const std::string dtd = SystemIdFileName(prolog->systemId);
      if (!dtd.empty()) {
        rootFiles_.insert(FileNameKey(dtd));
        fixedNames_.emplace(FileNameKey(dtd), dtd);
      }
    }
    fixedNames_.emplace(FileNameKey("INDEX_C.XML"), "INDEX_C.XML");
    fixedNames_.emplace(FileNameKey("INDEX_D.XML"), "INDEX_D.XML");
  }

  bool IsRootFile(const std::string& name) const { return rootFiles_.count(FileNameKey(name)) || IsIndexDtdName(name); }

  // The photo file's folder, the picture folders it names and those its
  // pictures were found in, and the names it gives the pictures.
  void AccountPhotoFolders() {
    if (!layout_.photoFile.empty()) {
      Account(FolderOf(layout_.photoFile));
      expected_.emplace(Normal(layout_.photoFile), Expected{"PHOTO.XML", "要領が定める名前"});
    }
    if (!layout_.pictures) return;
    for (const std::string& folder : layout_.pictures->folders) Account(folder);
    for (const ListedPicture& p : layout_.pictures->entries) {
      if (p.file.empty()) continue;
      Account(FolderOf(p.file));
      const std::string name = LastComponentUtf8(p.name);
      if (!name.empty()) expected_.emplace(Normal(p.file), Expected{name, "管理ファイルに記載の名前"});
    }
  }

  // The name that the delivery gives the entry, when it differs from the
  // one on disk by case only and keeps the rules itself.
  std::optional<Expected> CaseOnlyName(const WalkEntry& e, bool folder) const {
    auto it = expected_.find(Normal(e.path));
    std::optional<Expected> found;
    if (it != expected_.end()) {
      found = it->second;
    } else if (e.parent < 0 && atRoot_) {
      auto fixed = fixedNames_.find(FileNameKey(e.name));
      if (fixed != fixedNames_.end()) found = Expected{fixed->second, "要領が定める名前"};
      if (!found && IsIndexDtdName(e.name)) found = Expected{UpperAscii(e.name), "要領が定める名前"};
    }
    if (!found || found->name == e.name || FileNameKey(found->name) != FileNameKey(e.name)) return std::nullopt;
    if (NameRuleBreach(found->name, folder, layout_.fourCharExtensions)) return std::nullopt;
    return found;
  }

  void WalkAndCheck(const std::string& top, bool rootChecks) {
    atRoot_ = top == layout_.root;
    const auto descend = [](const WalkEntry& e) { return !UnwantedName(e.name, true); };
    DeliveryWalk walk = WalkDelivery(layout_.root, top, descend);
    // The walked folder's own name, when it is not the root.
    std::optional<WalkEntry> topEntry;
    if (!atRoot_) {
      const std::string path = Normal(top);
      topEntry = WalkEntry{path, path.substr(rootNormal_.size() + 1), fs::path(path).filename().string(),
                           EntryKind::kFolder, -2};
    }

    bool anyUpper = false;
    bool anyLower = false;
    const auto look = [&](const WalkEntry& e) {
      if (UnwantedName(e.name, e.kind == EntryKind::kFolder)) return;
      for (const char c : e.name) {
        anyUpper = anyUpper || (c >= 'A' && c <= 'Z');
        anyLower = anyLower || (c >= 'a' && c <= 'z');
      }
    };
    if (topEntry) look(*topEntry);
    for (const WalkEntry& e : walk.entries) look(e);
    lowered_ = !anyUpper && anyLower;

    if (topEntry) CheckEntry(*topEntry, walk, false);
    for (const WalkEntry& e : walk.entries) CheckEntry(e, walk, rootChecks);

    if (lowered_ && loweredCount_ > 0)
      out_.push_back(Make("name.rule", Severity::kWarning, "",
                          Sj("すべてのフォルダ名・ファイル名が小文字です（") + std::to_string(loweredCount_) +
                              Sj(" 件）。大文字の名前を小文字で見せる媒体の読み方（拡張のない ISO 9660 など）によるもの"
                                 "かもしれません。元の名前を確かめてください。")));
    for (const std::string& folder : walk.unreadable)
      out_.push_back(
          Make("name.rule", Severity::kNote, ShownName(folder), Sj("フォルダの中を読めないため、検査していません。")));
    for (const std::string& folder : walk.tooDeep)
      out_.push_back(Make("name.rule", Severity::kNote, ShownName(folder),
                          Sj("フォルダの階層が深すぎるため、この中は検査していません。")));
    if (walk.truncated)
      out_.push_back(Make("name.rule", Severity::kNote, "",
                          Sj("フォルダとファイルが ") + std::to_string(kMaxWalkEntries) +
                              Sj(" 件を超えるため、それより先は検査していません。")));
  }

  bool Accounted(const std::string& path) const { return accounted_.count(Normal(path)) > 0; }

  void CheckEntry(const WalkEntry& e, const DeliveryWalk& walk, bool rootChecks) {
    const bool folder = e.kind == EntryKind::kFolder;
    const std::string shown = ShownName(e.relative);
    if (std::optional<std::string> unwanted = UnwantedName(e.name, folder)) {
      out_.push_back(Make("file.extra", Severity::kError, shown, *unwanted));
      return;
    }
    CheckUnknown(e, walk, rootChecks, shown);
    const std::optional<std::string> breach = NameRuleBreach(e.name, folder, layout_.fourCharExtensions);
    if (!breach) return;
    if (lowered_ && OnlyLowerCaseBreaksRule(e.name, folder, layout_.fourCharExtensions)) {
      ++loweredCount_;
      return;
    }
    if (const std::optional<Expected> expected = CaseOnlyName(e, folder)) {
      out_.push_back(Make(
          "name.rule", Severity::kError, shown,
          Sj(expected->source) + Sj("「") + ShownName(expected->name) + Sj("」と大文字・小文字だけが異なります。")));
      return;
    }
    out_.push_back(Make("name.rule", Severity::kError, shown, *breach));
  }

  void CheckUnknown(const WalkEntry& e, const DeliveryWalk& walk, bool rootChecks, const std::string& shown) {
    if (e.parent == -2) return;  // the walked folder itself
    if (e.parent == -1) {
      if (!atRoot_) {
        // Inside the photo folder, walked without an index.
        if (e.kind == EntryKind::kFolder && !Accounted(e.path))
          out_.push_back(Make("folder.unknown", Severity::kWarning, shown, UnknownInside(FolderOf(e.path))));
        return;
      }
      if (!rootChecks || Accounted(e.path)) return;
      if (e.kind != EntryKind::kFolder && IsRootFile(e.name)) return;
      out_.push_back(Make("folder.unknown", Severity::kWarning, shown,
                          e.kind == EntryKind::kFolder
                              ? Sj("索引ファイルが示すフォルダではなく、要領が定めるフォルダでもありません。")
                              : Sj("要領が定めるファイル（INDEX_C.XML・INDEX_D.XML とその DTD）ではありません。")));
      return;
    }
    if (e.kind != EntryKind::kFolder) return;
    const WalkEntry& parent = walk.entries[static_cast<std::size_t>(e.parent)];
    if (!Accounted(parent.path) || Accounted(e.path)) return;
    out_.push_back(Make("folder.unknown", Severity::kWarning, shown, UnknownInside(parent.path)));
  }

  static std::string UnknownInside(const std::string& folder) {
    return ShownName(fs::path(Normal(folder)).filename().string()) +
           Sj(" フォルダの中の、索引ファイルにも管理ファイルにも記載のないフォルダです。");
  }

  const DeliveryLayout& layout_;
  std::string rootNormal_;
  std::string realRoot_;
  std::unordered_set<std::string> accounted_;                // folders the delivery names (normal paths)
  std::unordered_map<std::string, Expected> expected_;       // normal path -> the name the delivery gives it
  std::unordered_set<std::string> rootFiles_;                // FileNameKey of the fixed files at the root
  std::unordered_map<std::string, std::string> fixedNames_;  // FileNameKey -> the fixed name
  bool atRoot_ = true;
  bool lowered_ = false;
  int loweredCount_ = 0;
  std::vector<Finding> out_;
};

}  // namespace

std::vector<Finding> CheckFolders(const DeliveryLayout& layout, const std::vector<ListedName>& listed) {
  return FolderCheck(layout, listed).Run();
}

}  // namespace zor
