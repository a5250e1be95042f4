#include "inspect/findings.h"

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

const std::vector<CheckInfo>& Checks() {
  constexpr Severity e = Severity::kError;
  constexpr Severity w = Severity::kWarning;
  constexpr Severity n = Severity::kNote;
  static const std::vector<CheckInfo> checks = {
      // the management files: their DTD, encoding and characters
      {"xml.dtd", Sj("管理ファイルとDTD"), e},
      {"xml.encoding", Sj("管理ファイルの文字コード"), w},
      {"text.char", Sj("使用できない文字（機種依存文字・外字）"), e},
      {"text.kana", Sj("半角カタカナ"), e},
      {"text.control", Sj("制御文字"), e},
      {"text.wide-alnum", Sj("全角英数字"), n},
      // the entries, item by item
      {"entry.missing", Sj("入力漏れ"), e},
      {"entry.wrong", Sj("入力ミス"), e},
      // the delivery's folders and names
      {"folder.missing", Sj("フォルダの有無"), e},
      {"folder.unknown", Sj("規定外のフォルダ／ファイル"), w},
      {"file.extra", Sj("不要なファイル"), e},
      {"name.rule", Sj("フォルダ名・ファイル名の規則"), e},
      {"listed.missing", Sj("管理ファイルに記載のファイルの有無"), e},
      // the pictures themselves
      {"file.missing", Sj("ファイルの有無"), e},
      {"file.unlisted", Sj("記載のないファイル"), w},
      {"file.duplicate", Sj("ファイルの重複"), e},
      {"file.name", Sj("ファイル名"), e},
      {"file.format", Sj("ファイル形式"), e},
      {"serial", Sj("シリアル番号"), e},
      {"date.invalid", Sj("撮影年月日の形式"), e},
      {"date.future", Sj("未来の撮影年月日"), e},
      {"date.period", Sj("工期と撮影年月日"), w},
      {"exif.date", Sj("EXIFの撮影日時"), w},
      {"pixels", Sj("画素数"), w},
      {"tamper", Sj("改ざんチェック"), e},
      {"blackboard", Sj("小黒板情報"), w},
  };
  return checks;
}

const std::vector<std::string>& CheckOrder() {
  static const std::vector<std::string> order = [] {
    std::vector<std::string> ids;
    for (const CheckInfo& c : Checks()) ids.push_back(c.id);
    return ids;
  }();
  return order;
}

std::string CheckCaption(const std::string& check) {
  for (const CheckInfo& c : Checks())
    if (c.id == check) return c.caption;
  return check;
}

Severity CheckSeverity(const std::string& check) {
  for (const CheckInfo& c : Checks())
    if (c.id == check) return c.severity;
  return Severity::kError;
}

}  // namespace zor
