// Verbs for pictures: the thumbnail decoding order and the kind codes, run
// over many files in one process.
#include <charconv>
#include <filesystem>
#include <ostream>
#include <string>

#include "app/host.h"
#include "cli/out_text.h"
#include "cli/verbs.h"
#include "images/image_kind.h"
#include "images/image_kit.h"
#include "images/photo_loader.h"

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

}  // namespace

int Thumbnail(const Args& args, std::ostream& out, std::ostream& err) {
  int size = 0;
  if (args.empty() || !ParseSize(args[0], size)) {
    err << "zorview: --thumbnail needs a size in pixels (1 to 65535)\n";
    return kExitUsage;
  }
  std::size_t first = 1;
  std::filesystem::path out_dir;
  if (args.size() > 2 && args[1] == "--out") {
    out_dir = args[2];
    first = 3;
    std::error_code ec;
    std::filesystem::create_directories(out_dir, ec);
    if (!std::filesystem::is_directory(out_dir, ec)) {
      err << "zorview: cannot make the folder " << out_dir.string() << "\n";
      return kExitFailed;
    }
  }
  if (first >= args.size()) {
    err << "zorview: --thumbnail SIZE [--out DIR] FILE...\n";
    return kExitUsage;
  }
  StderrHost host(err);
  bool all = true;
  Bitmap bitmap;
  for (std::size_t i = first; i < args.size(); ++i) {
    const std::filesystem::path file = args[i];
    ImageResult result = LoadThumbnailBitmap(bitmap, file, size, &host);
    if (!result) bitmap.Clear();
    out << EscapeControls(args[i]) << "\t" << bitmap.Width() << "x" << bitmap.Height() << " via "
        << DescribeRoute(result) << "\n";
    all = all && result.ok;
    if (result && !out_dir.empty()) {
      ImageResult written = WriteImageFile(bitmap, out_dir / (file.stem().string() + ".png"), "PNG");
      if (!written) {
        err << "zorview: cannot write " << file.stem().string() << ".png: " << written.reason << "\n";
        all = false;
      }
    }
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
      err << "zorview --kind: " << EscapeControls(file) << ": no such file\n";
      all = false;
      continue;
    }
    out << EscapeControls(file) << "\t" << GetImageFileKind(file, false) << "\n";
  }
  return all ? kExitOk : kExitFailed;
}

}  // namespace zor::cli
