#include "cli/dump_host.h"

#include "text/encoding.h"

namespace zor::cli {

bool DumpHost::ConfirmYesCancel(const std::string& text) {
  messages_.push_back(text);
  static const std::string kLoadWithoutValidation = Sj("ウェルフォームドXML文書として強制的に読み込みますか？");
  return text.find(kLoadWithoutValidation) != std::string::npos;
}

}  // namespace zor::cli
