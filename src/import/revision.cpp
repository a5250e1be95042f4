#include "import/revision.h"

#include <array>
#include <istream>
#include <string>
#include <string_view>

#include "text/sjis.h"

namespace zor {
namespace {

enum Needle {
  kDoctype,
  kPhotodata,
  kSystem,
  kPhotoDtd,
  kPhoto02Dtd,
  kPhoto02nDtd,
  kDtdVersion,
  kQuoted02,
  kQuoted02n,
  kQuoted03,
  kQuoted04,
  kNeedleCount
};

constexpr std::array<std::string_view, kNeedleCount> kNeedles = {
    "!DOCTYPE",    "PHOTODATA", "SYSTEM",        "PHOTO.DTD", "PHOTO02.DTD", "PHOTO02N.DTD",
    "DTD_VERSION", "\"02\"",    "\"02_200304\"", "\"03\"",    "\"04\"",
};

// The tests look at everything read so far, but a text can only start to be
// contained once new bytes arrive, so only the tail of the old text plus the
// new line is searched. That keeps the result of the growing-buffer tests
// while a file without any decision is read in linear time.
class GrowingText {
 public:
  void Append(const std::string& upper_line) {
    std::string window = tail_ + upper_line;
    for (int i = 0; i < kNeedleCount; ++i)
      if (!found_[i] && window.find(kNeedles[i]) != std::string::npos) found_[i] = true;
    const std::size_t keep = LongestNeedle() - 1;
    tail_ = window.size() > keep ? window.substr(window.size() - keep) : window;
  }
  bool Has(Needle n) const { return found_[n]; }

 private:
  static std::size_t LongestNeedle() {
    std::size_t n = 0;
    for (std::string_view s : kNeedles) n = s.size() > n ? s.size() : n;
    return n;
  }
  std::string tail_;
  std::array<bool, kNeedleCount> found_{};
};

std::optional<PhotoRevision> Decide(const GrowingText& t) {
  if (t.Has(kDoctype) && t.Has(kPhotodata) && t.Has(kSystem)) {
    if (t.Has(kPhotoDtd)) return PhotoRevision{PhotoLayout::k1999, 0};
    if (t.Has(kPhoto02Dtd)) return PhotoRevision{PhotoLayout::k2002, 1};
    if (t.Has(kPhoto02nDtd)) return PhotoRevision{PhotoLayout::k2002, 10};
    return PhotoRevision{PhotoLayout::kCurrent, 0};
  }
  if (!t.Has(kPhotodata) || !t.Has(kDtdVersion)) return std::nullopt;
  // The basic-information block pairs "02_200304" with the farm-works
  // standard 10 and "02" with standard 1; the later revision wins a tie.
  if (t.Has(kQuoted02n)) return PhotoRevision{PhotoLayout::k2002, 10};
  if (t.Has(kQuoted02)) return PhotoRevision{PhotoLayout::k2002, 1};
  if (t.Has(kQuoted03) || t.Has(kQuoted04)) return PhotoRevision{PhotoLayout::kCurrent, 0};
  return std::nullopt;
}

}  // namespace

std::optional<PhotoRevision> RecognizePhotoRevision(std::istream& in) {
  GrowingText text;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    text.Append(UpperAscii(line));
    if (auto decided = Decide(text)) return decided;
  }
  return std::nullopt;
}

}  // namespace zor
