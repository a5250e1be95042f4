#include "rules/row_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/encoding.h"

namespace zor {
namespace {

std::vector<int> CodesOf(const std::vector<ItemRule>& rows) {
  std::vector<int> codes;
  for (const ItemRule& r : rows) codes.push_back(r.code);
  return codes;
}

TEST(LayoutInfoRows, ItemsInRowOrder) {
  struct Case {
    int version;
    bool input_level;
    std::vector<int> koji, photo, sanko;
  } cases[] = {
      {0,
       false,
       {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21},
       {1, 3, 4, 5, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},
       {2}},
      {1,
       false,
       {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21},
       {1, 2, 3, 4, 5, 6, 8, 11, 12, 13, 14, 15, 17},
       {1, 2, 3}},
      {10,
       false,
       {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21},
       {1, 2, 3, 4, 5, 6, 8, 11, 12, 13, 14, 15, 17},
       {1, 2, 3}},
      {2, false, {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22}, {2, 4, 5, 6, 8, 18, 12, 15}, {1, 2, 3}},
      {3,
       false,
       {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22},
       {2, 4, 5, 6, 8, 18, 20, 12, 15},
       {1, 2, 3}},
      {13, false, {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22}, {2, 4, 5, 6, 8, 18, 12, 15}, {1, 2, 3}},
      {0, true, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, {4, 6, 8, 12}, {2}},
      {10, true, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, {4, 6, 8, 12}, {2}},
      {5, true, {7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19}, {4, 6, 8, 18, 12}, {1, 2}},
      {7, true, {7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19}, {4, 6, 8, 18, 20, 12}, {1, 2}},
      {8, true, {8, 9, 10, 12, 13, 17, 18, 19}, {4, 6, 8, 18, 12}, {1, 2}},
      {9, true, {8, 9, 10, 12, 13, 17, 18, 19}, {4, 6, 8, 18, 20, 12}, {1, 2}},
      {12, true, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, {4, 6, 8, 18, 12}, {1, 2}},
      {11, true, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, {4, 6, 8, 18, 12}, {1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << c.version << " input level " << c.input_level);
    InfoRowLayout layout = LayoutInfoRows(c.version, c.input_level);
    EXPECT_EQ(CodesOf(layout.koji), c.koji);
    EXPECT_EQ(CodesOf(layout.photo), c.photo);
    EXPECT_EQ(CodesOf(layout.sanko), c.sanko);
  }
}

TEST(LayoutInfoRows, RowsCarryTheRulesOfTheStandard) {
  // With InputLevel on, version 8 shows eight construction rows, beginning with 工事番号.
  InfoRowLayout layout = LayoutInfoRows(8, true);
  ASSERT_EQ(layout.koji.size(), 8u);
  EXPECT_EQ(Cp932ToUtf8(layout.koji[0].name), "工事番号");
  EXPECT_EQ(layout.koji[0].max_bytes, 30);
  EXPECT_EQ(Cp932ToUtf8(layout.koji[7].name), "請負者コード");
  EXPECT_EQ(layout.koji[7].max_bytes, 10);

  InfoRowLayout v0 = LayoutInfoRows(0, false);
  EXPECT_EQ(v0.RowOf(InfoGrid::kPhoto, 7), 5);
  EXPECT_EQ(v0.RowOf(InfoGrid::kPhoto, 6), 6);
  EXPECT_EQ(v0.RowOf(InfoGrid::kPhoto, 2), 0);
  EXPECT_EQ(v0.RowOf(InfoGrid::kKoji, 21), 16);
  EXPECT_EQ(v0.RowOf(InfoGrid::kKoji, 22), 0);
  EXPECT_EQ(&v0.Rows(InfoGrid::kSanko), &v0.sanko);
}

TEST(LayoutInfoRows, StandardsOutsideTheListShowNoRows) {
  for (int version : {-1, 18, 255}) {
    for (bool input_level : {false, true}) {
      InfoRowLayout layout = LayoutInfoRows(version, input_level);
      EXPECT_TRUE(layout.koji.empty()) << version;
      EXPECT_TRUE(layout.photo.empty()) << version;
      EXPECT_TRUE(layout.sanko.empty()) << version;
    }
  }
}

}  // namespace
}  // namespace zor
