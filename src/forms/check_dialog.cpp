#include "forms/check_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "forms/dialog_helpers.h"
#include "forms/qtext.h"
#include "text/encoding.h"

namespace zor {

CheckDialog::CheckDialog(Settings& settings, QWidget* parent)
    : FindingsDialog(parent, "CheckForm", QStringLiteral("納品データのチェック"),
                     QStringLiteral("開始を押すと、納品データ全体（入力内容・写真ファイル・文字・フォルダ・管理"
                                    "ファイル）をチェックします。"),
                     QStringLiteral("チェックしています・・・")),
      settings_(settings) {
  setProperty("helpContext", 38);

  CE_Hanni = new QComboBox(this);
  CE_Hanni->setObjectName(QStringLiteral("CE_Hanni"));
  CE_Hanni->addItems({QStringLiteral("◎ 必須記入(条件に合致する○項目も含む) のみ"),
                      QStringLiteral("○ 条件付き必須記入 以上 "), QStringLiteral("△ 任意記入 以上 (原則として空欄)")});
  Label1 = new QLabel(QStringLiteral("入力漏れ検証範囲(&H):"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setBuddy(CE_Hanni);
  Version = new QLabel(this);
  Version->setObjectName(QStringLiteral("Version"));
  QFont bold = Version->font();
  bold.setBold(true);
  Version->setFont(bold);
  Notes = new QLabel(this);
  Notes->setObjectName(QStringLiteral("Notes"));
  Notes->setWordWrap(true);
  Notes->hide();

  auto* scope = new QHBoxLayout;
  scope->addWidget(Label1);
  scope->addWidget(CE_Hanni, 1);
  MainLayout()->insertLayout(0, scope);
  MainLayout()->insertWidget(1, Version);
  MainLayout()->insertWidget(2, Notes);
}

void CheckDialog::showEvent(QShowEvent* event) {
  FindingsDialog::showEvent(event);
  if (property(kReshownWithMain).toBool()) return;
  CE_Hanni->setCurrentIndex(std::clamp(settings_.MissHanni, 0, CE_Hanni->count() - 1));
}

void CheckDialog::closeEvent(QCloseEvent* event) {
  settings_.MissHanni = std::max(0, CE_Hanni->currentIndex());
  FindingsDialog::closeEvent(event);
}

FindingsDialog::Job CheckDialog::Prepare() {
  settings_.MissHanni = std::max(0, CE_Hanni->currentIndex());
  std::optional<DeliveryCheckPlan> plan = Plan ? Plan(settings_.MissHanni) : std::nullopt;
  if (!plan) {
    Summary->setText(QStringLiteral("納品データが読み込まれていません。"));
    return {};
  }
  plan_ = std::make_shared<const DeliveryCheckPlan>(std::move(*plan));
  Version->setText(Qs(plan_->standard));
  QStringList notes;
  for (const std::string& note : plan_->notes) notes << Qs(note);
  Notes->setText(notes.join(QLatin1Char('\n')));
  Notes->setVisible(!notes.isEmpty());
  return [plan = plan_](Host& host, const InspectOptions& options) {
    DeliveryCheckResult result = RunDeliveryCheck(*plan, host, options);
    FindingsOutcome outcome;
    outcome.records = RecordsWithCheckFindings(result);
    outcome.summary = CheckSummaryLine(result.summary);
    outcome.findings = std::move(result.findings);
    return outcome;
  };
}

ReportHeading CheckDialog::Heading() const {
  ReportHeading heading = DeliveryHeading ? DeliveryHeading() : ReportHeading{};
  heading.title = Sj("納品データのチェック結果");
  if (plan_) {
    heading.workName = plan_->workName;
    heading.standard = plan_->standard;
    heading.notes = plan_->notes;
    heading.notes.insert(heading.notes.end(), plan_->verificationLines.begin(), plan_->verificationLines.end());
  }
  if (const FindingsOutcome* outcome = Outcome()) heading.notes.push_back(outcome->summary);
  return heading;
}

QString CheckDialog::ReportBaseName() const { return QStringLiteral("納品データのチェック結果"); }

void CheckDialog::Cleared() {
  // Another delivery may go by another standard; the next run names it.
  plan_.reset();
  Version->clear();
  Notes->clear();
  Notes->hide();
}

}  // namespace zor
