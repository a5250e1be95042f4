#include "inspect/report.h"

#include "text/encoding.h"

namespace zor {

std::string FindingLine(const Finding& f) {
  std::string line = "  " + SeverityText(f.severity) + "  ";
  if (f.record > 0) line += Sj("記録 ") + std::to_string(f.record) + "  ";
  if (!f.file.empty()) line += f.file + "  ";
  return line + f.message;
}

std::string CheckHeading(const std::string& check, int count) {
  return Sj("【") + CheckCaption(check) + Sj("】 ") + check + "  " + std::to_string(count) + Sj(" 件");
}

std::string SummaryLine(const InspectionSummary& s) {
  std::string line = s.cancelled ? Sj("中止しました。") : std::string();
  line += Sj("写真・参考図 ") + std::to_string(s.pictures) + Sj(" 件を検査しました（読んだファイル ") +
          std::to_string(s.read) + Sj(" 件）。誤り ") + std::to_string(s.errors) + Sj(" 件、注意 ") +
          std::to_string(s.warnings) + Sj(" 件、参考 ") + std::to_string(s.notes) + Sj(" 件。");
  return line;
}

std::vector<std::string> ReportLines(const InspectionResult& result) {
  std::vector<std::string> lines;
  const std::vector<Finding>& all = result.findings;
  for (std::size_t i = 0; i < all.size();) {
    std::size_t end = i;
    while (end < all.size() && all[end].check == all[i].check) ++end;
    lines.push_back(CheckHeading(all[i].check, static_cast<int>(end - i)));
    for (; i < end; ++i) lines.push_back(FindingLine(all[i]));
  }
  if (all.empty()) lines.push_back(Sj("指摘はありませんでした。"));
  lines.push_back("");
  lines.push_back(SummaryLine(result.summary));
  return lines;
}

}  // namespace zor
