#include "inspect/findings.h"

#include <utility>

#include "text/encoding.h"

namespace zor {

std::string SeverityText(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return Sj("誤り");
    case Severity::kWarning:
      return Sj("注意");
    case Severity::kNote:
      break;
  }
  return Sj("参考");
}

namespace {

const std::vector<std::pair<std::string, std::string>>& Checks() {
  static const std::vector<std::pair<std::string, std::string>> checks = {
      {"file.missing", Sj("ファイルの有無")},
      {"file.unlisted", Sj("記載のないファイル")},
      {"file.duplicate", Sj("ファイルの重複")},
      {"file.name", Sj("ファイル名")},
      {"file.format", Sj("ファイル形式")},
      {"serial", Sj("シリアル番号")},
      {"date.invalid", Sj("撮影年月日の形式")},
      {"date.future", Sj("未来の撮影年月日")},
      {"date.period", Sj("工期と撮影年月日")},
      {"exif.date", Sj("EXIFの撮影日時")},
      {"pixels", Sj("画素数")},
      {"tamper", Sj("改ざんチェック")},
  };
  return checks;
}

}  // namespace

const std::vector<std::string>& CheckOrder() {
  static const std::vector<std::string> order = [] {
    std::vector<std::string> ids;
    for (const auto& c : Checks()) ids.push_back(c.first);
    return ids;
  }();
  return order;
}

std::string CheckCaption(const std::string& check) {
  for (const auto& c : Checks())
    if (c.first == check) return c.second;
  return check;
}

}  // namespace zor
