// libjpeg's default error exit ends the process. Ours jumps back to the
// caller's setjmp instead and keeps the message for the status line.
// Internal to the images module.
//
// Rule for every user: the function that calls setjmp(errors.jump) holds no
// C++ object with a destructor, and calls nothing but libjpeg between the
// setjmp and its return, so a longjmp skips no destructor.
#pragma once

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

namespace zor {

// Our own statuses, below every libjpeg message code.
inline constexpr int kJpegNoData = -1;
inline constexpr int kJpegCannotOpen = -2;
inline constexpr int kJpegTooLarge = -3;
inline constexpr int kJpegOutOfMemory = -4;
inline constexpr int kJpegCannotWrite = -5;

struct JpegErrors {
  jpeg_error_mgr manager;  // first, so a j_common_ptr's err converts back
  std::jmp_buf jump;
  int code = 0;                        // last error or warning code
  int warnings = 0;                    // warnings seen (corrupt or short data)
  char message[JMSG_LENGTH_MAX] = {};  // the last error's text
  char warning[JMSG_LENGTH_MAX] = {};  // the first warning's text
  int warning_code = 0;
};

// Wires the manager into a compress or decompress object before it is created.
jpeg_error_mgr* InstallJpegErrors(JpegErrors* errors);

// " JPEG Error Status=" and the status text, as the status line shows it.
std::string JpegStatusLine(int code, const char* message);

}  // namespace zor
