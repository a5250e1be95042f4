// The warning for photos registered at a level the hierarchy does not
// allow (the construction node itself, or a 写真-大分類 node), saying where.
#pragma once

#include <string>

namespace zor {

class Delivery;

// "工事フォルダは不正な階層レベルに写真が登録されています。", then the first node
// concerned ("分類: 工事写真 > 工事") and up to five titles of the photos
// concerned ("ほか N 件" for the rest). Code page 932. The record cursor is
// left where it was.
std::string InvalidLevelWarning(Delivery& d);

}  // namespace zor
