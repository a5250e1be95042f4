// Every folder and file below a folder of a delivery, listed once, in
// order, without following a link: the ground the folder and name checks
// walk. Bounded in depth and in the number of entries.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zor {

enum class EntryKind { kFile, kFolder, kLink, kOther };  // kOther: a FIFO, device or socket

struct WalkEntry {
  std::string path;      // on disk (UTF-8), without a trailing '/'
  std::string relative;  // from the delivery's root, '/'-separated
  std::string name;      // the last component
  EntryKind kind = EntryKind::kFile;
  int parent = -1;  // the entry of the folder it lies in; -1 in the walked folder itself
};

struct DeliveryWalk {
  std::vector<WalkEntry> entries;       // depth first, each folder's entries sorted by name
  std::vector<std::string> unreadable;  // folders that could not be listed (relative)
  std::vector<std::string> tooDeep;     // folders left unlisted below kMaxWalkDepth (relative)
  bool truncated = false;               // stopped at kMaxWalkEntries
};

inline constexpr int kMaxWalkDepth = 32;
inline constexpr std::size_t kMaxWalkEntries = 2'000'000;

// Lists top (root or a folder below it, UTF-8, ending in '/') and, depth
// first, every folder in it for which descend says yes. A link is listed
// as a link and never followed.
DeliveryWalk WalkDelivery(const std::string& root, const std::string& top,
                          const std::function<bool(const WalkEntry&)>& descend);

}  // namespace zor
