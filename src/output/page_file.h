// One text file of the HTML album: lines in code page 932, each ending in
// CR LF, indented by 3 spaces per level, and the markup words that differ
// between HTML 4.0 and XHTML 1.0.
#pragma once

#include <string>
#include <string_view>

#include "output/output_folder.h"

namespace zor {

struct Markup {
  bool xhtml = false;
  std::string_view Br() const { return xhtml ? "<br />" : "<br>"; }
  std::string_view Close() const { return xhtml ? " /" : ""; }
};

// Label cells of the information rows: 150 or 120 pixels wide, or free.
enum class RowForm { R150, R120, RN };

class PageFile {
 public:
  // Creates the file name in folder, replacing one of that name; Ok() tells
  // whether that worked.
  PageFile(const OutputFolder& folder, const std::string& name, Markup markup);
  bool Ok() const { return out_.Ok(); }
  const Markup& Words() const { return markup_; }

  void Line(int level, std::string_view text);
  // The DOCTYPE line or lines.
  void Doctype();
  // Doctype, html, head, title, /head and the body line.
  void Head(std::string_view bodyLine);
  // A label and value row of four lines at level; nothing when value is empty.
  void Row(RowForm form, int level, std::string_view label, std::string_view value);
  // A number row; 0 counts as empty.
  void NumberRow(RowForm form, int level, std::string_view label, long long value);

  // Flushes and closes; false when something could not be written.
  bool Close();

 private:
  OutputFile out_;
  Markup markup_;
};

}  // namespace zor
