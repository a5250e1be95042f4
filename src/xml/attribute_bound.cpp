#include "xml/attribute_bound.h"

#include <cstdio>
#include <memory>
#include <string_view>

#include "xml/byte_stream.h"

namespace zor {

void AttributeCounter::Skip(const char* end) {
  state_ = State::kSkip;
  skipEnd_ = end;
  depth_ = 0;
  recent_.clear();
}

bool AttributeCounter::Feed(const char* bytes, std::size_t size) {
  if (excess_) return false;
  static constexpr std::string_view kComment = "!--";
  static constexpr std::string_view kCdata = "![CDATA[";
  for (std::size_t i = 0; i < size; ++i) {
    const char c = bytes[i];
    if (c == '\n') ++line_;
    switch (state_) {
      case State::kText:
        if (c == '<') {
          state_ = State::kMarkupStart;
          start_.clear();
          tagLine_ = line_;
        }
        break;
      case State::kMarkupStart:
        start_ += c;
        if (start_[0] == '?') {
          Skip("?>");
        } else if (start_[0] == '/') {
          Skip(">");
        } else if (start_[0] != '!') {
          state_ = c == '>' ? State::kText : State::kTag;
          inTag_ = 0;
        } else if (start_ == kComment) {
          Skip("-->");
        } else if (start_ == kCdata) {
          Skip("]]>");
        } else if (!kComment.starts_with(start_) && !kCdata.starts_with(start_)) {
          Skip(">");  // a declaration: <!DOCTYPE …>, <!ELEMENT …>
          if (c == '[') depth_ = 1;
          if (c == '>') state_ = State::kText;
        }
        break;
      case State::kTag:
        if (c == '"' || c == '\'') {
          quote_ = c;
          state_ = State::kQuoted;
        } else if (c == '=') {
          ++total_;
          if (++inTag_ > kMaxAttributesPerElement)
            excess_ = AttributeExcess{tagLine_, true};
          else if (total_ > kMaxAttributesInDocument)
            excess_ = AttributeExcess{tagLine_, false};
          if (excess_) return false;
        } else if (c == '>') {
          state_ = State::kText;
        }
        break;
      case State::kQuoted:
        if (c == quote_) state_ = State::kTag;
        break;
      case State::kSkip:
        if (skipEnd_ == ">") {
          // A document type declaration may hold an internal subset in [ ].
          if (c == '[') ++depth_;
          if (c == ']' && depth_ > 0) --depth_;
          if (c == '>' && depth_ == 0) state_ = State::kText;
        } else {
          recent_ += c;
          if (recent_.size() > skipEnd_.size()) recent_.erase(0, recent_.size() - skipEnd_.size());
          if (recent_ == skipEnd_) state_ = State::kText;
        }
        break;
    }
  }
  return true;
}

std::optional<AttributeExcess> FindAttributeExcess(const std::string& file) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(OpenRegularFile(file), std::fclose);
  if (!f) return std::nullopt;
  AttributeCounter counter;
  char buffer[1 << 16];
  while (std::size_t got = std::fread(buffer, 1, sizeof buffer, f.get()))
    if (!counter.Feed(buffer, got)) break;
  return counter.Excess();
}

}  // namespace zor
