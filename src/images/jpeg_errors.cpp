#include "images/jpeg_errors.h"

#include <cstring>
#include <string>

#include "images/jpeg_status.h"

namespace zor {
namespace {

void ErrorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  errors->code = cinfo->err->msg_code;
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  if (errors->warnings++ == 0) {
    errors->warning_code = cinfo->err->msg_code;
    (*cinfo->err->format_message)(cinfo, errors->warning);
  }
}

void OutputMessage(j_common_ptr) {}  // nothing goes to stderr

}  // namespace

jpeg_error_mgr* InstallJpegErrors(JpegErrors* errors) {
  jpeg_error_mgr* manager = jpeg_std_error(&errors->manager);
  manager->error_exit = ErrorExit;
  manager->emit_message = EmitMessage;
  manager->output_message = OutputMessage;
  return manager;
}

std::string JpegStatusLine(int code, const char* message) {
  std::string text = " JPEG Error Status=";
  if (message && *message)
    text += std::string(message) + "(" + std::to_string(code) + ")";
  else
    text += JpegStatusText(code);
  return text;
}

}  // namespace zor
