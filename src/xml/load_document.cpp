#include "xml/load_document.h"

#include "text/encoding.h"

namespace zor {

bool LoadXmlDocument(TXMLTreeView& view, const std::string& file, bool gamenPrint, bool msXmlParser, Host& host) {
  view.GamenPrint = gamenPrint;
  view.Parse = true;
  view.ErrorMessage = false;
  view.MSXML = msXmlParser;
  if (view.ParseFile(file, host)) return true;
  if (!view.MSXML) {
    // The tokenizer's report names the open element; an end tag with nothing
    // open, or a file that cannot be read, gets the file's name.
    host.Beep();
    host.ShowInformation(view.ErrorText.empty()
                             ? Sj("XMLファイルのフォーマットが不正です。") + "\r\n\r\n" + Utf8ToCp932(file)
                             : view.ErrorText);
    return false;
  }

  std::string question = view.ErrorText + "\r\n\r\n" + Sj("検証結果に問題がありました。") + "\r\n" +
                         Sj("ウェルフォームドXML文書として強制的に読み込みますか？");
  if (!host.ConfirmYesCancel(question)) return false;
  view.Parse = false;
  view.ErrorMessage = true;
  return view.ParseFile(file, host);
}

}  // namespace zor
