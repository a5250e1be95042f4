#include "store/index_codes.h"

#include "text/encoding.h"

namespace zor {
namespace {

struct Row {
  const char* element;
  const char* alternative;
  int maxBytes;
};

std::vector<IndexCode> Build(const std::vector<Row>& rows) {
  std::vector<IndexCode> codes;
  int code = 1;
  for (const Row& r : rows) {
    IndexCode c{code++, {Sj(r.element)}, r.maxBytes};
    if (r.alternative != nullptr) c.elements.push_back(Sj(r.alternative));
    codes.push_back(std::move(c));
  }
  return codes;
}

int MaxBytesOf(const std::vector<IndexCode>& codes, int code) {
  if (code < 1 || code > static_cast<int>(codes.size())) return 0;
  return codes[static_cast<std::size_t>(code - 1)].maxBytes;
}

}  // namespace

const std::vector<IndexCode>& ConstructionIndexCodes() {
  static const std::vector<IndexCode> codes = Build({
      {"発注年度", nullptr, 4},
      {"工事番号", nullptr, 127},
      {"工事名称", nullptr, 254},
      {"工事実績システムバージョン番号", nullptr, 12},
      {"工事分野", nullptr, 32},
      {"工事業種", nullptr, 32},
      {"工種", nullptr, 254},
      {"工法型式", nullptr, 254},
      {"住所コード", nullptr, 5},
      {"住所", nullptr, 254},
      {"工期開始日", nullptr, 10},
      {"工期終了日", nullptr, 10},
      {"工事内容", nullptr, 254},
      {"測地系", nullptr, 2},
      {"対象水系路線名", nullptr, 254},
      {"現道-旧道区分", nullptr, 1},
      {"対象河川コード", nullptr, 10},
      {"左右岸上下線コード", nullptr, 2},
      {"起点側測点-n", nullptr, 4},
      {"起点側測点-m", nullptr, 3},
      {"終点側測点-n", nullptr, 4},
      {"終点側測点-m", nullptr, 3},
      {"起点側距離標-n", nullptr, 3},
      {"起点側距離標-m", nullptr, 3},
      {"終点側距離標-n", nullptr, 3},
      {"終点側距離標-m", nullptr, 3},
      {"西側境界座標経度", nullptr, 8},
      {"東側境界座標経度", nullptr, 8},
      {"北側境界座標緯度", nullptr, 8},
      {"南側境界座標緯度", nullptr, 8},
      {"施設名称", nullptr, 254},
      {"発注者-大分類", nullptr, 32},
      {"発注者-中分類", nullptr, 64},
      {"発注者-小分類", nullptr, 60},
      {"発注者コード", nullptr, 8},
      {"受注者名", "請負者名", 254},
      {"受注者コード", "請負者コード", 127},
      {"予備", nullptr, 254},
      // Items of the later guidelines; their limits are not known here.
      {"工事実績システム登録番号", nullptr, 0},
      {"工事担当課", nullptr, 0},
      {"施設コード", nullptr, 0},
  });
  return codes;
}

const std::vector<IndexCode>& ServicesIndexCodes() {
  static const std::vector<IndexCode> codes = Build({
      {"業務実績システムバージョン番号", nullptr, 12},
      {"業務実績システム登録番号", nullptr, 11},
      {"設計書コード", nullptr, 30},
      {"業務名称", nullptr, 254},
      {"住所コード", nullptr, 5},
      {"住所", nullptr, 128},
      {"履行期間-着手", nullptr, 10},
      {"履行期間-完了", nullptr, 10},
      {"測地系", nullptr, 2},
      {"対象水系路線コード", nullptr, 5},
      {"対象水系路線名", nullptr, 254},
      {"現道-旧道区分", nullptr, 1},
      {"対象河川コード", nullptr, 10},
      {"左右岸上下線コード", nullptr, 2},
      {"起点側測点-n", nullptr, 4},
      {"起点側測点-m", nullptr, 3},
      {"終点側測点-n", nullptr, 4},
      {"終点側測点-m", nullptr, 3},
      {"起点側距離標-n", nullptr, 3},
      {"起点側距離標-m", nullptr, 3},
      {"終点側距離標-n", nullptr, 3},
      {"終点側距離標-m", nullptr, 3},
      {"西側境界座標経度", nullptr, 8},
      {"東側境界座標経度", nullptr, 8},
      {"北側境界座標緯度", nullptr, 8},
      {"南側境界座標緯度", nullptr, 8},
      {"施設名称", nullptr, 254},
      {"発注者機関コード", nullptr, 8},
      {"発注者機関事務所名", nullptr, 254},
      {"受注者名", nullptr, 254},
      {"受注者コード", nullptr, 10},
      {"主な業務の内容", nullptr, 1},
      {"業務分野コード", nullptr, 7},
      {"業務キーワード", nullptr, 20},
      {"業務概要", nullptr, 600},
      {"予備", nullptr, 254},
      {"施設コード", nullptr, 0},
  });
  return codes;
}

int ConstructionMaxBytes(int code) { return MaxBytesOf(ConstructionIndexCodes(), code); }
int ServicesMaxBytes(int code) { return MaxBytesOf(ServicesIndexCodes(), code); }

}  // namespace zor
