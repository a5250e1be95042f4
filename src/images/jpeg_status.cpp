#include "images/jpeg_status.h"

#include <cstdio>

#include <jpeglib.h>

#include "images/jpeg_errors.h"

namespace zor {
namespace {

const char* OwnStatusText(int status) {
  switch (status) {
    case kJpegNoData:
      return "No JPEG data";
    case kJpegCannotOpen:
      return "Cannot open the file";
    case kJpegTooLarge:
      return "Picture too large";
    case kJpegOutOfMemory:
      return "Out of memory";
    case kJpegCannotWrite:
      return "Cannot write the file";
    default:
      return "Unknown status";
  }
}

}  // namespace

std::string JpegStatusText(int status) {
  std::string text;
  if (status <= 0) {
    text = status == 0 ? "OK" : OwnStatusText(status);
  } else {
    jpeg_error_mgr manager;
    jpeg_std_error(&manager);
    if (status <= manager.last_jpeg_message && manager.jpeg_message_table[status])
      text = manager.jpeg_message_table[status];
    else
      text = "Unknown status";
  }
  return text + "(" + std::to_string(status) + ")";
}

}  // namespace zor
