// Items that hold a number whose meaning the information panel shows:
// "01.左岸" for the value 1 under 左右岸上下線CD, the value followed by a
// default suffix when no entry matches. Texts are code page 932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zor {

struct CodedItem {
  std::string default_suffix;        // ".未登録", ".不明" …
  std::vector<std::string> entries;  // "0.原本", "1.工事写真帳" …
};

// The number a coded value stands for: the text read as a decimal integer,
// else its leading number; an empty text is 0.
int CodedNumber(std::string_view text);

// The entry whose number equals the value's, else value + default suffix.
std::string CodedText(std::string_view value, const CodedItem& item);

// The tables of the photo grid and of the two index grids.
const CodedItem& PhotoFlagItem();          // photo code 1 写真整理フラッグ, from FLAG
const CodedItem& RepresentativeItem();     // photo code 18 代表写真, from FLAG
const CodedItem& SubmissionItem();         // photo code 20 提出頻度写真, from FILMNUM
const CodedItem& RoadSectionItem();        // 現道-旧道区分
const CodedItem& BankLineItem();           // 左右岸上下線CD
const CodedItem& MainServicesItem(int digi_version);  // services 主な業務の内容

// The coded table of an index slot's item code, or nullptr when its value is
// shown as it is.
const CodedItem* IndexCodedItem(int item_code, bool construction_codes, int digi_version);

}  // namespace zor
