// zorview --album: loads a delivery as --dump does and writes its HTML album
// into OUTPARENT/ALBUM, with the album settings of ZOR.INI unless options
// say otherwise. The browser is not opened. OUTPARENT may not be the
// delivery's folder or lie below it.
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/translate.h"
#include "cli/dump_host.h"
#include "cli/load_delivery.h"
#include "cli/out_text.h"
#include "cli/verb_args.h"
#include "cli/verbs.h"
#include "output/album_writer.h"
#include "store/delivery.h"
#include "text/encoding.h"
#include "text/sjis.h"

namespace zor::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: zorview --album PATH OUTPARENT [--xhtml] [--per-page N] [--sanko]\n";

struct AlbumArgs {
  std::string path;
  std::string parent;
  std::optional<bool> xhtml;
  std::optional<int> perPage;
  std::optional<bool> sanko;
};

std::optional<int> PositiveNumber(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

std::optional<AlbumArgs> ParseArgs(const Args& args, std::ostream& err) {
  AlbumArgs a;
  std::vector<std::string> plain;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--xhtml") {
      a.xhtml = true;
    } else if (args[i] == "--sanko") {
      a.sanko = true;
    } else if (args[i] == "--per-page") {
      a.perPage = ++i == args.size() ? std::nullopt : PositiveNumber(args[i]);
      if (!a.perPage) {
        err << "zorview --album: " << Tr("--per-page needs the number of photos on a page, 1 or more") << "\n";
        return std::nullopt;
      }
    } else if (args[i].starts_with("--")) {
      return std::nullopt;
    } else {
      plain.push_back(args[i]);
    }
  }
  if (plain.size() != 2) return std::nullopt;
  a.path = plain[0];
  a.parent = plain[1];
  return a;
}

// The folder an album must stay out of: the one holding the entry file, and
// for a PHOTO.XML in the usual PHOTO folder the delivery folder above it.
void PrintMessages(std::ostream& err, const DumpHost& host) {
  for (const std::string& m : host.Messages()) err << "zorview --album: " << OneLine(Cp932ToUtf8(m)) << "\n";
}

}  // namespace

int Album(const Args& args, std::ostream& out, std::ostream& err) {
  const std::optional<AlbumArgs> a = ParseArgs(args, err);
  if (!a) return UsageError(err, kUsage);
  std::error_code ec;
  const fs::path parent = fs::absolute(a->parent, ec).lexically_normal();
  if (ec || !fs::is_directory(parent, ec)) {
    err << "zorview --album: " << a->parent << ": " << Tr("no such folder") << "\n";
    return kExitFailed;
  }
  // As the folder chooser does: an album is never written over another one.
  const fs::path folder = AlbumFolderIn(parent);
  if (fs::exists(fs::symlink_status(folder, ec))) {
    err << "zorview --album: " << TrFill("%1 already exists", {folder.string()}) << "\n";
    return kExitFailed;
  }

  const std::optional<std::string> found = ExistingPath(a->path, "--album", err);
  if (!found) return kExitFailed;
  const std::string& path = *found;

  const CliEnvironment env = ReadCliEnvironment(err);
  Delivery delivery;
  DumpHost host;
  // The program never writes into a delivery: its folder is known from the
  // entry file before anything is loaded.
  std::optional<std::string> chosen;
  {
    DumpHost quiet;
    ImportContext probe{delivery, quiet, env.folders, env.settings.MsXmlParser};
    chosen = ChooseEntry(probe, path);
  }
  if (chosen) {
    const fs::path deliveryFolder = DeliveryFolderOfEntry(*chosen);
    if (AlbumInsideFolder(folder, deliveryFolder)) {
      err << "zorview --album: "
          << TrFill("%1 would lie inside the delivery %2", {folder.string(), deliveryFolder.string()}) << "\n";
      return kExitFailed;
    }
    // The album folder is taken now, before a load that may take long: a
    // second run, or a link planted there meanwhile, finds it taken.
    if (!fs::create_directory(folder, ec)) {
      if (fs::exists(fs::symlink_status(folder, ec)))
        err << "zorview --album: " << TrFill("%1 already exists", {folder.string()}) << "\n";
      else
        err << "zorview --album: " << Cp932ToUtf8(Sj("フォルダを作成できませんでした。")) << " " << folder.string()
            << "\n";
      return kExitFailed;
    }
  }
  std::string entry;
  // Without an entry the load only says why (the probe kept quiet).
  const bool loaded = LoadDeliveryAt(delivery, host, env, path, std::nullopt, &entry, true);
  if (!chosen || !loaded) {
    PrintMessages(err, host);
    if (chosen) fs::remove(folder, ec);  // still empty: nothing was written
    err << "zorview --album: " << a->path << ": " << Tr("no delivery loaded") << "\n";
    return kExitFailed;
  }

  AlbumOptions options;
  options.folder = folder;
  options.xhtml = a->xhtml.value_or(env.settings.Xhtml);
  options.perPage = a->perPage.value_or(env.settings.HtmlPage);
  options.sanko = a->sanko.value_or(env.settings.HtmlSanko);
  options.jpegQuality = env.settings.CompressionQuality;
  const AlbumResult result = WriteHtmlAlbum(delivery, options, host);
  PrintMessages(err, host);
  if (result.missingPictures > 0)
    err << "zorview --album: "
        << TrFill("%1 picture files not found; their pages name them", {std::to_string(result.missingPictures)})
        << "\n";
  if (result.unchangedPictures > 0)
    err << "zorview --album: "
        << TrFill("%1 pictures could not be converted and were copied unchanged",
                  {std::to_string(result.unchangedPictures)})
        << "\n";
  if (!result.finished || result.failedPictures > 0) return kExitFailed;
  out << (folder / "ALBUM.HTM").string() << "\n";
  return kExitOk;
}

}  // namespace zor::cli
