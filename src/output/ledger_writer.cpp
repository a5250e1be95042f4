#include "output/ledger_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "app/host.h"
#include "output/ledger_layout.h"
#include "output/ledger_page.h"
#include "output/ledger_queue.h"
#include "output/output_folder.h"
#include "text/encoding.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

cairo_status_t WriteToFile(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<OutputFile*>(closure);
  out->Write(std::string_view(reinterpret_cast<const char*>(data), length));
  return out->Ok() ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

std::string FrameName(const LedgerFrame& f) {
  std::string name = Sj("写真番号 ") + std::to_string(f.number);
  if (f.drawing) name += Sj(" の参考図 ") + std::to_string(f.drawingNumber);
  return name;
}

// The folder the file goes into, resolved: its name may come through links
// the user keeps, but from here on every step goes through the folder's
// descriptor.
fs::path FolderOf(const fs::path& file) {
  const fs::path parent = file.has_parent_path() ? file.parent_path() : fs::path(".");
  std::error_code ec;
  const fs::path resolved = fs::canonical(parent, ec);
  return ec ? parent : resolved;
}

std::string TemporaryName(const fs::path& file) {
  static std::atomic<unsigned> serial{0};
  std::string name = ".";
  name += file.filename().string();
  name += ".part-";
  name += std::to_string(::getpid());
  name += '-';
  name += std::to_string(++serial);
  return name;
}

class LedgerRun {
 public:
  LedgerRun(const LedgerPlan& plan, const LedgerOptions& o, Host& host)
      : plan_(plan), o_(o), host_(host), layout_(o.perPage) {}

  LedgerResult Run() {
    const fs::path folderPath = FolderOf(o_.file);
    std::optional<OutputFolder> folder = OutputFolder::Open(folderPath, false);
    if (!folder) return Failed(Sj("出力先のフォルダを開けません。"), o_.file.parent_path(), errno);
    const std::string name = o_.file.filename().string();
    const std::string temporary = TemporaryName(o_.file);
    OutputFile out(*folder, temporary);
    if (!out.Ok()) return Failed(Sj("PDFファイルを作成できません。"), o_.file, out.Error());

    host_.ReportProgress('S', static_cast<int>(plan_.frames.size()) + 1);
    const bool written = WritePages(out);
    const bool closed = out.Close();
    host_.ReportProgress('E', 0);
    if (Cancelled()) {
      folder->RemoveFile(temporary);
      result_.cancelled = true;
      return result_;
    }
    if (!written || !closed) {
      folder->RemoveFile(temporary);
      return Failed(Sj("PDFファイルを書き込めませんでした。"), o_.file, out.Error());
    }
    if (!folder->Rename(temporary, name)) {
      const int error = errno;
      folder->RemoveFile(temporary);
      return Failed(Sj("PDFファイルを書き込めませんでした。"), o_.file, error);
    }
    result_.finished = true;
    return result_;
  }

 private:
  bool Cancelled() const { return o_.cancel && o_.cancel->load(); }

  LedgerResult Failed(const std::string& what, const fs::path& file, int error) {
    result_.message = what + "\r\n" + Utf8ToCp932(file.string());
    if (error != 0) result_.message += "\r\n" + Utf8ToCp932(std::strerror(error));
    host_.ShowWarning(result_.message);
    return result_;
  }

  // False when cairo or the file failed.
  bool WritePages(OutputFile& out) {
    cairo_surface_t* pdf =
        cairo_pdf_surface_create_for_stream(WriteToFile, &out, kLedgerPageWidth, kLedgerPageHeight);
    const std::string title = Cp932ToUtf8(plan_.title + Sj(" 工事写真帳"));
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_CREATOR, "zorview");
    cairo_t* cr = cairo_create(pdf);
    bool ok = Pages(cr, out);
    cairo_destroy(cr);
    cairo_surface_finish(pdf);
    ok = ok && cairo_surface_status(pdf) == CAIRO_STATUS_SUCCESS && out.Ok();
    cairo_surface_destroy(pdf);
    return ok;
  }

  bool Pages(cairo_t* cr, OutputFile& out) {
    const int frames = static_cast<int>(plan_.frames.size());
    result_.pages = layout_.PageCount(frames);
    LedgerPainter painter(cr, layout_);
    if (painter.Cover(plan_, result_.pages)) result_.missingGlyphs.push_back(Sj("表紙"));
    cairo_show_page(cr);
    if (!Good(cr, out)) return false;
    host_.ReportProgress('R', 1);

    const unsigned threads = o_.threads ? o_.threads : std::max(1u, std::thread::hardware_concurrency());
    LedgerPictureQueue pictures(plan_, layout_.PicturePixels(), o_.jpegQuality, threads, o_.cancel);
    for (int i = 0; i < frames; ++i) {
      const int slot = i % layout_.PerPage();
      const LedgerFrame& frame = plan_.frames[static_cast<std::size_t>(i)];
      if (slot == 0) painter.Header(plan_.title, frame.path);
      std::optional<LedgerPicture> picture = pictures.Take(static_cast<std::size_t>(i));
      if (!picture) return false;
      Count(frame, *picture);
      const FrameOutcome outcome = painter.Frame(slot, frame, frame.picture.empty() ? nullptr : &*picture);
      if (outcome.cut) result_.cut.push_back(FrameName(frame));
      if (outcome.missingGlyphs) result_.missingGlyphs.push_back(FrameName(frame));
      if (slot == layout_.PerPage() - 1 || i == frames - 1) {
        painter.Footer(2 + i / layout_.PerPage(), result_.pages);
        cairo_show_page(cr);
        if (!Good(cr, out)) return false;
      }
      host_.ReportProgress('R', i + 2);
    }
    return true;
  }

  bool Good(cairo_t* cr, const OutputFile& out) const {
    return !Cancelled() && cairo_status(cr) == CAIRO_STATUS_SUCCESS && out.Ok();
  }

  void Count(const LedgerFrame& frame, const LedgerPicture& picture) {
    ++(frame.drawing ? result_.drawings : result_.photos);
    if (frame.picture.empty())
      ++result_.missing;
    else if (!picture.surface)
      ++result_.unreadable;
    result_.bytes += picture.jpegBytes;
  }

  const LedgerPlan& plan_;
  const LedgerOptions& o_;
  Host& host_;
  LedgerLayout layout_;
  LedgerResult result_;
};

std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text += (text.empty() ? "" : Sj("、")) + n;
  return text;
}

}  // namespace

LedgerResult WriteLedger(const LedgerPlan& plan, const LedgerOptions& options, Host& host) {
  return LedgerRun(plan, options, host).Run();
}

std::vector<std::string> LedgerSummary(const LedgerResult& r, const fs::path& file) {
  std::vector<std::string> lines;
  if (r.cancelled) {
    lines.push_back(Sj("工事写真帳（PDF）の作成を中止しました。"));
    return lines;
  }
  if (!r.finished) {
    lines.push_back(r.message);
    return lines;
  }
  std::string done = Sj("工事写真帳（PDF）を作成しました: ") + Utf8ToCp932(file.string()) + Sj("（") +
                     std::to_string(r.pages) + Sj(" ページ、写真 ") + std::to_string(r.photos) + Sj(" 枚");
  if (r.drawings > 0) done += Sj("、参考図 ") + std::to_string(r.drawings) + Sj(" 枚");
  lines.push_back(done + Sj("）"));
  if (r.missing > 0) lines.push_back(Sj("ファイルがない写真・参考図: ") + std::to_string(r.missing) + Sj(" 枚"));
  if (r.unreadable > 0)
    lines.push_back(Sj("読み込めなかった写真・参考図: ") + std::to_string(r.unreadable) + Sj(" 枚"));
  if (!r.cut.empty())
    lines.push_back(Sj("説明が枠に収まらず、途中までを印刷した写真: ") + Listed(r.cut));
  if (!r.missingGlyphs.empty())
    lines.push_back(Sj("フォントにない文字を含む写真（□で印刷）: ") + Listed(r.missingGlyphs));
  return lines;
}

}  // namespace zor
