// The record file's own error class. Messages are code page 932 texts; the
// English ones are plain ASCII.
#pragma once

#include <stdexcept>
#include <string>

namespace zor {

class EBinaryDataSetError : public std::runtime_error {
 public:
  explicit EBinaryDataSetError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace zor
