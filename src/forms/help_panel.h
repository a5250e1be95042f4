// The help panel (content of Float_Help): the header PL_Help and five labels
// in a fixed-pitch font that show the rules of the focused grid row or tree
// node. The texts, their visibility and colours come from the rules module.
#pragma once

#include <QWidget>

#include "rules/help_texts.h"

class QLabel;

namespace zor {

class HierarchyNode;

class HelpPanel : public QWidget {
  Q_OBJECT
 public:
  explicit HelpPanel(QWidget* parent = nullptr);

  QLabel* PL_Help = nullptr;
  // Top to bottom: LB_Input5 (the fifth label: 記入可否), LB_Input1 .. LB_Input4.
  QLabel* LB_Input1 = nullptr;
  QLabel* LB_Input2 = nullptr;
  QLabel* LB_Input3 = nullptr;
  QLabel* LB_Input4 = nullptr;
  QLabel* LB_Input5 = nullptr;

  // The label of HelpLabels element i (0 .. 4).
  QLabel* Label(int i) const;

  // Paints the five labels.
  void ShowLabels(const HelpLabels& labels);
  // "説明はありません".
  void ShowNothing() { ShowLabels(NoHelp()); }
  // The rule of a tree node's level; nullptr shows "説明はありません".
  void ShowLevelHelp(const HierarchyNode* node, int digi_version, bool keikoku_red);

  // Wide enough for a rule's text to wrap into a few lines, not a column of
  // words, when the panel is first docked.
  QSize sizeHint() const override;
};

}  // namespace zor
