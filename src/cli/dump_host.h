// The Host of `zorview --dump`: nobody to ask, so every box, status message
// and question is recorded in order, each question followed by the answer
// taken: the media question is answered Cancel and the "load without
// validation" question Yes.
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
  // A file failed its validation and was read as well-formed XML only.
  bool ReadWithoutValidation() const { return readWithoutValidation_; }

 private:
  std::vector<std::string> messages_;
  bool readWithoutValidation_ = false;
};

}  // namespace zor::cli
