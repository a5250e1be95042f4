#include "check/management_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <system_error>
#include <unordered_map>

#include "app/folders.h"
#include "check/named_elements.h"
#include "check/shown_name.h"
#include "import/delivery_files.h"
#include "text/encoding.h"
#include "text/sjis.h"
#include "xml/xml_names.h"
#include "xml/xml_tree.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

// Folders the guidelines give no management file of their own.
constexpr std::string_view kFoldersWithoutFile[] = {"ICON"};

Finding Make(const char* check, Severity severity, std::string file, std::string message, std::string item = {},
             int line = 0) {
  Finding f;
  f.check = check;
  f.severity = severity;
  f.file = std::move(file);
  f.message = std::move(message);
  f.item = std::move(item);
  f.line = line;
  return f;
}

std::string WithoutSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool InsideFolder(const std::string& path, const std::string& folder) {
  std::error_code ec;
  const fs::path real = fs::canonical(path, ec);
  if (ec) return false;
  const fs::path base = fs::canonical(folder, ec);
  if (ec) return false;
  const auto [b, r] = std::mismatch(base.begin(), base.end(), real.begin(), real.end());
  return b == base.end() && r != real.end();
}

// The names of a folder's entries, sorted.
std::vector<std::string> EntryNames(const std::string& folder) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return names;
  while (dirent* entry = readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// DTDs beside the declared one that differ from it only in their number:
// INDE_C04.DTD for INDE_C09.DTD.
std::vector<std::string> OtherNumberedDtds(const std::string& folder, const std::string& declared) {
  const std::string key = FileNameKey(declared);
  const std::size_t dot = key.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : key.substr(dot);
  std::string prefix = key.substr(0, dot == std::string::npos ? key.size() : dot);
  while (!prefix.empty() && prefix.back() >= '0' && prefix.back() <= '9') prefix.pop_back();
  std::vector<std::string> found;
  if (prefix.empty()) return found;
  for (const std::string& name : EntryNames(folder)) {
    const std::string k = FileNameKey(name);
    if (k == key || k.size() <= prefix.size() + extension.size()) continue;
    if (k.compare(0, prefix.size(), prefix) != 0 || k.compare(k.size() - extension.size(), extension.size(), extension))
      continue;
    const std::string number = k.substr(prefix.size(), k.size() - prefix.size() - extension.size());
    if (std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) found.push_back(name);
  }
  return found;
}

std::string EncodingMessage(const XmlProlog& prolog) {
  const std::string tail = Sj("管理ファイルは Shift_JIS で作成します（このまま読み込みます）。");
  switch (prolog.encoding) {
    case XmlEncoding::kShiftJis:
      return {};
    case XmlEncoding::kUtf8:
      if (prolog.declaredEncoding.empty()) return Sj("文字コードの宣言がないため UTF-8 として読みます。") + tail;
      return Sj("文字コードが UTF-8 です。") + tail;
    case XmlEncoding::kUtf16:
      return Sj("文字コードが UTF-16 です。") + tail;
    case XmlEncoding::kOther:
      break;
  }
  return Sj("文字コードが ") + ShownName(prolog.declaredEncoding) + Sj(" です。") + tail;
}

bool HasExtension(const std::vector<std::string>& parts) {
  if (parts.empty()) return false;
  const std::size_t dot = parts.back().rfind('.');
  return dot != std::string::npos && dot + 1 < parts.back().size();
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string s;
  for (const std::string& p : parts) s += (s.empty() ? "" : "/") + p;
  return s;
}

struct Target {
  std::string path;    // on disk
  std::string folder;  // its folder on disk, ending in '/'
  std::string shown;   // from the root
  bool index = false;
  bool photo = false;
  std::vector<std::string> namedBelow;  // folders the index names below this one (on disk, ending in '/')
};

class ManagementCheck {
 public:
  explicit ManagementCheck(const DeliveryLayout& layout) : layout_(layout) {}

  ManagementFilesResult Run() {
    if (!layout_.indexFile.empty()) {
      Target index{layout_.indexFile, FolderOf(layout_.indexFile), Shown(layout_.indexFile), true, false, {}};
      Check(index);
    }
    if (!layout_.photoFile.empty()) {
      Target photo{layout_.photoFile, FolderOf(layout_.photoFile), Shown(layout_.photoFile), false, true, {}};
      photo.namedBelow = NamedBelow(photo.folder);
      Check(photo);
      done_.insert(Normal(layout_.photoFile));
    }
    for (const NamedElement& named : indexFolders_) {
      if (!named.components || named.components->size() != 1) continue;
      CheckNamedFolder(named);
    }
    return std::move(result_);
  }

 private:
  std::string Shown(const std::string& path) const {
    if (path.size() > layout_.root.size() && path.compare(0, layout_.root.size(), layout_.root) == 0)
      return ShownName(path.substr(layout_.root.size()));
    return ShownName(fs::path(path).filename().string());
  }

  static std::string Normal(const std::string& path) {
    return WithoutSlash(fs::path(path).lexically_normal().string());
  }

  // The folders the index names below folder (REPORT/ORG below REPORT).
  std::vector<std::string> NamedBelow(const std::string& folder) {
    std::vector<std::string> below;
    for (const NamedElement& named : indexFolders_) {
      if (!named.components || named.components->size() < 2) continue;
      if (std::optional<std::string> found = finder_.FindSubfolder(layout_.root, *named.components))
        if (found->size() > folder.size() && found->compare(0, folder.size(), folder) == 0) below.push_back(*found);
    }
    return below;
  }

  void CheckNamedFolder(const NamedElement& named) {
    const std::vector<std::string>& parts = *named.components;
    const std::optional<std::string> folder = finder_.FindSubfolder(layout_.root, parts);
    if (!folder || !folderSeen_.insert(Normal(*folder)).second) return;
    for (std::string_view none : kFoldersWithoutFile)
      if (FileNameKey(parts.back()) == none) return;
    const std::string fileName = parts.back() + ".XML";
    const std::optional<std::string> file = finder_.FindFile(*folder, {fileName});
    const std::string shown = Shown(*folder + fileName);
    if (!file) {
      result_.findings.push_back(
          Make("xml.dtd", Severity::kError, shown,
               finder_.LastWasOutside()
                   ? Sj("管理ファイルが納品データのフォルダの外を指すリンクのため読み込みません。")
                   : Sj("管理ファイルがありません（索引ファイルの ") + named.element + Sj(" が示すフォルダ）。"),
               named.element));
      return;
    }
    if (done_.count(Normal(*file))) return;
    done_.insert(Normal(*file));
    result_.listed.push_back(ListedName{WithoutSlash(*file), fileName, false, true});
    // Without a photo file of the layout, PHOTO's pictures are still the
    // inspection's to look for.
    Target target{*file, *folder, Shown(*file), false, FileNameKey(fileName) == "PHOTO.XML", NamedBelow(*folder)};
    Check(target);
  }

  void Check(const Target& t) {
    const std::optional<XmlProlog> prolog = ReadXmlPrologFile(t.path);
    if (!prolog) {
      result_.findings.push_back(Make("xml.dtd", Severity::kError, t.shown,
                                      Sj("読み込めません（通常のファイルでないか、読む権限がありません）。")));
      return;
    }
    result_.files.push_back(ManagementFile{t.path, t.shown, prolog->encoding});
    if (const std::string message = EncodingMessage(*prolog); !message.empty())
      result_.findings.push_back(Make("xml.encoding", Severity::kWarning, t.shown, message));

    const std::optional<std::string> dtd = UsableDtd(t, *prolog);
    TXMLTreeView view;
    view.MSXML = true;
    view.ErrorMessage = false;
    view.Parse = dtd.has_value();  // SystemFileFolder stays empty: only the DTD beside the file
    bool read = view.ParseFile(t.path);
    if (!read && dtd) {
      const std::string reason = ParseErrorLine(view.ErrorText);
      const int line = view.ErrorLine;
      view.Parse = false;
      read = view.ParseFile(t.path);
      if (read)
        result_.findings.push_back(Make("xml.dtd", Severity::kError, t.shown,
                                        Sj("DTD（") + ShownName(*dtd) + Sj("）に適合しません: ") + reason, {}, line));
    }
    if (!read) {
      result_.findings.push_back(Make("xml.dtd", Severity::kError, t.shown,
                                      Sj("XML の書式に誤りがあり読み込めません: ") + ParseErrorLine(view.ErrorText), {},
                                      view.ErrorLine));
      return;
    }
    std::set<std::string> notices;
    for (const std::string& notice : view.Notices)
      if (notices.insert(notice).second)
        result_.findings.push_back(Make("xml.dtd", Severity::kWarning, t.shown, notice));

    NamedElements named = CollectNamedElements(view);
    if (t.index) indexFolders_ = named.folders;
    CheckListed(t, named);
  }

  // The DTD the file names, when it lies beside the file and may be read.
  std::optional<std::string> UsableDtd(const Target& t, const XmlProlog& prolog) {
    if (!prolog.doctype) {
      result_.findings.push_back(
          Make("xml.dtd", Severity::kError, t.shown, Sj("DTD を指定する文書型宣言（DOCTYPE）がありません。")));
      return std::nullopt;
    }
    const std::string name = SystemIdFileName(prolog.systemId);
    if (name.empty() || name == "." || name == "..") {
      result_.findings.push_back(
          Make("xml.dtd", Severity::kError, t.shown, Sj("文書型宣言（DOCTYPE）に DTD のファイル名がありません。")));
      return std::nullopt;
    }
    const std::optional<std::string> found = ResolveCaseInsensitive(t.folder, name);
    struct stat st {};
    if (!found || lstat(found->c_str(), &st) != 0) {
      std::string message = ShownName(name) + Sj(" がありません");
      const std::vector<std::string> others = OtherNumberedDtds(t.folder, name);
      if (!others.empty()) {
        message += Sj("（");
        for (std::size_t i = 0; i < others.size(); ++i) message += (i ? Sj("、") : "") + ShownName(others[i]);
        message += Sj(" があります）");
      }
      result_.findings.push_back(Make("xml.dtd", Severity::kError, t.shown, message + Sj("。")));
      return std::nullopt;
    }
    if (!InsideFolder(*found, t.folder)) {
      result_.findings.push_back(
          Make("xml.dtd", Severity::kError, t.shown,
               ShownName(name) + Sj(" は管理ファイルのフォルダの外を指すリンクのため読み込みません。")));
      return std::nullopt;
    }
    if (stat(found->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      result_.findings.push_back(Make("xml.dtd", Severity::kError, t.shown,
                                      ShownName(name) + Sj(" は通常のファイルでないため読み込みません。")));
      return std::nullopt;
    }
    result_.listed.push_back(ListedName{WithoutSlash(*found), name, false, false});
    return name;
  }

  void CheckListed(const Target& t, const NamedElements& named) {
    // The sub-folders this file names, from the root or from its folder.
    std::vector<std::string> subfolders = t.namedBelow;
    for (const NamedElement& folder : named.folders) {
      if (!folder.components || folder.components->empty()) continue;
      std::optional<std::string> found = finder_.FindSubfolder(layout_.root, *folder.components);
      if (!found) found = finder_.FindSubfolder(t.folder, *folder.components);
      if (!found) continue;
      result_.listed.push_back(ListedName{WithoutSlash(*found), folder.components->back(), true, false});
      if (found->size() > t.folder.size() && found->compare(0, t.folder.size(), t.folder) == 0)
        subfolders.push_back(*found);
    }
    static const std::string photoName = Sj("写真ファイル名");
    static const std::string drawingName = Sj("参考図ファイル名");
    const std::string base = t.folder.size() >= layout_.root.size() ? t.folder.substr(layout_.root.size()) : "";
    for (const NamedElement& file : named.files) {
      if (t.photo && (SameNodeName(file.element, photoName) || SameNodeName(file.element, drawingName))) continue;
      if (!file.components) {
        result_.findings.push_back(Make("listed.missing", Severity::kError, file.shown,
                                        t.shown + Sj(" に記載の名前が納品データの外を指しています（「..」）。"),
                                        file.element));
        continue;
      }
      if (!HasExtension(*file.components)) continue;
      bool outside = false;
      std::optional<std::string> found = Find(t, subfolders, *file.components, outside);
      if (found) {
        result_.listed.push_back(ListedName{*found, file.components->back(), false, false});
        continue;
      }
      result_.findings.push_back(Make("listed.missing", Severity::kError, ShownName(base + Joined(*file.components)),
                                      outside
                                          ? t.shown + Sj(" に記載のファイルが納品データのフォルダの外を指すリンクのため"
                                                         "読み込みません。")
                                          : t.shown + Sj(" に記載のファイルがありません。"),
                                      file.element));
    }
  }

  std::optional<std::string> Find(const Target& t, const std::vector<std::string>& subfolders,
                                  const std::vector<std::string>& parts, bool& outside) {
    std::optional<std::string> found = finder_.FindFile(t.folder, parts);
    outside = outside || finder_.LastWasOutside();
    for (std::size_t i = 0; !found && i < subfolders.size(); ++i) {
      found = finder_.FindFile(subfolders[i], parts);
      outside = outside || finder_.LastWasOutside();
    }
    if (found || parts.size() != 1) return found;
    // A bare name may lie in any folder just below: the original files in
    // ORG, the other documents in ORG001 …
    for (const std::string& sub : SubfoldersHolding(t.folder, parts.front())) {
      found = finder_.FindFile(sub, parts);
      outside = outside || finder_.LastWasOutside();
      if (found) break;
    }
    return found;
  }

  // The folders just below folder that hold an entry of that name (as
  // FileNameKey compares names), each folder listed once.
  const std::vector<std::string>& SubfoldersHolding(const std::string& folder, const std::string& name) {
    auto it = below_.find(folder);
    if (it == below_.end()) {
      std::unordered_map<std::string, std::vector<std::string>> index;
      for (const std::string& sub : EntryNames(folder)) {
        const std::string path = folder + sub;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
        for (const std::string& entry : EntryNames(path + '/')) {
          std::vector<std::string>& holders = index[FileNameKey(entry)];
          if (holders.empty() || holders.back() != path + '/') holders.push_back(path + '/');
        }
      }
      it = below_.emplace(folder, std::move(index)).first;
    }
    static const std::vector<std::string> kNone;
    auto holders = it->second.find(FileNameKey(name));
    return holders == it->second.end() ? kNone : holders->second;
  }

  const DeliveryLayout& layout_;
  DeliveryFileFinder finder_;
  std::vector<NamedElement> indexFolders_;
  std::set<std::string> done_;        // management files checked (normal paths)
  std::set<std::string> folderSeen_;  // named folders whose file was looked for
  // folder -> FileNameKey of an entry -> the sub-folders holding it
  std::unordered_map<std::string, std::unordered_map<std::string, std::vector<std::string>>> below_;
  ManagementFilesResult result_;
};

}  // namespace

ManagementFilesResult CheckManagementFiles(const DeliveryLayout& layout) { return ManagementCheck(layout).Run(); }

}  // namespace zor
