// What the photo ledger (工事写真帳) prints, read from the loaded delivery in
// the thread that owns it: the cover's contract items and one frame per
// photo (and per reference drawing when asked), in the album's order and
// with the album's rows. The writer then works from this alone, so a window
// can write the ledger on a thread of its own.
#pragma once

#include <string>
#include <vector>

#include "output/album_rows.h"

namespace zor {

class Delivery;

enum class LedgerOnly {
  kAll,
  kRepresentative,  // 代表写真 only
  kFrequency,       // 提出頻度写真 only
};

struct LedgerSelection {
  LedgerOnly only = LedgerOnly::kAll;
  bool drawings = false;  // each reference drawing after its photo, a frame of its own
  // When set, only these photo records, in this order (the photos the window
  // shows); otherwise every photo of the tree in the album's order.
  bool chosen = false;
  std::vector<int> records;
};

struct LedgerFrame {
  bool drawing = false;
  int number = 0;         // 写真番号, running from 1; for a drawing its photo's
  int drawingNumber = 0;  // a drawing's place among its photo's drawings, from 1
  int record = 0;
  std::vector<AlbumRow> rows;  // the album's rows with a value, without the marks below
  bool representative = false;
  bool frequency = false;
  std::string fileName;  // the name the photo file gives the picture (code page 932)
  std::string picture;   // the file on disk (UTF-8); empty when the picture is missing
  std::string path;      // the classification path, "工事 ＞ 施工状況写真 ＞ …" (code page 932)
};

struct LedgerPlan {
  std::string title;            // 工事名称 or 業務名称 (code page 932)
  std::vector<AlbumRow> cover;  // the contract items with a value
  int photos = 0;
  int drawings = 0;
  std::vector<LedgerFrame> frames;
};

// Reads the plan; moves the photo table's current record.
LedgerPlan PlanLedger(Delivery& d, const LedgerSelection& selection);

}  // namespace zor
