// zorview --xml-tree [--own | --validating] FILE: the node tree of one XML
// file, one JSON object per node and line, in document order.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/folders.h"
#include "app/host.h"
#include "app/settings.h"
#include "app/translate.h"
#include "cli/json.h"
#include "cli/verb_args.h"
#include "cli/verbs.h"
#include "text/encoding.h"
#include "xml/load_document.h"
#include "xml/xml_tree.h"

namespace zor::cli {
namespace {

constexpr std::string_view kUsage = "usage: zorview --xml-tree [--own | --validating] FILE\n";

}  // namespace

int XmlTree(const Args& args, std::ostream& out, std::ostream& err) {
  std::optional<bool> validating;
  std::string file;
  for (const std::string& arg : args) {
    if ((arg == "--own" || arg == "--validating") && !validating && file.empty()) {
      validating = arg == "--validating";
    } else if (file.empty() && !arg.empty() && !arg.starts_with("--")) {
      file = arg;
    } else {
      return UsageError(err, kUsage);
    }
  }
  if (file.empty()) {
    return UsageError(err, kUsage);
  }

  Folders folders = ComputeFoldersFromEnvironment(nullptr, nullptr, false);
  if (!validating) {
    // Without a parser option the setting decides, as in the viewer; an
    // unreadable settings file leaves it at its default.
    Settings settings = DefaultSettings(folders);
    std::string error;
    if (!SettingsReadWrite('R', settings, folders, &error)) err << "zorview: " << error << "\n";
    validating = settings.MsXmlParser;
  }

  // The validation question goes unanswered: the base host says No.
  Host host;
  TXMLTreeView view;
  view.SystemFileFolder = folders.sysFile;
  if (!LoadXmlDocument(view, file, false, *validating, host)) {
    if (view.ErrorText.empty())
      err << "zorview: " << TrFill("%1 could not be loaded", {file}) << "\n";
    else
      err << Cp932ToUtf8(view.ErrorText) << "\n";
    return kExitFailed;
  }
  for (const XmlNode& node : view.Nodes()) {
    out << "{\"level\":" << node.Level << ",\"text\":";
    WriteJsonString(out, Cp932ToUtf8(node.Text));
    out << ",\"value\":";
    if (node.Value)
      WriteJsonString(out, Cp932ToUtf8(*node.Value));
    else
      out << "null";
    out << "}\n";
  }
  return kExitOk;
}

}  // namespace zor::cli
