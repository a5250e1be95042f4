#include "xml/own_tokenizer.h"

#include <algorithm>
#include <array>
#include <string>

#include "text/encoding.h"
#include "text/sjis.h"
#include "xml/xml_names.h"

namespace zor {
namespace {

// The report quotes one line of the file; a file of one endless line must
// not turn into a message box of that size.
constexpr std::size_t kReportLineBytes = 1024;

// Where the start tag of an open element was read; the report names the
// deepest one that is still recorded.
struct OpenTagRecord {
  std::string text;
  long line = 0;  // 0: empty
  long column = 0;
};

using OpenTagRecords = std::array<OpenTagRecord, kXmlMaxLevels + 1>;

std::string FormatReport(const OpenTagRecords& records, ByteStream& in) {
  for (int depth = kXmlMaxLevels; depth >= 1; --depth) {
    const OpenTagRecord& r = records[static_cast<std::size_t>(depth)];
    if (r.line == 0) continue;
    std::string content = "\"<" + CutToBytes(TrimWide(r.text), kReportLineBytes) + ">\"";
    if (std::optional<std::string> line = in.ReadLine(r.line, 2 * kReportLineBytes)) {
      std::string trimmed = CutToBytes(TrimWide(*line), kReportLineBytes);
      if (!trimmed.empty()) content = std::move(trimmed);
    }
    return Sj("XMLファイルのフォーマットが不正です。\r\n\r\n内容 > ") + "\"" + content + "\"\r\n\r\n" + Sj("行 > ") +
           std::to_string(r.line) + Sj("  位置 > ") + std::to_string(r.column);
  }
  return {};
}

class Tokenizer {
 public:
  Tokenizer(TXMLTreeView& view, ByteStream& in) : view_(view), in_(in) { open_.fill(-1); }

  bool Run() {
    while (in_.HasAtLeast(2)) {
      int c = Read();
      if (c == '\t' || c == '\r') continue;
      if (c == '\n') {
        NewLine();
        continue;
      }
      if (c == '<') {
        if (!ReadTag()) break;  // the file ended inside the tag
        if (!TakeTag()) return false;
        continue;
      }
      text_ += static_cast<char>(c);
      if (IsLeadByte(static_cast<unsigned char>(c))) AppendTrail(text_);
    }
    if (depth_ != 0) return Fail();
    return true;
  }

 private:
  int Read() {
    ++column_;
    return in_.Next();
  }
  void NewLine() {
    ++line_;
    column_ = 0;
  }
  // The second byte of a double-byte character: read, never counted as a
  // column, never taken for markup.
  void AppendTrail(std::string& to) {
    int trail = in_.Next();
    if (trail >= 0) to += static_cast<char>(trail);
  }

  bool ReadTag() {
    tag_.clear();
    int brackets = 0;
    char previous = ' ';
    while (in_.HasAtLeast(1)) {
      int c = Read();
      if (c == '\t' || c == '\r') continue;
      if (c == '\n') {
        NewLine();
        continue;
      }
      if (IsLeadByte(static_cast<unsigned char>(c))) {
        tag_ += static_cast<char>(c);
        AppendTrail(tag_);
        previous = ' ';
        continue;
      }
      if (c == '<') {
        ++brackets;
      } else if (c == '>') {
        if (brackets == 0) {
          emptyElement_ = previous == '/';
          return true;
        }
        --brackets;
      } else {
        tag_ += static_cast<char>(c);
      }
      previous = static_cast<char>(c);
    }
    return false;
  }

  bool TakeTag() {
    std::string trimmed = TrimWide(tag_);
    char first = trimmed.empty() ? '\0' : trimmed[0];
    // The end tag's name is compared with the start tag's text as both were
    // read, blanks included: "<B >" is closed by "</B >", not by "</B>".
    if (first == '/') return EndTag(std::string_view(tag_).substr(tag_.find('/') + 1));
    if (first == '!' || first == '?') return true;
    // An empty element inside the 30th level would be a 31st level as well;
    // the validating parser refuses it too.
    if (depth_ + 1 > kXmlMaxLevels) return Fail();
    if (emptyElement_) {
      view_.AddNode(open_[depth_], TrimWide(std::string_view(tag_).substr(0, tag_.size() - 1)));
      return true;
    }
    OpenTagRecord& record = records_[depth_ + 1];
    // A record left by an earlier element of this depth whose end tag did
    // not match stays: that element is the likelier culprit.
    if (record.line == 0) record = {tag_, line_, column_};
    open_[depth_ + 1] = view_.AddNode(open_[depth_], std::move(trimmed));
    ++depth_;
    return true;
  }

  bool EndTag(std::string_view name) {
    if (depth_ == 0) return false;  // no report: nothing is open
    OpenTagRecord& record = records_[depth_];
    if (SameTextIgnoringCase(record.text, name)) record = {};
    std::string value = DecodeXmlEntities(TrimWide(text_));
    // A value is a NUL-terminated text: a NUL byte read from the file ends it.
    value.resize(std::min(value.find('\0'), value.size()));
    text_.clear();
    XmlNode& node = view_.MutableNodeAt(open_[depth_]);
    if (view_.GamenPrint)
      node.Text = DisplayNodeText(node.Text, value);
    else
      node.Value = std::move(value);
    --depth_;
    return true;
  }

  bool Fail() {
    view_.ErrorText = FormatReport(records_, in_);
    return false;
  }

  TXMLTreeView& view_;
  ByteStream& in_;
  long line_ = 1;
  long column_ = 0;
  std::size_t depth_ = 0;
  std::array<int, kXmlMaxLevels + 1> open_;  // node of each open depth; entry 0: none
  OpenTagRecords records_;
  std::string text_;
  std::string tag_;
  bool emptyElement_ = false;
};

}  // namespace

bool RunOwnTokenizer(TXMLTreeView& view, ByteStream& in) {
  // A hint only: "<" inside comments or values counts too, so a file of
  // nothing else gets no more room than a large delivery needs.
  constexpr std::size_t kMostReserved = 1'000'000;
  if (std::optional<std::size_t> tags = in.CountStartTags()) view.Reserve(std::min(*tags, kMostReserved));
  return Tokenizer(view, in).Run();
}

}  // namespace zor
