// Pieces every reader shares: the progress display that always ends, and
// the way an error of the record file reaches the user.
#pragma once

#include <functional>

#include "app/host.h"
#include "import/import_context.h"
#include "xml/xml_tree.h"

namespace zor {

// Ends the progress display on every way out of a reader, failures included.
class ProgressScope {
 public:
  explicit ProgressScope(Host& host) : host_(host) {}
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
  ~ProgressScope() { End(); }

  void Start(int maximum) {
    host_.ReportProgress('S', maximum < 0 ? 0 : maximum);
    started_ = true;
  }
  void Step(int value) { host_.ReportProgress('R', value); }
  void End() {
    if (started_) host_.ReportProgress('E', 0);
    started_ = false;
  }

 private:
  Host& host_;
  bool started_ = false;
};

// LoadXmlDocument with the display mode off and the parser the context
// chooses; a DTD not beside the file is looked up in the system file folder.
bool LoadNodeTree(ImportContext& ctx, TXMLTreeView& view, const std::string& file);

// Runs a reader's body. An error of the record file or of the file system
// ends the read: its message is shown and the result is false.
bool RunReader(Host& host, const std::function<bool()>& body);

}  // namespace zor
