// The check dialog "納品データのチェック": the check of the whole delivery
// (the entries item by item, the pictures, the characters, folders and
// management files) run on a thread of its own, with the scope of the
// entry check and the standard it goes by; its findings grouped by
// severity and check (see FindingsDialog for what the dialog offers).
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "app/settings.h"
#include "check/delivery_check.h"
#include "forms/findings_dialog.h"

class QComboBox;

namespace zor {

class CheckDialog : public FindingsDialog {
  Q_OBJECT
 public:
  CheckDialog(Settings& settings, QWidget* parent);

  QLabel* Label1 = nullptr;
  QComboBox* CE_Hanni = nullptr;
  QLabel* Version = nullptr;  // the standard in force
  QLabel* Notes = nullptr;    // the rules used for a later guideline, the DTD outcome

  // The plan for a scope (VerifyScope), read from the loaded delivery in the
  // window's thread; nothing when no delivery is loaded.
  std::function<std::optional<DeliveryCheckPlan>(int scope)> Plan;

 protected:
  Job Prepare() override;
  ReportHeading Heading() const override;
  QString ReportBaseName() const override;
  void Cleared() override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Settings& settings_;
  std::shared_ptr<const DeliveryCheckPlan> plan_;  // of the run shown
};

}  // namespace zor
