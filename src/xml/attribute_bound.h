// Bounds on attributes, counted while the validating parser reads the file:
// libxml2 spends time quadratic in the number of attributes of one element,
// so a file with an element of many thousands of attributes would hold the
// program for minutes. No delivery comes near the bounds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zor {

inline constexpr int kMaxAttributesPerElement = 256;
inline constexpr long kMaxAttributesInDocument = 1'000'000;

struct AttributeExcess {
  long line = 0;           // where the element that passes a bound starts (from 1)
  bool perElement = true;  // false: the document's total passed its bound
};

// Counts the attributes of every start tag (outside comments, processing
// instructions, CDATA sections and the document type declaration) in bytes
// fed in pieces of any size.
class AttributeCounter {
 public:
  // False once a bound is passed; Excess() then says where.
  bool Feed(const char* bytes, std::size_t size);
  const std::optional<AttributeExcess>& Excess() const { return excess_; }

 private:
  enum class State { kText, kMarkupStart, kTag, kQuoted, kSkip };
  void Skip(const char* end);

  State state_ = State::kText;
  char quote_ = 0;
  // What ends a skipped part: "-->" for comments, "?>" for processing
  // instructions, "]]>" for CDATA, ">" at bracket depth 0 for <!DOCTYPE …>.
  std::string_view skipEnd_;  // a literal: "?>", ">", "-->", "]]>"
  int depth_ = 0;
  std::string recent_;  // the last bytes, to see a skipped part end
  std::string start_;   // the bytes after '<' that tell the markup's kind
  long line_ = 1;
  long tagLine_ = 1;
  int inTag_ = 0;
  long total_ = 0;
  std::optional<AttributeExcess> excess_;
};

// The whole file through an AttributeCounter: the first element past
// kMaxAttributesPerElement, or the element at which the total passes
// kMaxAttributesInDocument; nothing when neither happens or the file cannot
// be read.
std::optional<AttributeExcess> FindAttributeExcess(const std::string& file);

}  // namespace zor
