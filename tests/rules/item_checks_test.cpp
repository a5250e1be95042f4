#include "rules/item_checks.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace zor {
namespace {

const std::string kFourLines = "a\r\nb\r\nc\r\nd";
const std::string kThreeLinesWithEmptyOnes = "a\r\n\r\nb\r\n \r\nc\r\n";

TEST(ItemChecks, FaultFlagsByStandard) {
  struct Case {
    InfoGrid grid;
    int code;
    int version;
    std::string value;
    int flags;
  } cases[] = {
      // 撮影年月日 must have 10 bytes when given, in every standard.
      {InfoGrid::kPhoto, 8, 3, "2010-1-5", kFaultEntryRule},
      {InfoGrid::kPhoto, 8, 0, "2010-1-5", kFaultEntryRule},
      {InfoGrid::kPhoto, 8, 3, "2010-01-05", 0},
      {InfoGrid::kPhoto, 8, 3, "", 0},
      {InfoGrid::kPhoto, 8, 14, "2010-1-5", kFaultEntryRule},  // a later standard checks by 7
      {InfoGrid::kPhoto, 8, 18, "2010-1-5", 0},                // no standard: no check
      // Line limits of the reserve items in version 0 only.
      {InfoGrid::kPhoto, 5, 0, kFourLines, kFaultLines},
      {InfoGrid::kPhoto, 5, 0, kThreeLinesWithEmptyOnes, 0},
      {InfoGrid::kPhoto, 5, 1, kFourLines, 0},
      {InfoGrid::kPhoto, 17, 0, kFourLines, kFaultLines},
      {InfoGrid::kPhoto, 11, 0, "a\r\nb", kFaultLines},
      {InfoGrid::kPhoto, 11, 0, "a\r\n", 0},
      {InfoGrid::kPhoto, 13, 0, "a\r\nb", kFaultLines},
      {InfoGrid::kPhoto, 13, 10, "a\r\nb", 0},
      {InfoGrid::kPhoto, 12, 0, "a\r\nb", 0},
      // Byte limits are shown, never checked.
      {InfoGrid::kPhoto, 4, 0, std::string(300, 'x'), 0},
      {InfoGrid::kSanko, 3, 1, "a\r\nb", kFaultLines},
      {InfoGrid::kSanko, 3, 10, "a\r\nb", kFaultLines},
      {InfoGrid::kSanko, 3, 2, "a\r\nb", 0},
      {InfoGrid::kSanko, 3, 1, "a", 0},
      // Construction items of fixed length, except where the photo file has none.
      {InfoGrid::kKoji, 7, 0, "201", kFaultEntryRule},
      {InfoGrid::kKoji, 7, 5, "201", kFaultEntryRule},
      {InfoGrid::kKoji, 7, 0, "2010", 0},
      {InfoGrid::kKoji, 7, 0, "", 0},
      {InfoGrid::kKoji, 7, 2, "201", 0},
      {InfoGrid::kKoji, 7, 4, "201", 0},
      {InfoGrid::kKoji, 7, 11, "201", 0},
      {InfoGrid::kKoji, 12, 7, "2010-1-5", kFaultEntryRule},
      {InfoGrid::kKoji, 13, 13, "2010-01-05", 0},
      {InfoGrid::kKoji, 17, 0, "1234567", kFaultEntryRule},
      {InfoGrid::kKoji, 17, 4, "1234567", 0},
      // 発注者コード must be half-width digits in the construction index standards.
      {InfoGrid::kKoji, 17, 5, "1234567A", kFaultRepresentation},
      {InfoGrid::kKoji, 17, 12, Sj("１２３４５６７８"), kFaultRepresentation | kFaultEntryRule},
      {InfoGrid::kKoji, 17, 5, "12345678", 0},
      {InfoGrid::kKoji, 17, 0, "1234567A", 0},
      {InfoGrid::kKoji, 10, 0, std::string(300, 'x'), 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ItemFaults(c.grid, c.code, c.value, c.version), c.flags)
        << "grid " << static_cast<int>(c.grid) << " code " << c.code << " version " << c.version << " value "
        << Cp932ToUtf8(c.value);
}

TEST(ItemChecks, FlagsOnlyWhileKeikokuRedIsOn) {
  EXPECT_EQ(CheckPhotoItem(8, "2010-1-5", 3, true), kFaultEntryRule);
  EXPECT_EQ(CheckPhotoItem(8, "2010-1-5", 3, false), 0);
  EXPECT_EQ(CheckKojiItem(17, "1234567A", 5, true), kFaultRepresentation);
  EXPECT_EQ(CheckKojiItem(17, "1234567A", 5, false), 0);
  EXPECT_EQ(CheckSankoItem(3, "a\r\nb", 1, true), kFaultLines);
  EXPECT_EQ(CheckSankoItem(3, "a\r\nb", 1, false), 0);
  // Each check reads its own grid's numbering.
  EXPECT_EQ(CheckKojiItem(8, "2010-1-5", 3, true), 0);
  EXPECT_EQ(CheckSankoItem(8, "2010-1-5", 3, true), 0);
}

}  // namespace
}  // namespace zor
