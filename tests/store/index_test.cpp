// The index item tables, the code lists and the photo-file blocks.
#include <gtest/gtest.h>

#include <string>

#include "store/basic_block.h"
#include "store/contract_block.h"
#include "store/index_codes.h"
#include "store/index_tables.h"
#include "text/encoding.h"

namespace zor {
namespace {

TEST(IndexTables, ThreeStandardAndTwoReserveElements) {
  IndexTables t;
  t.Store("A", 1, true);
  t.Store("B", 2, true);
  t.Store("R1", 38, false);
  t.Store("C", 3, true);
  t.Store(std::string(300, 'x'), 38, false);  // kept whole: the limit is the rules' business
  t.Finish();
  EXPECT_EQ(t.IndexItemCount, 5);
  EXPECT_EQ(t.IndexItemValue[5].size(), 300u);
  const int codes[] = {0, 1, 2, 38, 3, 38};
  const int standard[] = {0, 1, 1, 0, 1, 0};
  for (int slot = 1; slot <= 5; ++slot) {
    EXPECT_EQ(t.IndexItem[slot].ItemNo, slot);
    EXPECT_EQ(t.IndexItem[slot].ItemCode, codes[slot]);
    EXPECT_EQ(t.IndexItem[slot].MaxBytes, 0);
    EXPECT_EQ(t.IndexItemStandard[slot], standard[slot]);
  }
  for (int slot = 6; slot <= 999; ++slot) {
    EXPECT_EQ(t.IndexItem[slot].ItemCode, 0);
    EXPECT_EQ(t.IndexItemStandard[slot], 0);
    EXPECT_TRUE(t.IndexItemValue[slot].empty());
  }
}

TEST(IndexTables, ElementsPastTheLastSlotAreDroppedAndCounted) {
  IndexTables t;
  for (int i = 1; i <= 1002; ++i) EXPECT_EQ(t.Store(std::to_string(i), 38, false), i <= 999) << i;
  t.Finish();
  EXPECT_EQ(t.IndexItemCount, 999);
  EXPECT_EQ(t.Dropped(), 3);
  EXPECT_EQ(t.IndexItemValue[999], "999");
  EXPECT_TRUE(t.IndexItemValue[1000].empty());

  t.Clear();  // the next read starts over
  EXPECT_EQ(t.IndexItemCount, 0);
  EXPECT_EQ(t.Dropped(), 0);
  EXPECT_TRUE(t.IndexItemValue[1].empty());
  t.Store("again", 2, true);
  t.Finish();
  EXPECT_EQ(t.IndexItemCount, 1);
  EXPECT_EQ(t.IndexItem[1].ItemCode, 2);
}

TEST(IndexCodes, ListsAreNumberedFromOneWithTheirLimits) {
  const auto& c = ConstructionIndexCodes();
  const auto& s = ServicesIndexCodes();
  ASSERT_EQ(c.size(), 41u);
  ASSERT_EQ(s.size(), 37u);
  for (std::size_t i = 0; i < c.size(); ++i) EXPECT_EQ(c[i].code, static_cast<int>(i) + 1);
  for (std::size_t i = 0; i < s.size(); ++i) EXPECT_EQ(s[i].code, static_cast<int>(i) + 1);
  EXPECT_EQ(c[kConstructionReserveCode - 1].elements[0], Sj("予備"));
  EXPECT_EQ(s[kServicesReserveCode - 1].elements[0], Sj("予備"));
  EXPECT_EQ(c[35].elements, (std::vector<std::string>{Sj("受注者名"), Sj("請負者名")}));
  // 住所 differs between the two lists.
  EXPECT_EQ(ConstructionMaxBytes(10), 254);
  EXPECT_EQ(ServicesMaxBytes(6), 128);
  EXPECT_EQ(ServicesMaxBytes(35), 600);
  for (int bad : {0, -1, 42}) EXPECT_EQ(ConstructionMaxBytes(bad), 0);
  EXPECT_EQ(ServicesMaxBytes(38), 0);
  // The items of the later guidelines carry no limit.
  EXPECT_EQ(c[kConstructionClientSectionCode - 1].elements[0], Sj("工事担当課"));
  EXPECT_EQ(s[kServicesFacilityCode - 1].elements[0], Sj("施設コード"));
  for (int code : {kConstructionSystemNumberCode, kConstructionClientSectionCode, kConstructionFacilityCode})
    EXPECT_EQ(ConstructionMaxBytes(code), 0) << code;
}

TEST(IndexCodes, StandardsAndDtdVersions) {
  ASSERT_EQ(StandardVersionTexts().size(), 18u);
  EXPECT_EQ(StandardVersionTexts()[kInitialDigiVersion], Sj("国交省 22年9月 工事完成図書の電子納品等要領"));
  EXPECT_EQ(StandardVersionTexts()[13], Sj("農水省 17年4月 設計業務等の電子納品要領(案)"));
  EXPECT_EQ(StandardVersionTexts()[14], Sj("国交省 平成23年以降 工事完成図書の電子納品等要領"));
  EXPECT_EQ(StandardVersionTexts()[17], Sj("農水省 平成17年以降 設計業務等の電子納品要領"));
  const char* dtd[] = {"1.0", "02",        "03", "05", "05", "03", "05", "05", "03",
                       "05",  "02_200304", "03", "03", "03", "05", "05", "05", "05"};
  for (int v = 0; v < 18; ++v) EXPECT_EQ(DtdVersionText(v), dtd[v]) << v;
  for (int v = 0; v < 18; ++v)
    EXPECT_EQ(IsConstructionIndexVersion(v), v == 5 || v == 6 || v == 7 || v == 12 || v == 14 || v == 16) << v;
}

TEST(ContractBlock, TextsAreCutToTheirWidths) {
  PhotoContractBlock b;
  b.SetText(ContractText::PeriodStart, "2005-04-01 extra");
  EXPECT_EQ(b.Text(ContractText::PeriodStart), "2005-04-01");
  b.SetText(ContractText::ClientCode, "1234567" + Sj("工"));  // 9 bytes into 8
  EXPECT_EQ(b.Text(ContractText::ClientCode), "1234567");
  b.SetText(ContractText::ConstructionName, std::string(300, 'n'));
  EXPECT_EQ(b.Text(ContractText::ConstructionName).size(), 255u);
  ASSERT_EQ(ContractTexts().size(), static_cast<std::size_t>(kContractTextCount));
  for (int i = 0; i < kContractTextCount; ++i) EXPECT_EQ(static_cast<int>(ContractTexts()[i].field), i);

  b.Clear();
  EXPECT_TRUE(b.Text(ContractText::PeriodStart).empty());
}

TEST(ContractBlock, OrderYear) {
  struct Case {
    const char* text;
    int year;
  } cases[] = {{"2005", 2005}, {" 17", 17}, {"-5", -5}, {"32767", 32767}, {"32768", 0},
               {"-32769", 0},  {"", 0},     {"abc", 0}, {"17x", 17}};
  PhotoContractBlock b;
  for (const Case& c : cases) {
    b.SetOrderYear(c.text);
    EXPECT_EQ(b.OrderYear(), c.year) << c.text;
  }
  b.SetOrderYear(Sj("平成17"));  // an era letter first: no leading number
  EXPECT_EQ(b.OrderYear(), 0);
}

TEST(ContractBlock, ReserveEntries) {
  PhotoContractBlock b;
  b.SetReserve(0, "first");
  b.SetReserve(3, "second");
  b.SetReserve(49, std::string(300, 'r'));
  b.SetReserve(50, "ignored");
  b.SetReserve(-1, "ignored");
  EXPECT_EQ(b.ReserveText(), "first\r\nsecond\r\n" + std::string(255, 'r'));
  EXPECT_TRUE(b.Reserve(50).empty());
}

TEST(BasicBlock, ResetFillsTheDefaults) {
  PhotoBasicBlock b;
  b.Reset(10);
  EXPECT_EQ(b.DtdVersion, "02_200304");
  EXPECT_EQ(b.PhotoFolder, "PHOTO/PIC");
  EXPECT_EQ(b.DrawingFolder, "PHOTO/DRA");
  EXPECT_EQ(b.SoftwareVersion, "3.10");
  EXPECT_FALSE(b.SoftwareName.empty());
  EXPECT_TRUE(b.MakerTag.empty());
  b.Reset(0);
  EXPECT_EQ(b.DtdVersion, "1.0");
}

}  // namespace
}  // namespace zor
