#include "rules/level_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/encoding.h"

namespace zor {
namespace {

std::vector<std::string> Path(std::initializer_list<const char*> utf8) {
  std::vector<std::string> path;
  for (const char* s : utf8) path.push_back(Sj(s));
  return path;
}

TEST(CheckLevelNode, TopNodesHaveNoLimitAndNoFault) {
  LevelCheck check = CheckLevelNode({}, 3);
  EXPECT_EQ(check.level, 0);
  EXPECT_EQ(check.max_bytes, 0);
  EXPECT_FALSE(check.representation_fault || check.length_fault || check.value_fault);
  EXPECT_TRUE(check.joined_messages.empty());
  EXPECT_TRUE(check.advice.empty());
}

TEST(CheckLevelNode, LimitsAndClassesByLevelAndStandard) {
  struct Case {
    int level;
    int version;
    int bytes;
    int cls;
  } cases[] = {
      {1, 0, 16, 6}, {1, 10, 16, 6}, {1, 2, 16, 3},  {1, 13, 16, 3},  {2, 1, 32, 6}, {2, 3, 254, 3},
      {3, 0, 40, 3}, {4, 10, 40, 3}, {5, 4, 254, 3}, {3, 12, 254, 3}, {6, 1, 40, 3},  // deeper than 5: as levels 3 to 5
  };
  for (const Case& c : cases) {
    std::vector<std::string> path = Path({"工事", "施工状況写真", "a", "b", "c", "d"});
    path.resize(static_cast<std::size_t>(c.level));
    LevelCheck check = CheckLevelNode(path, c.version);
    EXPECT_EQ(check.max_bytes, c.bytes) << c.level << " " << c.version;
    EXPECT_EQ(check.representation, c.cls) << c.level << " " << c.version;
    EXPECT_EQ(check.level, std::min(c.level, 5));
  }
}

TEST(CheckLevelNode, LengthFaultAtTheByteLimit) {
  // 8 full-width characters are 16 bytes, the limit of level 1; 9 are too many.
  EXPECT_FALSE(CheckLevelNode(Path({"あいうえおかきく"}), 3).length_fault);
  EXPECT_TRUE(CheckLevelNode(Path({"あいうえおかきくけ"}), 3).length_fault);
  std::vector<std::string> path = Path({"工事", "施工状況写真"});
  path.push_back(std::string(40, 'x'));
  EXPECT_FALSE(CheckLevelNode(path, 0).length_fault);
  path.back() += 'x';
  EXPECT_TRUE(CheckLevelNode(path, 0).length_fault);
  EXPECT_FALSE(CheckLevelNode(path, 2).length_fault);
}

TEST(CheckLevelNode, RepresentationFault) {
  struct Case {
    std::vector<std::string> path;
    int version;
    bool fault;
  } cases[] = {
      {Path({"工事"}), 0, false},
      {Path({"ABC"}), 0, true},  // class 6 wants ＡＢＣ
      {Path({"ABC"}), 3, false},
      {Path({"ＡＢＣ"}), 3, true},  // class 3 wants ABC
      {Path({"工事", "ｶﾒﾗ"}), 3, true},
      {Path({"工事", "施工状況写真", "①工"}), 3, true},
      {Path({"工事", "施工状況写真", "道路改良"}), 3, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckLevelNode(c.path, c.version).representation_fault, c.fault)
        << Cp932ToUtf8(c.path.back()) << " " << c.version;
}

TEST(CheckLevelNode, MajorClassValues) {
  for (int version = 0; version <= 13; ++version) {
    EXPECT_TRUE(CheckLevelNode(Path({"工事写真"}), version).value_fault) << version;
    EXPECT_FALSE(CheckLevelNode(Path({"調査"}), version).value_fault) << version;
    EXPECT_FALSE(CheckLevelNode(Path({"その他"}), version).value_fault) << version;
    EXPECT_EQ(CheckLevelNode(Path({"地質"}), version).value_fault, version == 10) << version;
    EXPECT_EQ(CheckLevelNode(Path({"広報"}), version).value_fault, version == 10) << version;
  }
}

TEST(CheckLevelNode, PhotoClassValues) {
  struct Case {
    std::vector<std::string> path;
    int version;
    bool fault;
  } cases[] = {
      {Path({"工事", "事故写真"}), 2, true},      {Path({"工事", "事故写真"}), 3, false},
      {Path({"工事", "事故写真"}), 9, false},     {Path({"工事", "事故写真"}), 12, true},
      {Path({"工事", "施工状況写真"}), 0, false}, {Path({"工事", "着手前写真"}), 4, true},
      {Path({"測量", "着手前写真"}), 4, false},  // only 工事 restricts its photo classes
      {Path({"測量", "なんでも"}), 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckLevelNode(c.path, c.version).value_fault, c.fault)
        << Cp932ToUtf8(c.path[0]) << "/" << Cp932ToUtf8(c.path[1]) << " " << c.version;
  // Levels 3 to 5 have no value fault.
  EXPECT_FALSE(CheckLevelNode(Path({"工事", "事故写真", "何か"}), 2).value_fault);
}

TEST(CheckLevelNode, TheThirteenNumberedMessages) {
  struct Case {
    int level;
    const char* photo_class;
    int number;
    const char* text;
  } cases[] = {
      {3, "着手前及び完成写真", 1, "写真区分『着手前及び完成写真』に工種は登録できません"},
      {3, "災害写真", 2, "写真区分『災害写真』に工種は登録できません"},
      {3, "その他", 3, "写真区分『その他』に工種は登録できません"},
      {4, "着手前及び完成写真", 4, "写真区分『着手前及び完成写真』に種別は登録できません"},
      {4, "安全管理写真", 5, "写真区分『安全管理写真』に種別は登録できません"},
      {4, "品質管理写真", 6, "写真区分『品質管理写真』に種別は登録できません"},
      {4, "災害写真", 7, "写真区分『災害写真』に種別は登録できません"},
      {4, "その他", 8, "写真区分『その他』に種別は登録できません"},
      {5, "着手前及び完成写真", 9, "写真区分『着手前及び完成写真』に細別は登録できません"},
      {5, "安全管理写真", 10, "写真区分『安全管理写真』に細別は登録できません"},
      {5, "品質管理写真", 11, "写真区分『品質管理写真』に細別は登録できません"},
      {5, "災害写真", 12, "写真区分『災害写真』に細別は登録できません"},
      {5, "その他", 13, "写真区分『その他』に細別は登録できません"},
  };
  for (int version : {0, 1, 2, 5, 8, 10, 11, 12, 13}) {  // group A
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "version " << version << " message " << c.number);
      std::vector<std::string> path = Path({"工事", c.photo_class, "w", "k", "d"});
      path.resize(static_cast<std::size_t>(c.level));
      LevelCheck check = CheckLevelNode(path, version);
      for (int n = 1; n <= kLevelMessageCount; ++n)
        EXPECT_EQ(Cp932ToUtf8(check.messages[static_cast<std::size_t>(n - 1)]), n == c.number ? c.text : "") << n;
      EXPECT_EQ(Cp932ToUtf8(check.joined_messages), c.text);
      EXPECT_TRUE(check.advice.empty());
      EXPECT_FALSE(check.value_fault);
    }
  }
}

TEST(CheckLevelNode, AdviceByPhotoClassAndStandard) {
  const char* a1 = "記入可能な場合は記入";
  const char* a2 = "記入";
  const char* a3 = "記入は不要とするが、任意の記入も可";
  struct Case {
    int level;
    const char* photo_class;
    int version;
    const char* advice;  // nullptr: a message instead
  } cases[] = {
      {3, "着手前及び完成写真", 4, a3}, {3, "着手前及び完成写真", 2, nullptr},
      {4, "着手前及び完成写真", 9, a3}, {3, "施工状況写真", 2, a1},
      {5, "施工状況写真", 7, a1},       {3, "安全管理写真", 6, a1},
      {4, "安全管理写真", 6, a3},       {4, "安全管理写真", 0, nullptr},
      {3, "使用材料写真", 13, a1},      {5, "使用材料写真", 3, a1},
      {3, "品質管理写真", 2, a2},       {3, "品質管理写真", 3, a2},
      {4, "品質管理写真", 3, a3},       {5, "品質管理写真", 6, a3},
      {4, "品質管理写真", 9, a3},       {4, "品質管理写真", 4, a1},
      {5, "品質管理写真", 7, a1},       {4, "品質管理写真", 10, nullptr},
      {3, "出来形管理写真", 0, a2},     {5, "出来形管理写真", 9, a2},
      {3, "災害写真", 3, a3},           {5, "その他", 7, a3},
      {6, "その他", 2, nullptr},  // deeper than 5: as a detail
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.level << " " << c.photo_class << " " << c.version);
    std::vector<std::string> path = Path({"工事", c.photo_class, "w", "k", "d", "x"});
    path.resize(static_cast<std::size_t>(c.level));
    LevelCheck check = CheckLevelNode(path, c.version);
    if (c.advice) {
      EXPECT_EQ(Cp932ToUtf8(check.advice), c.advice);
      EXPECT_TRUE(check.joined_messages.empty());
    } else {
      EXPECT_TRUE(check.advice.empty());
      EXPECT_FALSE(check.joined_messages.empty());
    }
  }
  // A photo class without rules, and 事故写真, give neither.
  for (const char* photo_class : {"事故写真", "その他写真"}) {
    LevelCheck check = CheckLevelNode(Path({"工事", photo_class, "w"}), 3);
    EXPECT_TRUE(check.advice.empty());
    EXPECT_TRUE(check.joined_messages.empty());
  }
  // Level 6 uses the level-5 message.
  LevelCheck deep = CheckLevelNode(Path({"工事", "その他", "w", "k", "d", "x"}), 2);
  EXPECT_EQ(Cp932ToUtf8(deep.messages[12]), "写真区分『その他』に細別は登録できません");
}

}  // namespace
}  // namespace zor
