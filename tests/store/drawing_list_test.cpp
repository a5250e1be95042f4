#include <gtest/gtest.h>

#include <string>

#include "store/drawing_list.h"

namespace zor {
namespace {

TEST(DrawingList, EncodeAndDecode) {
  struct Case {
    TIntList list;
    std::string text;
    TIntList back;  // what reading the text gives
  } cases[] = {
      {{12, 13}, "0001200013", {12, 13}},
      {{}, "", {}},
      {{0, 7, 0}, "00007", {7}},  // zero entries are left out
      {{-4, 8}, "00008", {8}},    // so are negative ones
      {{99999}, "99999", {99999}},
      {{100000}, "*0000100000", {100000}},  // above 5 digits: a wide group
      {{5, 123456, 6}, "00005*000012345600006", {5, 123456, 6}},
      {{2147483647}, "*2147483647", {2147483647}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDrawingList(c.list), c.text);
    EXPECT_EQ(DecodeDrawingList(c.text), c.back) << c.text;
  }
}

TEST(DrawingList, ReadingOddTexts) {
  struct Case {
    std::string text;
    TIntList list;
  } cases[] = {
      {"00012000", {12}},  // a short trailing group is ignored
      {"1234", {}},
      {"12ab0", {12}},  // the group's leading digits
      {"ab123", {0}},   // no leading digit: 0
      {"     ", {0}},
      {"*00001", {}},  // a wide group cut short is ignored
      {"00001*0000200000", {1, 200000}},
      {"*9999999999", {0}},  // beyond 32 bits: 0, never a wrapped number
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeDrawingList(c.text), c.list) << c.text;
}

TEST(DrawingList, OnlyWholeGroupsFitThe255Bytes) {
  TIntList many;
  for (int i = 1; i <= 60; ++i) many.push_back(i);
  std::size_t written = 0;
  std::string text = EncodeDrawingList(many, &written);
  EXPECT_EQ(written, 51u);
  EXPECT_EQ(text.size(), 255u);
  EXPECT_EQ(DecodeDrawingList(text).back(), 51);

  TIntList big(30, 200000);
  text = EncodeDrawingList(big, &written);
  EXPECT_EQ(written, 23u);  // 23 x 11 = 253
  EXPECT_EQ(text.size(), 253u);
  EXPECT_EQ(DecodeDrawingList(text), TIntList(23, 200000));
}

}  // namespace
}  // namespace zor
