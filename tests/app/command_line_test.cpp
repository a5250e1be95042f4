#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zor {
namespace {

TEST(CommandLineFile, ArgumentsAfterTheProgram) {
  struct Case {
    std::vector<const char*> argv;
    std::string file;
  } cases[] = {
      {{"zorview"}, ""},
      {{"zorview", "/media/cd/PHOTO/PHOTO.XML"}, "/media/cd/PHOTO/PHOTO.XML"},
      {{"zorview", "/data/my photos/PHOTO.XML"}, "/data/my photos/PHOTO.XML"},
      {{"zorview", "\"/data/my photos/PHOTO.XML\""}, "/data/my photos/PHOTO.XML"},
      // Two files are joined by one blank and so name no file.
      {{"zorview", "/a/PHOTO.XML", "/b/PHOTO.XML"}, "/a/PHOTO.XML /b/PHOTO.XML"},
      {{"zorview", "\xE3\x80\x80 /x.xml\t", ""}, "/x.xml"},  // full-width space, tab, empty argument
      {{"zorview", "/d/\xC4\x81@"}, "/d/\xC4\x81@"},         // ends in "ā@": not a code page 932 space
      {{"zorview", "\"\""}, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CommandLineFile(static_cast<int>(c.argv.size()), c.argv.data()), c.file) << c.file;
}

TEST(CommandLineFileFromRaw, WhatFollowsTheProgram) {
  struct Case {
    const char* raw;
    const char* file;
  } cases[] = {
      {"\"C:/Program Files/ZOR/ZORVIEW.EXE\" \"D:/my photos/PHOTO.XML\"", "D:/my photos/PHOTO.XML"},
      {"zorview.exe a.xml b.xml", "a.xml b.xml"},
      // Without ".EXE" the whole line is taken, the program path included.
      {"\"C:/ZOR/ZORVIEW\" D:/PHOTO.XML", "C:/ZOR/ZORVIEW D:/PHOTO.XML"},
      {"/opt/zor/zorview", "/opt/zor/zorview"},
      {"C:/写真.exe/ZORVIEW.EXE x.xml", "/ZORVIEW.EXE x.xml"},  // the first ".EXE" counts
      {"ZORVIEW.EXE", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandLineFileFromRaw(c.raw), c.file) << c.raw;
}

}  // namespace
}  // namespace zor
