// The node pictures of the hierarchy tree, 17 x 17, entries 0 to 7: an even
// entry for a node without photos, the next odd one for the same node with
// photos (0/1 unclassified, 2/3 construction and levels 0-1, 4/5 photo
// class, 6/7 work type to detail). The second set is the greyed one that
// the tree shows in list mode.
#pragma once

#include <QPixmap>

namespace zor {

inline constexpr int kTreeImageCount = 8;
inline constexpr int kTreeImageSide = 17;

QPixmap TreeImage(int index, bool greyed);

}  // namespace zor
