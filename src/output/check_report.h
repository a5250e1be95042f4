// A report of findings to hand back: one standalone, printable HTML page
// (UTF-8, no script, no outside resource) or the same findings as CSV
// (UTF-8 with a byte order mark, so that spreadsheet programs open it).
// The check of a whole delivery and the inspection of its pictures write
// their findings through it.
#pragma once

#include <string>
#include <vector>

#include "inspect/findings.h"

namespace zor {

struct ReportHeading {
  std::string title;            // "納品データのチェック結果" (code page 932)
  std::string workName;         // 工事名 or 業務名 (code page 932); may be empty
  std::string path;             // the delivery as opened (UTF-8)
  std::string standard;         // the guideline's name as the program shows it (code page 932)
  std::vector<std::string> notes;  // lines shown above the counts: the rules used, the DTD outcome … (code page 932)
  std::string program;          // program name and version (UTF-8)
  std::string when;             // date and time of the run, "2026-12-11 14:43" (UTF-8)
};

// The findings grouped by severity (誤り, 注意, 参考), then by check in
// Checks() order, each group keeping the findings' order; counting lines
// (record 0 and several records) keep their place in their group.
std::vector<const Finding*> ReportOrder(const std::vector<Finding>& findings);

// The HTML page, UTF-8. Every text from the delivery is escaped.
std::string ReportHtml(const ReportHeading& heading, const std::vector<Finding>& findings);

// The CSV: a header row, then one row per finding in ReportOrder:
// 重大度, チェック, 項目ID, 記録, ファイル, 項目, 行, 内容. UTF-8 with BOM, CR LF
// line ends, every field quoted; a field starting with = + - @ gets an
// apostrophe before it, so that no spreadsheet runs it as a formula.
std::string ReportCsv(const std::vector<Finding>& findings);

}  // namespace zor
