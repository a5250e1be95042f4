// The electronic blackboard's own record: the items of the board that the
// camera app writes into the picture's XMP packet (namespaces
// http://dcpadv.org/schema/3.0/photoinfo, .../measurement and
// .../measurementitem; a layered SVG adds .../3.1/metadata). Read with
// Exempi from the packet's bytes; the packet is outside input, so it is
// bounded and screened before the library sees it, and every value read is
// cut to a bound. Texts are UTF-8 as the packet holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace zor {

struct BlackboardMeasurementItem {
  std::string name;           // item:Name 名称
  std::string mark;           // item:Mark 記号
  std::string designedValue;  // item:DesignedValue 設計値
  std::string measuredValue;  // item:MeasuredValue 実測値
  std::string unitName;       // item:UnitName 単位
  std::vector<std::string> remarks;
};

struct BlackboardMeasurements {
  std::string classification;  // measurement:Classification as written: 0 施工管理値, 1 品質証明値, ...
  std::vector<BlackboardMeasurementItem> items;
};

struct Blackboard {
  std::string constructionName;                    // 工事件名
  std::string contractor;                          // 受注者名 (photo:Contructor, spelt so by the writers)
  std::string largeClassification;                 // 写真-大分類
  std::string photoClassification;                 // 写真区分
  std::string constructionType;                    // 工種
  std::string middleClassification;                // 種別
  std::string smallClassification;                 // 細別
  std::string title;                               // 写真タイトル
  std::vector<std::string> classificationRemarks;  // 工種区分予備
  std::string shootingSpot;                        // 撮影箇所
  std::string isRepresentative;                    // 代表写真, "True" / "False" as written
  std::string isFrequencyOfSubmission;             // 提出頻度写真
  std::vector<BlackboardMeasurements> measurements;
  std::string contractorRemarks;  // 受注者説明文
  // A layered SVG's metadata (vender, software, metaVersion, stdVersion,
  // hashCode): name and value of those present, in that order.
  std::vector<std::pair<std::string, std::string>> metadata;
};

struct BlackboardPacket {
  enum class Status {
    kNone,   // no packet, or one without the blackboard's items
    kFault,  // a packet that names the blackboard's schema but cannot be read
    kRead,
  };
  Status status = Status::kNone;
  Blackboard values;
  std::string fault;               // UTF-8 (Japanese), for kFault
  std::vector<std::string> notes;  // UTF-8 (Japanese): what was cut, skipped or ignored
};

// Bounds of what is read from one packet.
inline constexpr std::size_t kMaxXmpPacket = 1u << 20;    // bytes
inline constexpr std::size_t kMaxBlackboardValue = 2048;  // bytes of one value
inline constexpr std::size_t kMaxClassificationRemarks = 5;
inline constexpr std::size_t kMaxMeasurements = 10;       // structures
inline constexpr std::size_t kMaxMeasurementItems = 100;  // items of one structure
inline constexpr std::size_t kMaxItemRemarks = 10;

// Reads one packet (the bytes of x:xmpmeta or of a whole xpacket). A packet
// over kMaxXmpPacket, one that is not UTF-8 text, or one with a DOCTYPE or
// any other markup declaration is refused before the library sees it.
BlackboardPacket ReadBlackboardPacket(std::span<const std::uint8_t> packet);

// Starts the XMP library, which the first read does too; a program calls it
// from its main thread before it reads packets on others, since starting
// it puts a filter on std::cerr (the library writes its errors there).
void StartBlackboardReader();

// The Japanese name of a measurement:Classification value ("施工管理値" for
// "0"), the value itself for one the schema does not name.
std::string MeasurementClassificationName(const std::string& value);

}  // namespace zor
