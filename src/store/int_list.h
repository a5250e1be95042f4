#pragma once

#include <cstdint>
#include <vector>

namespace zor {

// A growable list of record numbers that owns its storage: the photos of a
// tree node, the drawings of a photo, the current photo list.
using TIntList = std::vector<std::int32_t>;

}  // namespace zor
