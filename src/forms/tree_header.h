// HeaderControl: the six sections above the hierarchy tree, a blank first
// one and one per level ("分類", "区分", "工種", "種別", "細別"). The section of
// the selected node's level is yellow; the first section shrinks as the tree
// scrolls right so the captions stay above their level's column.
#pragma once

#include <QWidget>

namespace zor {

class TreeHeader : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kSectionCount = 6;
  static constexpr int kFirstWidth = 82;
  static constexpr int kLevelWidth = 30;

  explicit TreeHeader(QWidget* parent);

  // The selected node's level, -1 when no node is selected.
  void SetLevel(int level);
  int Level() const { return level_; }
  void SetFirstWidth(int width);
  int FirstWidth() const { return firstWidth_; }
  // The section rectangle of index 0 .. 5.
  QRect SectionRect(int index) const;
  // True when section index is drawn yellow.
  bool IsHighlighted(int index) const;
  static QString Caption(int index);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int level_ = -1;
  int firstWidth_ = kFirstWidth;
};

}  // namespace zor
