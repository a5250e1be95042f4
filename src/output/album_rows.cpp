#include "output/album_rows.h"

#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "output/html_text.h"
#include "store/delivery.h"
#include "store/standards.h"
#include "text/encoding.h"

namespace zor {
namespace {

bool In(int v, std::initializer_list<int> set) {
  for (int x : set)
    if (x == v) return true;
  return false;
}

std::string NumberText(long long v) { return v == 0 ? std::string() : std::to_string(v); }

class Rows {
 public:
  void Add(std::string_view labelUtf8, std::string value) { rows_.push_back({Sj(labelUtf8), std::move(value)}); }
  void AddLines(std::string_view labelUtf8, const std::vector<std::string>& lines, std::size_t limit = SIZE_MAX) {
    for (std::size_t i = 0; i < lines.size() && i < limit; ++i) Add(labelUtf8, lines[i]);
  }
  std::vector<AlbumRow> Take() { return std::move(rows_); }

 private:
  std::vector<AlbumRow> rows_;
};

class RecordFields {
 public:
  explicit RecordFields(const Delivery& d) : t_(d.PhotoTable) {}
  std::string Text(int pos) const { return pos < 0 ? std::string() : t_.AsString(pos); }
  std::string Number(int pos) const { return pos < 0 ? std::string() : NumberText(t_.AsInteger(pos)); }
  const PhotoFieldPositions& Pos() const { return t_.FieldPos; }

 private:
  const TViewDataSet& t_;
};

}  // namespace

std::vector<AlbumRow> BasicRows(const Delivery& d) {
  const PhotoBasicBlock& b = d.PhotoBasicInfo;
  Rows rows;
  rows.Add("写真フォルダ名", b.PhotoFolder);
  rows.Add("参考図フォルダ名", b.DrawingFolder);
  if (In(RuleSetOf(d.DigiVersion), {0, 1, 10}))
    rows.Add("媒体情報予備", d.PhotoContractInfo.Text(ContractText::MediaReserve));
  // A later guideline is named after the value read, and its rules said.
  if (IsLaterStandard(d.DigiVersion)) {
    rows.Add("適用要領基準", StandardName(d.DigiVersion, d.Guideline));
    rows.Add("記入規則", RuleSetNote(d.DigiVersion));
  }
  rows.Add("ソフトウェア名", b.SoftwareName);
  rows.Add("バージョン情報", b.SoftwareVersion);
  rows.Add("メーカ名", b.MakerName);
  rows.Add("メーカ連絡先", b.MakerContact);
  rows.Add("ソフトメーカ用TAG", b.MakerTag);
  return rows.Take();
}

std::vector<AlbumRow> ConstructionRows(const Delivery& d) {
  const PhotoContractBlock& c = d.PhotoContractInfo;
  const int v = RuleSetOf(d.DigiVersion);
  const bool contractor = In(v, {4, 7});
  auto text = [&](ContractText f) { return c.Text(f); };
  Rows rows;
  rows.Add("発注年度", NumberText(c.OrderYear()));
  rows.Add("工事番号", text(ContractText::WorkNumber));
  const std::string river = text(ContractText::RiverRouteName);
  if (v >= 10 && v <= 13) rows.Add("路線水系名等", river);
  if (v == 0) rows.Add("河川路線名等", river);
  if (In(v, {6, 7, 9})) rows.Add("対象水系路線名", river);
  if ((v >= 1 && v <= 5) || v == 8) rows.Add("河川-路線名等", river);
  rows.Add("工事名称", text(ContractText::ConstructionName));
  rows.Add("工事箇所", text(ContractText::ConstructionPlace));
  rows.Add("工期開始日", AlbumDate(text(ContractText::PeriodStart)));
  rows.Add("工期終了日", AlbumDate(text(ContractText::PeriodEnd)));
  rows.Add("発注者-大分類", text(ContractText::ClientMajor));
  rows.Add("発注者-中分類", text(ContractText::ClientMiddle));
  rows.Add("発注者-小分類", text(ContractText::ClientMinor));
  rows.Add("発注者コード", text(ContractText::ClientCode));
  rows.Add(contractor ? "受注者名" : "請負者名", text(ContractText::ContractorName));
  rows.Add(contractor ? "受注者コード" : "請負者コード", text(ContractText::ContractorCode));
  rows.Add("発注者備考", text(ContractText::ClientNote));
  rows.Add("請負者備考", text(ContractText::ContractorNote));
  for (int i = 0; i < PhotoContractBlock::kReserveCount; ++i) rows.Add("予備", c.Reserve(i));
  return rows.Take();
}

std::vector<AlbumRow> PhotoRows(const Delivery& d, int serial, const std::vector<std::string>& path) {
  const RecordFields r(d);
  const PhotoFieldPositions& f = r.Pos();
  const int v = RuleSetOf(d.DigiVersion);
  const bool early = In(v, {0, 1, 10});
  auto caption = [&](std::size_t level) { return level <= path.size() ? path[level - 1] : std::string(); };
  Rows rows;
  rows.Add("シリアル番号", NumberText(serial));
  if (early) rows.Add("写真整理フラグ", r.Number(f.FLAG));
  rows.Add("写真ファイル日本語名", r.Text(f.JFILENAME));
  if (early) rows.Add("写真ファイル情報予備", r.Text(f.YOBI_FJ));
  rows.Add("写真-大分類", caption(1));
  rows.Add("写真区分", caption(2));
  rows.Add("工種", caption(3));
  rows.Add("種別", caption(4));
  rows.Add("細別", caption(5));
  rows.Add("写真タイトル", r.Text(f.TITLE));
  rows.AddLines("工種区分予備", SplitLines(r.Text(f.YOBI_KK)));
  rows.Add("撮影箇所", r.Text(f.KASYO));
  if (v == 0) rows.Add("付加情報予備", r.Text(f.YOBI_FU));
  rows.Add("撮影年月日", AlbumDate(r.Text(f.DATE)));
  if (v == 0) rows.Add("フィルム番号", r.Number(f.FILMNUM));
  if (v == 0) rows.Add("コマ番号", r.Text(f.NEGANUM));
  if (early) rows.AddLines("撮影情報予備", SplitLines(r.Text(f.YOBI_SJ)));
  if ((v >= 2 && v <= 9) || (v >= 11 && v <= 13)) rows.Add("代表写真", r.Number(f.FLAG));
  if (In(v, {3, 4, 6, 7, 9})) rows.Add("提出頻度写真", r.Number(f.FILMNUM));
  rows.Add("施工管理値", r.Text(f.KANRI));
  if (early) rows.AddLines("施工管理値予備", SplitLines(r.Text(f.YOBI_SK)));
  if (early) rows.Add("状況説明予備", r.Text(f.YOBI_JK));
  rows.Add("請負者説明文", r.Text(f.UKEOIBIKOU));
  if (v == 0) rows.Add("発注者説明文", r.Text(f.HACYUBIKOU));
  if (early) rows.AddLines("写真情報予備", SplitLines(r.Text(f.YOBI_SO)), v == 0 ? 3 : SIZE_MAX);
  return rows.Take();
}

std::vector<AlbumRow> DrawingRows(const Delivery& d) {
  const RecordFields r(d);
  const PhotoFieldPositions& f = r.Pos();
  const bool early = RuleSetOf(d.DigiVersion) == 0;
  Rows rows;
  if (!early) rows.Add("参考図ファイル日本語名", r.Text(f.JFILENAME));
  rows.Add("参考図タイトル", r.Text(f.TITLE));
  if (!early) rows.Add("付加情報予備", r.Text(f.YOBI_FJ));
  return rows.Take();
}

}  // namespace zor
