#include "forms/help_panel.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "forms/qtext.h"
#include "store/hierarchy.h"

namespace zor {

HelpPanel::HelpPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PL_HelpPanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  PL_Help = new QLabel(QStringLiteral(" ［ ヘルプ ］"), this);
  PL_Help->setObjectName(QStringLiteral("PL_Help"));
  PL_Help->setFrameShape(QFrame::Panel);
  layout->addWidget(PL_Help);
  // The colons line up only in a fixed-pitch font.
  QFont fixed(QStringLiteral("Noto Sans Mono CJK JP"));
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setPixelSize(12);
  QLabel** labels[] = {&LB_Input5, &LB_Input1, &LB_Input2, &LB_Input3, &LB_Input4};
  const char* names[] = {"LB_Input5", "LB_Input1", "LB_Input2", "LB_Input3", "LB_Input4"};
  for (int i = 0; i < 5; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(names[i]));
    label->setFont(fixed);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(label);
    *labels[i] = label;
  }
  layout->addStretch();
  ShowNothing();
}

QLabel* HelpPanel::Label(int i) const {
  switch (i) {
    case 0:
      return LB_Input1;
    case 1:
      return LB_Input2;
    case 2:
      return LB_Input3;
    case 3:
      return LB_Input4;
    default:
      return LB_Input5;
  }
}

void HelpPanel::ShowLabels(const HelpLabels& labels) {
  for (int i = 0; i < 5; ++i) {
    const HelpLabel& l = labels[static_cast<std::size_t>(i)];
    QLabel* label = Label(i);
    QString text = Qs(l.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    label->setText(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, l.red ? QColor(255, 0, 0) : QColor(Qt::black));
    label->setPalette(palette);
    label->setVisible(l.visible);
  }
}

QSize HelpPanel::sizeHint() const {
  const QSize base = QWidget::sizeHint();
  return QSize(std::max(base.width(), LB_Input1->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 40),
               base.height());
}

void HelpPanel::ShowLevelHelp(const HierarchyNode* node, int digi_version, bool keikoku_red) {
  if (!node) {
    ShowNothing();
    return;
  }
  // Captions from level 1 down to the node; a top node has none.
  std::vector<std::string> path;
  for (const HierarchyNode* n = node; n && n->Level() > 0; n = n->Parent()) path.push_back(n->Caption());
  std::reverse(path.begin(), path.end());
  ShowLabels(zor::ShowLevelHelp(path, digi_version, keikoku_red));
}

}  // namespace zor
