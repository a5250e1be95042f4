// Before the window system starts: is there a display to show the window
// on, and what the user reads when there is none.
#pragma once

namespace zor {

// True when the environment names a display (DISPLAY, WAYLAND_DISPLAY) or a
// Qt platform (QT_QPA_PLATFORM, e.g. offscreen).
bool DisplayNamed();

// The message without a display, in Japanese and English, with the ways to
// get one; ends with a newline.
const char* NoDisplayMessage();

// While the application object is made: a platform that cannot start (a
// display that names no reachable server) ends the program with the same
// message and exit status 2 instead of Qt's abort. Ended by the guard.
class PlatformFailureExit {
 public:
  PlatformFailureExit();
  ~PlatformFailureExit();
  PlatformFailureExit(const PlatformFailureExit&) = delete;
  PlatformFailureExit& operator=(const PlatformFailureExit&) = delete;
};

}  // namespace zor
