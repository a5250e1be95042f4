// The inspection dialog: the inspection of the pictures themselves, run on
// a thread of its own, its findings grouped by severity and check (see
// FindingsDialog for what the dialog offers).
#pragma once

#include <functional>

#include "forms/findings_dialog.h"
#include "inspect/inspection.h"

namespace zor {

class InspectionDialog : public FindingsDialog {
  Q_OBJECT
 public:
  explicit InspectionDialog(QWidget* parent);

  // The plan, read from the loaded delivery in the window's thread.
  std::function<InspectionPlan()> Plan;

 protected:
  Job Prepare() override;
  ReportHeading Heading() const override;
  QString ReportBaseName() const override;
};

}  // namespace zor
