// Shared by the import tests: a temporary user data folder and deliveries
// written on the fly, folders for the readers, and a host that records what
// the readers ask of the window.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/folders.h"
#include "app/host.h"
#include "import/import_context.h"
#include "store/delivery.h"

namespace zor::test {

// Records every call in order: window steps by name, boxes and questions as
// "info: ", "warning: ", "status: ", "question: " + the text in UTF-8.
class RecordingHost : public Host {
 public:
  void ReportProgress(char code, int value) override;
  void ShowStatus(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  void ShowWarning(const std::string& text) override;
  bool ConfirmYesCancel(const std::string& text) override;
  bool ConfirmYesNo(const std::string& text) override;
  void LeaveListMode() override { calls.push_back("LeaveListMode"); }
  void ClearPhotoLists() override { calls.push_back("ClearPhotoLists"); }
  void UpdateTitle() override { calls.push_back("UpdateTitle"); }
  void RefreshAll() override { calls.push_back("RefreshAll"); }
  void RequestButtonUpdate() override { calls.push_back("RequestButtonUpdate"); }
  void LayOutInformationPanel() override { calls.push_back("LayOutInformationPanel"); }
  void RefillContractGrid() override { calls.push_back("RefillContractGrid"); }
  void ShowNodePhotos() override { calls.push_back("ShowNodePhotos"); }
  void SelectUnclassifiedNode() override { calls.push_back("SelectUnclassifiedNode"); }
  void ShowLevelWarning(const std::string& text) override;

  // The calls that are boxes, questions or status messages.
  std::vector<std::string> Messages() const;
  // The window steps only, without messages.
  std::vector<std::string> Steps() const;
  int Count(const std::string& call) const;

  std::vector<std::string> calls;
  std::deque<bool> answers;  // answers to ConfirmYesCancel, then false
  int progressStarts = 0;
  int progressEnds = 0;
};

class ImportTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  ImportContext Ctx(bool validating = false) { return ImportContext{d, host, folders, validating}; }

  // A fixture of tests/data/import.
  static std::string Data(const std::string& rel);
  // Writes text (UTF-8 in the source) in code page 932 with CR LF line ends
  // under the temporary folder; returns the file's path.
  std::string Write(const std::string& rel, const std::string& utf8);
  // A tiny JPEG under the temporary folder.
  std::string Picture(const std::string& rel);
  std::string Temp(const std::string& rel = "") const { return temp_ + rel; }

  // Reads one field of record n as UTF-8 (text) or number.
  std::string Text(int record, int pos);
  int Number(int record, int pos);
  int RecordCount() { return d.PhotoTable.Active() ? d.PhotoTable.RecordCount() : 0; }
  const PhotoFieldPositions& F() const { return d.PhotoTable.FieldPos; }
  std::string Placeholder() const { return folders.sysFile + "DUMMY.JPG"; }
  // The hierarchy as "level caption [records]" lines in depth-first order.
  std::vector<std::string> Tree() const;

  Delivery d;
  RecordingHost host;
  Folders folders;

 private:
  std::string temp_;
};

// A photo file of the current layout: the header, then the photo sections
// given as XML text (UTF-8).
std::string CurrentPhotoXml(const std::string& basic, const std::string& sections);

}  // namespace zor::test
