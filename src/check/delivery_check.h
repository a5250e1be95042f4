// The check of a whole delivery, as the public checkers check it: the
// entries item by item under the standard in force, the pictures
// themselves, the characters of every management file, the folders and
// names of the delivery and each management file with its DTD. One list of
// findings and one verdict: a delivery without 誤り passes.
//
// Two steps, as the inspection has: PlanDeliveryCheck reads what it needs
// of the loaded delivery in the thread that owns it; RunDeliveryCheck reads
// the delivery's files, the pictures in parallel, and touches nothing of
// the delivery object. Nothing in the delivery's folder is ever written.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "app/host.h"
#include "inspect/findings.h"
#include "inspect/inspection.h"
#include "store/delivery.h"

namespace zor {

// Where the loaded delivery lies on disk (UTF-8 paths).
struct DeliveryPlace {
  std::string root;       // the delivery's folder, ends in '/'
  std::string indexFile;  // INDEX_C.XML or INDEX_D.XML; empty when the delivery has none
  std::string photoFile;  // PHOTO/PHOTO.XML (or the PHOTO.XML opened); empty when not found
};

// The place of a delivery read from entryFile (the file the dispatcher read
// first: an index or a PHOTO.XML), found case-insensitively as the readers
// find files.
DeliveryPlace PlaceOfDelivery(const std::string& entryFile);

struct DeliveryCheckPlan {
  DeliveryPlace place;
  InspectionPlan inspection;
  // The entry faults found in the delivery object, as findings.
  std::vector<Finding> entries;
  // The verification's report lines (its counting lines; code page 932).
  std::vector<std::string> verificationLines;
  bool entriesClean = false;
  // Lines a report shows first: the rules used for a later guideline, the
  // DTD outcome of the load (code page 932).
  std::vector<std::string> notes;
  std::string workName;  // 工事名 or 業務名 (code page 932)
  std::string standard;  // the guideline's name as the program shows it (code page 932)
  // Names may have four-character extensions (guidelines of 2016-03 on).
  bool fourCharExtensions = false;
  // The photo records in the order the photo file lists them, for findings
  // that know only the how-manieth photo they are about.
  std::vector<int> photoRecords;
};

// Reads the delivery for the check: the inspection's plan, the entry faults
// under scope (VerifyScope) and the verification's lines. readWithoutValidation:
// the load failed the DTD and read the files as well-formed XML. Moves the
// photo table's cursor.
DeliveryCheckPlan PlanDeliveryCheck(Delivery& delivery, const DeliveryPlace& place, int scope,
                                    bool readWithoutValidation);

struct DeliveryCheckSummary {
  InspectionSummary pictures;  // the inspection's own counts
  int managementFiles = 0;     // management files read
  int errors = 0;
  int warnings = 0;
  int notes = 0;
  bool cancelled = false;
};

struct DeliveryCheckResult {
  std::vector<Finding> findings;  // grouped in Checks() order
  DeliveryCheckSummary summary;
};

// Progress through host as the inspection gives it ('S', 'R' from the
// calling thread, 'E'). Cancelled: what was found so far, summary.cancelled.
DeliveryCheckResult RunDeliveryCheck(const DeliveryCheckPlan& plan, Host& host, const InspectOptions& options);

// "写真・参考図 N 件、管理ファイル M 件を検査しました。誤り a 件、注意 b 件、参考 c 件。",
// with "中止しました。" before it when cancelled (code page 932).
std::string CheckSummaryLine(const DeliveryCheckSummary& summary);

// The photos with a finding of 誤り or 注意, ascending.
std::vector<int> RecordsWithCheckFindings(const DeliveryCheckResult& result);

}  // namespace zor
