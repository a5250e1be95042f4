#include "output/ledger_layout.h"

#include <cmath>

namespace zor {
namespace {

constexpr double kHeaderHeight = 18;
constexpr double kFooterHeight = 18;
constexpr double kFrameGap = 10;
constexpr double kPadding = 6;  // inside a frame, around the box and the caption
constexpr double kBoxGap = 8;   // between the photo box and the caption

}  // namespace

LedgerLayout::LedgerLayout(int perPage) : perPage_(perPage == 2 ? 2 : 3) {
  const double frames = Content().h - kHeaderHeight - kFooterHeight - kFrameGap;
  frameHeight_ = (frames - kFrameGap * (perPage_ - 1)) / perPage_;
  // 90 x 67.5 mm with three to a page, 106 x 79.5 mm with two.
  boxWidth_ = perPage_ == 3 ? 255.1 : 300.5;
  boxHeight_ = boxWidth_ * 3 / 4;
}

LedgerRect LedgerLayout::Content() const {
  return {kLedgerMargin, kLedgerMargin, kLedgerPageWidth - 2 * kLedgerMargin, kLedgerPageHeight - 2 * kLedgerMargin};
}

LedgerRect LedgerLayout::Header() const {
  const LedgerRect c = Content();
  return {c.x, c.y, c.w, kHeaderHeight};
}

LedgerRect LedgerLayout::Footer() const {
  const LedgerRect c = Content();
  return {c.x, c.y + c.h - kFooterHeight, c.w, kFooterHeight};
}

LedgerRect LedgerLayout::Frame(int slot) const {
  const LedgerRect c = Content();
  return {c.x, c.y + kHeaderHeight + kFrameGap + slot * (frameHeight_ + kFrameGap), c.w, frameHeight_};
}

LedgerRect LedgerLayout::PhotoBox(int slot) const {
  const LedgerRect f = Frame(slot);
  return {f.x + kPadding, f.y + (f.h - boxHeight_) / 2, boxWidth_, boxHeight_};
}

LedgerRect LedgerLayout::Caption(int slot) const {
  const LedgerRect f = Frame(slot);
  const double x = f.x + kPadding + boxWidth_ + kBoxGap;
  return {x, f.y + kPadding, f.x + f.w - kPadding - x, f.h - 2 * kPadding};
}

int LedgerLayout::PicturePixels() const {
  // A picture's longer side is never drawn longer than the box is wide.
  return static_cast<int>(std::ceil(boxWidth_ / 72 * kLedgerPictureDpi));
}

int LedgerLayout::PageCount(int frames) const { return 1 + (frames + perPage_ - 1) / perPage_; }

}  // namespace zor
