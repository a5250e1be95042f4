// Where things stand on a page of the photo ledger: A4 portrait, 20 mm
// margins, a header line, two or three frames one under the other (a photo
// box on the left, the caption block on the right), a footer. Lengths in
// points (1/72 inch), from the page's top left corner.
#pragma once

namespace zor {

struct LedgerRect {
  double x = 0, y = 0, w = 0, h = 0;
};

inline constexpr double kLedgerPageWidth = 595.276;   // 210 mm
inline constexpr double kLedgerPageHeight = 841.890;  // 297 mm
inline constexpr double kLedgerMargin = 56.693;       // 20 mm
// Pictures are embedded at no less than this in their box.
inline constexpr int kLedgerPictureDpi = 200;

class LedgerLayout {
 public:
  // perPage is 2 or 3; anything else counts as 3.
  explicit LedgerLayout(int perPage);

  int PerPage() const { return perPage_; }
  // The area inside the margins.
  LedgerRect Content() const;
  LedgerRect Header() const;
  LedgerRect Footer() const;
  // The frame at slot 0 .. PerPage() - 1, its photo box and caption block.
  LedgerRect Frame(int slot) const;
  LedgerRect PhotoBox(int slot) const;
  LedgerRect Caption(int slot) const;

  // The pixels a picture's longer side needs to reach kLedgerPictureDpi
  // wherever it is fitted in the photo box.
  int PicturePixels() const;
  // Pages for frames: the cover, then the frames PerPage() to a page.
  int PageCount(int frames) const;

 private:
  int perPage_;
  double frameHeight_;
  double boxWidth_;
  double boxHeight_;
};

}  // namespace zor
