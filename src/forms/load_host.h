// The window as the readers' Host during one load: every call is passed on
// to the window, and the answer to the question whether a file that failed
// its DTD is read as well-formed XML is noted, so that the verification
// and the check can say that the delivery was read without validation.
// A call added to Host must be passed on here as well.
#pragma once

#include <string>

#include "app/host.h"
#include "text/encoding.h"

namespace zor {

class LoadHost : public Host {
 public:
  explicit LoadHost(Host& window) : w_(window) {}

  // A file failed its validation and was read as well-formed XML only.
  bool ReadWithoutValidation() const { return readWithoutValidation_; }

  bool ConfirmYesCancel(const std::string& text) override {
    const bool yes = w_.ConfirmYesCancel(text);
    static const std::string kQuestion = Sj("ウェルフォームドXML文書として強制的に読み込みますか？");
    if (yes && text.find(kQuestion) != std::string::npos) readWithoutValidation_ = true;
    return yes;
  }

  void ReportProgress(char code, int value) override { w_.ReportProgress(code, value); }
  void ShowStatus(const std::string& text) override { w_.ShowStatus(text); }
  void OpenInBrowser(const std::string& path) override { w_.OpenInBrowser(path); }
  void ShowInformation(const std::string& text) override { w_.ShowInformation(text); }
  void ShowWarning(const std::string& text) override { w_.ShowWarning(text); }
  bool ConfirmYesNo(const std::string& text) override { return w_.ConfirmYesNo(text); }
  void Beep() override { w_.Beep(); }
  void LeaveListMode() override { w_.LeaveListMode(); }
  void ClearPhotoLists() override { w_.ClearPhotoLists(); }
  void UpdateTitle() override { w_.UpdateTitle(); }
  void RefreshAll() override { w_.RefreshAll(); }
  void RequestButtonUpdate() override { w_.RequestButtonUpdate(); }
  void LayOutInformationPanel() override { w_.LayOutInformationPanel(); }
  void RefillContractGrid() override { w_.RefillContractGrid(); }
  void ShowNodePhotos() override { w_.ShowNodePhotos(); }
  void SelectUnclassifiedNode() override { w_.SelectUnclassifiedNode(); }
  void ShowLevelWarning(const std::string& text) override { w_.ShowLevelWarning(text); }
  int ListMode() const override { return w_.ListMode(); }
  void EnterListMode(int kind, const std::vector<std::int32_t>& records) override { w_.EnterListMode(kind, records); }

 private:
  Host& w_;
  bool readWithoutValidation_ = false;
};

}  // namespace zor
