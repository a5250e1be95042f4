#include "check/delivery_walk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace zor {
namespace {

struct Child {
  std::string name;
  EntryKind kind;
};

EntryKind KindOf(const std::string& path, unsigned char type) {
  switch (type) {
    case DT_REG:
      return EntryKind::kFile;
    case DT_DIR:
      return EntryKind::kFolder;
    case DT_LNK:
      return EntryKind::kLink;
    case DT_UNKNOWN:
      break;
    default:
      return EntryKind::kOther;
  }
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return EntryKind::kOther;
  if (S_ISREG(st.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
  if (S_ISLNK(st.st_mode)) return EntryKind::kLink;
  return EntryKind::kOther;
}

// The entries of folder (ending in '/'), sorted by name; false when it
// cannot be listed.
bool List(const std::string& folder, std::vector<Child>& out) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return false;
  while (dirent* entry = readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    out.push_back(Child{name, KindOf(folder + name, entry->d_type)});
  }
  std::sort(out.begin(), out.end(), [](const Child& a, const Child& b) { return a.name < b.name; });
  return true;
}

struct Frame {
  std::string folder;    // on disk, ending in '/'
  std::string relative;  // from the root, ending in '/' (empty for the root)
  int entry = -1;        // the folder's own entry
  int depth = 0;
  std::vector<Child> children;
  std::size_t next = 0;
};

}  // namespace

DeliveryWalk WalkDelivery(const std::string& root, const std::string& top,
                          const std::function<bool(const WalkEntry&)>& descend) {
  DeliveryWalk walk;
  std::vector<Frame> stack;
  const std::string relativeTop = top.size() > root.size() ? top.substr(root.size()) : std::string();
  stack.push_back(Frame{top, relativeTop, -1, 0, {}, 0});
  if (!List(top, stack.back().children)) {
    walk.unreadable.push_back(relativeTop);
    return walk;
  }
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.children.size()) {
      stack.pop_back();
      continue;
    }
    if (walk.entries.size() >= kMaxWalkEntries) {
      walk.truncated = true;
      break;
    }
    Child& child = frame.children[frame.next++];
    WalkEntry e;
    e.path = frame.folder + child.name;
    e.relative = frame.relative + child.name;
    e.name = std::move(child.name);
    e.kind = child.kind;
    e.parent = frame.entry;
    walk.entries.push_back(e);
    if (e.kind != EntryKind::kFolder || !descend(walk.entries.back())) continue;
    if (frame.depth + 1 >= kMaxWalkDepth) {
      walk.tooDeep.push_back(e.relative);
      continue;
    }
    Frame inner{e.path + '/', e.relative + '/', static_cast<int>(walk.entries.size() - 1), frame.depth + 1, {}, 0};
    if (!List(inner.folder, inner.children)) {
      walk.unreadable.push_back(e.relative);
      continue;
    }
    stack.push_back(std::move(inner));  // frame is not used after this
  }
  return walk;
}

}  // namespace zor
