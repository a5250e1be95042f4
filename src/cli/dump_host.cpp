#include "cli/dump_host.h"

#include "text/encoding.h"

namespace zor::cli {

bool DumpHost::ConfirmYesCancel(const std::string& text) {
  messages_.push_back(text);
  static const std::string kLoadWithoutValidation = Sj("ウェルフォームドXML文書として強制的に読み込みますか？");
  const bool yes = text.find(kLoadWithoutValidation) != std::string::npos;
  messages_.push_back(yes ? Sj("→ はい: 検証せずに読み込みます") : Sj("→ キャンセル"));
  readWithoutValidation_ = readWithoutValidation_ || yes;
  return yes;
}

}  // namespace zor::cli
