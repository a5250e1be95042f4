#include "output/album_writer.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/host.h"
#include "output/album_picture.h"
#include "output/album_rows.h"
#include "output/html_text.h"
#include "output/output_folder.h"
#include "output/page_file.h"
#include "output/photo_walk.h"
#include "store/delivery.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

const char* const kPageBody =
    "<body bgcolor=\"#dddced\" text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\">";
const char* const kIndexBody =
    "<body bgcolor=\"#bdbedd\" text=\"#ffffff\" link=\"#00008a\" vlink=\"#00008a\" alink=\"#00008a\">";

std::string PageName(int n) { return "PAGE" + std::to_string(n) + ".HTM"; }

// "P" or "D", the serial number as 7 digits, the extension.
std::string CopyName(char prefix, int serial, const char* extension) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%07d", serial);
  return prefix + std::string(digits) + extension;
}

class AlbumRun {
 public:
  AlbumRun(Delivery& d, const AlbumOptions& options, Host& host)
      : d_(d), o_(options), host_(host), markup_{options.xhtml}, perPage_(std::max(1, options.perPage)) {}

  AlbumResult Run() {
    if (!MakeFolders() || !WriteStartFile()) return result_;
    total_ = PrintedRecordCount(d_.Tree);
    host_.ReportProgress('S', total_ + 1);
    progress_ = 1;
    result_.finished = WritePageOne() && WritePhotoPages() && WriteIndex();
    result_.pages = n_;
    host_.ReportProgress('E', 0);
    if (result_.failedPictures > 0)
      host_.ShowWarning(Sj("コピーできなかった写真ファイルがあります（") + std::to_string(result_.failedPictures) +
                        Sj("件）。") + "\r\n" + Utf8ToCp932(result_.failedPicture));
    if (result_.finished) host_.OpenInBrowser((o_.folder / "ALBUM.HTM").string());
    return result_;
  }

 private:
  fs::path Html() const { return o_.folder / "HTML"; }

  // False when a folder could not be made; result_.message names it. The
  // folders stay open while the album is written and every file goes in
  // through them: a link put in the album's place, or in place of one of
  // its folders meanwhile, would otherwise send the files elsewhere.
  bool MakeFolders() {
    std::error_code ec;
    if (o_.folder.has_parent_path()) fs::create_directories(o_.folder.parent_path(), ec);
    root_ = OutputFolder::Open(o_.folder, true);
    if (!root_) return FolderFailed(o_.folder);
    for (auto [folder, name] : {std::pair{&pic_, "PIC"}, std::pair{&dra_, "DRA"}, std::pair{&html_, "HTML"}}) {
      *folder = root_->Sub(name);
      if (!*folder) return FolderFailed(o_.folder / name);
    }
    return true;
  }

  bool FolderFailed(const fs::path& folder) {
    host_.Beep();
    return Failed(Sj("フォルダを作成できませんでした。"), folder);
  }

  // Ends the run: the message and the file it names become result_.message
  // and a warning, which says that what was written stays. Always false.
  bool Failed(const std::string& what, const fs::path& file) {
    result_.message = what + "\r\n" + Utf8ToCp932(file.string());
    if (root_)
      result_.message += "\r\n" + Sj("書き込んだファイルはそのまま残しています: ") + Utf8ToCp932(o_.folder.string());
    page_.reset();
    host_.ShowWarning(result_.message);
    return false;
  }

  bool FileFailed(const fs::path& file) { return Failed(Sj("HTMLファイルを書き込めませんでした。"), file); }

  bool WriteStartFile() {
    const fs::path file = o_.folder / "ALBUM.HTM";
    PageFile f(*root_, "ALBUM.HTM", markup_);
    if (!f.Ok()) return FileFailed(file);
    f.Doctype();
    for (const char* line :
         {"<html>", "<head>", "<title>ミナロッサHTML</title>", "</head>", "<frameset cols=\"129,*\">",
          "  <frame src=\"HTML/INDEX.HTM\">", "  <frame src=\"HTML/PAGE1.HTM\" name=\"page_main\">", "<noframes>",
          "<body>", "<p>このページをご覧いただくにはフレーム対応のブラウザが必要です。</p>", "</body>", "</noframes>",
          "</frameset>", "</html>"})
      f.Line(0, Sj(line));
    return f.Close() || FileFailed(file);
  }

  bool WritePageOne() {
    n_ = 1;
    const fs::path file = Html() / PageName(1);
    PageFile f(*html_, PageName(1), markup_);
    if (!f.Ok()) return FileFailed(file);
    const std::string br(markup_.Br());
    f.Head(kPageBody);
    f.Line(0, "Page." + std::to_string(n_) + br + br);
    f.Line(2, "<table width=\"620\" border=\"1\" cellpadding=\"3\">");
    f.Line(2, Sj("<caption align=\"left\"><b>基礎情報</b></caption>"));
    f.Line(2, "<tbody>");
    for (const AlbumRow& row : BasicRows(d_)) f.Row(RowForm::R150, 3, row.label, row.value);
    f.Line(2, "</tbody>");
    f.Line(2, "</table>");
    const std::vector<AlbumRow> rows = ConstructionRows(d_);
    if (std::any_of(rows.begin(), rows.end(), [](const AlbumRow& r) { return !r.value.empty(); })) {
      f.Line(2, br);
      f.Line(2, "<table width=\"620\" border=\"1\" cellpadding=\"3\">");
      f.Line(2, Sj("<caption align=\"left\"><b>工事情報</b></caption>"));
      f.Line(2, "<tbody>");
      for (const AlbumRow& row : rows) f.Row(RowForm::R150, 2, row.label, row.value);
      f.Line(2, "</tbody>");
      f.Line(2, "</table>");
    }
    if (total_ >= 1) f.Line(0, "<p><a href=\"" + PageName(n_ + 1) + Sj("\">次ページ</a></p>"));
    f.Line(0, "</body>");
    f.Line(0, "</html>");
    return f.Close() || FileFailed(file);
  }

  std::string NavigationLine() const {
    std::string line = "<p><a href=\"" + PageName(n_ - 1) + Sj("\">前ページ</a>");
    if (progress_ <= total_) line += " / <a href=\"" + PageName(n_ + 1) + Sj("\">次ページ</a>");
    return line + "</p>";
  }

  // False when a photo page could not be written; result_.message says why.
  bool WritePhotoPages() {
    for (const HierarchyNode* node : PrintedNodes(d_.Tree)) {
      const TIntList& records = node->Records();
      const std::vector<std::string> path = PathCaptions(*node);
      for (std::size_t i = 0; i < records.size();) {
        const int record = records[i];
        if (++c_ == 1) {
          ++n_;
          page_.emplace(*html_, PageName(n_), markup_);
          if (!page_->Ok()) return PageFailed();
          page_->Head(kPageBody);
          page_->Line(0, "Page." + std::to_string(n_));
        }
        const bool shown = GotoPrintedPhoto(d_, record);
        bool fits = true;
        if (o_.sanko && c_ >= 2 && shown) fits = Text(d_.PhotoTable.FieldPos.REC_DRA).empty();
        if (fits) {
          host_.ReportProgress('R', ++progress_);
          if (shown) WritePhotoBlock(record, path);
          ++i;
        }
        if (c_ >= perPage_) {
          page_->Line(0, NavigationLine());
          if (!ClosePage()) return false;
          c_ = 0;
        }
      }
    }
    if (page_) {
      page_->Line(1, "</tbody>");
      page_->Line(0, "</table>");
      page_->Line(0, "</center>");
      page_->Line(0, NavigationLine());
      page_->Line(0, "</body>");
      page_->Line(0, "</html>");
      if (!ClosePage()) return false;
    }
    return true;
  }

  bool ClosePage() {
    const bool ok = page_->Close();
    page_.reset();
    return ok || PageFailed();
  }

  bool PageFailed() { return FileFailed(Html() / PageName(n_)); }

  std::string Text(int pos) const { return pos < 0 ? std::string() : d_.PhotoTable.AsString(pos); }

  void Copy(const OutputFolder& folder, const std::string& name) {
    switch (CopyAlbumPicture(d_, folder, name, o_.jpegQuality)) {
      case AlbumPictureCopy::kMissing:
        ++result_.missingPictures;
        break;
      case AlbumPictureCopy::kUnchanged:
        ++result_.unchangedPictures;
        break;
      case AlbumPictureCopy::kFailed:
        if (++result_.failedPictures == 1) result_.failedPicture = (folder.Path() / name).string();
        break;
      default:
        break;
    }
  }

  // A picture of the album shown at width, opening itself in a new window.
  std::string ImageLink(const char* folder, const std::string& name, int width) const {
    const std::string file = std::string("../") + folder + "/" + name;
    return "<a href=\"" + file + "\" target=\"_blank\"><img src=\"" + file +
           "\" border=\"2\" hspace=\"5\" vspace=\"5\" width=\"" + std::to_string(width) + "\"" +
           std::string(markup_.Close()) + "></a>";
  }

  void WritePhotoBlock(int record, const std::vector<std::string>& path) {
    PageFile& f = *page_;
    const std::string name = CopyName('P', ++result_.photos, AlbumPictureExtension(d_));
    Copy(*pic_, name);
    f.Line(0, "<table>");
    f.Line(1, "<tbody>");
    f.Line(2, "<tr>");
    f.Line(2, "<td width=\"260\" height=\"260\" align=\"center\">" + ImageLink("PIC", name, 260) + "</td>");
    f.Line(2, "<td width=\"260\" height=\"260\">");
    f.Line(2, "<table width=\"340\" border=\"1\" cellpadding=\"3\">");
    f.Line(2, "<col span=\"1\" align=\"center\">");
    f.Line(2, "<tbody>");
    for (const AlbumRow& row : PhotoRows(d_, result_.photos, path)) f.Row(RowForm::R120, 3, row.label, row.value);
    for (const char* line : {"</tbody>", "</table>", "</td>", "</tr>"}) f.Line(2, line);
    f.Line(1, "</tbody>");
    f.Line(0, "</table>");
    if (d_.LoadDrawingList(record) == 2) WriteDrawings();
  }

  void WriteDrawings() {
    PageFile& f = *page_;
    const TIntList drawings = d_.DrawingRecordList;
    f.Line(0, "<table>");
    f.Line(2, Sj("<caption align=\"left\">参考図</caption>"));
    f.Line(1, "<tbody>");
    f.Line(2, "<tr>");
    for (std::size_t j = 0; j < drawings.size(); ++j) {
      if (drawings[j] == 0 || !d_.GotoPhotoRecord(drawings[j])) continue;
      const std::string name = CopyName('D', ++result_.drawings, AlbumPictureExtension(d_));
      Copy(*dra_, name);
      if (j > 0 && j % 3 == 0) f.Line(2, "</tr><tr>");
      f.Line(3, "<td>");
      f.Line(4, "<table><tbody>");
      f.Line(5, "<tr><td width=\"190\" height=\"190\">" + ImageLink("DRA", name, 190) + "</td></tr>");
      f.Line(5, "<tr><td>");
      f.Line(6, "<table border=\"1\"><tbody>");
      for (const AlbumRow& row : DrawingRows(d_)) f.Row(RowForm::RN, 7, row.label, row.value);
      f.Line(6, "</tbody></table>");
      f.Line(5, "</td></tr>");
      f.Line(4, "</tbody></table>");
      f.Line(3, "</td>");
    }
    f.Line(2, "</tr>");
    f.Line(1, "</tbody>");
    f.Line(0, "</table>");
    if (o_.sanko) c_ = perPage_;
  }

  bool WriteIndex() {
    const fs::path file = Html() / "INDEX.HTM";
    PageFile f(*html_, "INDEX.HTM", markup_);
    if (!f.Ok()) return FileFailed(file);
    f.Head(kIndexBody);
    f.Line(0, Sj("<p align=\"center\"><b>目次</b></p>"));
    for (int p = 1; p <= n_; ++p)
      f.Line(0, "<p align=\"center\"><a href=\"" + PageName(p) + "\" target=\"page_main\">Page." + std::to_string(p) +
                    "</a></p>");
    f.Line(0, "</body>");
    f.Line(0, "</html>");
    return f.Close() || FileFailed(file);
  }

  Delivery& d_;
  const AlbumOptions& o_;
  Host& host_;
  Markup markup_;
  int perPage_;
  int n_ = 0;
  int c_ = 0;
  int total_ = 0;
  int progress_ = 0;
  std::optional<OutputFolder> root_, pic_, dra_, html_;
  std::optional<PageFile> page_;
  AlbumResult result_;
};

}  // namespace

fs::path AlbumFolderIn(const fs::path& parent) { return parent / kAlbumFolderName; }

bool AlbumInsideFolder(const fs::path& album, const fs::path& folder) {
  auto resolved = [](const fs::path& p) {
    std::error_code ec;
    fs::path r = fs::weakly_canonical(p, ec);
    if (ec) r = fs::absolute(p, ec).lexically_normal();
    return r;
  };
  const fs::path a = resolved(album);
  const fs::path f = resolved(folder);
  if (a.empty() || f.empty()) return false;
  const fs::path relative = a.lexically_relative(f);
  return !relative.empty() && *relative.begin() != "..";
}

fs::path DeliveryFolderOfEntry(const std::string& entryFile) {
  const fs::path folder = fs::path(entryFile).parent_path();
  if (SameTextIgnoringCase(folder.filename().string(), "PHOTO") && folder.has_parent_path())
    return folder.parent_path();
  return folder;
}

AlbumResult WriteHtmlAlbum(Delivery& d, const AlbumOptions& options, Host& host) {
  return AlbumRun(d, options, host).Run();
}

}  // namespace zor
