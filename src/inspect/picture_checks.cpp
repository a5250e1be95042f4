#include "inspect/picture_checks.h"

#include <filesystem>
#include <system_error>

#include "inspect/picture_facts.h"
#include "inspect/svg_layers.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {

namespace fs = std::filesystem;

namespace {

// The format an extension names; kUnknown for any other.
PictureFormat FormatOfExtension(const std::string& file) {
  const std::string ext = UpperAscii(fs::path(file).extension().string());
  if (ext == ".JPG" || ext == ".JPEG") return PictureFormat::kJpeg;
  if (ext == ".TIF" || ext == ".TIFF") return PictureFormat::kTiff;
  if (ext == ".SVG") return PictureFormat::kSvg;
  return PictureFormat::kUnknown;
}

bool InsideFolder(const fs::path& file, const std::string& root) {
  std::error_code ec;
  const fs::path target = fs::weakly_canonical(file, ec);
  const fs::path base = fs::weakly_canonical(fs::path(root), ec);
  if (ec || base.empty()) return false;
  auto t = target.begin();
  for (auto b = base.begin(); b != base.end(); ++b, ++t) {
    if (b->empty()) continue;  // the trailing separator
    if (t == target.end() || *t != *b) return false;
  }
  return true;
}

class Checker {
 public:
  Checker(const ListedPicture& entry, PictureVerdict& out) : entry_(entry), out_(out) {}

  void Add(const char* check, Severity severity, const std::string& message, const std::string& item = {}) {
    out_.findings.push_back(Finding{entry_.record, entry_.name, check, severity, message, {}, entry_.photo, item});
  }

 private:
  const ListedPicture& entry_;
  PictureVerdict& out_;
};

// A fault text of the readers (UTF-8) as part of a message.
std::string Reason(const std::string& utf8) { return Sj("（") + Utf8ToCp932(utf8) + Sj("）"); }

void CheckFormat(const ListedPicture& entry, const PictureFacts& f, bool svgAllowed, Checker& c) {
  const PictureFormat named = FormatOfExtension(entry.file);
  const bool allowed = f.format == PictureFormat::kJpeg || f.format == PictureFormat::kTiff ||
                       (f.format == PictureFormat::kSvg && svgAllowed);
  if (f.format == PictureFormat::kUnknown) {
    c.Add("file.format", Severity::kError,
          Sj(svgAllowed ? "JPEG、TIFF、SVG のいずれの形式でもありません。"
                        : "JPEG、TIFF のいずれの形式でもありません。"));
    return;
  }
  if (!allowed) {
    c.Add("file.format", Severity::kError, Sj(PictureFormatName(f.format)) + Sj(" 形式はこの要領では使用できません。"));
    return;
  }
  if (named != f.format) {
    c.Add("file.format", Severity::kError,
          Sj("拡張子と内容（") + PictureFormatName(f.format) + Sj("）が一致しません。"));
    return;
  }
  if (!f.formatFault.empty())
    c.Add("file.format", Severity::kError,
          Sj(PictureFormatName(f.format)) + Sj(" として読めません") + Reason(f.formatFault) + Sj("。"));
}

void CheckExifDate(const PictureFacts& f, const std::string& date, PictureVerdict& v, Checker& c) {
  if (!f.exif.fault.empty() && f.format == PictureFormat::kJpeg)
    c.Add("exif.date", Severity::kWarning, Sj("EXIF 情報が壊れています") + Reason(f.exif.fault) + Sj("。"));
  if (!f.exif.dateTimeOriginal) {
    v.withoutExifDate = true;
    return;
  }
  const std::optional<ExifDate> exif = ParseExifDate(*f.exif.dateTimeOriginal);
  if (!exif) {
    c.Add("exif.date", Severity::kWarning,
          Sj("EXIF の撮影日時（DateTimeOriginal）の形式が不正です（") +
              std::to_string(f.exif.dateTimeOriginal->size()) + Sj(" バイト）。"));
    return;
  }
  const std::optional<CalendarDate> written = ParseDeliveryDate(date);
  if (!written) return;  // reported by date.invalid
  if (written->year != exif->year || written->month != exif->month || written->day != exif->day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", exif->year, exif->month, exif->day);
    c.Add("exif.date", Severity::kWarning,
          Sj("撮影年月日 ") + date + Sj(" と EXIF の撮影日時 ") + text + Sj(" が異なります。"));
  }
}

void CheckTamper(const PictureFacts& f, PictureVerdict& v, Checker& c) {
  v.tamper = f.tamper;
  // A layered SVG: each embedded picture its own outcome.
  for (const EmbeddedPicture& layer : f.layers) {
    const std::string name = Sj(LayerCaption(layer.group)) + Sj("（") + layer.group + Sj("）: ");
    if (layer.tamper == TamperOutcome::kNoData || layer.tamper == TamperOutcome::kIntact) {
      if (!layer.fault.empty()) c.Add("tamper", Severity::kWarning, name + Utf8ToCp932(layer.fault));
    } else if (layer.tamper == TamperOutcome::kMalformed) {
      c.Add("tamper", Severity::kWarning, name + TamperOutcomeText(layer.tamper) + Reason(layer.tamperValues.fault));
    } else {
      c.Add("tamper", Severity::kError, name + TamperOutcomeText(layer.tamper));
    }
  }
  if (!f.layers.empty()) return;
  switch (f.tamper) {
    case TamperOutcome::kNoData:
    case TamperOutcome::kIntact:
      return;
    case TamperOutcome::kMalformed:
      c.Add("tamper", Severity::kWarning, TamperOutcomeText(f.tamper) + Reason(f.tamperValues.fault));
      return;
    default:
      c.Add("tamper", Severity::kError, TamperOutcomeText(f.tamper));
  }
}

void CheckBlackboard(const PictureFacts& f, const BoardRecordItems* record, PictureVerdict& v, Checker& c) {
  const BlackboardPacket& p = f.blackboard;
  v.blackboard = p.status;
  if (p.status == BlackboardPacket::Status::kNone) return;
  if (!p.notes.empty()) {
    std::string notes;
    for (const std::string& n : p.notes) notes += (notes.empty() ? "" : "、") + n;
    c.Add("blackboard", Severity::kNote, Sj("小黒板情報（XMP）: ") + Utf8ToCp932(notes) + Sj("。"));
  }
  if (p.status == BlackboardPacket::Status::kFault) {
    c.Add("blackboard", Severity::kWarning, Sj("小黒板情報（XMP）を読めません") + Reason(p.fault) + Sj("。"));
    return;
  }
  v.boardWorkName = p.values.constructionName;
  v.boardContractor = p.values.contractor;
  if (!record) return;
  for (const BoardDifference& d : CompareBlackboard(p.values, *record)) {
    v.blackboardDiffers = true;
    c.Add("blackboard", d.severity, d.message, d.item);
  }
}

}  // namespace

PictureVerdict CheckPicture(const ListedPicture& entry, const std::string& date, const std::string& root,
                            bool svgAllowed, const BoardRecordItems* record) {
  PictureVerdict v;
  Checker c(entry, v);
  const fs::path file(entry.file);
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(file, ec)) && !InsideFolder(file, root)) {
    c.Add("file.missing", Severity::kError, Sj("納品フォルダの外を指すシンボリックリンクです（読みません）。"));
    return v;
  }
  const PictureFacts f = ReadPictureFacts(file);
  if (!f.opened) {
    c.Add("file.format", Severity::kError, Sj("ファイルを読めません") + Reason(f.readError) + Sj("。"));
    return v;
  }
  v.read = true;
  CheckFormat(entry, f, svgAllowed, c);
  v.formatOk = v.findings.empty();
  if (entry.drawing) return v;
  // A broken picture is counted by none of the lines below; only tamper
  // values it still carries are checked.
  if (!v.formatOk) {
    if (f.tamperValues.kind != TamperValues::Kind::kNone) CheckTamper(f, v, c);
    return v;
  }
  CheckExifDate(f, date, v, c);
  if ((f.format == PictureFormat::kJpeg || f.format == PictureFormat::kTiff) && f.formatFault.empty()) {
    const long long pixels = static_cast<long long>(f.width) * f.height;
    v.pixelsOutside = pixels < kMinPixels || pixels > kMaxPixels;
  }
  CheckTamper(f, v, c);
  CheckBlackboard(f, record, v, c);
  return v;
}

}  // namespace zor
