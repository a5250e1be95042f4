#include "forms/coded_values.h"

#include "store/standards.h"
#include "text/encoding.h"
#include "text/lenient.h"

namespace zor {
namespace {

CodedItem Make(const char* suffix, std::initializer_list<const char*> entries) {
  CodedItem item{Sj(suffix), {}};
  for (const char* e : entries) item.entries.push_back(Sj(e));
  return item;
}

}  // namespace

int CodedNumber(std::string_view text) {
  // A whole decimal number and a leading one read the same; what follows the
  // number is ignored, an empty text or one without digits is 0.
  return LenientInteger(text);
}

std::string CodedText(std::string_view value, const CodedItem& item) {
  const int number = CodedNumber(value);
  for (const std::string& entry : item.entries) {
    std::string_view head(entry);
    head = head.substr(0, head.find('.'));
    if (CodedNumber(head) == number) return entry;
  }
  return std::string(value) + item.default_suffix;
}

const CodedItem& PhotoFlagItem() {
  static const CodedItem item = Make(".未登録", {"0.原本", "1.工事写真帳", "99.提出しない"});
  return item;
}

const CodedItem& RepresentativeItem() {
  static const CodedItem item = Make(".設定しない", {"0.設定しない", "1.代表写真"});
  return item;
}

const CodedItem& SubmissionItem() {
  static const CodedItem item = Make(".", {"0.設定しない", "1.提出頻度写真"});
  return item;
}

const CodedItem& RoadSectionItem() {
  static const CodedItem item = Make(".未調査", {"1.現道", "2.旧道", "3.新道", "0.未調査"});
  return item;
}

const CodedItem& BankLineItem() {
  static const CodedItem item = Make(
      ".不明", {"01.左岸", "02.右岸", "03.中州", "10.上り線", "20.下り線", "30.上下線共通", "99.その他", "00.不明"});
  return item;
}

const CodedItem& MainServicesItem(int digi_version) {
  static const CodedItem v8 = Make(".不明", {"1.調査設計", "2.地質調査", "3.測量", "4.その他"});
  static const CodedItem other = Make(".不明", {"1.測量業務", "2.調査業務", "3.設計業務", "4.施工計画", "5.施工管理",
                                                "6.積算", "7.記録・広報", "8.その他"});
  return RuleSetOf(digi_version) == 8 ? v8 : other;
}

const CodedItem* IndexCodedItem(int item_code, bool construction_codes, int digi_version) {
  if (construction_codes) {
    if (item_code == 16) return &RoadSectionItem();
    if (item_code == 18) return &BankLineItem();
    return nullptr;
  }
  if (item_code == 12) return &RoadSectionItem();
  if (item_code == 14) return &BankLineItem();
  if (item_code == 32) return &MainServicesItem(digi_version);
  return nullptr;
}

}  // namespace zor
