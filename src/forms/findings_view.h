// FindingsView: the findings of a check as a tree. One group per severity
// and check ("誤り — ファイルの有無 2 件"), in the order a report gives them,
// and under it one row per finding: record, file, item, line, message. A
// double click or Enter on a row activates its finding; Ctrl+C and the
// context menu copy the selected findings (a selected group: all of its
// findings) to the clipboard as tab-separated lines.
#pragma once

#include <QString>
#include <QTreeWidget>
#include <vector>

#include "inspect/findings.h"

namespace zor {

class FindingsView : public QTreeWidget {
  Q_OBJECT
 public:
  enum Column { kRecordColumn, kFileColumn, kItemColumn, kLineColumn, kMessageColumn };

  explicit FindingsView(QWidget* parent = nullptr);

  // Shows the findings, grouped; an empty list shows one line that says so.
  void SetFindings(std::vector<Finding> findings);
  void ClearFindings();
  const std::vector<Finding>& Findings() const { return findings_; }

  // The finding a row shows; nullptr for a group or the empty line.
  const Finding* FindingOf(const QTreeWidgetItem* item) const;
  // The findings of the selected rows in the order shown, each once; a
  // selected group brings all of its findings.
  std::vector<const Finding*> SelectedFindings() const;
  // One line per finding: severity, check caption, record, file, item,
  // line, message, separated by tabs (a tab or line break inside a field
  // becomes a blank).
  static QString FindingsText(const std::vector<const Finding*>& findings);
  // The selected findings to the clipboard; false when none is selected.
  bool CopySelection();

 signals:
  void FindingActivated(const zor::Finding& finding);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  std::vector<Finding> findings_;
};

// The caption of a group: "誤り — ファイルの有無 2 件".
QString FindingsGroupCaption(Severity severity, const std::string& check, int count);

}  // namespace zor
