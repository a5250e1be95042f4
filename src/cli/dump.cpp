// zorview --dump: loads a delivery as the menu commands would and prints
// what the load left in the tables, as one JSON object in UTF-8; each
// photo's record also gives what its picture's blackboard recorded.
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "cli/dump_host.h"
#include "cli/json.h"
#include "cli/load_delivery.h"
#include "cli/out_text.h"
#include "cli/verb_args.h"
#include "cli/verbs.h"
#include "inspect/picture_facts.h"
#include "store/delivery.h"
#include "store/standards.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor::cli {
namespace {

struct DumpOptions {
  std::string path;
  std::optional<bool> msXmlParser;  // nothing: the setting decides
};

std::optional<DumpOptions> ParseArgs(const Args& args) {
  DumpOptions o;
  const std::optional<std::string> path = PathAmongOptions(args, [&o](const Args& a, std::size_t& i) {
    if (a[i] != "--own" && a[i] != "--validating") return false;
    o.msXmlParser = a[i] == "--validating";
    return true;
  });
  if (!path) return std::nullopt;
  o.path = *path;
  return o;
}

void WriteText(std::ostream& out, std::string_view sjis) { WriteJsonString(out, Cp932ToUtf8(sjis)); }

void WriteStrings(std::ostream& out, const std::vector<std::string>& items) {
  out << "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i) out << ", ";
    WriteJsonString(out, items[i]);
  }
  out << "]";
}

// The board's items (UTF-8, as the packet holds them) under their Japanese
// names; null when the picture carries none.
void WriteBlackboard(std::ostream& out, const BlackboardPacket& p) {
  if (p.status == BlackboardPacket::Status::kNone) {
    out << "null";
    return;
  }
  out << "{";
  if (p.status == BlackboardPacket::Status::kFault) {
    out << "\"fault\": ";
    WriteJsonString(out, p.fault);
  } else {
    const Blackboard& b = p.values;
    auto text = [&out](const char* name, const std::string& value, bool first = false) {
      if (!first) out << ", ";
      WriteJsonString(out, name);
      out << ": ";
      WriteJsonString(out, value);
    };
    text("工事件名", b.constructionName, true);
    text("受注者名", b.contractor);
    text("写真-大分類", b.largeClassification);
    text("写真区分", b.photoClassification);
    text("工種", b.constructionType);
    text("種別", b.middleClassification);
    text("細別", b.smallClassification);
    text("写真タイトル", b.title);
    out << ", \"工種区分予備\": ";
    WriteStrings(out, b.classificationRemarks);
    text("撮影箇所", b.shootingSpot);
    text("代表写真", b.isRepresentative);
    text("提出頻度写真", b.isFrequencyOfSubmission);
    out << ", \"施工管理値\": [";
    for (std::size_t m = 0; m < b.measurements.size(); ++m) {
      out << (m ? ", " : "") << "{\"区分\": ";
      WriteJsonString(out, MeasurementClassificationName(b.measurements[m].classification));
      out << ", \"項目\": [";
      for (std::size_t i = 0; i < b.measurements[m].items.size(); ++i) {
        const BlackboardMeasurementItem& item = b.measurements[m].items[i];
        out << (i ? ", " : "") << "{";
        text("名称", item.name, true);
        text("記号", item.mark);
        text("設計値", item.designedValue);
        text("実測値", item.measuredValue);
        text("単位", item.unitName);
        out << ", \"備考\": ";
        WriteStrings(out, item.remarks);
        out << "}";
      }
      out << "]}";
    }
    out << "]";
    text("受注者説明文", b.contractorRemarks);
    if (!b.metadata.empty()) {
      out << ", \"metadata\": {";
      for (std::size_t i = 0; i < b.metadata.size(); ++i)
        text(b.metadata[i].first.c_str(), b.metadata[i].second, i == 0);
      out << "}";
    }
  }
  if (!p.notes.empty()) {
    out << ", \"notes\": ";
    WriteStrings(out, p.notes);
  }
  out << "}";
}

void WriteRecords(std::ostream& out, Delivery& delivery) {
  TViewDataSet& table = delivery.PhotoTable;
  // The picture of each photo's record; drawings and missing pictures have none.
  std::map<int, std::string> pictures;
  for (const ListedPicture& e : delivery.Pictures.entries)
    if (!e.drawing && !e.file.empty() && !e.otherMedium) pictures[e.record] = e.file;
  StartBlackboardReader();
  out << "  \"records\": [";
  if (table.Active()) {
    bool firstRecord = true;
    for (table.First(); !table.Eof(); table.Next()) {
      out << (firstRecord ? "\n    {" : ",\n    {");
      firstRecord = false;
      for (int pos = 0; pos < table.FieldCount(); ++pos) {
        if (pos > 0) out << ", ";
        WriteJsonString(out, table.FieldName(pos));
        out << ": ";
        switch (table.GetFieldType(pos)) {
          case FieldType::ftSmallint:
          case FieldType::ftInteger:
          case FieldType::ftWord:
            out << table.AsInteger(pos);
            break;
          case FieldType::ftBoolean:
            out << (table.AsBoolean(pos) ? "true" : "false");
            break;
          default:
            WriteText(out, table.AsString(pos));
        }
      }
      out << ", \"blackboard\": ";
      const int record = table.FieldPos.RECORD >= 0 ? table.AsInteger(table.FieldPos.RECORD) : 0;
      const auto picture = pictures.find(record);
      if (picture == pictures.end())
        out << "null";
      else
        WriteBlackboard(out, ReadPictureBlackboard(picture->second));
      out << "}";
    }
    if (!firstRecord) out << "\n  ";
  }
  out << "],\n";
}

void WriteTree(std::ostream& out, const HierarchyTree& tree) {
  out << "  \"tree\": [";
  bool first = true;
  for (const HierarchyNode* node : tree.Nodes()) {
    out << (first ? "\n    " : ",\n    ");
    first = false;
    out << "{\"level\": " << node->Level() << ", \"caption\": ";
    WriteText(out, node->Caption());
    out << ", \"records\": [";
    const TIntList& records = node->Records();
    for (std::size_t i = 0; i < records.size(); ++i) out << (i ? ", " : "") << records[i];
    out << "], \"image\": " << node->ImageIndex() << "}";
  }
  if (!first) out << "\n  ";
  out << "],\n";
}

void WriteIndex(std::ostream& out, const IndexTables& index) {
  out << "  \"index\": {\"count\": " << index.IndexItemCount << ", \"items\": [";
  for (int slot = 1; slot <= index.IndexItemCount && slot <= IndexTables::kMaxSlots; ++slot) {
    const auto s = static_cast<std::size_t>(slot);
    out << (slot == 1 ? "\n    " : ",\n    ") << "{\"slot\": " << slot << ", \"code\": " << index.IndexItem[s].ItemCode
        << ", \"standard\": " << int{index.IndexItemStandard[s]} << ", \"value\": ";
    WriteText(out, index.IndexItemValue[s]);
    out << "}";
  }
  if (index.IndexItemCount > 0) out << "\n  ";
  out << "]},\n";
}

void WriteContract(std::ostream& out, const PhotoContractBlock& c) {
  static const struct {
    ContractText field;
    const char* name;
  } kFields[] = {
      {ContractText::MediaReserve, "媒体情報予備"},   {ContractText::WorkNumber, "工事番号"},
      {ContractText::RiverRouteName, "河川路線名等"}, {ContractText::ConstructionName, "工事名称"},
      {ContractText::ConstructionPlace, "工事箇所"},  {ContractText::PeriodStart, "工期開始日"},
      {ContractText::PeriodEnd, "工期終了日"},        {ContractText::ClientMajor, "発注者-大分類"},
      {ContractText::ClientMiddle, "発注者-中分類"},  {ContractText::ClientMinor, "発注者-小分類"},
      {ContractText::ClientCode, "発注者コード"},     {ContractText::ContractorName, "請負者名"},
      {ContractText::ContractorCode, "請負者コード"}, {ContractText::ClientNote, "発注者備考"},
      {ContractText::ContractorNote, "請負者備考"},
  };
  out << "  \"contract\": {";
  bool first = true;
  for (const auto& f : kFields) {
    out << (first ? "\n    " : ",\n    ");
    first = false;
    WriteJsonString(out, f.name);
    out << ": ";
    WriteText(out, c.Text(f.field));
    // 発注年度 stands after the medium reserve, as the panel shows it.
    if (f.field == ContractText::MediaReserve) out << ",\n    \"発注年度\": " << c.OrderYear();
  }
  out << ",\n    \"工事情報予備\": [";
  bool firstReserve = true;
  for (int i = 0; i < PhotoContractBlock::kReserveCount; ++i) {
    if (c.Reserve(i).empty()) continue;
    out << (firstReserve ? "" : ", ");
    firstReserve = false;
    WriteText(out, c.Reserve(i));
  }
  out << "]\n  },\n";
}

void WriteMessages(std::ostream& out, const DumpHost& host) {
  out << "  \"messages\": [";
  bool first = true;
  for (const std::string& m : host.Messages()) {
    out << (first ? "\n    " : ",\n    ");
    first = false;
    WriteText(out, m);
  }
  if (!first) out << "\n  ";
  out << "]\n";
}

}  // namespace

int Dump(const Args& args, std::ostream& out, std::ostream& err) {
  const std::optional<DumpOptions> options = ParseArgs(args);
  if (!options) return UsageError(err, "usage: zorview --dump [--own | --validating] PATH\n");
  const std::unique_ptr<VerbLoad> load = LoadForVerb("--dump", options->path, options->msXmlParser, err);
  if (!load) return kExitFailed;
  Delivery& delivery = load->delivery;
  const DumpHost& host = load->host;
  const bool loaded = load->loaded;

  out << "{\n  \"digiVersion\": " << delivery.DigiVersion << ",\n  \"standard\": " << delivery.DigiVersion
      << ",\n  \"standardName\": ";
  WriteText(out, StandardName(delivery.DigiVersion, delivery.Guideline));
  out << ",\n  \"guideline\": ";
  if (delivery.Guideline.empty())
    out << "null";
  else
    WriteText(out, delivery.Guideline);
  out << ",\n  \"indexLoaded\": " << (delivery.IndexLoaded ? "true" : "false") << ",\n  \"workName\": ";
  WriteText(out, delivery.WorkName);
  out << ",\n";
  WriteRecords(out, delivery);
  WriteTree(out, delivery.Tree);
  WriteIndex(out, delivery.Index);
  WriteContract(out, delivery.PhotoContractInfo);
  WriteMessages(out, host);
  out << "}\n";
  if (loaded) return kExitOk;
  // Why it failed, where a user running the verb looks.
  for (const std::string& m : host.Messages()) err << "zorview --dump: " << OneLine(Cp932ToUtf8(m)) << "\n";
  return kExitFailed;
}

}  // namespace zor::cli
