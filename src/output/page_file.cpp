#include "output/page_file.h"

#include "output/html_text.h"
#include "text/encoding.h"

namespace zor {

PageFile::PageFile(const OutputFolder& folder, const std::string& name, Markup markup)
    : out_(folder, name), markup_(markup) {}

void PageFile::Line(int level, std::string_view text) {
  if (!out_.Ok()) return;
  out_.Write(std::string(static_cast<std::size_t>(level) * 3, ' '));
  out_.Write(text);
  out_.Write("\r\n");
}

void PageFile::Doctype() {
  if (markup_.xhtml) {
    Line(0, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>");
    Line(0, "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" \"DTD/xhtml1-transitional.dtd\">");
  } else {
    Line(0, "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
  }
}

void PageFile::Head(std::string_view bodyLine) {
  static const std::string title = Sj("<title>ミナロッサHTML</title>");
  Doctype();
  Line(0, "<html>");
  Line(0, "<head>");
  Line(0, title);
  Line(0, "</head>");
  Line(0, bodyLine);
}

void PageFile::Row(RowForm form, int level, std::string_view label, std::string_view value) {
  if (value.empty()) return;
  std::string labelCell = "<td ";
  if (form == RowForm::R150) labelCell += "width=\"150\" ";
  if (form == RowForm::R120) labelCell += "width=\"120\" ";
  labelCell += "align=\"center\" bgcolor=\"#999999\"><font color=\"#ffffff\"><b>";
  labelCell += label;
  labelCell += "</b></font></td>";
  Line(level, "<tr>");
  Line(level + 1, labelCell);
  Line(level + 1, "<td bgcolor=\"#ffffff\">" + HtmlEscape(value) + "</td>");
  Line(level, "</tr>");
}

void PageFile::NumberRow(RowForm form, int level, std::string_view label, long long value) {
  if (value != 0) Row(form, level, label, std::to_string(value));
}

bool PageFile::Close() { return out_.Close(); }

}  // namespace zor
