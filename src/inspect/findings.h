// What the inspection of the pictures reports: one finding per fault, or
// one line that counts the pictures of a kind. Texts are code page 932.
#pragma once

#include <string>
#include <vector>

namespace zor {

enum class Severity { kError, kWarning, kNote };  // 誤り, 注意, 参考

// "誤り", "注意" or "参考" (code page 932).
std::string SeverityText(Severity severity);

struct Finding {
  int record = 0;     // 0: not one record's (a counting line, a file no record lists)
  std::string file;   // the file name as listed or found (code page 932); may be empty
  std::string check;  // "file.missing", "tamper", ...
  Severity severity = Severity::kNote;
  std::string message;
  std::vector<int> records;  // a counting line: the records it counts, when it lists them
  int photo = 0;             // the photo the finding belongs to (a drawing's photo); 0 for a counting line
  std::string item{};        // the item or element the finding is about (code page 932); may be empty
  int line = 0;              // the line of the file the finding is about; 0 when none
};

// One check of the inspection or of the whole-delivery check: its id, the
// caption of its group (code page 932) and the severity its findings
// usually have (a check may give some findings another one).
struct CheckInfo {
  std::string id;
  std::string caption;
  Severity severity = Severity::kError;
};

// Every check, in the order a report groups them.
const std::vector<CheckInfo>& Checks();

// The ids of Checks(), in that order.
const std::vector<std::string>& CheckOrder();

// The caption of a check's group (code page 932); the id itself for an
// unknown one.
std::string CheckCaption(const std::string& check);

// The severity Checks() gives the check; 誤り for an unknown one.
Severity CheckSeverity(const std::string& check);

}  // namespace zor
