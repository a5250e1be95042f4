// The photo ledger (工事写真帳) as a PDF: A4 portrait, a cover with the
// contract items, then two or three photos to a page, each with the album's
// rows for it. Pictures are read on every core a few frames ahead of the page
// being written; pages go to the file as they are done, so memory does not
// grow with the number of photos. The file is written under a temporary name
// beside its own and renamed when complete; a cancelled or failed run leaves
// nothing behind.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "output/ledger_plan.h"

namespace zor {

class Host;

inline constexpr int kLedgerJpegQuality = 85;

struct LedgerOptions {
  std::filesystem::path file;  // the PDF to write; a file there is replaced
  int perPage = 3;             // 2 or 3
  int jpegQuality = kLedgerJpegQuality;
  unsigned threads = 0;                       // picture readers; 0: every core
  const std::atomic<bool>* cancel = nullptr;  // set from anywhere to stop
};

struct LedgerResult {
  bool finished = false;  // the PDF is in place under its name
  bool cancelled = false;
  int pages = 0;
  int photos = 0;
  int drawings = 0;
  int missing = 0;     // frames whose picture file is not there
  int unreadable = 0;  // frames whose picture could not be read
  std::size_t bytes = 0;
  // The frames whose caption was cut, and those with characters that no
  // font has, as "写真番号 12" or "写真番号 12 の参考図 1" (code page 932);
  // the cover counts as "表紙".
  std::vector<std::string> cut;
  std::vector<std::string> missingGlyphs;
  std::string message;  // why the run failed (code page 932)
};

// Progress goes to host per frame ('S' with the number of frames, 'R', 'E')
// from the calling thread.
LedgerResult WriteLedger(const LedgerPlan& plan, const LedgerOptions& options, Host& host);

// The run's summary, one line each (code page 932).
std::vector<std::string> LedgerSummary(const LedgerResult& result, const std::filesystem::path& file);

}  // namespace zor
