#include "xml/error_lines.h"

#include <libxml/xmlerror.h>

namespace zor::libxml {

std::string_view ErrorFirstLine(int code) {
  switch (code) {
    case XML_DTD_CONTENT_MODEL:
    case XML_DTD_CONTENT_ERROR:
    case XML_DTD_NOT_EMPTY:
      return "要素の内容がDTDの定義と一致しません。";
    case XML_DTD_UNKNOWN_ELEM:
      return "DTDで宣言されていない要素です。";
    case XML_DTD_MISSING_ATTRIBUTE:
      return "必須の属性がありません。";
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:  // an error when the document has a DTD
    case XML_DTD_UNKNOWN_ENTITY:
      return "定義されていない実体参照です。";
    case XML_ERR_INVALID_CHAR:
    case XML_ERR_INVALID_ENCODING:
    case XML_ERR_UNKNOWN_ENCODING:
    case XML_ERR_UNSUPPORTED_ENCODING:
    case XML_I18N_CONV_FAILED:
      return "文字コードが不正です。";
    case XML_ERR_DOCUMENT_EMPTY:
    case XML_ERR_TAG_NOT_FINISHED:
      return "ファイルが途中で終わっています。";
    case XML_ERR_TAG_NAME_MISMATCH:
      return "開始タグと終了タグが一致しません。";
    case XML_IO_LOAD_ERROR:
      return "DTDファイルが見つかりません。";
    default:
      return {};
  }
}

}  // namespace zor::libxml
