// Verbs for pictures: the thumbnail decoding order and the kind codes, run
// over many files in one process.
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>
#include <set>
#include <string>

#include "app/folders.h"
#include "app/host.h"
#include "app/translate.h"
#include "cli/out_text.h"
#include "cli/verbs.h"
#include "images/image_kind.h"
#include "images/image_kit.h"
#include "images/photo_loader.h"
#include "text/sjis.h"

namespace zor::cli {
namespace {

// Status-line texts go to stderr, one per line.
class StderrHost : public Host {
 public:
  explicit StderrHost(std::ostream& err) : err_(err) {}
  void ShowStatus(const std::string& text) override { err_ << "zorview: status:" << text << "\n"; }

 private:
  std::ostream& err_;
};

bool ParseSize(const std::string& text, int& size) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), size);
  return ec == std::errc() && end == text.data() + text.size() && size > 0 && size <= 65535;
}

// The delivery folder that holds path, if any: a folder at or above it with
// an index file or PHOTO/PHOTO.XML, or a PHOTO folder with its PHOTO.XML.
std::optional<std::filesystem::path> DeliveryHolding(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
  if (ec) return std::nullopt;
  for (; !p.empty(); p = p.parent_path()) {
    const std::string folder = p.string() + "/";
    for (const char* entry : {"INDEX_C.XML", "INDEX_D.XML", "PHOTO/PHOTO.XML"})
      if (ResolveCaseInsensitive(folder, entry)) return p;
    if (SameTextIgnoringCase(p.filename().string(), "PHOTO") && ResolveCaseInsensitive(folder, "PHOTO.XML"))
      return p.parent_path();
    if (p == p.parent_path()) break;
  }
  return std::nullopt;
}

}  // namespace

int Thumbnail(const Args& args, std::ostream& out, std::ostream& err) {
  int size = 0;
  if (args.empty() || !ParseSize(args[0], size)) {
    err << "zorview: " << Tr("--thumbnail needs a size in pixels (1 to 65535)") << "\n";
    return kExitUsage;
  }
  std::size_t first = 1;
  std::filesystem::path out_dir;
  if (args.size() > 1 && args[1] == "--out") {
    if (args.size() < 3) {
      err << "zorview: --thumbnail SIZE [--out DIR] FILE...\n";
      return kExitUsage;
    }
    out_dir = args[2];
    first = 3;
  }
  if (first >= args.size()) {
    err << "zorview: --thumbnail SIZE [--out DIR] FILE...\n";
    return kExitUsage;
  }
  // The folder is made only once the arguments are known to be right, and
  // never inside a delivery, which this program does not write into.
  if (!out_dir.empty()) {
    if (const std::optional<std::filesystem::path> delivery = DeliveryHolding(out_dir)) {
      err << "zorview: --thumbnail: " << TrFill("%1 lies inside the delivery %2", {out_dir.string(), delivery->string()})
          << "\n";
      return kExitFailed;
    }
    std::error_code ec;
    std::filesystem::create_directories(out_dir, ec);
    if (!std::filesystem::is_directory(out_dir, ec)) {
      err << "zorview: " << TrFill("cannot make the folder %1", {out_dir.string()}) << "\n";
      return kExitFailed;
    }
  }
  StderrHost host(err);
  bool all = true;
  Bitmap bitmap;
  std::set<std::string> used;  // output names given so far
  for (std::size_t i = first; i < args.size(); ++i) {
    const std::filesystem::path file = args[i];
    ImageResult result = LoadThumbnailBitmap(bitmap, file, size, &host);
    if (!result) bitmap.Clear();
    out << EscapeControls(args[i]) << "\t" << bitmap.Width() << "x" << bitmap.Height() << " via "
        << DescribeRoute(result);
    all = all && result.ok;
    if (result && !out_dir.empty()) {
      // Two inputs of one stem get names of their own: a.png, a-2.png, ...
      std::string name = file.stem().string() + ".png";
      for (int n = 2; used.count(name); ++n) name = file.stem().string() + "-" + std::to_string(n) + ".png";
      used.insert(name);
      out << "\t-> " << EscapeControls(name);
      ImageResult written = WriteImageFile(bitmap, out_dir / name, "PNG");
      if (!written) {
        err << "zorview: " << TrFill("cannot write %1", {EscapeControls(name)}) << ": " << written.reason << "\n";
        all = false;
      }
    }
    out << "\n";
  }
  return all ? kExitOk : kExitFailed;
}

int Kind(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "zorview: --kind FILE...\n";
    return kExitUsage;
  }
  // A file that is not there has no kind: said on standard error, exit 1.
  bool all = true;
  for (const std::string& file : args) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
      err << "zorview --kind: " << EscapeControls(file) << ": " << Tr("no such file") << "\n";
      all = false;
      continue;
    }
    out << EscapeControls(file) << "\t" << GetImageFileKind(file, false) << "\n";
  }
  return all ? kExitOk : kExitFailed;
}

}  // namespace zor::cli
