#include "forms/inspection_dialog.h"

#include <utility>

#include "inspect/report.h"
#include "text/encoding.h"

namespace zor {

InspectionDialog::InspectionDialog(QWidget* parent)
    : FindingsDialog(parent, "InspectionForm", QStringLiteral("写真ファイルの検査"),
                     QStringLiteral("開始を押すと、写真・参考図のファイルを読んで検査します。"),
                     QStringLiteral("検査しています・・・")) {
  setProperty("helpContext", 36);
}

FindingsDialog::Job InspectionDialog::Prepare() {
  if (!Plan) return {};
  return [plan = Plan()](Host& host, const InspectOptions& options) {
    InspectionResult result = RunInspection(plan, host, options);
    FindingsOutcome outcome;
    outcome.records = RecordsWithFindings(result);
    outcome.summary = SummaryLine(result.summary);
    outcome.findings = std::move(result.findings);
    return outcome;
  };
}

ReportHeading InspectionDialog::Heading() const {
  ReportHeading heading = FindingsDialog::Heading();
  heading.title = Sj("写真ファイルの検査結果");
  return heading;
}

QString InspectionDialog::ReportBaseName() const { return QStringLiteral("写真ファイルの検査結果"); }

}  // namespace zor
