// What the core asks of whoever runs it: the window, the command line or a
// test. Readers, the verification and the album talk to the user only
// through this interface; every text is code page 932.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zor {

class Host {
 public:
  virtual ~Host() = default;

  // Progress display: 'S' starts with maximum value, 'R' moves to value,
  // 'E' ends. 'S' with 0 shows nothing; 'R' above the maximum changes nothing.
  virtual void ReportProgress(char code, int value) { (void)code, (void)value; }
  // The status line.
  virtual void ShowStatus(const std::string& text) { (void)text; }
  // Opens a written document (a file system path, UTF-8) in the user's
  // default browser; without a desktop nothing happens.
  virtual void OpenInBrowser(const std::string& path) { (void)path; }
  // An information box with an OK button.
  virtual void ShowInformation(const std::string& text) { (void)text; }
  // A warning box with an OK button.
  virtual void ShowWarning(const std::string& text) { (void)text; }
  // Confirmations; true for Yes. Without a user the answer is No.
  virtual bool ConfirmYesCancel(const std::string& text) { return (void)text, false; }
  virtual bool ConfirmYesNo(const std::string& text) { return (void)text, false; }
  virtual void Beep() {}

  // The window's steps around a delivery load. The readers call them in the
  // order the window expects; without a window they do nothing.
  //
  // Leaves list mode without its message.
  virtual void LeaveListMode() {}
  // Empties both thumbnail lists.
  virtual void ClearPhotoLists() {}
  // The caption and the status line after WorkName.
  virtual void UpdateTitle() {}
  // DigiVersion changed: show it in the version selector and rebuild every
  // panel from the loaded data.
  virtual void RefreshAll() {}
  virtual void RequestButtonUpdate() {}
  // Lays the information panel's rows out again for the loaded delivery
  // (index rows when IndexLoaded, else the photo file's rows, by DigiVersion)
  // and fills its construction grid.
  virtual void LayOutInformationPanel() {}
  // Only the values of the construction grid, from the photo contract block.
  virtual void RefillContractGrid() {}
  // The selected tree node's photos into the thumbnail list.
  virtual void ShowNodePhotos() {}
  // The hierarchy tree changed: show it, select its unclassified node at
  // once and expand the whole tree.
  virtual void SelectUnclassifiedNode() {}
  // The warning about photos at an invalid hierarchy level, with the check
  // box that silences it until the program ends.
  virtual void ShowLevelWarning(const std::string& text) { (void)text; }

  // The thumbnail list's list mode: 0 none, 1 a sort result, 2 a search or
  // verification result.
  virtual int ListMode() const { return 0; }
  // Shows the given photo records instead of the tree node's, in list mode kind.
  virtual void EnterListMode(int kind, const std::vector<std::int32_t>& records) { (void)kind, (void)records; }
};

}  // namespace zor
