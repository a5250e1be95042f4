#include "store/index_codes.h"

#include <algorithm>

#include "text/encoding.h"

namespace zor {
namespace {

// An element's code in one index: its number (0 when the index has no such
// element), its byte limit (0 where none is known), and the name the grid
// shows when it is not the element's.
struct Side {
  int code = 0;
  int maxBytes = 0;
  const char* shown = nullptr;
};

// One element of either index, once: where it stands (its parent's path;
// "件名等" stands for the index's own 工事件名等 or 業務件名等), its name, its
// code in each index, and the name and place the earlier revisions of the
// construction index give it.
struct Row {
  const char* parent;
  const char* element;
  Side construction;
  Side services;
  const char* earlierParent = nullptr;
  const char* earlierElement = nullptr;
  bool later = false;  // an element of the later guidelines
};

const char* const kRoute = "場所情報/水系-路線情報";
const char* const kStation = "場所情報/水系-路線情報/測点情報";
const char* const kDistance = "場所情報/水系-路線情報/距離標情報";
const char* const kBoundary = "場所情報/境界座標情報";

// clang-format off
const Row kRows[] = {
    {"", "予備", {38, 254}, {36, 254}},

    {"件名等", "発注年度", {1, 4}, {}},
    {"件名等", "工事番号", {2, 127}, {}},
    {"件名等", "工事名称", {3, 254}, {}},
    {"件名等", "工事実績システムバージョン番号", {4, 12, "工事実績VerNo."}, {}},
    {"件名等", "工事分野", {5, 32}, {}},
    {"件名等", "工事業種", {6, 32}, {}},
    {"件名等/工種-工法型式", "工種", {7, 254}, {}},
    {"件名等/工種-工法型式", "工法型式", {8, 254}, {}},

    {"件名等", "業務実績システムバージョン番号", {}, {1, 12, "業務実績VerNo."}},
    {"件名等", "業務実績システム登録番号", {}, {2, 11, "業務実績番号"}},
    {"件名等", "設計書コード", {}, {3, 30}},
    {"件名等", "業務名称", {}, {4, 254}},

    {"件名等/住所情報", "住所コード", {9, 5}, {5, 5}},
    {"件名等/住所情報", "住所", {10, 254}, {6, 128}},
    {"件名等", "工期開始日", {11, 10}, {}},
    {"件名等", "工期終了日", {12, 10}, {}},
    {"件名等", "工事内容", {13, 254}, {}},
    {"件名等", "履行期間-着手", {}, {7, 10}},
    {"件名等", "履行期間-完了", {}, {8, 10}},

    {"場所情報", "測地系", {14, 2}, {9, 2}},
    {kRoute, "対象水系路線コード", {}, {10, 5, "対象水系路線CD"}},
    {kRoute, "対象水系路線名", {15, 254}, {11, 254}},
    {kRoute, "現道-旧道区分", {16, 1}, {12, 1}},
    {kRoute, "対象河川コード", {17, 10}, {13, 10, "対象河川CD"}},
    {kRoute, "左右岸上下線コード", {18, 2, "左右岸上下線CD"}, {14, 2, "左右岸上下線CD"}},
    {kStation, "起点側測点-n", {19, 4}, {15, 4}},
    {kStation, "起点側測点-m", {20, 3}, {16, 3}},
    {kStation, "終点側測点-n", {21, 4}, {17, 4}},
    {kStation, "終点側測点-m", {22, 3}, {18, 3}},
    {kDistance, "起点側距離標-n", {23, 3}, {19, 3}},
    {kDistance, "起点側距離標-m", {24, 3}, {20, 3}},
    {kDistance, "終点側距離標-n", {25, 3}, {21, 3}},
    {kDistance, "終点側距離標-m", {26, 3}, {22, 3}},
    {kBoundary, "西側境界座標経度", {27, 8, "西境界座標経度"}, {23, 8, "西境界座標経度"}},
    {kBoundary, "東側境界座標経度", {28, 8, "東境界座標経度"}, {24, 8, "東境界座標経度"}},
    {kBoundary, "北側境界座標緯度", {29, 8, "北境界座標緯度"}, {25, 8, "北境界座標緯度"}},
    {kBoundary, "南側境界座標緯度", {30, 8, "南境界座標緯度"}, {26, 8, "南境界座標緯度"}},

    {"施設情報", "施設名称", {31, 254}, {27, 254}},

    {"発注者情報", "発注者-大分類", {32, 32}, {}},
    {"発注者情報", "発注者-中分類", {33, 64}, {}},
    {"発注者情報", "発注者-小分類", {34, 60}, {}},
    {"発注者情報", "発注者コード", {35, 8}, {}},
    {"発注者情報", "発注者機関コード", {}, {28, 8, "発注者コード"}},
    {"発注者情報", "発注者機関事務所名", {}, {29, 254, "発注者事務所名"}},

    {"受注者情報", "受注者名", {36, 254}, {30, 254}, "請負者情報", "請負者名"},
    {"受注者情報", "受注者コード", {37, 127}, {31, 10}, "請負者情報", "請負者コード"},

    {"業務情報", "主な業務の内容", {}, {32, 1}},
    {"業務情報", "業務分野コード", {}, {33, 7}},
    {"業務情報", "業務キーワード", {}, {34, 20}},
    {"業務情報", "業務概要", {}, {35, 600}},

    {"件名等", "工事実績システム登録番号", {39}, {}, nullptr, nullptr, true},
    {"発注者情報", "工事担当課", {40}, {}, nullptr, nullptr, true},
    {"施設情報", "施設コード", {41}, {37}, nullptr, nullptr, true},
};
// clang-format on

// The path of a parent: "件名等" at its start becomes the index's own section.
std::string ParentPath(const char* parent, const char* workSection) {
  const std::string_view p(parent);
  if (p.starts_with("件名等")) return Sj(workSection) + Sj(p.substr(std::string_view("件名等").size()));
  return Sj(p);
}

// The codes of one index in order. The earlier revisions' names count only
// in the construction index.
std::vector<IndexCode> Build(Side Row::*side, const char* workSection, bool earlierNames) {
  std::vector<IndexCode> codes;
  for (const Row& r : kRows) {
    const Side& s = r.*side;
    if (s.code == 0) continue;
    IndexCode c{s.code, {Sj(r.element)}, s.maxBytes, Sj(s.shown ? s.shown : r.element),
                {ParentPath(r.parent, workSection)}, r.later};
    if (earlierNames && r.earlierElement) {
      c.elements.push_back(Sj(r.earlierElement));
      c.parents.push_back(ParentPath(r.earlierParent, workSection));
      c.shown.clear();
    }
    codes.push_back(std::move(c));
  }
  std::sort(codes.begin(), codes.end(), [](const IndexCode& a, const IndexCode& b) { return a.code < b.code; });
  return codes;
}

int MaxBytesOf(const std::vector<IndexCode>& codes, int code) {
  if (code < 1 || code > static_cast<int>(codes.size())) return 0;
  return codes[static_cast<std::size_t>(code - 1)].maxBytes;
}

}  // namespace

const std::vector<IndexCode>& ConstructionIndexCodes() {
  static const std::vector<IndexCode> codes = Build(&Row::construction, "工事件名等", true);
  return codes;
}

const std::vector<IndexCode>& ServicesIndexCodes() {
  static const std::vector<IndexCode> codes = Build(&Row::services, "業務件名等", false);
  return codes;
}

int ConstructionMaxBytes(int code) { return MaxBytesOf(ConstructionIndexCodes(), code); }
int ServicesMaxBytes(int code) { return MaxBytesOf(ServicesIndexCodes(), code); }

}  // namespace zor
