#include "xml/attribute_bound.h"

#include <string_view>

#include "xml/byte_stream.h"

namespace zor {

std::optional<AttributeExcess> FindAttributeExcess(const std::string& file) {
  std::optional<ByteStream> in = ByteStream::Open(file);
  if (!in) return std::nullopt;
  enum class State { kText, kMarkupStart, kTag, kQuoted, kSkip };
  State state = State::kText;
  char quote = 0;
  // What ends a skipped part: "-->" for comments, "?>" for processing
  // instructions, "]]>" for CDATA, ">" at bracket depth 0 for <!DOCTYPE …>.
  std::string skipEnd;
  int depth = 0;
  std::string recent;  // the last bytes, to see a skipped part end
  long line = 1;
  long tagLine = 1;
  int inTag = 0;
  long total = 0;
  std::string start;  // the bytes after '<' that tell the markup's kind
  for (int c; (c = in->Next()) >= 0;) {
    if (c == '\n') ++line;
    switch (state) {
      case State::kText:
        if (c == '<') {
          state = State::kMarkupStart;
          start.clear();
          tagLine = line;
        }
        break;
      case State::kMarkupStart: {
        start += static_cast<char>(c);
        auto skip = [&](const char* end) {
          state = State::kSkip;
          skipEnd = end;
          depth = 0;
          recent.clear();
        };
        const std::string_view comment = "!--";
        const std::string_view cdata = "![CDATA[";
        if (start[0] == '?') {
          skip("?>");
        } else if (start[0] == '/') {
          skip(">");
        } else if (start[0] != '!') {
          state = c == '>' ? State::kText : State::kTag;
          inTag = 0;
        } else if (start == comment) {
          skip("-->");
        } else if (start == cdata) {
          skip("]]>");
        } else if (!comment.starts_with(start) && !cdata.starts_with(start)) {
          skip(">");  // a declaration: <!DOCTYPE …>, <!ELEMENT …>
          if (c == '[') depth = 1;
          if (c == '>') state = State::kText;
        }
        break;
      }
      case State::kTag:
        if (c == '"' || c == '\'') {
          quote = static_cast<char>(c);
          state = State::kQuoted;
        } else if (c == '=') {
          ++total;
          if (++inTag > kMaxAttributesPerElement) return AttributeExcess{tagLine, true};
          if (total > kMaxAttributesInDocument) return AttributeExcess{tagLine, false};
        } else if (c == '>') {
          state = State::kText;
        }
        break;
      case State::kQuoted:
        if (c == quote) state = State::kTag;
        break;
      case State::kSkip:
        if (skipEnd == ">") {
          // A document type declaration may hold an internal subset in [ ].
          if (c == '[') ++depth;
          if (c == ']' && depth > 0) --depth;
          if (c == '>' && depth == 0) state = State::kText;
        } else {
          recent += static_cast<char>(c);
          if (recent.size() > skipEnd.size()) recent.erase(0, recent.size() - skipEnd.size());
          if (recent == skipEnd) state = State::kText;
        }
        break;
    }
  }
  return std::nullopt;
}

}  // namespace zor
