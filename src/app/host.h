// What the core asks of whoever runs it: the window, the command line or a
// test. Readers, the verification and the album talk to the user only
// through this interface; every text is code page 932.
#pragma once

#include <string>

namespace zor {

class Host {
 public:
  virtual ~Host() = default;

  // Progress display: 'S' starts with maximum value, 'R' moves to value,
  // 'E' ends. 'S' with 0 shows nothing; 'R' above the maximum changes nothing.
  virtual void ReportProgress(char code, int value) { (void)code, (void)value; }
  // The status line.
  virtual void ShowStatus(const std::string& text) { (void)text; }
  // An information box with an OK button.
  virtual void ShowInformation(const std::string& text) { (void)text; }
  // A warning box with an OK button.
  virtual void ShowWarning(const std::string& text) { (void)text; }
  // Confirmations; true for Yes. Without a user the answer is No.
  virtual bool ConfirmYesCancel(const std::string& text) { return (void)text, false; }
  virtual bool ConfirmYesNo(const std::string& text) { return (void)text, false; }
  virtual void Beep() {}
};

}  // namespace zor
