// The tamper check on pictures written by the scheme's reference library
// and on real camera files, with the outcomes their folder's README states.
#include <gtest/gtest.h>

#include <filesystem>

#include "inspect/picture_facts.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

TEST(TamperSamples, OutcomesOfTheReadme) {
  const fs::path folder = ZOR_SAMPLES_TAMPER;
  if (!fs::is_directory(folder)) GTEST_SKIP() << folder << " is not here";
  const struct {
    const char* file;
    TamperOutcome outcome;
    bool subSec;
  } kSamples[] = {
      {"apple-hashed.jpg", TamperOutcome::kIntact, true},       {"canon-hashed.jpg", TamperOutcome::kIntact, false},
      {"google-hashed.jpg", TamperOutcome::kIntact, true},      {"canon-plain.jpg", TamperOutcome::kNoData, false},
      {"ricoh-camera-memo.jpg", TamperOutcome::kNoData, false},
  };
  for (const auto& s : kSamples) {
    const PictureFacts f = ReadPictureFacts(folder / s.file);
    ASSERT_TRUE(f.opened) << s.file;
    EXPECT_EQ(f.format, PictureFormat::kJpeg) << s.file;
    EXPECT_EQ(f.formatFault, "") << s.file;
    EXPECT_EQ(f.tamper, s.outcome) << s.file << ": " << f.tamperValues.fault;
    if (s.outcome == TamperOutcome::kIntact) {
      EXPECT_EQ(f.exif.subSecTimeOriginal.has_value(), s.subSec) << s.file;
      ASSERT_TRUE(f.exif.dateTimeOriginal) << s.file;
      EXPECT_EQ(f.exif.dateTimeOriginal->size(), 20u) << s.file;
    }
  }
}

}  // namespace
}  // namespace zor
