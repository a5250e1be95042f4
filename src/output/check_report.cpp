#include "output/check_report.h"

#include <algorithm>
#include <array>

#include "text/encoding.h"

namespace zor {
namespace {

int SeverityRank(Severity s) {
  switch (s) {
    case Severity::kError:
      return 0;
    case Severity::kWarning:
      return 1;
    case Severity::kNote:
      break;
  }
  return 2;
}

int CheckRank(const std::string& check) {
  const std::vector<std::string>& order = CheckOrder();
  const auto found = std::find(order.begin(), order.end(), check);
  return static_cast<int>(found - order.begin());
}

// HTML text from UTF-8: & < > " ' as entities; control characters other
// than a line break as a visible escape.
std::string Escape(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (unsigned char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          static constexpr char kHex[] = "0123456789ABCDEF";
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

std::string Html(const std::string& sjis) { return Escape(Cp932ToUtf8(sjis)); }

std::string RecordText(const Finding& f) {
  if (f.record > 0) return std::to_string(f.record);
  if (f.records.empty()) return {};
  std::string text;
  for (std::size_t i = 0; i < f.records.size() && i < 20; ++i) text += (i ? ", " : "") + std::to_string(f.records[i]);
  if (f.records.size() > 20) text += " … 計 " + std::to_string(f.records.size()) + " 件";
  return text;
}

std::array<int, 3> Counts(const std::vector<Finding>& findings) {
  std::array<int, 3> counts{};
  for (const Finding& f : findings) ++counts[static_cast<std::size_t>(SeverityRank(f.severity))];
  return counts;
}

constexpr const char* kStyle =
    "body{font-family:'Noto Sans CJK JP','IPAexGothic',sans-serif;margin:2em;color:#111}"
    "h1{font-size:1.4em;border-bottom:2px solid #333;padding-bottom:.2em}"
    "h2{font-size:1.15em;margin-top:1.6em}h3{font-size:1em;margin:1.2em 0 .3em}"
    "table{border-collapse:collapse;width:100%;font-size:.9em}"
    "th,td{border:1px solid #999;padding:.25em .4em;text-align:left;vertical-align:top}"
    "th{background:#eee}td.n{text-align:right;white-space:nowrap}"
    "dl.head{display:grid;grid-template-columns:max-content auto;gap:.2em 1em}dl.head dt{font-weight:bold}"
    "dl.head dd{margin:0}.e{color:#b00000}.w{color:#8a5a00}.k{color:#225}"
    "p.note{margin:.2em 0}table.counts{width:auto}table.counts td{min-width:5em}"
    "p.verdict{font-weight:bold;font-size:1.1em}"
    "@media print{body{margin:0}h2{page-break-after:avoid}tr{page-break-inside:avoid}}";

const char* SeverityClass(Severity s) {
  switch (s) {
    case Severity::kError:
      return "e";
    case Severity::kWarning:
      return "w";
    case Severity::kNote:
      break;
  }
  return "k";
}

void Row(std::string& out, const char* label, const std::string& utf8) {
  out += "<dt>";
  out += label;
  out += "</dt><dd>" + Escape(utf8) + "</dd>\n";
}

// A quoted field. A text that a spreadsheet would take for a formula gets
// an apostrophe before it: a delivery's value must not run as one.
std::string Csv(const std::string& utf8) {
  std::string out = "\"";
  if (!utf8.empty() && (utf8[0] == '=' || utf8[0] == '+' || utf8[0] == '-' || utf8[0] == '@')) out += '\'';
  for (char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace

std::vector<const Finding*> ReportOrder(const std::vector<Finding>& findings) {
  std::vector<const Finding*> order;
  order.reserve(findings.size());
  for (const Finding& f : findings) order.push_back(&f);
  std::stable_sort(order.begin(), order.end(), [](const Finding* a, const Finding* b) {
    const int sa = SeverityRank(a->severity), sb = SeverityRank(b->severity);
    if (sa != sb) return sa < sb;
    return CheckRank(a->check) < CheckRank(b->check);
  });
  return order;
}

std::string ReportHtml(const ReportHeading& heading, const std::vector<Finding>& findings) {
  const std::string title = Html(heading.title);
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'\">\n"
      "<title>" +
      title + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n<dl class=\"head\">\n";
  Row(out, "工事名／業務名", Cp932ToUtf8(heading.workName));
  Row(out, "納品データ", heading.path);
  Row(out, "適用要領基準", Cp932ToUtf8(heading.standard));
  Row(out, "プログラム", heading.program);
  Row(out, "実行日時", heading.when);
  out += "</dl>\n";
  for (const std::string& note : heading.notes) out += "<p class=\"note\">" + Html(note) + "</p>\n";

  const std::array<int, 3> counts = Counts(findings);
  out += "<h2>件数</h2>\n<table class=\"counts\"><tr><th>誤り</th><th>注意</th><th>参考</th></tr><tr>";
  for (int c : counts) out += "<td class=\"n\">" + std::to_string(c) + "</td>";
  out += "</tr></table>\n";
  out += counts[0] > 0 ? "<p class=\"verdict e\">誤りがあります。修正が必要です。</p>\n"
                       : "<p class=\"verdict\">誤りはありません。</p>\n";

  if (findings.empty()) out += "<p>指摘事項はありません。</p>\n";
  const std::vector<const Finding*> order = ReportOrder(findings);
  std::size_t i = 0;
  while (i < order.size()) {
    const Severity severity = order[i]->severity;
    const std::string sev = Html(SeverityText(severity));
    out += std::string("<h2 class=\"") + SeverityClass(severity) + "\">" + sev + "</h2>\n";
    while (i < order.size() && order[i]->severity == severity) {
      const std::string check = order[i]->check;
      std::size_t end = i;
      while (end < order.size() && order[end]->severity == severity && order[end]->check == check) ++end;
      out += "<h3>" + Html(CheckCaption(check)) + " <small>(" + Escape(check) + ", " + std::to_string(end - i) +
             " 件)</small></h3>\n<table><tr><th>記録</th><th>ファイル</th><th>項目</th><th>行</th><th>内容</th></tr>\n";
      for (; i < end; ++i) {
        const Finding& f = *order[i];
        out += "<tr><td class=\"n\">" + Escape(RecordText(f)) + "</td><td>" + Html(f.file) + "</td><td>" +
               Html(f.item) + "</td><td class=\"n\">" + (f.line > 0 ? std::to_string(f.line) : std::string()) +
               "</td><td>" + Html(f.message) + "</td></tr>\n";
      }
      out += "</table>\n";
    }
  }
  out += "</body>\n</html>\n";
  return out;
}

std::string ReportCsv(const std::vector<Finding>& findings) {
  std::string out = "\xEF\xBB\xBF";
  out += "\"重大度\",\"チェック\",\"項目ID\",\"記録\",\"ファイル\",\"項目\",\"行\",\"内容\"\r\n";
  for (const Finding* f : ReportOrder(findings)) {
    out += Csv(Cp932ToUtf8(SeverityText(f->severity))) + "," + Csv(Cp932ToUtf8(CheckCaption(f->check))) + "," +
           Csv(f->check) + "," + Csv(RecordText(*f)) + "," + Csv(Cp932ToUtf8(f->file)) + "," +
           Csv(Cp932ToUtf8(f->item)) + "," + Csv(f->line > 0 ? std::to_string(f->line) : std::string()) + "," +
           Csv(Cp932ToUtf8(f->message)) + "\r\n";
  }
  return out;
}

}  // namespace zor
