// A cheap scan before the validating parser: libxml2 spends time quadratic
// in the number of attributes of one element, so a file with an element of
// many thousands of attributes would hold the program for minutes. No
// delivery comes near the bounds.
#pragma once

#include <optional>
#include <string>

namespace zor {

inline constexpr int kMaxAttributesPerElement = 256;
inline constexpr long kMaxAttributesInDocument = 1'000'000;

struct AttributeExcess {
  long line = 0;           // where the element that passes a bound starts (from 1)
  bool perElement = true;  // false: the document's total passed its bound
};

// Counts the attributes of every start tag (outside comments, processing
// instructions, CDATA sections and the document type declaration). The
// first element past kMaxAttributesPerElement, or the element at which the
// total passes kMaxAttributesInDocument; nothing when neither happens or the
// file cannot be read.
std::optional<AttributeExcess> FindAttributeExcess(const std::string& file);

}  // namespace zor
