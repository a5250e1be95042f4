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
  });
  return codes;
}

int ConstructionMaxBytes(int code) { return MaxBytesOf(ConstructionIndexCodes(), code); }
int ServicesMaxBytes(int code) { return MaxBytesOf(ServicesIndexCodes(), code); }

bool IsConstructionIndexVersion(int digiVersion) {
  return digiVersion == 5 || digiVersion == 6 || digiVersion == 7 || digiVersion == 12;
}

const std::vector<std::string>& StandardVersionTexts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t;
    for (const char* s : {
             "国交省 11年8月 デジタル写真管理情報基準(案)",
             "国交省 14年7月 デジタル写真管理情報基準(案)",
             "国交省 16年6月 デジタル写真管理情報基準(案)",
             "国交省 20年5月 デジタル写真管理情報基準(案)",
             "国交省 22年9月 デジタル写真管理情報基準",
             "国交省 16年6月 工事完成図書の電子納品要領(案)",
             "国交省 20年5月 工事完成図書の電子納品要領(案)",
             "国交省 22年9月 工事完成図書の電子納品等要領",
             "国交省 16年6月 土木設計業務等の電子納品要領(案)",
             "国交省 20年5月 土木設計業務等の電子納品要領(案)",
             "農水省 15年4月 電子化写真データの作成要領(案)",
             "農水省 17年4月 電子化写真データの作成要領(案)",
             "農水省 17年4月 工事完成図書の電子納品要領(案)",
             "農水省 17年4月 設計業務等の電子納品要領(案)",
         })
      t.push_back(Sj(s));
    return t;
  }();
  return texts;
}

std::string DtdVersionText(int digiVersion) {
  switch (digiVersion) {
    case 0:
      return "1.0";
    case 1:
      return "02";
    case 10:
      return "02_200304";
    case 2:
    case 5:
    case 8:
    case 11:
    case 12:
    case 13:
      return "03";
    default:
      return "05";
  }
}

}  // namespace zor
