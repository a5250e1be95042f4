#include "text/codelists.h"

#include <initializer_list>
#include <string_view>

#include "text/encoding.h"

namespace zor {
namespace {

CodeList Make(std::initializer_list<std::string_view> utf8) {
  CodeList list;
  for (std::string_view e : utf8) {
    if (!list.entries.empty()) list.joined += Sj("・");
    list.entries.push_back(Sj(e));
    list.joined += list.entries.back();
  }
  return list;
}

}  // namespace

const CodeList& PhotoMajorClassesCurrent() {
  static const CodeList list = Make({"工事", "測量", "調査", "地質", "広報", "設計", "その他"});
  return list;
}

const CodeList& PhotoMajorClassesEarlier() {
  static const CodeList list = Make({"工事", "調査", "測量", "設計", "その他"});
  return list;
}

const CodeList& PhotoCategories() {
  static const CodeList list = Make({"着手前及び完成写真", "施工状況写真", "安全管理写真", "使用材料写真", "品質管理写真",
                                     "出来形管理写真", "災害写真", "事故写真", "その他"});
  return list;
}

}  // namespace zor
