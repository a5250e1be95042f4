// The Host of `zorview --dump`: nobody to ask, so every box, status message
// and question is recorded in order, the media question is answered Cancel
// and the "load without validation" question Yes.
#pragma once

#include <string>
#include <vector>

#include "app/host.h"

namespace zor::cli {

class DumpHost : public Host {
 public:
  void ShowStatus(const std::string& text) override { messages_.push_back(text); }
  void ShowInformation(const std::string& text) override { messages_.push_back(text); }
  void ShowWarning(const std::string& text) override { messages_.push_back(text); }
  void ShowLevelWarning(const std::string& text) override { messages_.push_back(text); }
  bool ConfirmYesCancel(const std::string& text) override;
  bool ConfirmYesNo(const std::string& text) override {
    messages_.push_back(text);
    return false;
  }

  // Code page 932 texts, in the order they came.
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

}  // namespace zor::cli
